#include "transforms.h"

#include "boxes.h"
#include "detail_filler.h"
#include "file_batch.h"
#include "filelist.h"
#include "imglib/imglib.h"
#include "kelmor/file_listing.h"
#include "skin/sk_draw.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "state.h"
#include "watchers.h"

namespace kelmor {

namespace {

int Change(ImgBitmap* picture, int command, const SizeChoice& size) {
  switch (command) {
    case kTransformFlip:
      return L_FlipBitmap(picture);
    case kTransformMirror:
      return L_ReverseBitmap(picture);
    case kTransformRotateLeft:
    case kTransformRotateRight:
      return L_RotateBitmap(picture, TransformRotation(command), imglib::kRotateResize, RGB(0, 0, 0));
    case kTransformResize: {
      int width = 0, height = 0;
      if (!ResizeTarget(picture->width, picture->height, size, width, height)) return imglib::kInvalidParameter;
      return L_SizeBitmap(picture, width, height, imglib::kSizeResample);
    }
    default:
      return imglib::kInvalidParameter;
  }
}

// After a step the entry of its file (when the list still shows that folder) gets a new
// thumbnail and stays selected.
void RefreshEntry(const TransformBatch& batch, const std::string& name) {
  BrowserState& b = App();
  if (!SameFolder(batch.folder, b.currentFolder) || !b.fileList) return;
  std::string entry = FileListEntry(name);
  LRESULT index = SendMessageA(b.fileList, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  if (index == LB_ERR) return;
  StopListInfo();
  ForgetThumbnail(int(index));
  SendMessageA(b.fileList, LB_SETSEL, TRUE, index);
  RECT r;
  if (SendMessageA(b.fileList, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    InvalidateRect(b.fileList, &r, TRUE);
}

}  // namespace

bool CurrentFolderOnCdRom() { return OnCdRom(CURRENTFOLDER()); }

int TransformPicture(const std::string& path, int command, const SizeChoice& size) {
  TransformSave save = TransformSaveRule(path, 0, 0);
  if (!save.possible) return imglib::kInvalidParameter;
  // The file must be writable; other marks (hidden, archive) go with it, as they always have.
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  imglib::BitmapOwner picture;
  ImgFileInfo info;
  int r = L_LoadBitmap(path, picture.Get(), TransformLoadDepth(command), &info);
  if (r != imglib::kSuccess) return r;
  r = Change(picture.Get(), command, size);
  if (r != imglib::kSuccess) return r;
  save = TransformSaveRule(path, info.format, info.bitsPerPixel);
  // The new file is written beside the old one and replaces it only when complete.
  return L_SaveBitmap(path, picture.Get(), save.format, save.bitsPerPixel, save.qualityFactor);
}

void StartTransformBatch(int command, const SizeChoice& size) {
  BrowserState& b = App();
  if (!IsTransformCommand(command) || !b.fileList) return;
  if (b.batchRunning) {
    MessageBeep(UINT(-1));
    return;
  }
  if (CurrentFolderOnCdRom()) {
    MESSAGEBOXICON(SKWINERR(29));
    return;
  }
  std::vector<int> selected = SelectedEntries(b.fileList);
  if (selected.empty() || CURRENTFOLDER().empty()) return;
  TransformBatch batch;
  batch.id = b.nextBatchId++;
  batch.command = command;
  batch.folder = CURRENTFOLDER();
  batch.size = size;
  batch.firstError = true;
  for (int index : selected) batch.names.push_back(EntryFileName(ListEntryText(b.fileList, index)));
  STOPWATCH();
  b.batch = batch;
  b.batchRunning = true;
  for (size_t i = 0; i < batch.names.size(); ++i) {
    TransformStepWords words = EncodeTransformStep(command, i, batch.names.size());
    PostMessageA(b.frame, kMsgTransformStep, WPARAM(words.wParam), LPARAM(words.lParam));
  }
}

void OnTransformStep(WPARAM wParam, LPARAM lParam) {
  BrowserState& b = App();
  if (!b.batchRunning || int(LOWORD(wParam)) != b.batch.command) return;
  size_t position = TransformStepPosition(int64_t(lParam), b.batch.names.size());
  if (position >= b.batch.names.size()) return;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  std::string path = b.batch.PathAt(position);
  int r = TransformPicture(path, b.batch.command, b.batch.size);
  RefreshEntry(b.batch, b.batch.names[position]);
  bool report = r != imglib::kSuccess && b.batch.firstError;
  if (report) b.batch.firstError = false;
  b.batchFlag = int(lParam != 0);
  if (lParam == 0) {
    b.batchRunning = false;
    if (!b.closing) STARTWATCH();
    STARTLISTINFO();
  }
  SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
  // Last: the box's own message loop runs the steps that follow meanwhile.
  if (report) MESSAGEBOXICON(path + Ui(35));
}

}  // namespace kelmor
