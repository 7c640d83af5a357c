#include "watchers.h"

#include <string>
#include <vector>

#include "filelist.h"
#include "folders.h"
#include "skin/sk_shell.h"
#include "state.h"
#include "win/raii.h"

namespace kelmor {

namespace {

// A burst of changes (a copy of many files) gives one refresh once it has settled.
constexpr UINT kRefreshDelayMs = 150;

void WatchFolder(std::string folder, HANDLE stopEvent, HWND target, int generation) {
  win::ChangeNotification change(FindFirstChangeNotificationA(
      folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE));
  if (!change) return;
  HANDLE handles[2] = {change.Get(), stopEvent};
  for (;;) {
    DWORD woke = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (woke != WAIT_OBJECT_0) break;
    PostMessageA(target, kMsgFolderChanged, WPARAM(generation), 0);
    if (!FindNextChangeNotification(change.Get())) break;
  }
}

void WatchDrives(std::vector<std::string> roots, HANDLE stopEvent, HWND target) {
  std::vector<win::ChangeNotification> changes;
  for (const std::string& root : roots) {
    win::ChangeNotification change(FindFirstChangeNotificationA(root.c_str(), TRUE, FILE_NOTIFY_CHANGE_DIR_NAME));
    if (change) changes.push_back(std::move(change));
  }
  while (!changes.empty()) {
    std::vector<HANDLE> handles{stopEvent};
    for (const auto& change : changes) handles.push_back(change.Get());
    DWORD woke = WaitForMultipleObjects(DWORD(handles.size()), handles.data(), FALSE, INFINITE);
    if (woke <= WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + handles.size()) break;
    size_t fired = woke - WAIT_OBJECT_0 - 1;
    PostMessageA(target, kMsgDrivesChanged, 0, 0);
    // A drive that cannot be watched any more is left out from now on.
    if (!FindNextChangeNotification(changes[fired].Get())) changes.erase(changes.begin() + std::ptrdiff_t(fired));
  }
}

void StopThread(WatchThread& w) {
  if (w.stopEvent) SetEvent(w.stopEvent.Get());
  if (w.thread.joinable()) w.thread.join();
  w.stopEvent.Reset();
}

// A CD-ROM drive: the skin engine's drive list gives its letter in lower case.
bool OnCdRom(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':') return false;
  char letter = folder[0];
  std::string drives = SKDSKLIST();
  char lower = char(letter >= 'A' && letter <= 'Z' ? letter + 32 : letter);
  return drives.find(lower) != std::string::npos;
}

}  // namespace

void STARTWATCH() {
  BrowserState& b = App();
  std::string folder = CURRENTFOLDER();
  if (folder.empty() || !b.frame || b.folderWatch.thread.joinable() || OnCdRom(folder)) return;
  b.folderWatch.stopEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!b.folderWatch.stopEvent) return;
  int generation = ++b.folderWatch.generation;
  b.folderWatch.thread = std::thread(WatchFolder, folder, b.folderWatch.stopEvent.Get(), b.frame, generation);
}

void STOPWATCH() {
  BrowserState& b = App();
  StopThread(b.folderWatch);
  // Changes it saw for the folder it watched are not wanted any more.
  ++b.folderWatch.generation;
  b.refreshPending = false;
  if (b.frame) KillTimer(b.frame, kTimerRefreshList);
}

void StartDriveWatch() {
  BrowserState& b = App();
  if (b.driveWatch.stopEvent || !b.frame) return;
  b.driveWatch.stopEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!b.driveWatch.stopEvent) return;
  std::vector<std::string> roots;
  for (char letter : SKDSKLIST()) {
    if (letter < 'A' || letter > 'Z') continue;  // CD-ROM drives come in lower case
    std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) != DRIVE_REMOVABLE) roots.push_back(root);
  }
  b.driveWatch.thread = std::thread(WatchDrives, roots, b.driveWatch.stopEvent.Get(), b.frame);
}

void StopDriveWatch() { StopThread(App().driveWatch); }

void OnFolderChanged(WPARAM generation) {
  BrowserState& b = App();
  if (int(generation) != b.folderWatch.generation || b.refreshPending) return;
  b.refreshPending = true;
  SetTimer(b.frame, kTimerRefreshList, kRefreshDelayMs, nullptr);
}

// The tree is rebuilt when the pacer says: once a burst has settled, at most once a second.
void OnDrivesChanged() {
  int64_t delay = App().treePacer.Changed(int64_t(GetTickCount64()));
  if (delay >= 0) SetTimer(App().frame, kTimerRebuildTree, UINT(delay), nullptr);
}

bool OnWatchTimer(UINT_PTR timer) {
  BrowserState& b = App();
  if (timer == kTimerRefreshList) {
    KillTimer(b.frame, kTimerRefreshList);
    if (b.refreshPending) {
      b.refreshPending = false;
      RefreshFileList();
    }
    return true;
  }
  if (timer == kTimerRebuildTree) {
    KillTimer(b.frame, kTimerRebuildTree);
    int64_t again = b.treePacer.TimerRan(int64_t(GetTickCount64()));
    if (again == 0) RebuildFolderTree();
    else if (again > 0) SetTimer(b.frame, kTimerRebuildTree, UINT(again), nullptr);
    return true;
  }
  return false;
}

}  // namespace kelmor
