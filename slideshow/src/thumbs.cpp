#include "thumbs.h"

#include <atomic>
#include <memory>
#include <vector>

#include "imaging/thumbnails.h"
#include "mainwindow.h"
#include "skin/sk_files.h"
#include "state.h"
#include "win/raii.h"

namespace dunmere {

namespace {

// The cache is touched by the main thread only: the walk hands every thumbnail over by a
// posted message, so removing slides never races with an append.
std::vector<ThumbInfo>& Cache() {
  static std::vector<ThumbInfo> cache;
  return cache;
}

// The work of one walk: the slides without a thumbnail when it started, copied, so that the
// worker never reads the list. Only the main thread touches the list and the cache: the
// worker posts every result, and the main thread joins it once it has posted its last.
struct WalkJob {
  int generation = 0;
  HWND target = nullptr;
  int rowHeight = 0;
  int listCount = 0;
  std::vector<int> indexes;
  std::vector<std::string> paths;
  std::atomic<bool> stop{false};
};

// A thumbnail the walk made (a null bitmap: the picture gave none), posted with
// kMsgAttachThumb; the walk's end is kMsgRestoreTitle with its generation.
struct Loaded {
  int generation = 0;
  int index = 0;
  int count = 0;
  std::string path;
  ThumbInfo info;
  ~Loaded() { win::ClearGdiObject(info.bitmap); }
};

struct Walker {
  std::shared_ptr<WalkJob> job;
  win::Handle thread;
  int generation = 0;
  bool again = false;  // a start was asked for while a walk ran
};

Walker& Walk() {
  static Walker walker;
  return walker;
}

std::string EntryText(HWND list, int index) {
  LRESULT len = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (len == LB_ERR || len < 0) return {};
  std::string text(size_t(len) + 1, '\0');
  LRESULT got = SendMessageA(list, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(got == LB_ERR || got < 0 ? 0 : size_t(got));
  return text;
}

DWORD WINAPI SCANTHREAD(LPVOID parameter) {
  std::shared_ptr<WalkJob> job(std::move(*static_cast<std::shared_ptr<WalkJob>*>(parameter)));
  delete static_cast<std::shared_ptr<WalkJob>*>(parameter);
  for (size_t i = 0; i < job->paths.size() && !job->stop.load(); ++i) {
    auto loaded = std::make_unique<Loaded>();
    loaded->generation = job->generation;
    loaded->index = job->indexes[i];
    loaded->count = job->listCount;
    loaded->path = job->paths[i];
    ThumbInfo& t = loaded->info;
    int hasLayer = 0;
    t.bitmap = LOADTHUMB(loaded->path, job->rowHeight, job->rowHeight, t.width, t.height, t.colours, t.bits,
                         hasLayer, 0);
    if (t.bitmap) t.size = SKFILESIZE(loaded->path);
    // When the window is gone the result, thumbnail and all, goes here.
    if (PostMessageA(job->target, kMsgAttachThumb, 0, reinterpret_cast<LPARAM>(loaded.get()))) loaded.release();
    Sleep(0);
  }
  PostMessageA(job->target, kMsgRestoreTitle, WPARAM(job->generation), 0);
  return 0;
}

// Waits for the walk's thread (which only posts, so nothing need be answered meanwhile).
bool JoinWalk(DWORD milliseconds) {
  Walker& w = Walk();
  if (!w.thread) return true;
  if (WaitForSingleObject(w.thread.Get(), milliseconds) != WAIT_OBJECT_0) return false;
  w.thread.Reset();
  return true;
}

}  // namespace

void STARTSCANTHREAD() {
  State& s = App();
  Walker& w = Walk();
  if (!s.slideList || !s.frame || s.building) return;
  if (w.job) {
    // Slides added meanwhile are walked when this walk has ended.
    w.again = true;
    return;
  }
  w.again = false;
  auto job = std::make_shared<WalkJob>();
  job->generation = ++w.generation;
  job->target = s.frame;
  job->rowHeight = s.rowHeight;
  job->listCount = int(SendMessageA(s.slideList, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < job->listCount; ++i) {
    if (SendMessageA(s.slideList, LB_GETITEMDATA, WPARAM(i), 0) != 0) continue;
    std::string path = EntryText(s.slideList, i);
    if (path.empty()) continue;
    job->indexes.push_back(i);
    job->paths.push_back(path);
  }
  if (job->paths.empty()) return;
  auto* parameter = new std::shared_ptr<WalkJob>(job);
  DWORD id = 0;
  w.thread.Reset(CreateThread(nullptr, 0, SCANTHREAD, parameter, 0, &id));
  if (!w.thread) {
    delete parameter;
    return;
  }
  w.job = std::move(job);
}

void StopScan() {
  Walker& w = Walk();
  if (w.job) w.job->stop = true;
  w.again = false;
}

void WaitForScan(DWORD milliseconds) {
  Walker& w = Walk();
  StopScan();
  if (!JoinWalk(milliseconds)) {
    // A picture that takes longer to load keeps its thread; the job it shares ends with it.
    w.thread.Reset();
  }
  if (!w.job) return;
  w.job.reset();
  // What the stopped walk has posted is no longer wanted: the list is about to change.
  ++w.generation;
  if (App().frame) ShowTitle();
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
  std::unique_ptr<Loaded> loaded(reinterpret_cast<Loaded*>(message));
  Walker& w = Walk();
  HWND list = App().slideList;
  if (!loaded || !list || loaded->generation != w.generation || !w.job || w.job->stop.load()) return 0;
  std::string title = Ui(1) + " " + std::to_string(loaded->index + 1) + "/" + std::to_string(loaded->count);
  SetWindowTextA(App().frame, title.c_str());
  // The slide may have moved or gone while its picture loaded.
  int index = loaded->index;
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (index >= count || EntryText(list, index) != loaded->path) {
    LRESULT found = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(loaded->path.c_str()));
    if (found == LB_ERR) return 0;
    index = int(found);
  }
  if (!loaded->info.bitmap || SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0) != 0) return 0;
  // The slide's entry holds the thumbnail from now on, the cache its record.
  Cache().push_back(loaded->info);
  loaded->info.bitmap = nullptr;
  SendMessageA(list, LB_SETITEMDATA, WPARAM(index), reinterpret_cast<LPARAM>(Cache().back().bitmap));
  RECT r;
  if (SendMessageA(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&r)) != LB_ERR) InvalidateRect(list, &r, FALSE);
  return 1;
}

void OnScanDone(WPARAM generation) {
  Walker& w = Walk();
  if (int(generation) != w.generation || !w.job) return;
  JoinWalk(INFINITE);  // it has posted its last message
  w.job.reset();
  ShowTitle();
  // Slides that came while it walked get theirs now.
  if (w.again) STARTSCANTHREAD();
}

}  // namespace dunmere
