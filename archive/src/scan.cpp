#include "scan.h"

#include "commands.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "grilton/picture_list.h"
#include "grilton/source_dialog.h"
#include "imglib/imglib.h"
#include "imglib/imglib_twain.h"
#include "pictures.h"
#include "skin/sk_files.h"
#include "state.h"

namespace grilton {

namespace {

constexpr UINT kCloseTimerMs = 5000;

int pagesThisRun = 0;

int PageCallback(ImgBitmap* bitmap, void*) { return _twaincallback(bitmap); }

}  // namespace

bool IsTwainAvailable() { return L_IsTwainAvailable(App().frame) != 0; }

void SelectSource() { L_TwainSelect(App().frame); }

void WatchSourceDialog() {
  if (SourceDialogTimerRunning()) return;
  if (HWND dialog = FindSourceDialogWindow(App().frame, Ui(82))) StartSourceDialogTimer(dialog, kCloseTimerMs);
}

int _twaincallback(void* page) {
  ImgBitmap* bitmap = static_cast<ImgBitmap*>(page);
  ++pagesThisRun;
  std::string path = NextScanPage(App().scanFolder);
  int saved = path.empty() ? imglib::kFailure : L_SaveBitmap(path, bitmap, 10, 24, 2, 0);
  L_FreeBitmap(bitmap);
  if (saved == imglib::kSuccess) WatchSourceDialog();
  return saved;
}

void ScanPages() {
  Grilton& a = App();
  SKMAKEDIR(a.scanFolder);
  pagesThisRun = 0;
  ImgBitmap bitmap;
  L_TwainAcquireExt(a.frame, &bitmap, 11, PageCallback, nullptr);
  L_FreeBitmap(&bitmap);
  if (pagesThisRun > 0) {
    a.settings.startFolder = a.scanFolder;
    ListFolder(a.scanFolder);
  }
  L_TwainCloseSession(a.frame);
}

}  // namespace grilton

extern "C" int __stdcall GriltonTwainCallback(void* bitmap) { return grilton::_twaincallback(bitmap); }
