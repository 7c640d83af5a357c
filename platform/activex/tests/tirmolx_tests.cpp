// The ActiveX host with the tests' control: placing, showing, names, events by name, and
// the control freed at its delete.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "activex/tirmolx.h"
#include "test_control.h"
#include "test_windows.h"
#include "win/window_class.h"

namespace {

using namespace std::chrono_literals;

struct SeenEvent {
  std::string control, name, text;
  bool hasText = false;
  long progress = -1, progressMax = -1;
  std::string url;
  bool senderIsControl = false;
};

std::vector<SeenEvent>& Seen() {
  static std::vector<SeenEvent> seen;
  return seen;
}
bool gDeleteInCallback = false;

std::string TextOf(const VARIANT& v) {
  VARIANT text;
  VariantInit(&text);
  std::string out;
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&v), 0, VT_BSTR)) && V_BSTR(&text))
    for (const wchar_t* c = V_BSTR(&text); *c; ++c) out += char(*c);
  VariantClear(&text);
  return out;
}

void Record(const JaEvent* event) {
  SeenEvent e;
  IDispatch* sender = JAGetEventSenderDispatch(event);
  char name[64] = {};
  JAGetControlName(sender, name, sizeof name);
  e.control = name;
  JAGetEventName(event, name, sizeof name);
  e.name = name;
  VARIANT v;
  e.hasText = JAGetEventNamedParameterValue(event, "text", &v);
  if (e.hasText) e.text = TextOf(v);
  VariantClear(&v);
  if (JAGetEventNamedParameterValue(event, "Progress", &v)) e.progress = std::stol(TextOf(v));
  VariantClear(&v);
  if (JAGetEventNamedParameterValue(event, "ProgressMax", &v)) e.progressMax = std::stol(TextOf(v));
  VariantClear(&v);
  if (JAGetEventNamedParameterValue(event, "Url", &v)) e.url = TextOf(v);
  VariantClear(&v);
  if (JAGetEventNamedParameterValue(event, "pDisp", &v))
    e.senderIsControl = V_VT(&v) == VT_DISPATCH && JAGetControlName(V_DISPATCH(&v), name, sizeof name) > 0;
  VariantClear(&v);
  if (gDeleteInCallback) JADeleteControl(sender);
  JAReleaseDispatch(sender);
  Seen().push_back(e);
}

class TirmolxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registration_.Ok());
    ASSERT_TRUE(JAInitializeHVClient());
    ASSERT_TRUE(win::RegisterClassOnce({.name = "TirmolxTestParent", .procedure = DefWindowProcA,
                                        .instance = GetModuleHandleA(nullptr)}));
    parent_ = CreateWindowExA(0, "TirmolxTestParent", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50, 50, 400,
                              300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    ShowWindow(parent_, SW_SHOW);
    Seen().clear();
    gDeleteInCallback = false;
  }
  void TearDown() override {
    for (IDispatch* c : made_) JADeleteControl(c);
    if (parent_) DestroyWindow(parent_);
  }
  IDispatch* Make(const char* name, int x = 10, int y = 20, int w = 200, int h = 100,
                  const char* creation = "ProgID:SuiteTest.Control") {
    IDispatch* c = JACreateControl(parent_, creation, name, x, y, w, h);
    if (c) made_.push_back(c);
    return c;
  }
  HWND WindowOf(IDispatch* control) {
    IOleWindow* window = nullptr;
    HWND out = nullptr;
    if (control && SUCCEEDED(control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
      window->GetWindow(&out);
      window->Release();
    }
    return out;
  }
  RECT RectInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  TestControlRegistration registration_;
  HWND parent_ = nullptr;
  std::vector<IDispatch*> made_;
};

TEST_F(TirmolxTest, PlacesShowsHidesAndMovesTheControl) {
  IDispatch* control = Make("Content");
  ASSERT_NE(control, nullptr);
  HWND window = WindowOf(control);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetParent(window), parent_);
  RECT r = RectInParent(window);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 100);
  EXPECT_FALSE(JAGetControlVisible(control));

  ASSERT_TRUE(JASetControlVisible(control, true));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(JAGetControlVisible(control));
  ASSERT_TRUE(JASetControlVisible(control, false));
  EXPECT_FALSE(IsWindowVisible(window));

  ASSERT_TRUE(JASetControlPosition(control, 30, 40, 120, 60));
  r = RectInParent(window);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 120);
  EXPECT_EQ(r.bottom - r.top, 60);
}

TEST_F(TirmolxTest, AFillingControlFollowsItsParentsSize) {
  IDispatch* control = Make("Content");
  ASSERT_NE(control, nullptr);
  ASSERT_TRUE(JASetControlResizeStyle(control, kJaResizeFill));
  SetWindowPos(parent_, nullptr, 0, 0, 500, 420, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{}, r = RectInParent(WindowOf(control));
  GetClientRect(parent_, &client);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, client.right);
  EXPECT_EQ(r.bottom, client.bottom);
  // Back to a fixed place: sizing the parent leaves it there.
  ASSERT_TRUE(JASetControlResizeStyle(control, kJaResizeNone));
  ASSERT_TRUE(JASetControlPosition(control, 5, 5, 50, 50));
  SetWindowPos(parent_, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
  r = RectInParent(WindowOf(control));
  EXPECT_EQ(r.right - r.left, 50);
}

TEST_F(TirmolxTest, NamesTellControlsApartAndUnknownOnesAreRefused) {
  IDispatch* content = Make("Content");
  IDispatch* index = Make("Index", 0, 0, 50, 50, "{6B1C7A52-3E0F-4D8A-9C41-2A7E5D0B9F13}");
  ASSERT_NE(content, nullptr);
  ASSERT_NE(index, nullptr);
  char name[8] = {};
  EXPECT_EQ(JAGetControlName(content, name, sizeof name), 7);
  EXPECT_STREQ(name, "Content");
  EXPECT_EQ(JAGetControlName(index, name, sizeof name), 5);
  EXPECT_STREQ(name, "Index");
  // A short buffer gets what fits, with its zero.
  EXPECT_EQ(JAGetControlName(content, name, 4), 3);
  EXPECT_STREQ(name, "Con");
  // Any interface of the control is the control.
  IUnknown* other = nullptr;
  ASSERT_TRUE(SUCCEEDED(content->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&other))));
  EXPECT_EQ(JAGetControlName(reinterpret_cast<IDispatch*>(other), name, sizeof name), 7);
  other->Release();

  EXPECT_EQ(Make("Nothing", 0, 0, 10, 10, "ProgID:SuiteTest.NoSuchControl"), nullptr);
  EXPECT_EQ(Make("Nothing", 0, 0, 10, 10, "CLSID:{00000000-1111-2222-3333-444444444444}"), nullptr);
  EXPECT_EQ(JACreateControl(nullptr, "ProgID:SuiteTest.Control", "x", 0, 0, 1, 1), nullptr);
  EXPECT_FALSE(JASetControlVisible(nullptr, true));
}

TEST_F(TirmolxTest, EventsReachTheCallbackWithNamesAndNamedParameters) {
  IDispatch* content = Make("Content");
  IDispatch* index = Make("Index");
  ASSERT_NE(content, nullptr);
  ASSERT_NE(index, nullptr);
  ASSERT_TRUE(JASubscribeEvents(content, Record));
  ASSERT_TRUE(JASubscribeEvents(index, Record));

  SetWindowTextA(WindowOf(content), "Hi");
  SendMessageA(WindowOf(index), WM_APP, 5, 9);
  SendMessageA(WindowOf(content), WM_APP + 1, 0, reinterpret_cast<LPARAM>("file:///c:/a.htm"));
  ASSERT_EQ(Seen().size(), 3u);

  EXPECT_EQ(Seen()[0].control, "Content");
  EXPECT_EQ(Seen()[0].name, "TitleChange");
  EXPECT_TRUE(Seen()[0].hasText);
  EXPECT_EQ(Seen()[0].text, "Hi");

  EXPECT_EQ(Seen()[1].control, "Index");
  EXPECT_EQ(Seen()[1].name, "ProgressChange");
  EXPECT_FALSE(Seen()[1].hasText);
  EXPECT_EQ(Seen()[1].progress, 5);
  EXPECT_EQ(Seen()[1].progressMax, 9);

  // A parameter passed by reference arrives as its value.
  EXPECT_EQ(Seen()[2].name, "DocumentComplete");
  EXPECT_EQ(Seen()[2].url, "file:///c:/a.htm");
  EXPECT_TRUE(Seen()[2].senderIsControl);
}

TEST_F(TirmolxTest, DeleteFreesTheControlAndItsWindowEvenFromItsOwnEvent) {
  IDispatch* first = Make("Content");
  ASSERT_NE(first, nullptr);
  HWND window = WindowOf(first);
  EXPECT_EQ(TestControlObjects(), 1);
  ASSERT_TRUE(JADeleteControl(first));
  made_.clear();
  EXPECT_EQ(TestControlObjects(), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(JADeleteControl(nullptr));

  IDispatch* second = Make("Content");
  ASSERT_NE(second, nullptr);
  made_.clear();
  ASSERT_TRUE(JASubscribeEvents(second, Record));
  gDeleteInCallback = true;
  SetWindowTextA(WindowOf(second), "bye");
  ASSERT_EQ(Seen().size(), 1u);
  EXPECT_EQ(Seen()[0].text, "bye");
  EXPECT_EQ(TestControlObjects(), 0);
}

}  // namespace
