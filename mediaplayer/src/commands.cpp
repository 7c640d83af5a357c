// The menu and button commands of the player (WM_COMMAND).
#include <windows.h>

#include <vector>

#include "bars.h"
#include "falcet/command_line.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "handlers.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imglib/imglib.h"
#include "items.h"
#include "lifecycle.h"
#include "mainwindow.h"
#include "media.h"
#include "pick/nadrix.h"
#include "pictures.h"
#include "procs.h"
#include "skin/sk_menu.h"
#include "skin/sk_print.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "state.h"

namespace falcet {

namespace {

// ---- Open files (67, 103) --------------------------------------------------------------------

// The media browser becomes the player's file source when it is installed.
bool HandToBrowser() {
  Player& p = App();
  std::string program = SKFINDF(UiField(78, 1));
  if (program.empty()) return false;
  bool started = false;
  HWND browser = FindOrStartPartner(program, kClassBrowser, kCodeNone, &started);
  if (browser && started) {
    // Started, it gets the player's program and class, so that it sends its lists here. A
    // folder with a comma is quoted: the pair is split at its first comma outside quotes.
    p.startedBrowser = true;
    std::string self = p.exePath.find(',') == std::string::npos ? p.exePath : "\"" + p.exePath + "\"";
    SENDCOPYDATA(browser, kCodeSetPartner, self + "," + kClassPlayer);
  } else if (browser) {
    BringPartnerToFront(browser);
  }
  return true;
}

std::string PickFiles() {
  Player& p = App();
  HMODULE pick = LoadLibraryA((p.programFolder + "nadrix.dll").c_str());
  if (!pick) return std::string();
  std::string chosen;
  auto pickF = Export<SkPickFProc>(pick, "skPickF");
  auto multi = Export<SkSwitchProc>(pick, "skPickMulti");
  if (auto thumbs = Export<SkShowThumbProc>(pick, "skShowThumb"))
    thumbs(".JPG.GIF.TIF.BMP.PCX.PNG.TGA.PSD.JPEG.ICO.WMF.EMF.", 1);
  if (pickF && multi) {
    multi(1);
    std::string filters = Ui(10) + "|*.*|" + Ui(11) + "|" + Ui(3) + Ui(88) + "|" + Ui(32) + "|*.m3u;*.upl";
    std::vector<char> resultText(65536, '\0'), nameText(MAX_PATH, '\0');
    SkTextBuffer result{resultText.data(), int32_t(resultText.size()), 0};
    SkTextBuffer name{nameText.data(), int32_t(nameText.size()), 0};
    std::string start = p.settings.openFolder;
    if (Option(kOptPaneLayout)) EnableWindow(p.frame, FALSE);
    int button = pickF(p.frame, start.c_str(), Ui(85).c_str(), filters.c_str(), Ui(33).c_str(), "", "", "", 0, "", 0,
                       &result, &name);
    EnableWindow(p.frame, TRUE);
    if (button == 2) chosen = TrimBars(resultText.data());
  }
  FreeLibrary(pick);
  return chosen;
}

void OpenFiles() {
  Player& p = App();
  if (HandToBrowser()) return;
  std::string list = PickFiles();
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  if (list.empty()) return;
  CLOSEMEDIA();
  SetForegroundWindow(p.frame);
  InvalidateRect(p.frame, nullptr, TRUE);
  if (ItemCount(list) == 1) list = ListOfName(list);
  p.settings.openFolder = fileio::FolderOf(ItemAt(list, 1));
  OpenList(list, false);
  if (p.barKind == kBarPicture) SetSliderPosition(kPositionSlider, PictureSliderPosition(p.itemCount));
}

// ---- Print (68) and copy (72) ------------------------------------------------------------------

// The picture as the view shows it, in a new bitmap (the view's size).
bool CopyOfView(ImgBitmap& out) {
  Player& p = App();
  if (!p.pictureArea) return false;
  RECT r;
  GetClientRect(p.pictureArea, &r);
  if (r.right <= 0 || r.bottom <= 0 || L_CreateBitmap(&out, r.right, r.bottom, 24) != imglib::kSuccess) return false;
  HDC dc = L_CreateLeadDC(&out);
  if (!dc) return false;
  PaintPicture(p.pictureArea, dc);
  L_DeleteLeadDC(dc);
  return true;
}

void PrintCurrent() {
  Player& p = App();
  char device[256] = {};
  GetProfileStringA("WINDOWS", "DEVICE", ",,,", device, sizeof device);
  if (std::string(device).rfind(",,,", 0) == 0) {
    WarningBox(SKWINERR(1797));
    return;
  }
  if (p.itemKind != kBarPicture || p.picturePath.empty()) return;
  HDC printer = SKPRINTDLG(p.frame);
  SetForegroundWindow(p.frame);
  InvalidateRect(p.frame, nullptr, TRUE);
  if (!printer) return;
  imglib::BitmapOwner view;
  if (CopyOfView(*view)) {
    bool portrait = GetDeviceCaps(printer, HORZSIZE) < GetDeviceCaps(printer, VERTSIZE);
    Fit f = PrintPlacement(GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES), portrait, view->width,
                           view->height);
    std::string name = fileio::NameOf(p.picturePath).substr(0, 255);
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name.c_str();
    if (f.width > 0 && StartDocA(printer, &doc) > 0) {
      // A page or a document the printer refuses is ended, so the spooler does not keep it.
      if (StartPage(printer) > 0) {
        RECT destination{f.x, f.y, f.x + f.width, f.y + f.height};
        L_PaintDC(printer, view.Get(), nullptr, nullptr, &destination, nullptr, SRCCOPY);
        if (EndPage(printer) > 0) EndDoc(printer);
        else AbortDoc(printer);
      } else {
        AbortDoc(printer);
      }
    }
  }
  DeleteDC(printer);
}

bool PictureToClipboard() {
  Player& p = App();
  imglib::BitmapOwner view;
  const ImgBitmap* shown = CurrentPicture();
  if (!shown || !shown->dib || L_CopyBitmap(view.Get(), shown) != imglib::kSuccess) return false;
  size_t bytes = size_t(view->stride) * size_t(view->height);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bytes);
  if (!block) return false;
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
  *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), view->width, view->height, 1, 24, BI_RGB, DWORD(bytes), 0, 0, 0, 0};
  // The view keeps its rows from the top; a clipboard DIB lists them from the bottom.
  auto* pixels = reinterpret_cast<uint8_t*>(header + 1);
  for (int y = 0; y < view->height; ++y)
    memcpy(pixels + size_t(view->height - 1 - y) * view->stride, view->bits + size_t(y) * view->stride, view->stride);
  GlobalUnlock(block);
  if (!OpenClipboard(p.frame)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_DIB, block) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(block);
  return ok;
}

void CopyPicture() {
  Player& p = App();
  if (p.itemKind != kBarPicture) {
    WarningBox(Ui(48));
    return;
  }
  if (p.picturePath.empty()) {
    WarningBox(Ui(59));
    return;
  }
  std::string path = SKUCASE(p.picturePath);
  if (PictureToClipboard()) PlayerBox(path + Ui(57), p.icon);
  else WarningBox(path + Ui(58));
}

// ---- Video snapshot (63) -----------------------------------------------------------------------------

void SaveSnapshot() {
  Player& p = App();
  if (p.media.holder != Holder::kClip || !p.media.video || (p.media.mmState != 3 && p.media.mmState != 2)) return;
  bool wasPlaying = p.media.mmState == 3;
  if (wasPlaying) PAUSEMEDIA();
  std::string temp = SKGETTEMPPATH() + Ui(28);
  fileio::RemoveFile(temp);
  RECT r;
  GetClientRect(p.view, &r);
  imglib::BitmapOwner frame;
  bool saved = false;
  if (r.right > 0 && r.bottom > 0 && L_CreateBitmap(frame.Get(), r.right, r.bottom, 24) == imglib::kSuccess) {
    // The frame as the window shows it.
    HDC source = GetDC(p.view);
    if (HDC dc = L_CreateLeadDC(frame.Get())) {
      BitBlt(dc, 0, 0, r.right, r.bottom, source, 0, 0, SRCCOPY);
      L_DeleteLeadDC(dc);
    }
    ReleaseDC(p.view, source);
    saved = L_SaveBitmap(temp, frame.Get(), imglib::kFormatBmp, 24, 0) == imglib::kSuccess;
  }
  HMODULE pick = saved ? LoadLibraryA((p.programFolder + "nadrix.dll").c_str()) : nullptr;
  auto pickF = pick ? Export<SkPickFProc>(pick, "skPickF") : nullptr;
  if (pickF) {
    std::vector<char> resultText(MAX_PATH * 2, '\0'), nameText(MAX_PATH, '\0');
    SkTextBuffer result{resultText.data(), int32_t(resultText.size()), 0};
    SkTextBuffer name{nameText.data(), int32_t(nameText.size()), 0};
    std::string start = p.settings.snapshotFolder + "*.bmp";
    int button = pickF(p.frame, start.c_str(), Ui(29).c_str(), "*.bmp|*.bmp", Ui(30).c_str(), Ui(31).c_str(),
                       Ui(32).c_str(), "", 0, Ui(33).c_str(), 1, &result, &name);
    std::string target = SnapshotTarget(nameText.data());
    if (button == 2 && !target.empty()) {
      int error = SKSHELLCOPY(p.frame, temp, target);
      if (error) WarningBox(SKWINERR(error));
      else p.settings.snapshotFolder = fileio::FolderOf(target);
    }
  }
  if (pick) FreeLibrary(pick);
  fileio::RemoveFile(temp);
  if (wasPlaying) RESUMEMEDIA();
}

// ---- Partners ------------------------------------------------------------------------------------------

void ShowHelp() {
  std::string viewer = SKFINDF("VANDREL.EXE");
  std::string document = fileio::ExpandPathMacros(UiField(90, 3), {.programFolder = App().programFolder});
  if (viewer.empty() || document.empty()) return;
  if (HWND help = FindOrStartPartner(viewer, kClassHelp, kCodeStarted)) {
    BringPartnerToFront(help);
    SENDCOPYDATA(help, kCodeOpen, document);
  }
}

void ToggleSpectrum() {
  Player& p = App();
  if (p.media.holder == Holder::kNone) return;
  if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) {
    SENDCOPYDATA(spectrum, kCodeClose, "");
    p.startedSpectrum = false;
    return;
  }
  std::string program = SKFINDF("pelmor.exe");
  if (!program.empty() && SKSHELL(program, SW_SHOWNOACTIVATE, 0) == 0) p.startedSpectrum = true;
}

void ToggleScrollBars() {
  Player& p = App();
  bool on = !MenuChecked(401);
  SetMenuCheck(401, on);
  if (p.pictureArea) ShowScrollBar(p.pictureArea, SB_BOTH, on);
}

}  // namespace

void ShowContextMenu(int menuNumber) {
  Player& p = App();
  HMENU menu = menuNumber == 1 ? p.popup1 : menuNumber == 3 ? p.popup3 : p.popup4;
  if (!menu) return;
  int command = 0;
  {
    SkMenuAnimationOff animationOff;
    POINT at;
    GetCursorPos(&at);
    command = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, p.frame, nullptr);
  }
  if (command == 101) SetTopMost(!(GetWindowLongPtrA(p.frame, GWL_EXSTYLE) & WS_EX_TOPMOST));
  else if (command) OnCommand(command, 0);
}

void OnCommand(int id, LPARAM lParam) {
  Player& p = App();
  if (id == 0) return;
  if (SKMACTE(id, p.menus) == "END") {
    SendMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  switch (id) {
    case kPlayButton: PlayOrResume(); break;
    case kPauseButton: PauseMedium(); break;
    case kPreviousButton: PreviousItem(); break;
    case kNextButton: NextItem(); break;
    case kRestartButton:
    case kRestartButton2:
    case 101:
      RequestRestart();
      break;
    case kOpenButton:
    case 103:
      OpenFiles();
      break;
    case kPrintButton: PrintCurrent(); break;
    case kStopButton: STOPANDCLOSE(); break;
    case kCopyButton: CopyPicture(); break;
    case kSnapshotButton: SaveSnapshot(); break;
    case kPositionSlider: SEEKTO(int(lParam)); break;
    case kMuteButton: MUTEVOLUME(); break;
    case kUnmuteButton: UNMUTEVOLUME(); break;
    case kVolumeSlider: SETVOLUME(int(lParam)); break;
    case kEffectsButton:
      if (Option(kOptBars)) ToggleScrollBars();
      break;
    case kSpectrumButton:
      if (Option(kOptBars)) ToggleScrollBars();
      ToggleSpectrum();
      break;
    case kRefreshButton:
    case kWebStopButton:
    case kLargerButton:
    case kSmallerButton:
      // The page's address is all the panel shows: there is nothing to refresh, stop or size.
      break;
    case kNoticeButton: WarningBox(Ui(48)); break;
    case kIndexPage1:
    case kIndexPage2:
    case kIndexPage3: {
      std::string page =
          fileio::ExpandPathMacros(UiField(51 + id - kIndexPage1, 3), {.programFolder = p.programFolder});
      if (!page.empty()) OPENITEM(page);
      break;
    }
    case kHelpButton: ShowHelp(); break;
    case 301:
      SetMenuCheck(301, !MenuChecked(301));
      LAYOUTCONTROLS();
      break;
    case 303: case 304: case 305: case 306: case 307: case 308:
      CheckSizeItem(id);
      p.sizeItem = id;
      p.returnSizeItem = id;
      LAYOUTCONTROLS();
      break;
    case 401: ToggleScrollBars(); break;
    case 403: case 404: case 405:
      StartSlideShow(id);
      break;
    case 407: case 409: case 411:
      SetMenuCheck(id, !MenuChecked(id));
      if (id == 407 && !p.recorderMode) SetStatusText(MenuChecked(407) ? p.keywordText : std::string());
      RepaintPicture();
      break;
    default:
      break;
  }
}

}  // namespace falcet
