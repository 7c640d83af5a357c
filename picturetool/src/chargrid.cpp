// The character grid of the text box and its magnifier.
#include "chargrid.h"

#include <algorithm>
#include <map>

#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace bravik {
namespace {

constexpr int kFirst = kGridFirstCharacter, kLast = kGridLastCharacter;

struct Grid {
  HWND target = nullptr;
  HWND viewer = nullptr;
  CharGridShape shape;
  int cell = 15;
  int current = 'A';
  std::string family = "Arial";
};

std::map<HWND, Grid>& Grids() {
  static std::map<HWND, Grid> grids;
  return grids;
}

Grid* GridOf(HWND w) {
  auto it = Grids().find(w);
  return it == Grids().end() ? nullptr : &it->second;
}

RECT CellRect(const Grid& g, int c) {
  LayoutRect r = CharCell(g.shape, c);
  return RECT{r.left, r.top, r.right, r.bottom};
}

win::Font GlyphFont(const std::string& family, int height) {
  return win::Font(CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, family.c_str()));
}

// The magnifier: the current character enlarged.
LRESULT CALLBACK ViewerProc(HWND viewer, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    win::PaintDC dc(viewer);
    RECT r;
    GetClientRect(viewer, &r);
    HWND grid = GetWindow(viewer, GW_OWNER);
    Grid* g = GridOf(grid ? grid : viewer);
    SKFILLRECT(dc, 0, 0, r.right, r.bottom, SKGETSYSCOLOR(kSkinControlBack));
    PENRECT(dc, r, 2, SKGETSYSCOLOR(kSkinSelectionBack));
    if (g) {
      win::Font font = GlyphFont(g->family, r.bottom - 8);
      win::SelectObj selected(dc, font.Get());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, SKGETSYSCOLOR(kSkinControlText));
      char c = char(g->current);
      DrawTextA(dc, &c, 1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    return 0;
  }
  return DefWindowProcA(viewer, message, wParam, lParam);
}

void Select(HWND grid, Grid& g, int c) {
  c = std::clamp(c, kFirst, kLast);
  if (c == g.current) return;
  RECT old = CellRect(g, g.current);
  g.current = c;
  InvalidateRect(grid, &old, FALSE);
  RECT now = CellRect(g, c);
  InvalidateRect(grid, &now, FALSE);
  if (g.viewer && IsWindowVisible(g.viewer)) {
    MOVECHILD(g.viewer, now);
    InvalidateRect(g.viewer, nullptr, FALSE);
  }
}

void Insert(Grid& g) {
  if (!g.target) return;
  char text[2] = {char(std::clamp(g.current, kFirst, kLast)), 0};
  SendMessageA(g.target, EM_REPLACESEL, TRUE, LPARAM(text));
  SetFocus(g.target);
}

int CellAt(const Grid& g, LPARAM lParam) {
  int x = short(LOWORD(lParam)) / g.cell, y = short(HIWORD(lParam)) / g.cell;
  if (x < 0 || y < 0 || x >= g.shape.columns || y >= g.shape.rows) return -1;
  int c = kFirst + y * g.shape.columns + x;
  return c <= kLast ? c : -1;
}

}  // namespace

HWND CreateCharGrid(HWND parent, int x, int y, const CharGridShape& shape, int id, HWND target) {
  HINSTANCE instance = App().instance;
  win::RegisterClassOnce({.name = kCharGridClass, .procedure = CHARGRIDPROC, .instance = instance, .style = CS_DBLCLKS});
  win::RegisterClassOnce({.name = kCharViewerClass, .procedure = ViewerProc, .instance = instance});
  HWND grid = CreateWindowExA(0, kCharGridClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, shape.Width(),
                              shape.Height(), parent, reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
  if (!grid) return nullptr;
  Grid& g = Grids()[grid];
  g.target = target;
  g.shape = shape;
  g.cell = shape.cell;
  int size = shape.cell * 3;
  g.viewer = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kCharViewerClass, "", WS_POPUP | WS_BORDER, 0, 0, size,
                             size, grid, nullptr, instance, nullptr);
  return grid;
}

void SetCharGridFont(HWND grid, const std::string& family) {
  if (Grid* g = GridOf(grid)) {
    g->family = family;
    InvalidateRect(grid, nullptr, FALSE);
  }
}

int CharGridCurrent(HWND grid) {
  Grid* g = GridOf(grid);
  return g ? g->current : 0;
}

void PENRECT(HDC dc, const RECT& r, int width, COLORREF colour) {
  win::Pen pen(CreatePen(PS_INSIDEFRAME, width, colour));
  win::SelectObj p(dc, pen.Get());
  win::SelectObj b(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void DRAWGLYPHS(HWND grid, HDC dc) {
  Grid* g = GridOf(grid);
  if (!g) return;
  RECT r;
  GetClientRect(grid, &r);
  win::MemoryDC mem(dc, r.right, r.bottom);
  SKTILEBLT(mem, 0, 0, r.right, r.bottom, SKCTLBACK());
  win::Pen line(CreatePen(PS_SOLID, 1, SKGETSYSCOLOR(118)));
  win::Font font = GlyphFont(g->family, g->cell - 3);
  {
    win::SelectObj p(mem, line.Get());
    int columns = g->shape.columns, rows = g->shape.rows;
    for (int x = 0; x <= columns; ++x) {
      MoveToEx(mem, x * g->cell, 0, nullptr);
      LineTo(mem, x * g->cell, rows * g->cell + 1);
    }
    for (int y = 0; y <= rows; ++y) {
      MoveToEx(mem, 0, y * g->cell, nullptr);
      LineTo(mem, columns * g->cell + 1, y * g->cell);
    }
  }
  win::SelectObj f(mem, font.Get());
  SetBkMode(mem, TRANSPARENT);
  SetTextColor(mem, SKGETSYSCOLOR(kSkinControlText));
  for (int c = kFirst; c <= kLast; ++c) {
    RECT cell = CellRect(*g, c);
    char ch = char(c);
    SIZE extent{};
    GetTextExtentPoint32A(mem, &ch, 1, &extent);
    TextOutA(mem, cell.left + (g->cell - extent.cx) / 2 + 1, cell.top + (g->cell - extent.cy) / 2 + 1, &ch, 1);
  }
  PENRECT(mem, CellRect(*g, g->current), 2, SKGETSYSCOLOR(kSkinSelectionBack));
  BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
}

void MOVECHILD(HWND child, const RECT& beside) {
  HWND owner = GetWindow(child, GW_OWNER);
  if (!owner) return;
  RECT c, parent;
  GetWindowRect(child, &c);
  GetWindowRect(GetParent(owner) ? GetParent(owner) : owner, &parent);
  POINT p{beside.right + 2, beside.top - (c.bottom - c.top) / 2};
  ClientToScreen(owner, &p);
  int w = c.right - c.left, h = c.bottom - c.top;
  // Inside the grid's parent; to the left of the cell when there is no room on the right.
  if (p.x + w > parent.right) {
    POINT left{beside.left - 2 - w, 0};
    ClientToScreen(owner, &left);
    p.x = left.x;
  }
  p.x = std::clamp<LONG>(p.x, parent.left, std::max(parent.left, parent.right - w));
  p.y = std::clamp<LONG>(p.y, parent.top, std::max(parent.top, parent.bottom - h));
  SetWindowPos(child, HWND_TOPMOST, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

HWND LABELPROC(HWND parent, const std::string& text, int x, int y, int width, int height, int id) {
  HWND w = CreateWindowExA(WS_EX_STATICEDGE, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, x,
                           y, width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), App().instance, nullptr);
  SendMessageA(w, WM_SETFONT, WPARAM(SKDEFAULTFONT()), FALSE);
  return w;
}

LRESULT CALLBACK CHARGRIDPROC(HWND grid, UINT message, WPARAM wParam, LPARAM lParam) {
  Grid* g = GridOf(grid);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      win::PaintDC dc(grid);
      DRAWGLYPHS(grid, dc);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (!g) break;
      switch (wParam) {
        case VK_LEFT: Select(grid, *g, g->current - 1); return 0;
        case VK_RIGHT: Select(grid, *g, g->current + 1); return 0;
        case VK_UP: Select(grid, *g, g->current - g->shape.columns); return 0;
        case VK_DOWN: Select(grid, *g, g->current + g->shape.columns); return 0;
        case VK_RETURN: Insert(*g); return 0;
        default: break;
      }
      break;
    case WM_CHAR:
      if (g && wParam >= WPARAM(kFirst) && wParam <= WPARAM(kLast)) Select(grid, *g, int(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      if (!g) break;
      SetFocus(grid);
      if (int c = CellAt(*g, lParam); c > 0) Select(grid, *g, c);
      SetCapture(grid);
      MOVECHILD(g->viewer, CellRect(*g, g->current));
      InvalidateRect(g->viewer, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (g && GetCapture() == grid)
        if (int c = CellAt(*g, lParam); c > 0) Select(grid, *g, c);
      return 0;
    case WM_LBUTTONUP:
      if (g) ShowWindow(g->viewer, SW_HIDE);
      if (GetCapture() == grid) ReleaseCapture();
      return 0;
    case WM_LBUTTONDBLCLK:
      if (g) Insert(*g);
      return 0;
    case WM_DESTROY:
      if (g && g->viewer) DestroyWindow(g->viewer);
      Grids().erase(grid);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(grid, message, wParam, lParam);
}

}  // namespace bravik
