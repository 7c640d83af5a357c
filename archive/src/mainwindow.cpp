#include "mainwindow.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "grilton/recording_volume.h"
#include "commands.h"
#include "controls/thesaurus.h"
#include "display.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "imaging/suite_classes.h"
#include "pictures.h"
#include "scan.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"
#include "imaging/program_frame.h"

namespace grilton {

namespace {

constexpr int kFrameStyle = 27;
constexpr int kFormTop = 219;
constexpr int kDisplayLeft = 620;
constexpr int kButtonSize = 24;

HWND Button(HWND parent, const std::string& glyph, int x, int y, int id, const std::string& tip,
            bool marlett = true) {
  HWND b = SKBUT3D(parent, glyph, x, y, kButtonSize, kButtonSize, id, marlett ? SKMARLETT(14) : nullptr);
  SKBUTTONTIP(b, tip);
  return b;
}

}  // namespace

bool CreateMainWindow() {
  Grilton& a = App();
  const ArchiveSettings& s = a.settings;
  startup::SkinnedFrame made;
  const bool ok = startup::CreateSkinnedFrame({.className = kClassArchive,
                                               .procedure = WNDPROC,
                                               .instance = a.instance,
                                               .icon = a.icon,
                                               .title = Ui(1),
                                               .skinStyle = kFrameStyle,
                                               .left = s.left,
                                               .top = s.top,
                                               .width = s.width,
                                               .height = s.height,
                                               .screenWidth = a.screenWidth,
                                               .screenHeight = a.screenHeight,
                                               .hiddenHolders = {"SKZOOM"},
                                               .sysButtonTips = Ui(19),
                                               .menus = &a.menus},
                                              made);
  a.frame = made.frame;
  a.menuHolder = made.menuHolder;
  a.clientHolder = made.clientHolder;
  a.zoomHolder = made.hiddenHolders.empty() ? nullptr : made.hiddenHolders[0];
  a.status = made.status;
  return ok;
}

bool FillThesaurusBox() {
  Grilton& a = App();
  FillThesaurusNames(a.thesaurusBox, a.place.dataFolder, a.settings.thesaurus);
  // The thesaurus in use is the one the box shows: when the settings name one that is not
  // there, the box shows the first, and words go into that one.
  char shown[256] = {};
  LRESULT at = SendMessageA(a.thesaurusBox, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR || SendMessageA(a.thesaurusBox, CB_GETLBTEXTLEN, WPARAM(at), 0) >= LRESULT(sizeof shown))
    return false;
  SendMessageA(a.thesaurusBox, CB_GETLBTEXT, WPARAM(at), LPARAM(shown));
  if (shown[0] == '\0' || a.settings.thesaurus == shown) return false;
  a.settings.thesaurus = shown;
  return true;
}

void BuildChildren() {
  Grilton& a = App();
  HWND parent = a.clientHolder;
  if (!IsTwainAvailable())
    if (HMENU popup = SKPOPUPHANDLE(kCmdScan / 100)) {
      EnableMenuItem(popup, kCmdScan, MF_BYCOMMAND | MF_GRAYED);
      EnableMenuItem(popup, kCmdSelectSource, MF_BYCOMMAND | MF_GRAYED);
    }
  RECT client;
  GetClientRect(parent, &client);
  a.strip = CreateStrip(parent, 4, 4, std::max<LONG>(400, client.right - 8));

  int y = kStripHeight + 10;
  a.countDisplay = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "0", WS_CHILD | WS_VISIBLE | SS_CENTER, 4, y, 60,
                                   kButtonSize, parent, reinterpret_cast<HMENU>(INT_PTR(kCountDisplay)), a.instance,
                                   nullptr);
  SendMessageA(a.countDisplay, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  int x = 70;
  // Marlett: 3 and 4 point left and right, n is a dot, g a square, r a cross.
  Button(parent, "|<", x, y, kCmdFirst, Ui(44), false);
  Button(parent, "3", x += kButtonSize + 2, y, kCmdBack, Ui(45));
  Button(parent, "4", x += kButtonSize + 2, y, kCmdForward, Ui(46));
  Button(parent, ">|", x += kButtonSize + 2, y, kCmdLast, Ui(47), false);
  x += kButtonSize + 16;
  Button(parent, "4", x, y, kCmdPlaySound, Ui(56));
  Button(parent, "n", x += kButtonSize + 2, y, kCmdRecord, Ui(57));
  Button(parent, "g", x += kButtonSize + 2, y, kCmdStopRecording, Ui(57));
  Button(parent, "r", x += kButtonSize + 2, y, kCmdDeleteSound, Ui(56));
  a.recordingDisplay = CreateRecordingDisplay(parent, kDisplayLeft, kFormTop, 160, 63);
  HWND volume = SKTRACKBAR(parent, x += kButtonSize + 8, y, 120, kButtonSize, kVolumeBar, 0, 100);
  if (auto level = ReadRecordingVolume(a.mixer.Handle())) SKSETTRACKPOS(volume, *level);
  a.thesaurusBox = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT,
                                   x + 130, y, 160, 200, parent, reinterpret_cast<HMENU>(INT_PTR(kThesaurusBox)),
                                   a.instance, nullptr);
  SendMessageA(a.thesaurusBox, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  FillThesaurusBox();

  BuildForm(parent, 4, kFormTop);
  int n = a.topicSlots;
  if (HWND document = FieldControl(n + 16)) {
    RECT r;
    GetWindowRect(document, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    HWND open = SKBUT3D(parent, "NEW", r.right + 4, r.top, 44, r.bottom - r.top, kCmdOpenDocument);
    HWND attach = SKBUT3D(parent, "OPEN", r.right + 52, r.top, 44, r.bottom - r.top, kCmdAttachDocument);
    EnableWindow(open, FALSE);
    EnableWindow(attach, FALSE);
  }
  EnableSoundButtons();
  LayoutChildren();
}

void LayoutChildren() {
  Grilton& a = App();
  if (!a.clientHolder || !a.strip) return;
  RECT client;
  GetClientRect(a.clientHolder, &client);
  SetWindowPos(a.strip, nullptr, 4, 4, std::max<LONG>(400, client.right - 8), kStripHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The recording display keeps to the right edge; the free text field takes the room
  // left of it.
  int displayLeft = kDisplayLeft;
  if (a.recordingDisplay) {
    RECT r;
    GetWindowRect(a.recordingDisplay, &r);
    displayLeft = std::max<int>(kDisplayLeft, client.right - 4 - (r.right - r.left));
    SetWindowPos(a.recordingDisplay, nullptr, displayLeft, kFormTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayoutForm(displayLeft - 8);
  RefreshView();
}

}  // namespace grilton
