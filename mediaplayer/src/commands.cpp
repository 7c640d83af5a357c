// The menu and button commands of the player (WM_COMMAND) and its popup menus.
#include "commands.h"

#include <functional>

#include "bars.h"
#include "boxes.h"
#include "falcet/options.h"
#include "fileio/macros.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "items.h"
#include "jorvel/fx_window.h"
#include "jorvel/pane.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/sk_menu.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "startup.h"
#include "state.h"
#include "web.h"

namespace falcet {

namespace {

// The pane element of the effects window's bar thumbs.
constexpr int kEffectsThumbElement = 75;

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

// The audio effects window of the panel: made when first wanted (hidden), made or shown or
// hidden by the effects command.
void WithEffectsSetup(const std::function<void(const jorvel::FxWindowSetup&)>& use) {
  Player& p = App();
  int x = 0, y = 0;
  win::Bitmap channel(jorvel::PANEELEMENT(jorvel::kPositionThumb, x, y, kBarVideo));
  win::Bitmap thumb(jorvel::PANEELEMENT(kEffectsThumbElement, x, y, kBarVideo));
  jorvel::FxWindowSetup s;
  s.owner = p.frame;
  s.pane = jorvel::PaneWindow();
  s.icon = p.icon;
  s.channel = channel.Get();
  s.thumb = thumb.Get();
  s.warn = [](const std::string& text) { WarningBox(text); };
  use(s);
}

void ToggleEffectsWindow() { WithEffectsSetup([](const jorvel::FxWindowSetup& s) { jorvel::ToggleFxWindow(s); }); }

void ToggleScrollBars() {
  Player& p = App();
  SetMenuCheck(kMenuScrollBars, !MenuChecked(kMenuScrollBars));
  UpdatePictureScroll();
  if (p.pictureArea) InvalidateRect(p.pictureArea, nullptr, FALSE);
}

}  // namespace

void MakeEffectsWindow() {
  // Made once, hidden: the saved effects are heard from the first sound on.
  if (jorvel::FxWindow()) return;
  WithEffectsSetup([](const jorvel::FxWindowSetup& s) { jorvel::FXWIN(s); });
}

void ShowContextMenu(int popup) {
  Player& p = App();
  HMENU menu = popup == kPopupWindow ? p.popup1 : popup == kPopupView ? p.popup3 : p.popup4;
  if (!menu) return;
  int command = 0;
  {
    SkMenuAnimationOff animationOff;
    POINT at;
    GetCursorPos(&at);
    command = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, p.frame, nullptr);
  }
  if (command == kMenuTopMost) SetTopMost(!(GetWindowLongPtrA(p.frame, GWL_EXSTYLE) & WS_EX_TOPMOST));
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
    case kMenuTopMost:
      RequestRestart();
      break;
    case kOpenButton:
    case kMenuOpenFiles:
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
      if (p.barKind == kBarSound && jorvel::PaneWindow()) ToggleEffectsWindow();
      break;
    case kSpectrumButton:
      if (Option(kOptBars)) ToggleScrollBars();
      ToggleSpectrum();
      break;
    case kRefreshButton: WebRefresh(); break;
    case kWebStopButton: WebStop(); break;
    case kLargerButton: WebTextSize(true); break;
    case kSmallerButton: WebTextSize(false); break;
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
    case kMenuFitVideo:
      SetMenuCheck(kMenuFitVideo, !MenuChecked(kMenuFitVideo));
      LAYOUTCONTROLS();
      break;
    case kSizeHalf: case kSizeNormal: case kSizeOneAndAHalf: case kSizeDouble: case kSizeFillWindow:
    case kSizeFullScreen:
      CheckSizeItem(id);
      // Escape leaves the whole screen for the size chosen before it.
      p.returnSizeItem = id == kSizeFullScreen && p.sizeItem != kSizeFullScreen ? p.sizeItem : id;
      p.sizeItem = id;
      LAYOUTCONTROLS();
      break;
    case kMenuScrollBars: ToggleScrollBars(); break;
    case kMenuShowWithEffects: case kMenuShowByHand: case kMenuAutomaticShow:
      StartSlideShow(id);
      break;
    case kMenuKeywords: case kMenuEnlargeSmall: case kMenuEnlargedView:
      SetMenuCheck(id, !MenuChecked(id));
      if (id == kMenuKeywords && !p.recorderMode)
        SetStatusText(MenuChecked(kMenuKeywords) ? p.keywordText : std::string());
      RepaintPicture();
      break;
    default:
      break;
  }
}

}  // namespace falcet
