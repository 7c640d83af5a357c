// The folder tree control in a window of this test: selecting by path, reading the path
// back, notifications to the parent, lazy filling, new roots, the hover timer and drops.
// Drags go through the control's own drag handling: the tree's begin-drag notification,
// then mouse moves and the button release at item positions, as the mouse would send them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "pick/folder_tree.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/window_class.h"

namespace {

struct Notice {
  int id;
  int code;
  LPARAM lParam;
  FolderTreeDrop drop;
};
std::vector<Notice> gNotices;

LRESULT CALLBACK ParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND) {
    Notice n{LOWORD(wp), HIWORD(wp), lp, {}};
    if (n.code == kFolderTreeDropped) n.drop = *reinterpret_cast<FolderTreeDrop*>(lp);
    gNotices.push_back(n);
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

int Count(int code) {
  int n = 0;
  for (const auto& x : gNotices) n += x.code == code;
  return n;
}

class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    SKINITENGINE("");
    win::RegisterClassOnce({.name = "FOLDERTREETEST", .procedure = ParentProc, .cursor = nullptr});
    // Away from where other test programs look at the screen (they share the display).
    parent_ = CreateWindowExA(0, "FOLDERTREETEST", "tree test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 780, 10, 460, 680,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    fileio::MakeDirectories(dir_.File("t\\a\\b\\deep"));
    fileio::MakeDirectories(dir_.File("t\\c"));
    fileio::MakeDirectories(dir_.File("t\\Empty"));
    dir_.Write("t\\file.txt", "x");
    gNotices.clear();
  }
  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
  }

  HWND MakeTree(const std::string& start = "") {
    HWND control = CREATEFOLDERTREE(parent_, start, 0, 0, 440, 640, 77);
    tree_ = FolderTreeView(control);
    return control;
  }
  std::string Folder(const std::string& name) const {
    return fileio::WithoutTrailingSeparator(dir_.File(name));
  }
  HTREEITEM Select(HWND control, const std::string& path) { return FolderTreeSelect(control, path); }
  // The centre of an item's label, in the tree's (and the control's) client co-ordinates.
  POINT Centre(HTREEITEM item) {
    TreeView_EnsureVisible(tree_, item);
    RECT r{};
    EXPECT_TRUE(TreeView_GetItemRect(tree_, item, &r, TRUE));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void BeginDrag(HWND control, HTREEITEM item) {
    NMTREEVIEWA nm{};
    nm.hdr.hwndFrom = tree_;
    nm.hdr.idFrom = 1;
    nm.hdr.code = TVN_BEGINDRAGA;
    nm.action = 0;
    nm.itemNew.mask = TVIF_HANDLE;
    nm.itemNew.hItem = item;
    nm.ptDrag = Centre(item);
    EXPECT_EQ(SendMessageA(control, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&nm)), 1);
    EXPECT_EQ(GetCapture(), control);
  }
  void MoveTo(HWND control, POINT p) { SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }
  void DropAt(HWND control, POINT p) { SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }
  // The item's children count as the tree shows it (1: an expand button).
  int ChildCount(HTREEITEM item) {
    TVITEMA tv{};
    tv.mask = TVIF_CHILDREN;
    tv.hItem = item;
    TreeView_GetItem(tree_, &tv);
    return tv.cChildren;
  }
  bool Expanded(HTREEITEM item) {
    return (TreeView_GetItemState(tree_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  }
  std::vector<std::string> ChildNames(HTREEITEM item) {
    std::vector<std::string> names;
    for (HTREEITEM c = TreeView_GetChild(tree_, item); c; c = TreeView_GetNextSibling(tree_, c))
      names.push_back(fileio::NameOf(FolderTreeItemPath(tree_, c)));
    return names;
  }

  TempDir dir_;
  HWND parent_ = nullptr;
  HWND tree_ = nullptr;
};

TEST_F(FolderTree, SelectsAPathAndReadsItBack) {
  HWND control = MakeTree();
  ASSERT_NE(control, nullptr);
  ASSERT_NE(tree_, nullptr);
  PumpMessages(50);
  ASSERT_EQ(Count(kFolderTreeCreated), 1);  // posted
  EXPECT_EQ(gNotices[0].lParam, reinterpret_cast<LPARAM>(control));
  EXPECT_EQ(gNotices[0].id, 77);

  std::string target = Folder("t\\a\\b");
  HTREEITEM item = Select(control, target);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(TreeView_GetSelection(tree_), item);
  char buffer[MAX_PATH] = {};
  LRESULT n = SendMessageA(control, kFolderTreeGetPath, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  EXPECT_TRUE(fileio::EqualsNoCase(buffer, target)) << buffer;
  EXPECT_EQ(size_t(n), target.size());
  EXPECT_EQ(SendMessageA(control, kFolderTreePathLength, 0, 0), LRESULT(target.size()));
  // A small buffer gets what fits, with its zero.
  char small[5];
  EXPECT_EQ(SendMessageA(control, kFolderTreeGetPath, sizeof small, reinterpret_cast<LPARAM>(small)), 4);
  EXPECT_EQ(std::string(small), target.substr(0, 4));
  // Selecting by program tells the parent (code 2 with the tree view).
  ASSERT_GE(Count(kFolderTreeSelChanged), 1);
  EXPECT_EQ(gNotices.back().code, kFolderTreeSelChanged);
  EXPECT_EQ(gNotices.back().lParam, reinterpret_cast<LPARAM>(tree_));
  // The item data starts with the path.
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  TreeView_GetItem(tree_, &tv);
  EXPECT_TRUE(fileio::EqualsNoCase(reinterpret_cast<const char*>(tv.lParam), target));
  // A path written with "/" and a trailing separator finds the same folder.
  std::string other = target + "\\";
  for (char& c : other)
    if (c == '\\') c = '/';
  EXPECT_EQ(Select(control, other), item);
}

TEST_F(FolderTree, NetworkMissingAndFilePathsSelectNothing) {
  HWND control = MakeTree();
  HTREEITEM before = Select(control, Folder("t\\c"));
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(Select(control, "\\\\server\\share\\folder"), nullptr);
  EXPECT_EQ(Select(control, Folder("t\\missing")), nullptr);
  EXPECT_EQ(Select(control, dir_.File("t\\file.txt")), nullptr);
  EXPECT_EQ(Select(control, ""), nullptr);
  EXPECT_EQ(SendMessageA(control, kFolderTreeSelectPath, 0, 0), 0);
  EXPECT_EQ(TreeView_GetSelection(tree_), before);
}

TEST_F(FolderTree, StartPathFillsLazilySortsAndDropsEmptyButtons) {
  HWND control = MakeTree(Folder("t"));
  HTREEITEM t = TreeView_GetSelection(tree_);
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(fileio::EqualsNoCase(FolderTreeSelectedPath(control), Folder("t")));
  EXPECT_EQ(TreeView_GetChild(tree_, t), nullptr);  // not read until it opens
  TreeView_Expand(tree_, t, TVE_EXPAND);
  EXPECT_EQ(ChildNames(t), (std::vector<std::string>{"a", "c", "Empty"}));  // folders only, in order
  HTREEITEM empty = Select(control, Folder("t\\Empty"));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(ChildCount(empty), 0);  // no expand button for a folder without subfolders
  EXPECT_EQ(ChildCount(Select(control, Folder("t\\a"))), 1);
  // A folder made after its parent was read is still found.
  fileio::MakeDirectories(dir_.File("t\\later"));
  EXPECT_NE(Select(control, Folder("t\\later")), nullptr);
}

TEST_F(FolderTree, KeyboardSelectionSendsNothingAndAClickDoes) {
  HWND control = MakeTree();
  HTREEITEM a = Select(control, Folder("t\\a"));
  ASSERT_NE(a, nullptr);
  SetFocus(tree_);
  gNotices.clear();
  SendMessageA(tree_, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(tree_, WM_KEYUP, VK_DOWN, 0);
  PumpMessages(50);
  EXPECT_NE(TreeView_GetSelection(tree_), a);
  EXPECT_EQ(Count(kFolderTreeSelChanged), 0);
  HTREEITEM c = Select(control, Folder("t\\c"));
  gNotices.clear();
  POINT p = Centre(a);
  // Both posted: the tree view watches the queue for the release after the press.
  PostMessageA(tree_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(tree_, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  PumpMessages(50);
  EXPECT_EQ(TreeView_GetSelection(tree_), a);
  EXPECT_NE(a, c);
  EXPECT_EQ(Count(kFolderTreeSelChanged), 1);
}

TEST_F(FolderTree, ADropOnAnotherFolderSendsThePair) {
  HWND control = MakeTree();
  HTREEITEM c = Select(control, Folder("t\\c"));
  HTREEITEM a = Select(control, Folder("t\\a"));  // the dragged folder is the selected one
  ASSERT_NE(a, nullptr);
  ASSERT_NE(c, nullptr);
  gNotices.clear();
  BeginDrag(control, a);
  MoveTo(control, Centre(c));
  EXPECT_EQ(TreeView_GetItemState(tree_, c, TVIS_DROPHILITED), UINT(TVIS_DROPHILITED));
  EXPECT_EQ(TreeView_GetDropHilight(tree_), c);
  DropAt(control, Centre(c));
  EXPECT_NE(GetCapture(), control);
  EXPECT_EQ(TreeView_GetDropHilight(tree_), nullptr);
  ASSERT_EQ(Count(kFolderTreeDropped), 1);
  const Notice& n = gNotices.back();
  EXPECT_EQ(n.id, 77);
  EXPECT_EQ(n.drop.dragged, a);
  EXPECT_EQ(n.drop.target, c);
  EXPECT_TRUE(fileio::EqualsNoCase(FolderTreeItemPath(tree_, n.drop.target), Folder("t\\c")));
}

TEST_F(FolderTree, DropsOnItselfADescendantOrEmptySpaceSendNothing) {
  HWND control = MakeTree();
  HTREEITEM a = Select(control, Folder("t\\a"));
  HTREEITEM deep = Select(control, Folder("t\\a\\b\\deep"));
  HTREEITEM b = Select(control, Folder("t\\a\\b"));
  ASSERT_NE(deep, nullptr);
  gNotices.clear();
  BeginDrag(control, a);
  DropAt(control, Centre(a));
  BeginDrag(control, a);
  MoveTo(control, Centre(b));
  DropAt(control, Centre(b));
  BeginDrag(control, a);
  DropAt(control, Centre(deep));
  RECT client;
  GetClientRect(tree_, &client);
  BeginDrag(control, a);
  DropAt(control, POINT{client.right - 30, client.bottom - 5});  // below the last item
  EXPECT_EQ(Count(kFolderTreeDropped), 0);
  // The drag is over: a later drop elsewhere works again.
  HTREEITEM c = Select(control, Folder("t\\c"));
  BeginDrag(control, deep);
  DropAt(control, Centre(c));
  EXPECT_EQ(Count(kFolderTreeDropped), 1);
}

TEST_F(FolderTree, HoveringADraggedFolderOpensAFolderWithSubfolders) {
  HWND control = MakeTree();
  HTREEITEM c = Select(control, Folder("t\\c"));
  HTREEITEM a = Select(control, Folder("t\\a"));
  HTREEITEM empty = Select(control, Folder("t\\Empty"));
  ASSERT_NE(empty, nullptr);
  ASSERT_FALSE(Expanded(a));
  BeginDrag(control, c);
  MoveTo(control, Centre(empty));
  PumpMessages(1400);
  EXPECT_FALSE(Expanded(empty));  // nothing to open
  // Moves over the folder keep restarting its second.
  for (int i = 0; i < 4; ++i) {
    MoveTo(control, Centre(a));
    PumpMessages(300);
  }
  EXPECT_FALSE(Expanded(a));
  PumpMessages(1400);
  EXPECT_TRUE(Expanded(a));
  DropAt(control, POINT{-50, -50});
  EXPECT_EQ(Count(kFolderTreeDropped), 0);
}

// A drag sends a stream of moves: none of them reads a folder, and the hover second still
// opens a folder with subfolders.
TEST_F(FolderTree, AStormOfDragMovesReadsNoFolder) {
  HWND control = MakeTree();
  HTREEITEM c = Select(control, Folder("t\\c"));
  HTREEITEM a = Select(control, Folder("t\\a"));
  HTREEITEM empty = Select(control, Folder("t\\Empty"));
  HTREEITEM t = Select(control, Folder("t"));
  ASSERT_NE(empty, nullptr);
  ASSERT_NE(t, nullptr);
  TreeView_Expand(tree_, a, TVE_COLLAPSE);
  POINT points[] = {Centre(a), Centre(empty), Centre(c), Centre(t)};
  long before = FolderTreeFolderReads();
  BeginDrag(control, c);
  for (int i = 0; i < 400; ++i) {
    POINT p = points[i % 4];
    MoveTo(control, POINT{p.x + i % 3, p.y});
  }
  EXPECT_EQ(FolderTreeFolderReads(), before);
  for (int i = 0; i < 5; ++i) MoveTo(control, Centre(a));
  EXPECT_EQ(FolderTreeFolderReads(), before);
  PumpMessages(1400);
  EXPECT_TRUE(Expanded(a));  // opening it reads it, once
  EXPECT_EQ(FolderTreeFolderReads() - before, 1 + 1);  // the folder, and its one subfolder's test
  DropAt(control, POINT{-50, -50});
}

// The has-subfolders test stops at the first subfolder and gives up on a large folder of
// files after a few entries: a folder of 250 pictures keeps its expand button until it is
// opened, and loses it then.
TEST_F(FolderTree, TheSubfolderTestStopsEarly) {
  for (int i = 0; i < 250; ++i) dir_.Write("t\\big\\p" + std::to_string(1000 + i) + ".jpg", "");
  for (int i = 0; i < 10; ++i) dir_.Write("t\\small\\p" + std::to_string(i) + ".jpg", "");
  long before = FolderTreeFolderReads();
  EXPECT_EQ(HASSUBFOLDERS(Folder("t\\big")), -1);
  EXPECT_EQ(HASSUBFOLDERS(Folder("t\\small")), 0);
  EXPECT_EQ(HASSUBFOLDERS(Folder("t\\a")), -1);
  EXPECT_EQ(HASSUBFOLDERS(Folder("t\\Empty")), 0);
  EXPECT_EQ(HASSUBFOLDERS(Folder("t\\missing")), 0);
  EXPECT_EQ(HASSUBFOLDERS(""), 0);
  EXPECT_EQ(FolderTreeFolderReads() - before, 5);

  HWND control = MakeTree();
  HTREEITEM big = Select(control, Folder("t\\big"));
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(ChildCount(big), 1);
  TreeView_Expand(tree_, big, TVE_EXPAND);
  EXPECT_EQ(ChildCount(big), 0);
  EXPECT_EQ(TreeView_GetChild(tree_, big), nullptr);
  EXPECT_EQ(ChildCount(Select(control, Folder("t\\small"))), 0);
}

TEST_F(FolderTree, DraggingNearTheEdgesScrollsTheTree) {
  for (int i = 0; i < 40; ++i) fileio::MakeDirectories(dir_.File("many\\f" + std::to_string(100 + i)));
  HWND control = CREATEFOLDERTREE(parent_, "", 0, 0, 300, 200, 78);
  tree_ = FolderTreeView(control);
  std::string root = Folder("many");
  ASSERT_EQ(SendMessageA(control, kFolderTreeRootPath, 0, reinterpret_cast<LPARAM>(root.c_str())), 1);
  PumpMessages(100);  // the root opens
  HTREEITEM top = TreeView_GetRoot(tree_);
  ASSERT_TRUE(Expanded(top));
  ASSERT_EQ(TreeView_GetFirstVisible(tree_), top);
  RECT client;
  GetClientRect(tree_, &client);
  // The timer reads where the cursor is, so the cursor goes where the moves say it is.
  auto moveTo = [&](POINT p) {
    POINT screen = p;
    ClientToScreen(tree_, &screen);
    SetCursorPos(screen.x, screen.y);
    MoveTo(control, p);
  };
  // How many lines the tree has scrolled.
  auto scrolled = [&] {
    int n = 0;
    for (HTREEITEM i = top; i && i != TreeView_GetFirstVisible(tree_); i = TreeView_GetNextVisible(tree_, i)) ++n;
    return n;
  };
  // The scroll timer's periods (200 ms near an edge, 50 ms outside) are the rules' own
  // (pick_rules_tests); here the timer runs them. A busy machine delivers timer messages
  // late and merged, so the test waits for each position itself and checks only that no
  // line comes sooner than its period allows.
  using Clock = std::chrono::steady_clock;
  constexpr std::chrono::milliseconds kLimit{30000};
  auto waitForLines = [&](const std::function<bool(int)>& reached, Clock::time_point& at) {
    int seen = scrolled();
    bool ok = PumpUntil([&] { return reached(seen = scrolled()); }, kLimit, std::chrono::milliseconds(5));
    at = Clock::now();
    EXPECT_TRUE(ok) << "the tree stopped at " << seen << " lines scrolled";
    return seen;
  };
  auto elapsedMs = [](Clock::time_point from, Clock::time_point to) {
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
  };
  BeginDrag(control, TreeView_GetChild(tree_, top));
  moveTo(POINT{100, client.bottom / 2});
  PumpMessages(500);
  EXPECT_EQ(scrolled(), 0);  // the middle does not scroll

  Clock::time_point start = Clock::now(), at;
  moveTo(POINT{100, client.bottom - 3});
  int slow = waitForLines([](int n) { return n >= 2; }, at);  // near the bottom edge, slowly
  EXPECT_LE(slow, elapsedMs(start, at) / 200 + 1) << elapsedMs(start, at) << " ms";

  moveTo(POINT{100, client.bottom / 2});
  slow = scrolled();
  PumpMessages(400);
  EXPECT_EQ(scrolled(), slow);  // stopped

  start = Clock::now();
  moveTo(POINT{100, client.bottom + 30});
  int fast = waitForLines([slow](int n) { return n - slow >= 5; }, at) - slow;  // below the tree, fast
  EXPECT_LE(fast, elapsedMs(start, at) / 50 + 1) << elapsedMs(start, at) << " ms";

  moveTo(POINT{100, -30});
  waitForLines([](int n) { return n == 0; }, at);  // back to the top
  DropAt(control, POINT{-50, -50});
  EXPECT_EQ(Count(kFolderTreeDropped), 0);
  DestroyWindow(control);
}

TEST_F(FolderTree, NewRootsClearingAndBackgroundColour) {
  HWND control = MakeTree();
  std::string root = Folder("t");
  EXPECT_EQ(SendMessageA(control, kFolderTreeRootPath, root.size() + 1, reinterpret_cast<LPARAM>(root.c_str())), 1);
  HTREEITEM top = TreeView_GetRoot(tree_);
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(fileio::EqualsNoCase(FolderTreeItemPath(tree_, top), root));
  EXPECT_EQ(TreeView_GetNextSibling(tree_, top), nullptr);
  HTREEITEM deep = Select(control, Folder("t\\a\\b\\deep"));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(TreeView_GetParent(tree_, TreeView_GetParent(tree_, TreeView_GetParent(tree_, deep))), top);
  EXPECT_EQ(Select(control, fileio::WithoutTrailingSeparator(dir_.Path())), nullptr);  // above the root
  EXPECT_EQ(SendMessageA(control, kFolderTreeRootPath, 0, 0), 0);
  std::string missing = Folder("none");
  EXPECT_EQ(SendMessageA(control, kFolderTreeRootPath, 0, reinterpret_cast<LPARAM>(missing.c_str())), 0);
  EXPECT_EQ(TreeView_GetRoot(tree_), top);  // unchanged

  EXPECT_EQ(SendMessageA(control, kFolderTreeExpandRoot, 0, 0), 1);
  EXPECT_FALSE(Expanded(top));
  EXPECT_EQ(SendMessageA(control, kFolderTreeExpandRoot, 1, 0), 1);
  EXPECT_TRUE(Expanded(top));

  EXPECT_EQ(SendMessageA(control, kFolderTreeRootSpecial, 0, 0), 1);  // the desktop with the drives
  top = TreeView_GetRoot(tree_);
  EXPECT_EQ(FolderTreeItemPath(tree_, top), "");
  TreeView_Expand(tree_, top, TVE_EXPAND);
  bool hasC = false;
  for (HTREEITEM d = TreeView_GetChild(tree_, top); d; d = TreeView_GetNextSibling(tree_, d))
    hasC = hasC || fileio::EqualsNoCase(FolderTreeItemPath(tree_, d), "C:\\");
  EXPECT_TRUE(hasC);
  EXPECT_NE(Select(control, Folder("t\\a")), nullptr);

  EXPECT_EQ(SendMessageA(control, kFolderTreeClear, 0, 0), 1);
  EXPECT_EQ(TreeView_GetCount(tree_), 0u);
  EXPECT_EQ(FolderTreeSelectedPath(control), "");
  EXPECT_EQ(SendMessageA(control, kFolderTreePathLength, 0, 0), 0);
  EXPECT_EQ(SendMessageA(control, kFolderTreeRepaint, 0, 0), 1);

  EXPECT_EQ(COLORREF(SendMessageA(control, kFolderTreeBackColour, 0, RGB(1, 2, 3))), RGB(255, 255, 255));
  EXPECT_EQ(COLORREF(SendMessageA(control, kFolderTreeBackColour, 0, RGB(255, 255, 255))), RGB(1, 2, 3));
  EXPECT_TRUE(GetWindowLongPtrA(tree_, GWL_STYLE) & TVS_HASLINES);
}

// The user's view over a rebuild: the open folders come back, the top row with them, and
// a top folder that went gives way to the nearest folder above it. Each build counts.
TEST_F(FolderTree, ALookSurvivesARebuildAndAGoneTopFolderGivesWayToTheFolderAboveIt) {
  for (int i = 0; i < 60; ++i) fileio::MakeDirectories(dir_.File("t\\f" + std::to_string(100 + i) + "\\x"));
  HWND control = MakeTree();
  ASSERT_NE(Select(control, Folder("t\\a\\b\\deep")), nullptr);
  HTREEITEM f110 = Select(control, Folder("t\\f110"));
  ASSERT_NE(f110, nullptr);
  TreeView_Expand(tree_, f110, TVE_EXPAND);
  // The user scrolls until one of the "f" folders is the top row.
  const std::string prefix = fileio::ToLower(Folder("t\\f"));
  auto topPath = [&] { return fileio::ToLower(FolderTreeItemPath(tree_, TreeView_GetFirstVisible(tree_))); };
  for (int i = 0; i < 200 && topPath().rfind(prefix, 0) != 0; ++i) SendMessageA(tree_, WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(topPath().rfind(prefix, 0), 0u) << topPath();
  FolderTreeLook look = FolderTreeSaveLook(control);
  ASSERT_TRUE(look.hasTop);
  EXPECT_EQ(fileio::ToLower(look.topFolder), topPath());
  std::vector<std::string> open;
  for (const auto& f : look.openFolders) open.push_back(fileio::ToLower(f));
  EXPECT_NE(std::find(open.begin(), open.end(), fileio::ToLower(Folder("t\\a\\b"))), open.end());
  EXPECT_NE(std::find(open.begin(), open.end(), fileio::ToLower(Folder("t\\f110"))), open.end());
  long builds = FolderTreeBuilds(control);
  EXPECT_GE(builds, 1);

  ASSERT_EQ(SendMessageA(control, kFolderTreeRootSpecial, 0, 0), 1);
  EXPECT_EQ(FolderTreeBuilds(control), builds + 1);
  FolderTreeRestoreLook(control, look);
  FolderTreeLook again = FolderTreeSaveLook(control);
  EXPECT_EQ(again.openFolders, look.openFolders);
  EXPECT_EQ(again.topFolder, look.topFolder);

  // The top folder goes: the folder above it is the top row after the next rebuild.
  std::string top = look.topFolder;
  RemoveDirectoryA((top + "\\x").c_str());
  ASSERT_TRUE(RemoveDirectoryA(top.c_str()));
  ASSERT_EQ(SendMessageA(control, kFolderTreeRootSpecial, 0, 0), 1);
  FolderTreeRestoreLook(control, look);
  EXPECT_TRUE(fileio::EqualsNoCase(FolderTreeItemPath(tree_, TreeView_GetFirstVisible(tree_)), Folder("t")));
  EXPECT_EQ(FolderTreeBuilds(control), builds + 2);
}

}  // namespace
