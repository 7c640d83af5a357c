#include "scan.h"

#include "boxes.h"
#include "controls/info_popup.h"
#include "hessam/scan_rules.h"
#include "imglib/imglib.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace hessam {
namespace {

// The running count and path are shown at most this often: painting them for every file
// would cost more than listing a folder of photographs.
constexpr DWORD kShowEveryMs = 40;
// Waiting messages are looked for at most this often, and the wait cursor set again after
// them: each costs a call to the window system, more than reading a photograph's header.
constexpr DWORD kPumpEveryMs = 10;

// A picture's size as the listing takes it: a GIF counts as 1 x 1.
bool PictureSize(const std::string& path, int& width, int& height) {
  if (CountsAsGif(path)) {
    width = height = 1;
    return true;
  }
  ImgFileInfo info;
  if (L_FileInfo(path, &info) != imglib::kSuccess) return false;
  width = info.width;
  height = info.height;
  return true;
}

}  // namespace

int PUMPWAITBOX(const std::string& text) {
  BrowserState& b = App();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    SKCURSORWAIT();
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return -1;
    }
    if (!text.empty() && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      if (WarningBox(Ui(37), text, Ui(24)) == 1) return -1;
      RedrawWindow(b.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

int SCANPICTUREFOLDER(const std::string& mask, HWND countField, std::vector<std::string>& list) {
  BrowserState& b = App();
  list.clear();
  HWND info = SKSTATIC(b.frame, Ui(36));
  std::string folder, pattern;
  SKSPLITN(mask, folder, pattern);
  WIN32_FIND_DATAA entry{};
  win::FindHandle find(FindFirstFileA(mask.c_str(), &entry));
  DWORD lastShown = GetTickCount() - kShowEveryMs, lastPumped = GetTickCount() - kPumpEveryMs;
  auto show = [&](const std::string& path) {
    SKSETCTLTEXT(countField, std::to_string(list.size()));
    SetWindowTextA(b.status, SKUCASE(path).c_str());
    lastShown = GetTickCount();
  };
  if (find) {
    do {
      if (GetTickCount() - lastPumped >= kPumpEveryMs) {
        if (PUMPWAITBOX(Ui(38)) == -1 || b.scanAgain) break;
        SKCURSORWAIT();
        lastPumped = GetTickCount();
      }
      std::string name = entry.cFileName;
      if (!ListedName(name) || !ListedAttributes(entry.dwFileAttributes)) continue;
      std::string path = folder + name;
      int width = 0, height = 0;
      if (!HasPictureExtension(path) || !PictureSize(path, width, height) || width <= 0 || height <= 0) continue;
      list.push_back(path);
      if (GetTickCount() - lastShown >= kShowEveryMs) show(path);
    } while (FindNextFileA(find.Get(), &entry));
  }
  find.Reset();
  if (!list.empty()) {
    show(list.back());
    SortPictureList(list);
  }
  if (info) DestroyWindow(info);
  RedrawWindow(b.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  SetWindowTextA(b.status, "");
  return int(list.size());
}

}  // namespace hessam
