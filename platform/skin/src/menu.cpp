// The engine's menus: Windows popup menus built from the menu table, a menu bar drawn by
// the engine in the frame's "SKMENU" holder, and the menu animation kept off around popups.
#include <windows.h>
#include <windowsx.h>

#include <map>
#include <vector>

#include "engine_internal.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace skin_engine {
namespace {

struct Menus {
  MenuTable table;
  std::map<int, HMENU> popups;  // every menu by its number
  HMENU bar = nullptr;          // holds the popups of the bar menus
  HWND frame = nullptr;
  HWND holder = nullptr;
  int hot = -1;                 // index of the bar item under the mouse
  int open = -1;                // index of the bar item whose popup is open
  bool trackingLeave = false;
};

Menus& M() {
  static Menus menus;
  return menus;
}

std::vector<const Menu*> BarMenus() {
  std::vector<const Menu*> out;
  for (const auto& m : M().table.menus)
    if (m.inMenuBar) out.push_back(&m);
  return out;
}

void Destroy(Menus& m) {
  for (auto& [number, popup] : m.popups) {
    (void)number;
    // Popups that hang in the bar go with it.
    bool inBar = false;
    if (m.bar) {
      for (int i = 0, n = GetMenuItemCount(m.bar); i < n; ++i)
        if (GetSubMenu(m.bar, i) == popup) inBar = true;
    }
    if (!inBar) DestroyMenu(popup);
  }
  if (m.bar) DestroyMenu(m.bar);
  m.popups.clear();
  m.bar = nullptr;
}

void Build(Menus& m) {
  m.bar = CreateMenu();
  for (const auto& menu : m.table.menus) {
    HMENU popup = CreatePopupMenu();
    for (const auto& item : menu.items) {
      if (item.separator) {
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      UINT flags = MF_STRING | (item.checked ? MF_CHECKED : 0) | (item.grayed ? MF_GRAYED : 0);
      AppendMenuA(popup, flags, UINT_PTR(item.command), item.caption.c_str());
    }
    m.popups[menu.number] = popup;
    if (menu.inMenuBar) AppendMenuA(m.bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), menu.caption.c_str());
  }
}

// Bar item rectangles in holder coordinates.
std::vector<RECT> ItemRects(HWND holder) {
  std::vector<RECT> out;
  RECT client;
  GetClientRect(holder, &client);
  win::WindowDC dc(holder);
  win::SelectObj font(dc, SKDEFAULTFONT());
  int x = 2;
  for (const Menu* menu : BarMenus()) {
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, menu->caption.c_str(), int(menu->caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    int w = (r.right - r.left) + 16;
    out.push_back(RECT{x, 1, x + w, client.bottom - 1});
    x += w;
  }
  return out;
}

int ItemAt(HWND holder, POINT p) {
  std::vector<RECT> rects = ItemRects(holder);
  for (size_t i = 0; i < rects.size(); ++i)
    if (PtInRect(&rects[i], p)) return int(i);
  return -1;
}

void PaintBar(HWND holder) {
  win::PaintDC dc(holder);
  RECT client;
  GetClientRect(holder, &client);
  const SkinTheme& t = State().theme;
  win::MemoryDC mem(dc, client.right, client.bottom);
  SKFILLRECT(mem, 0, 0, client.right, client.bottom, t.Colour(kSkinMenuBack));
  SKDRAWRECT3D(mem, 0, client.bottom - 2, client.right, client.bottom - 1, t.Colour(kSkinEdgeDark),
               t.Colour(kSkinEdgeLight));
  win::SelectObj font(mem, SKDEFAULTFONT());
  SetBkMode(mem, TRANSPARENT);
  std::vector<RECT> rects = ItemRects(holder);
  std::vector<const Menu*> menus = BarMenus();
  Menus& m = M();
  for (size_t i = 0; i < rects.size(); ++i) {
    RECT r = rects[i];
    bool active = int(i) == m.open || int(i) == m.hot;
    if (active) {
      SKFILLRECT(mem, r.left, r.top, r.right - r.left, r.bottom - r.top - 1,
                 int(i) == m.open ? t.Colour(kSkinSelectionBack) : t.Colour(kSkinHotBack));
    }
    SetTextColor(mem, int(i) == m.open ? t.Colour(kSkinSelectionText) : t.Colour(kSkinMenuText));
    DrawTextA(mem, menus[i]->caption.c_str(), int(menus[i]->caption.size()), &r,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
}

void OpenMenu(int index) {
  Menus& m = M();
  std::vector<const Menu*> menus = BarMenus();
  if (!m.holder || index < 0 || index >= int(menus.size())) return;
  HMENU popup = m.popups[menus[size_t(index)]->number];
  std::vector<RECT> rects = ItemRects(m.holder);
  POINT p{rects[size_t(index)].left, rects[size_t(index)].bottom};
  ClientToScreen(m.holder, &p);
  m.open = index;
  InvalidateRect(m.holder, nullptr, FALSE);
  UpdateWindow(m.holder);
  HWND owner = m.frame ? m.frame : GetAncestor(m.holder, GA_ROOT);
  TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, p.x, p.y, owner, nullptr);
  m.open = -1;
  m.hot = -1;
  if (IsWindow(m.holder)) InvalidateRect(m.holder, nullptr, FALSE);
}

char AccessKey(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (caption[i + 1] == '&') {
        ++i;
        continue;
      }
      char c = caption[i + 1];
      return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
    }
  }
  return 0;
}

}  // namespace

LRESULT MenuBarMessage(HWND window, UINT message, WPARAM, LPARAM lParam, bool& handled) {
  Menus& m = M();
  if (!m.holder || window != m.holder) return 0;
  switch (message) {
    case WM_PAINT:
      PaintBar(window);
      handled = true;
      return 1;
    case WM_ERASEBKGND:
      handled = true;
      return 1;
    case WM_LBUTTONDOWN: {
      int i = ItemAt(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (i >= 0) OpenMenu(i);
      handled = true;
      return 1;
    }
    case WM_MOUSEMOVE: {
      int i = ItemAt(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (i != m.hot) {
        m.hot = i;
        InvalidateRect(window, nullptr, FALSE);
      }
      if (!m.trackingLeave) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, window, 0};
        m.trackingLeave = TrackMouseEvent(&tme) != FALSE;
      }
      handled = true;
      return 1;
    }
    case WM_MOUSELEAVE:
      m.trackingLeave = false;
      m.hot = -1;
      InvalidateRect(window, nullptr, FALSE);
      handled = true;
      return 1;
    case WM_NCDESTROY:
      m.holder = nullptr;
      return 0;
    default:
      return 0;
  }
}

bool MenuBarKey(HWND mainWindow, const MSG& msg) {
  Menus& m = M();
  if (!m.holder || !IsWindowVisible(m.holder)) return false;
  if (mainWindow && GetAncestor(msg.hwnd, GA_ROOT) != mainWindow && msg.hwnd != mainWindow) return false;
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F10) {
    OpenMenu(0);
    return true;
  }
  if (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))) {
    char key = char(msg.wParam);
    std::vector<const Menu*> menus = BarMenus();
    for (size_t i = 0; i < menus.size(); ++i) {
      if (key && AccessKey(menus[i]->caption) == key) {
        OpenMenu(int(i));
        return true;
      }
    }
  }
  return false;
}

}  // namespace skin_engine

using namespace skin_engine;

HMENU SKMENU(HWND frame, const MenuTable& table) {
  Menus& m = M();
  Destroy(m);
  m.table = table;
  m.frame = frame;
  Build(m);
  if (FrameInfo* f = FindFrame(frame); f && f->menuHolder) SKMENUBAR(f->menuHolder);
  return m.bar;
}

void SKMENUBAR(HWND holder) {
  Menus& m = M();
  m.holder = holder;
  if (!m.frame) m.frame = GetAncestor(holder, GA_ROOT);
  InvalidateRect(holder, nullptr, TRUE);
}

void SKCHANGEMENU(HWND frame, const MenuTable& table) {
  Menus& m = M();
  // Keep the check marks and greyed states the program has set meanwhile.
  std::map<int, UINT> states;
  for (const auto& menu : m.table.menus) {
    auto it = m.popups.find(menu.number);
    if (it == m.popups.end()) continue;
    for (const auto& item : menu.items) {
      if (item.separator) continue;
      UINT s = GetMenuState(it->second, UINT(item.command), MF_BYCOMMAND);
      if (s != UINT(-1)) states[item.command] = s;
    }
  }
  HWND holder = m.holder;
  SKMENU(frame ? frame : m.frame, table);
  if (holder && !m.holder) SKMENUBAR(holder);
  for (const auto& [command, s] : states) {
    HMENU popup = nullptr;
    for (const auto& menu : m.table.menus)
      for (const auto& item : menu.items)
        if (!item.separator && item.command == command) popup = m.popups[menu.number];
    if (!popup) continue;
    CheckMenuItem(popup, UINT(command), MF_BYCOMMAND | ((s & MF_CHECKED) ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(popup, UINT(command), MF_BYCOMMAND | ((s & MF_GRAYED) ? MF_GRAYED : MF_ENABLED));
  }
}

HMENU SKPOPUPHANDLE(int menuNumber) {
  auto it = M().popups.find(menuNumber);
  return it == M().popups.end() ? nullptr : it->second;
}

std::string SKGETMENUSTRING(int command) {
  const MenuItem* item = M().table.FindItem(command);
  return item ? item->caption : std::string();
}

void SKSETTRANSMENU(int) {}

namespace {

bool MenuAnimationOn() {
  BOOL on = FALSE;
  return SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &on, 0) && on;
}

void SetMenuAnimation(bool on) {
  // This setting takes its value in the pointer argument itself.
  SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(on ? TRUE : FALSE)),
                        0);
}

}  // namespace

SkMenuAnimationOff::SkMenuAnimationOff() : switchedOff_(MenuAnimationOn()) {
  if (switchedOff_) SetMenuAnimation(false);
}

SkMenuAnimationOff::~SkMenuAnimationOff() {
  if (switchedOff_) SetMenuAnimation(true);
}

void SkMenuAnimationWhilePopups::Opened() {
  if (open_++ == 0) off_.emplace();
}

void SkMenuAnimationWhilePopups::Closed() {
  if (open_ > 0 && --open_ == 0) off_.reset();
}
