// The handle owners under Wine: what each one closes, when, and what moving leaves.
#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"
#include "win/raii.h"

namespace {

// True while the handle names an open kernel object.
bool Open(HANDLE h) {
  DWORD flags = 0;
  return GetHandleInformation(h, &flags) != FALSE;
}

bool GdiAlive(HGDIOBJ o) { return GetObjectType(o) != 0; }

int closed = 0;
void CountClose(int* p) {
  ++closed;
  delete p;
}
using Counted = win::Owner<int*, &CountClose>;

TEST(Owner, MovesResetsAndReleases) {
  closed = 0;
  Counted a(new int(1));
  Counted b(std::move(a));
  EXPECT_FALSE(a);
  ASSERT_TRUE(b);
  EXPECT_EQ(*b.Get(), 1);
  EXPECT_EQ(closed, 0);

  // Moving onto an owner closes what it had.
  Counted c(new int(2));
  c = std::move(b);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(*c.Get(), 1);
  EXPECT_FALSE(b);
  Counted& same = c;
  c = std::move(same);  // onto itself: nothing happens
  EXPECT_TRUE(c);
  EXPECT_EQ(closed, 1);

  // Reset closes the old value and takes the new one; Release gives it up unclosed.
  c.Reset(new int(3));
  EXPECT_EQ(closed, 2);
  int* kept = c.Release();
  EXPECT_FALSE(c);
  c.Reset();
  EXPECT_EQ(closed, 2);
  delete kept;

  // Out() hands the slot to a creating call, closing what was there first.
  c.Reset(new int(4));
  int** slot = c.Out();
  EXPECT_EQ(closed, 3);
  EXPECT_EQ(*slot, nullptr);
  *slot = new int(5);
  EXPECT_EQ(*c.Get(), 5);
  { Counted last(std::move(c)); }
  EXPECT_EQ(closed, 4);
}

TEST(KernelHandles, ResetClosesAndInvalidIsEmpty) {
  win::Handle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  HANDLE raw = event.Get();
  win::Handle moved(std::move(event));
  EXPECT_FALSE(event);
  EXPECT_TRUE(Open(raw));
  moved.Reset();
  EXPECT_FALSE(Open(raw));

  // What a failing CreateFile answers is no handle at all.
  TempDir dir;
  win::Handle file(CreateFileA(dir.File("no\\such\\file").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr));
  EXPECT_FALSE(file);
  EXPECT_EQ(file.Get(), nullptr);
  EXPECT_FALSE(win::CloseKernelHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(win::CloseKernelHandle(nullptr));
}

TEST(KernelHandles, FindAndChangeNotificationHandles) {
  TempDir dir;
  WIN32_FIND_DATAA fd;
  win::FindHandle none(FindFirstFileA(dir.File("*.none").c_str(), &fd));
  EXPECT_FALSE(none) << "INVALID_HANDLE_VALUE is empty";

  win::FindHandle all(FindFirstFileA(dir.File("*").c_str(), &fd));
  ASSERT_TRUE(all);
  win::FindHandle moved(std::move(all));
  EXPECT_FALSE(all);
  EXPECT_TRUE(FindNextFileA(moved.Get(), &fd));  // "." then ".."
  // Released, it is still open: the first close is the caller's.
  EXPECT_TRUE(win::CloseFindHandle(moved.Release()));
  EXPECT_FALSE(moved);

  win::ChangeNotification missing(FindFirstChangeNotificationA(dir.File("gone").c_str(), FALSE,
                                                               FILE_NOTIFY_CHANGE_FILE_NAME));
  EXPECT_FALSE(missing);
  win::ChangeNotification watch(FindFirstChangeNotificationA(dir.Path().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
  ASSERT_TRUE(watch);
  win::ChangeNotification watching(std::move(watch));
  EXPECT_FALSE(watch);
  EXPECT_EQ(WaitForSingleObject(watching.Get(), 0), DWORD(WAIT_TIMEOUT));
  EXPECT_TRUE(win::CloseChangeNotification(watching.Release()));
}

TEST(Modules, ResetFreesTheLibrary) {
  // A library that nothing else in this program loads.
  ASSERT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
  win::Module module(LoadLibraryA("msimg32.dll"));
  ASSERT_TRUE(module);
  EXPECT_EQ(GetModuleHandleA("msimg32.dll"), module.Get());
  win::Module moved(std::move(module));
  EXPECT_FALSE(module);
  moved.Reset();
  EXPECT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
}

TEST(Mutexes, CreateTellsWhetherItExistedAndTheLastCloseEndsIt) {
  const char* name = "RaiiTestsMutex";
  ASSERT_FALSE(win::Mutex::Open(name));
  bool existed = true;
  win::Mutex first = win::Mutex::Create(name, &existed);
  ASSERT_TRUE(first);
  EXPECT_FALSE(existed);
  win::Mutex second = win::Mutex::Create(name, &existed);
  ASSERT_TRUE(second);
  EXPECT_TRUE(existed);
  EXPECT_TRUE(win::Mutex::Open(name));
  first.Reset();
  EXPECT_TRUE(win::Mutex::Open(name)) << "the second handle keeps it";
  // Release hands the handle on unclosed.
  HANDLE raw = second.Release();
  EXPECT_TRUE(win::Mutex::Open(name));
  EXPECT_TRUE(win::CloseKernelHandle(raw));
  EXPECT_FALSE(win::Mutex::Open(name));
}

TEST(GdiOwners, ResetDeletesTheObject) {
  win::Brush brush(CreateSolidBrush(RGB(1, 2, 3)));
  HBRUSH raw = brush.Get();
  win::Brush moved(std::move(brush));
  EXPECT_FALSE(brush);
  EXPECT_TRUE(GdiAlive(raw));
  moved.Reset();
  EXPECT_FALSE(GdiAlive(raw));

  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  win::ClearGdiObject(pen);
  EXPECT_EQ(pen, nullptr);
}

TEST(DeviceContexts, SelectObjPutsTheOldObjectBack) {
  win::CompatibleDC dc(nullptr);
  ASSERT_TRUE(dc);
  HGDIOBJ original = GetCurrentObject(dc, OBJ_BITMAP);
  win::Bitmap bitmap(CreateCompatibleBitmap(win::WindowDC(nullptr), 8, 8));
  {
    win::SelectObj selected(dc, bitmap.Get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), original);
  HDC raw = dc.Get();
  win::CompatibleDC moved(std::move(dc));
  EXPECT_FALSE(dc);
  EXPECT_EQ(GetObjectType(raw), DWORD(OBJ_MEMDC));
  moved.Reset();
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(DeviceContexts, MemoryDcMovesAndGivesItsBitmapAway) {
  win::MemoryDC empty;
  EXPECT_FALSE(empty);
  EXPECT_EQ(empty.Get(), nullptr);

  win::MemoryDC mem(win::WindowDC(nullptr), 0, 5);
  ASSERT_TRUE(mem);
  EXPECT_EQ(mem.Width(), 1) << "at least one pixel";
  EXPECT_EQ(mem.Height(), 5);
  HDC raw = mem.Get();
  HBITMAP bitmap = mem.GetBitmap();
  EXPECT_EQ(GetCurrentObject(raw, OBJ_BITMAP), bitmap);

  win::MemoryDC moved(std::move(mem));
  EXPECT_FALSE(mem);
  EXPECT_EQ(mem.GetBitmap(), nullptr);
  EXPECT_EQ(moved.Get(), raw);
  SetPixel(moved, 0, 2, RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(moved, 0, 2), RGB(255, 0, 0));

  // The bitmap leaves the context before it is given away, and outlives it.
  win::Bitmap taken(moved.ReleaseBitmap());
  EXPECT_EQ(taken.Get(), bitmap);
  EXPECT_NE(GetCurrentObject(raw, OBJ_BITMAP), bitmap);
  moved.Reset();
  EXPECT_EQ(GetObjectType(raw), 0u);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(taken.Get(), sizeof info, &info));
  EXPECT_EQ(info.bmHeight, 5);

  // Moving onto a memory context frees the one it had.
  win::MemoryDC a(win::WindowDC(nullptr), 4, 4), b(win::WindowDC(nullptr), 4, 4);
  HDC aDc = a.Get();
  HBITMAP aBitmap = a.GetBitmap();
  a = std::move(b);
  EXPECT_EQ(GetObjectType(aDc), 0u);
  EXPECT_FALSE(GdiAlive(aBitmap));
  EXPECT_TRUE(a);
  EXPECT_FALSE(b);
}

}  // namespace
