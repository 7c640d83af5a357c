#include "thumbs.h"

#include <atomic>
#include <vector>

#include "imaging/thumbnails.h"
#include "skin/sk_files.h"
#include "state.h"
#include "win/raii.h"

namespace dunmere {

namespace {

// The cache is touched by the main thread only: the walk hands every thumbnail over by a
// sent message, so removing slides never races with an append.
std::vector<ThumbInfo>& Cache() {
  static std::vector<ThumbInfo> cache;
  return cache;
}

std::atomic<int> gAbort{0};    // stop at the next entry
std::atomic<int> gRunning{0};  // a walk runs
std::atomic<int> gAgain{0};    // a start was asked for while a walk ran
std::atomic<int> gStop{0};     // the program waits for the walk to end
win::Handle gThread;

struct Loaded {
  int index = 0;
  std::string path;
  ThumbInfo info;
};

std::string EntryText(HWND list, int index) {
  LRESULT len = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (len == LB_ERR || len < 0) return {};
  std::string text(size_t(len) + 1, '\0');
  LRESULT got = SendMessageA(list, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(got == LB_ERR || got < 0 ? 0 : size_t(got));
  return text;
}

// One pass over the list: every entry without a thumbnail gets one.
void Walk() {
  State& s = App();
  HWND list = s.slideList;
  HWND frame = s.frame;
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count && !gAbort; ++i) {
    if (SendMessageA(list, LB_GETITEMDATA, WPARAM(i), 0) != 0) continue;
    std::string title = Ui(1) + " " + std::to_string(i + 1) + "/" + std::to_string(count);
    SendMessageA(frame, WM_SETTEXT, 0, LPARAM(title.c_str()));
    Loaded loaded;
    loaded.index = i;
    loaded.path = EntryText(list, i);
    if (loaded.path.empty()) continue;
    int hasLayer = 0;
    ThumbInfo& t = loaded.info;
    t.bitmap = LOADTHUMB(loaded.path, s.rowHeight, s.rowHeight, t.width, t.height, t.colours, t.bits, hasLayer, 0);
    if (!t.bitmap) continue;
    t.size = SKFILESIZE(loaded.path);
    if (gAbort || !SendMessageA(frame, kMsgAttachThumb, 0, reinterpret_cast<LPARAM>(&loaded)))
      win::DeleteGdiObject(t.bitmap);
    Sleep(0);
  }
}

// Walks the list; a start request that came while it walked (slides added meanwhile) makes
// it walk again, unless the program asked it to end.
DWORD WINAPI SCANTHREAD(LPVOID) {
  for (;;) {
    gAgain = 0;
    Walk();
    if (!gStop && gAgain) {
      gAbort = 0;
      continue;
    }
    SendMessageA(App().frame, kMsgRestoreTitle, 0, 0);
    gRunning = 0;
    int expected = 0;
    if (gStop || !gAgain || !gRunning.compare_exchange_strong(expected, -1)) break;
    gAbort = 0;
  }
  return 0;
}

}  // namespace

void STARTSCANTHREAD() {
  State& s = App();
  if (!s.slideList || s.building) return;
  int expected = 0;
  if (!gRunning.compare_exchange_strong(expected, -1)) {
    gAgain = 1;
    return;
  }
  gStop = 0;
  gAbort = 0;
  DWORD id = 0;
  gThread.Reset(CreateThread(nullptr, 0, SCANTHREAD, nullptr, 0, &id));
  if (!gThread) gRunning = 0;
}

void StopScan() { gAbort = -1; }

void WaitForScan(DWORD milliseconds) {
  gStop = 1;
  gAbort = -1;
  if (!gThread) return;
  DWORD start = GetTickCount();
  HANDLE h = gThread.Get();
  // The walk sends messages to this thread; they are answered while waiting.
  while (WaitForSingleObject(h, 0) == WAIT_TIMEOUT && GetTickCount() - start < milliseconds) {
    MsgWaitForMultipleObjects(1, &h, FALSE, 20, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  gThread.Reset();
}

void FREETHUMBS() {
  for (auto& t : Cache()) win::ClearGdiObject(t.bitmap);
  Cache().clear();
}

void DeleteThumb(LPARAM itemData) {
  if (!itemData) return;
  auto& cache = Cache();
  for (size_t i = 0; i < cache.size(); ++i) {
    if (reinterpret_cast<LPARAM>(cache[i].bitmap) == itemData) {
      win::DeleteGdiObject(cache[i].bitmap);
      cache.erase(cache.begin() + long(i));
      return;
    }
  }
}

bool FindThumb(LPARAM itemData, ThumbInfo& info) {
  if (!itemData) return false;
  for (const auto& t : Cache()) {
    if (reinterpret_cast<LPARAM>(t.bitmap) == itemData) {
      info = t;
      return true;
    }
  }
  return false;
}

LRESULT AttachThumb(LPARAM message) {
  auto* loaded = reinterpret_cast<Loaded*>(message);
  HWND list = App().slideList;
  if (!loaded || gAbort || !list) return 0;
  // The entry may have moved or gone while its picture loaded.
  int index = loaded->index;
  if (index >= int(SendMessageA(list, LB_GETCOUNT, 0, 0)) || EntryText(list, index) != loaded->path ||
      SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0) != 0)
    return 0;
  Cache().push_back(loaded->info);
  SendMessageA(list, LB_SETITEMDATA, WPARAM(index), reinterpret_cast<LPARAM>(loaded->info.bitmap));
  RECT r;
  if (SendMessageA(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&r)) != LB_ERR) InvalidateRect(list, &r, FALSE);
  return 1;
}

}  // namespace dunmere
