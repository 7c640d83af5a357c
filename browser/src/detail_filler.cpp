#include "detail_filler.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "filelist.h"
#include "imaging/thumbnails.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"
#include "state.h"

namespace kelmor {

// The work of one filler run: the entries without a thumbnail when it started. The claims
// let the main thread's drawing and the filler agree on who makes an entry's thumbnail.
struct FillJob {
  int generation = 0;
  HWND target = nullptr;
  int thumbnailSize = 0;
  int listCount = 0;
  std::string folder;
  std::vector<int> indexes;  // ascending
  std::vector<std::string> entries;
  std::unique_ptr<std::atomic<bool>[]> claimed;
  std::atomic<bool> stop{false};
};

namespace {

void RunFiller(std::shared_ptr<FillJob> job) {
  for (size_t i = 0; i < job->entries.size(); ++i) {
    if (job->stop.load()) break;
    bool expected = false;
    if (!job->claimed[i].compare_exchange_strong(expected, true)) continue;
    auto result = std::make_unique<ThumbnailResult>();
    result->generation = job->generation;
    result->index = job->indexes[i];
    result->count = job->listCount;
    result->entry = job->entries[i];
    HBITMAP bitmap = nullptr;
    MakeThumbnail(job->folder + EntryFileName(job->entries[i]), job->thumbnailSize, bitmap, result->details);
    result->bitmap.Reset(bitmap);
    // When the window is gone the result, thumbnail and all, goes here.
    if (PostMessageA(job->target, kMsgThumbnailMade, 0, reinterpret_cast<LPARAM>(result.get()))) result.release();
    Sleep(0);
  }
  PostMessageA(job->target, kMsgFillerDone, WPARAM(job->generation), 0);
}

// The position of a list index in the job, or -1.
int JobPosition(const FillJob& job, int index, const std::string& entry) {
  auto it = std::lower_bound(job.indexes.begin(), job.indexes.end(), index);
  if (it == job.indexes.end() || *it != index) return -1;
  size_t position = size_t(it - job.indexes.begin());
  return job.entries[position] == entry ? int(position) : -1;
}

// The entry's index now: where the filler saw it, or wherever the list has it since.
int FindEntry(HWND list, int index, const std::string& entry) {
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (index >= 0 && index < count && ListEntryText(list, index) == entry) return index;
  LRESULT found = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  return found == LB_ERR ? -1 : int(found);
}

void RedrawEntry(HWND list, int index) {
  RECT r;
  if (SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r)) == LB_ERR) return;
  RedrawWindow(list, &r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// A bitmap larger than the box (a picture drawn at full size with its layered objects
// reduced into its top-left corner) is cut to the thumbnail, so that a list of large
// pictures does not hold their full size in memory.
win::Bitmap CutToThumbnail(win::Bitmap bitmap, int pictureWidth, int pictureHeight, int size) {
  BITMAP bm{};
  if (!GetObjectA(bitmap.Get(), sizeof bm, &bm) || (bm.bmWidth <= size && bm.bmHeight <= size)) return bitmap;
  int left = 0, top = 0, w = 0, h = 0;
  SKICONISE(pictureWidth > 0 ? pictureWidth : bm.bmWidth, pictureHeight > 0 ? pictureHeight : bm.bmHeight, size, size,
            left, top, w, h);
  win::WindowDC screen(nullptr);
  win::CompatibleDC from(screen), to(screen);
  win::Bitmap cut(CreateCompatibleBitmap(screen, std::max(1, w), std::max(1, h)));
  if (!cut) return bitmap;
  if (from && to) {
    win::SelectObj fromPicture(from, bitmap.Get()), toCut(to, cut.Get());
    BitBlt(to, 0, 0, w, h, from, 0, 0, SRCCOPY);
  }
  return cut;
}

}  // namespace

bool MakeThumbnail(const std::string& path, int size, HBITMAP& bitmap, PictureDetails& details) {
  int width = 0, height = 0, colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  // A layered picture shows its composed picture, which its layered file carries.
  win::Bitmap loaded(LOADTHUMB(path, size, size, width, height, colours, bits, hasLayer, 1));
  if (!loaded) return false;
  bitmap = CutToThumbnail(std::move(loaded), width, height, size).Release();
  details.width = width;
  details.height = height;
  details.colours = colours;
  details.depth = bits;
  details.fileSize = std::max<int64_t>(0, SKFILESIZE(path));
  details.layered = hasLayer != 0;
  return true;
}

void StopListInfo() {
  BrowserState& b = App();
  if (b.fillJob) b.fillJob->stop = true;
  if (b.fillThread.joinable()) b.fillThread.join();
  if (!b.fillJob) return;
  b.fillJob.reset();
  // What the stopped filler has posted is no longer wanted: the list is about to change.
  ++b.fillGeneration;
  if (b.frame) SetWindowTextA(b.frame, b.title.c_str());
}

void STARTLISTINFO() {
  BrowserState& b = App();
  if (!b.thumbnailLayout || !b.fileList || !b.frame) return;
  StopListInfo();
  auto job = std::make_shared<FillJob>();
  job->generation = ++b.fillGeneration;
  job->target = b.frame;
  job->thumbnailSize = b.thumbnailSize;
  job->folder = CURRENTFOLDER();
  job->listCount = int(SendMessageA(b.fileList, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < job->listCount; ++i) {
    if (SendMessageA(b.fileList, LB_GETITEMDATA, WPARAM(i), 0) != 0) continue;
    std::string entry = ListEntryText(b.fileList, i);
    if (b.thumbFailed.count(entry)) continue;
    job->indexes.push_back(i);
    job->entries.push_back(entry);
  }
  if (job->entries.empty() || job->folder.empty()) return;
  job->claimed = std::make_unique<std::atomic<bool>[]>(job->entries.size());
  b.fillJob = job;
  b.fillThread = std::thread(RunFiller, job);
}

bool ClaimEntryForDrawing(int index, const std::string& entry) {
  BrowserState& b = App();
  if (!b.fillJob || b.fillJob->stop.load()) return true;
  int position = JobPosition(*b.fillJob, index, entry);
  if (position < 0) return true;
  bool expected = false;
  return b.fillJob->claimed[size_t(position)].compare_exchange_strong(expected, true);
}

void OnThumbnailMade(LPARAM lParam) {
  BrowserState& b = App();
  std::unique_ptr<ThumbnailResult> result(reinterpret_cast<ThumbnailResult*>(lParam));
  if (!result) return;
  // Only the latest filler's thumbnails count: an older one worked on a list that has
  // changed since (its entries may have been rewritten). A result not taken goes with its
  // thumbnail.
  int index = result->generation == b.fillGeneration ? FindEntry(b.fileList, result->index, result->entry) : -1;
  if (index < 0 || SendMessageA(b.fileList, LB_GETITEMDATA, WPARAM(index), 0) != 0) return;
  if (result->bitmap) {
    // The list's entry holds the thumbnail from now on; FREETHUMBS deletes it.
    HBITMAP bitmap = result->bitmap.Release();
    SendMessageA(b.fileList, LB_SETITEMDATA, WPARAM(index), reinterpret_cast<LPARAM>(bitmap));
    b.details.Add(reinterpret_cast<uintptr_t>(bitmap), result->details);
  } else {
    b.thumbFailed.insert(result->entry);
  }
  std::string progress = std::to_string(result->index + 1) + "/" + std::to_string(result->count) + " " +
                         EntryFileName(result->entry);
  SetWindowTextA(b.frame, progress.c_str());
  RedrawEntry(b.fileList, index);
}

void OnFillerDone(WPARAM generation) {
  BrowserState& b = App();
  if (int(generation) != b.fillGeneration || !b.fillJob) return;
  if (b.fillThread.joinable()) b.fillThread.join();  // it has posted its last message
  b.fillJob.reset();
  SetWindowTextA(b.frame, b.title.c_str());
}

}  // namespace kelmor
