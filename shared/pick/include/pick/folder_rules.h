// Rules of the folder tree control that need no window: which folders lie on the way from
// the tree's root to a path, when a drag scrolls the tree, and which drops are refused.
// Portable.
#pragma once
#include <string>
#include <vector>

namespace pick {

// A network path: it holds "\\" anywhere. The tree shows local drives only.
bool IsNetworkPath(const std::string& path);

// The folders the tree walks through to reach path, from its root down, each as a full
// path without a trailing "\" (a drive root keeps it: "C:\"). rootPath "" stands for the
// tree whose root holds the drives (the desktop); the chain then starts with "" for that
// root, followed by the drive root. False (and an empty chain) for a network path, a
// path that is not absolute, one with "." or ".." parts, or one outside the root.
bool FolderChain(const std::string& rootPath, const std::string& path, std::vector<std::string>& chain);

// The normal spelling of a local folder path: "/" as "\", no trailing "\" except after a
// drive ("c:" -> "c:\"); "" when it is not an absolute local path.
std::string NormalFolderPath(const std::string& path);

// What a drag does about scrolling for one cursor position (in the tree's client
// co-ordinates).
struct AutoScroll {
  enum Action { kKeep, kStop, kRun } action = kKeep;
  int direction = 0;  // 0 up, 1 down
  int period = 0;     // milliseconds between lines
};
constexpr int kSlowScrollPeriod = 200;
constexpr int kFastScrollPeriod = 50;
// hasRange: the tree has a vertical scroll range. Inside the client rectangle the zone of
// zoneHeight pixels at the top (bottom) scrolls up (down) slowly and elsewhere scrolling
// stops; above (below) the rectangle scrolls up (down) fast; beside it nothing changes.
// Without a range scrolling stops.
AutoScroll DecideAutoScroll(bool hasRange, int left, int top, int right, int bottom, int x, int y, int zoneHeight);

// The has-subfolders test reads at most this many entries of a folder. A folder with more
// and no subfolder among them is taken as one that may have subfolders: its expand button
// stays until it is opened and found to hold none. So a folder of thousands of pictures
// costs no more than a small one.
constexpr int kSubfolderProbeEntries = 200;

// The has-subfolders test over a folder's entries as a reader gives them:
// nextEntry(name, isFolder) fills in the next entry and answers false at the end. True as
// soon as a folder other than "." and ".." comes, and after kSubfolderProbeEntries entries
// without one; false when the entries end first.
template <typename NextEntry>
bool ProbeSubfolders(NextEntry nextEntry) {
  std::string name;
  bool isFolder = false;
  for (int read = 0; read < kSubfolderProbeEntries; ++read) {
    if (!nextEntry(name, isFolder)) return false;
    if (isFolder && name != "." && name != "..") return true;
  }
  return true;
}

// A drop of dragged onto target is refused when there is no target, or the target is the
// dragged item itself or lies below it (a folder cannot move into itself). parentOf gives
// an item's parent and a null item for the root.
template <typename Item, typename ParentOf>
bool DropAllowed(Item dragged, Item target, ParentOf parentOf) {
  if (!dragged || !target) return false;
  for (Item i = target; i; i = parentOf(i))
    if (i == dragged) return false;
  return true;
}

}  // namespace pick
