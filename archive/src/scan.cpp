#include "scan.h"

#include "commands.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "grilton/picture_list.h"
#include "imglib/imglib.h"
#include "imglib/imglib_twain.h"
#include "pictures.h"
#include "skin/sk_files.h"
#include "state.h"

namespace grilton {

namespace {

constexpr UINT kCloseTimerMs = 5000;

int pagesThisRun = 0;
HWND sourceDialog = nullptr;
UINT_PTR closeTimer = 0;

int PageCallback(ImgBitmap* bitmap, void*) { return _twaincallback(bitmap); }

void CALLBACK CloseTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (sourceDialog && IsWindow(sourceDialog) && IsWindowEnabled(sourceDialog))
    PostMessageA(sourceDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  KillSourceDialogTimer();
}

// The archive's own windows: those of this process whose class the program registered
// (its frame, holders and the skin engine's boxes). A scanner source runs in this process
// too, but its dialogs' classes belong to its own module or to the system.
bool OwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return false;
  auto module = reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE));
  return module == GetModuleHandleA(nullptr);
}

}  // namespace

bool IsTwainAvailable() { return L_IsTwainAvailable(App().frame) != 0; }

void SelectSource() { L_TwainSelect(App().frame); }

BOOL CALLBACK FindSourceDialog(HWND window, LPARAM mainWindow) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  TopWindow w;
  w.text = text;
  w.childOfMain = GetParent(window) == reinterpret_cast<HWND>(mainWindow) ||
                  GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(mainWindow);
  w.ownWindow = window == reinterpret_cast<HWND>(mainWindow) || OwnWindow(window);
  if (!IsSourceDialog(w, Ui(82))) return TRUE;
  sourceDialog = window;
  return FALSE;
}

HWND SourceDialog() { return sourceDialog; }

void WatchSourceDialog() {
  if (closeTimer) return;
  sourceDialog = nullptr;
  EnumWindows(FindSourceDialog, reinterpret_cast<LPARAM>(App().frame));
  if (sourceDialog) closeTimer = SetTimer(nullptr, 0, kCloseTimerMs, CloseTimerProc);
}

void KillSourceDialogTimer() {
  if (closeTimer) KillTimer(nullptr, closeTimer);
  closeTimer = 0;
  sourceDialog = nullptr;
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
