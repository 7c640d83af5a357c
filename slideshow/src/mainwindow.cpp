#include "mainwindow.h"

#include <commctrl.h>

#include <algorithm>

#include "commands.h"
#include "dunmere/layout.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "preview.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "slidelist.h"
#include "sound.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace dunmere {

namespace {

// The buttons, which take their captions from the UI text file.
constexpr int kButtons[] = {kApplyEffectButton, kPreviewButton, kDeleteEffectButton, kSaveTextButton,
                            kDeleteTextButton,  kPlayButton,    kPlaySoundButton,    kRecordButton,
                            kStopButton,        kDeleteSoundButton};

HWND Child(DWORD exStyle, const char* cls, DWORD style, int id) {
  State& s = App();
  return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, s.clientHolder,
                         reinterpret_cast<HMENU>(INT_PTR(id)), s.instance, nullptr);
}

void SetFont(HWND w, HFONT font) { SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

// Buttons take their caption and tip from UI entry 100 + their number.
void CreateButton(int id) {
  std::string caption, tip;
  fileio::SplitAtFirst(Ui(100 + id), ',', caption, tip);
  HWND button = SKBUT3D(App().clientHolder, caption, 0, 0, 0, 0, id);
  SKBUTTONTIP(button, tip);
}

int FontHeight(HFONT font) {
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(font, space, height);
  return height;
}

// PLACEPANELCHILD: where child n of the panel goes for placement k.
int PLACEPANELCHILD(int n, int& x, int& y, int k) {
  Placement p = PlacementOf(Ui(n), k);
  x = p.x;
  y = p.y;
  if (p.hidden) return 0;
  int answer = SKPANELCHILDXY(App().clientHolder, x, y);
  return answer ? answer : -1;
}

bool RegisterPreviewClasses() {
  return win::RegisterClassOnce({.name = kPreviewClass,
                                 .procedure = WNDPROC,
                                 .instance = App().instance,
                                 .style = CS_HREDRAW | CS_VREDRAW,
                                 .cursor = LoadCursor(nullptr, IDC_HAND)}) &&
         win::RegisterClassOnce({.name = kLevelClass,
                                 .procedure = WNDPROC,
                                 .instance = App().instance,
                                 .style = CS_HREDRAW | CS_VREDRAW});
}

}  // namespace

bool CreateFrame(int left, int top, int width, int height) {
  State& s = App();
  if (!win::RegisterClassOnce({.name = kClassSlideMaker,
                               .procedure = WNDPROC,
                               .instance = s.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = s.icon}))
    return false;
  s.frame = CreateWindowExA(0, kClassSlideMaker, Ui(1).c_str(),
                            WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN, left, top,
                            width, height, nullptr, nullptr, s.instance, nullptr);
  if (!s.frame) return false;
  s.clientHolder = SKHOLDER(s.frame, "SKCLIP", WNDPROC);
  s.menuHolder = SKHOLDER(s.frame, "SKMENU", WNDPROC);
  s.status = SKSTATUSWINDOW(s.frame, "");
  if (s.clientHolder) {
    SetWindowLongPtrA(s.clientHolder, GWL_STYLE, GetWindowLongPtrA(s.clientHolder, GWL_STYLE) | WS_CLIPCHILDREN);
    SetWindowLongPtrA(s.clientHolder, GWL_EXSTYLE,
                      GetWindowLongPtrA(s.clientHolder, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  }
  if (!Ui(17).empty()) SKSETSYSBUTTONTIP(Ui(17));
  return s.clientHolder != nullptr;
}

void CreateControls() {
  State& s = App();
  HFONT font = SKDEFAULTFONT();
  COLORREF back = SKGETSYSCOLOR(kSkinControlBack), text = SKGETSYSCOLOR(kSkinControlText);
  s.rowHeight = std::max(32, FontHeight(font) * 3);

  s.groupBox = Child(WS_EX_CLIENTEDGE, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kEffectGroupBox);
  SetFont(s.groupBox, font);
  for (const auto& name : EffectGroupNames(Ui(40))) SendMessageA(s.groupBox, CB_ADDSTRING, 0, LPARAM(name.c_str()));
  SendMessageA(s.groupBox, CB_SETCURSEL, 0, 0);
  SKBUTTONTIP(s.groupBox, Ui(101));

  s.effectList = Child(WS_EX_CLIENTEDGE, "LISTBOX",
                       WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kEffectList);
  SetFont(s.effectList, font);
  SKSETCOLOR(s.effectList, back, text);
  SKBUTTONTIP(s.effectList, Ui(102));

  s.textField = Child(WS_EX_CLIENTEDGE, "EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                      kTextField);
  SetFont(s.textField, font);
  SKSETCOLOR(s.textField, back, text);
  SKBUTTONTIP(s.textField, Ui(103));

  s.slideList = Child(WS_EX_CLIENTEDGE, "LISTBOX",
                      WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                          LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL,
                      kSlideList);
  SetFont(s.slideList, font);
  SKSETCOLOR(s.slideList, back, text);
  SKBUTTONTIP(s.slideList, Ui(104));
  s.listProcedure = reinterpret_cast<WNDPROC_TYPE>(
      SetWindowLongPtrA(s.slideList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SLIDELISTPROC)));

  if (RegisterPreviewClasses()) {
    s.preview = CreateWindowExA(0, kPreviewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, s.clientHolder,
                                reinterpret_cast<HMENU>(INT_PTR(kPreviewPane)), s.instance, nullptr);
    s.levelDisplay = CreateWindowExA(0, kLevelClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, s.clientHolder,
                                     reinterpret_cast<HMENU>(INT_PTR(kLevelDisplay)), s.instance, nullptr);
  }

  s.totalLabel = Child(0, "STATIC", SS_LEFT | SS_NOPREFIX, kTotalLabel);
  SetFont(s.totalLabel, font);
  s.musicLabel = Child(0, "STATIC", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kMusicLabel);
  SetFont(s.musicLabel, font);
  s.progress = SKPROGRESS32(s.clientHolder, 0, 0, 0, 0, kProgressBar);

  for (int id : kButtons) CreateButton(id);
  CREATEVOLUMEBAR(kVolumeBar, Ui(175), SW_SHOW);

  SKMENU(s.frame, s.menus);
  LayoutControls();
  LOADLISTFILE();
}

void LayoutControls() {
  State& s = App();
  if (!s.clientHolder) return;
  RECT client;
  GetClientRect(s.clientHolder, &client);
  LayoutInput in;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.buttonHeight = FontHeight(SKCAPTIONFONT()) + 10;
  in.labelHeight = FontHeight(SKDEFAULTFONT()) + 2;
  int widest = 0;
  for (int id : kButtons) {
    int w = 0, h = 0;
    SKGETTEXTEXTENT(SKCAPTIONFONT(), SkGetCtlText(GetDlgItem(s.clientHolder, id)), w, h);
    widest = std::max(widest, w);
  }
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(SKCAPTIONFONT(), space, height);
  in.buttonWidth = widest + 4 * space + 8;
  if (s.groupBox) {
    RECT r;
    GetWindowRect(s.groupBox, &r);
    in.comboHeight = r.bottom - r.top;
  }
  int x = 0, y = 0;
  in.volume.hidden = PLACEPANELCHILD(kVolumeBar, x, y, 2) == 0;
  in.volume.x = x;
  in.volume.y = y;
  std::map<int, Rect> layout = ComputeLayout(in);
  for (const auto& [id, r] : layout) {
    HWND w = GetDlgItem(s.clientHolder, id);
    if (!w) continue;
    int h = id == kEffectGroupBox ? r.height + 200 : r.height;  // the drop-down part
    SetWindowPos(w, nullptr, r.x, r.y, r.width, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (s.volumeBar) ShowWindow(s.volumeBar, layout.count(kVolumeBar) ? SW_SHOW : SW_HIDE);
  if (s.preview) PAINTPREVIEW(s.currentSlide);
}

void ShowTitle() {
  State& s = App();
  std::string title = Ui(1);
  for (int c = kOutputSizes.first; c <= kOutputSizes.last; ++c) {
    if (!s.outputSize.empty() && SKMACTE(c, s.menus) == s.outputSize) {
      std::string caption = SKGETMENUSTRING(c);
      caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
      title += " - " + caption;
      break;
    }
  }
  if (s.frame) SetWindowTextA(s.frame, title.c_str());
}

}  // namespace dunmere
