// Registering a class once under Wine: the fields as given, the defaults, and the refusals.
#include <gtest/gtest.h>

#include "win/window_class.h"
#include "win/window_place.h"

namespace {

LRESULT CALLBACK FirstProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }
LRESULT CALLBACK SecondProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// The class as Windows holds it for the program's module; false when there is none.
bool Registered(const char* name, WNDCLASSEXA& wc, HINSTANCE instance = GetModuleHandleA(nullptr)) {
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  return GetClassInfoExA(instance, name, &wc) != FALSE;
}

TEST(RegisterClassOnce, RegistersOnceAndASecondCallFindsTheFirstClass) {
  ASSERT_TRUE(win::RegisterClassOnce({.name = "WINCLASSONCE", .procedure = FirstProc, .style = CS_DBLCLKS}));
  // The second call changes nothing: the first procedure and style stay.
  EXPECT_TRUE(win::RegisterClassOnce({.name = "winclassonce", .procedure = SecondProc, .style = CS_HREDRAW}));
  // Without a procedure nothing could be registered, but the class is found.
  EXPECT_TRUE(win::RegisterClassOnce({.name = "WINCLASSONCE"}));
  WNDCLASSEXA wc;
  ASSERT_TRUE(Registered("WINCLASSONCE", wc));
  EXPECT_EQ(wc.lpfnWndProc, FirstProc);
  EXPECT_EQ(wc.style, UINT(CS_DBLCLKS));
}

TEST(RegisterClassOnce, DefaultsToTheArrowNoIconNoBrushAndTheProgramsModule) {
  ASSERT_TRUE(win::RegisterClassOnce({.name = "WINCLASSDEFAULTS", .procedure = FirstProc}));
  WNDCLASSEXA wc;
  ASSERT_TRUE(Registered("WINCLASSDEFAULTS", wc));
  EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(wc.hIcon, nullptr);
  EXPECT_EQ(wc.hIconSm, nullptr);
  EXPECT_EQ(wc.hbrBackground, nullptr);
  EXPECT_EQ(wc.style, 0u);
}

TEST(RegisterClassOnce, KeepsTheFieldsAsGiven) {
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
  auto brush = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  ASSERT_TRUE(win::RegisterClassOnce({.name = "WINCLASSFIELDS",
                                      .procedure = FirstProc,
                                      .style = CS_HREDRAW | CS_VREDRAW,
                                      .icon = icon,
                                      .cursor = hand,
                                      .background = brush}));
  WNDCLASSEXA wc;
  ASSERT_TRUE(Registered("WINCLASSFIELDS", wc));
  EXPECT_EQ(wc.style, UINT(CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(wc.hIcon, icon);
  EXPECT_EQ(wc.hIconSm, icon);  // the icon serves as the small one too
  EXPECT_EQ(wc.hCursor, hand);
  EXPECT_EQ(wc.hbrBackground, brush);
}

TEST(RegisterClassOnce, LeavesTheCursorOutAndTheSmallIconToTheSystemWhenAsked) {
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  ASSERT_TRUE(win::RegisterClassOnce(
      {.name = "WINCLASSNOCURSOR", .procedure = FirstProc, .icon = icon, .systemSmallIcon = true, .cursor = nullptr}));
  WNDCLASSEXA wc;
  ASSERT_TRUE(Registered("WINCLASSNOCURSOR", wc));
  EXPECT_EQ(wc.hCursor, nullptr);
  EXPECT_EQ(wc.hIcon, icon);
  EXPECT_NE(wc.hIconSm, icon);  // one the system made from the icon
}

TEST(RegisterClassOnce, RegistersForTheGivenModuleOnly) {
  HINSTANCE other = GetModuleHandleA("kernel32.dll");
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(win::RegisterClassOnce({.name = "WINCLASSMODULE", .procedure = FirstProc, .instance = other}));
  WNDCLASSEXA wc;
  EXPECT_TRUE(Registered("WINCLASSMODULE", wc, other));
  EXPECT_FALSE(Registered("WINCLASSMODULE", wc));
  // The program's module gets a class of its own under the same name.
  EXPECT_TRUE(win::RegisterClassOnce({.name = "WINCLASSMODULE", .procedure = SecondProc}));
  ASSERT_TRUE(Registered("WINCLASSMODULE", wc));
  EXPECT_EQ(wc.lpfnWndProc, SecondProc);
  UnregisterClassA("WINCLASSMODULE", other);
}

TEST(RegisterClassOnce, FailsCleanlyWithoutANameOrWithoutAProcedure) {
  EXPECT_FALSE(win::RegisterClassOnce({.name = nullptr, .procedure = FirstProc}));
  EXPECT_FALSE(win::RegisterClassOnce({.name = "", .procedure = FirstProc}));
  EXPECT_FALSE(win::RegisterClassOnce({.name = "WINCLASSNOPROC"}));
  WNDCLASSEXA wc;
  EXPECT_FALSE(Registered("WINCLASSNOPROC", wc));
}

}  // namespace

// A window closed while minimised keeps the place it had before, not the icon's.
TEST(NormalPlace, AMinimisedWindowGivesThePlaceItHadBefore) {
  ASSERT_TRUE(win::RegisterClassOnce({.name = "WINPLACETEST", .procedure = FirstProc}));
  HWND w = CreateWindowExA(0, "WINPLACETEST", "place", WS_OVERLAPPEDWINDOW, 40, 50, 300, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(w, nullptr);
  ShowWindow(w, SW_SHOWNORMAL);
  ShowWindow(w, SW_MINIMIZE);
  struct {
    short left = 0, top = 0, width = 0, height = 0;
  } place;
  EXPECT_TRUE(win::TakeNormalPlace(w, place));
  EXPECT_EQ(place.left, 40);
  EXPECT_EQ(place.top, 50);
  EXPECT_EQ(place.width, 300);
  EXPECT_EQ(place.height, 200);
  DestroyWindow(w);
  RECT r{1, 2, 3, 4};
  EXPECT_FALSE(win::NormalRect(nullptr, r));
  EXPECT_FALSE(win::NormalRect(w, r));  // gone
  EXPECT_EQ(r.left, 1);
}
