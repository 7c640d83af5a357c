// The canvas (the working picture and its objects), its modes (selection, shape drawing,
// red-eye touch-up) and the full view on the zoom panel.
#include "canvas.h"

#include <windowsx.h>

#include <algorithm>

#include "bravik/object_rules.h"
#include "bravik/picture_rules.h"
#include "commands.h"
#include "imglib/imglib.h"
#include "objects.h"
#include "picture.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace bravik {
namespace {

constexpr size_t kMaxShapePoints = 256;

POINT PicturePoint(LPARAM lParam) {
  ToolState& t = App();
  return POINT{GET_X_LPARAM(lParam) + t.scrollX, GET_Y_LPARAM(lParam) + t.scrollY};
}

POINT ClampToPicture(POINT p) {
  ToolState& t = App();
  return POINT{std::clamp<LONG>(p.x, 0, std::max(0, t.pictureWidth - 1)),
               std::clamp<LONG>(p.y, 0, std::max(0, t.pictureHeight - 1))};
}

// ---- selection ---------------------------------------------------------------------------------

void DrawSelection() {
  ToolState& t = App();
  if (!t.xorShown) return;
  win::WindowDC dc(t.canvas);
  XORRECT(dc, t.xorRect.left - t.scrollX, t.xorRect.top - t.scrollY, t.xorRect.right - t.scrollX,
          t.xorRect.bottom - t.scrollY);
}

void EraseSelection() {
  ToolState& t = App();
  if (!t.xorShown) return;
  DrawSelection();
  t.xorShown = false;
}

void ShowSelection(POINT a, POINT b) {
  ToolState& t = App();
  EraseSelection();
  t.xorRect = RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
  t.xorShown = true;
  DrawSelection();
}

void SelectionClick(POINT p) {
  ToolState& t = App();
  p = ClampToPicture(p);
  if (t.selection[0] < 0) {
    t.selection[0] = p.x;
    t.selection[1] = p.y;
    t.selection[2] = t.selection[3] = -1;
  } else {
    t.selection[2] = p.x;
    t.selection[3] = p.y;
  }
  POINT first{t.selection[0], t.selection[1]};
  ShowSelection(first, t.selection[2] < 0 ? first : POINT{t.selection[2], t.selection[3]});
}

// ---- shape drawing -----------------------------------------------------------------------------

void DrawRubberBand(HDC dc) {
  ToolState& t = App();
  if (t.drawPoints.empty()) return;
  int old = SetROP2(dc, R2_NOTXORPEN);
  win::SelectObj brush(dc, GetStockObject(NULL_BRUSH));
  win::SelectObj pen(dc, GetStockObject(BLACK_PEN));
  POINT a = t.drawPoints.front(), end = t.rubberEnd;
  auto sx = [&t](LONG x) { return int(x - t.scrollX); };
  auto sy = [&t](LONG y) { return int(y - t.scrollY); };
  if (t.drawKind == layer::kEllipse) {
    Ellipse(dc, sx(a.x), sy(a.y), sx(end.x), sy(end.y));
  } else if (t.drawKind == layer::kRectangle) {
    Rectangle(dc, sx(a.x), sy(a.y), sx(end.x), sy(end.y));
  } else {
    MoveToEx(dc, sx(a.x), sy(a.y), nullptr);
    for (size_t i = 1; i < t.drawPoints.size(); ++i) LineTo(dc, sx(t.drawPoints[i].x), sy(t.drawPoints[i].y));
    LineTo(dc, sx(end.x), sy(end.y));
  }
  SetROP2(dc, old);
}

void ShowRubberBand(POINT end) {
  ToolState& t = App();
  win::WindowDC dc(t.canvas);
  if (t.rubberShown) DrawRubberBand(dc);
  t.rubberEnd = end;
  DrawRubberBand(dc);
  t.rubberShown = true;
}

void FinishShape() {
  ToolState& t = App();
  EraseRubberBand();
  int kind = t.drawKind, style = t.drawStyle;
  std::vector<POINT> points = t.drawPoints;
  t.drawKind = 0;
  t.drawPoints.clear();
  SKCURSORSTD();
  NewShapeObject(kind, style, points);
  ObjectsMessage(kObjRestoreStates);
}

void DrawingClick(POINT p, bool doubleClick) {
  ToolState& t = App();
  if (t.drawPoints.empty() || t.drawPoints.back().x != p.x || t.drawPoints.back().y != p.y) {
    EraseRubberBand();
    t.drawPoints.push_back(p);
  }
  bool twoPointFigure = t.drawKind == layer::kEllipse || t.drawKind == layer::kRectangle || t.drawKind == layer::kArrow;
  if (twoPointFigure && t.drawPoints.size() >= 2) {
    FinishShape();
    return;
  }
  if (!twoPointFigure && ((doubleClick && t.drawPoints.size() >= 2) || t.drawPoints.size() >= kMaxShapePoints)) {
    FinishShape();
    return;
  }
  ShowRubberBand(p);
}

// ---- red-eye -----------------------------------------------------------------------------------

// Touches up the output copy (the picture without its objects), so that neither a touch
// nor its undo burns object pixels into the picture.
void RedEyeClick(POINT p) {
  ToolState& t = App();
  HDC out = OutputDc();
  if (!out || t.pictureWidth <= 0) return;
  p = ClampToPicture(p);
  t.redEye.push_back(RedEyeTouch(
      p.x, p.y, t.pictureWidth, t.pictureHeight, [out](int x, int y) { return uint32_t(GetPixel(out, x, y)); },
      [out](int x, int y, uint32_t c) { SetPixel(out, x, y, COLORREF(c)); }));
  t.modified |= kModifiedRedEye;
  PAINTALLOBJECTS();
  if (t.zoomBox) REFRESHWINDOW(t.zoomBox, false);
}

void RedEyeUndoLast() {
  ToolState& t = App();
  HDC out = OutputDc();
  if (!out || t.redEye.empty()) return;
  RedEyeUndo(t.redEye.back(), t.pictureWidth, t.pictureHeight,
             [out](int x, int y, uint32_t c) { SetPixel(out, x, y, COLORREF(c)); });
  t.redEye.pop_back();
  // Set and cleared: the bit stays while any touch-up is left.
  if (t.redEye.empty()) t.modified &= ~kModifiedRedEye;
  PAINTALLOBJECTS();
  if (t.zoomBox) REFRESHWINDOW(t.zoomBox, false);
}

// ---- painting and scrolling --------------------------------------------------------------------

void PaintCanvas(HWND window) {
  ToolState& t = App();
  win::PaintDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  if (HDC mem = SKGETHDCMEMBMP(window)) {
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, t.scrollX, t.scrollY, SRCCOPY);
  } else {
    SKFILLRECT(dc, 0, 0, client.right, client.bottom, kCanvasGrey);
  }
  if (t.xorShown)
    XORRECT(dc, t.xorRect.left - t.scrollX, t.xorRect.top - t.scrollY, t.xorRect.right - t.scrollX,
            t.xorRect.bottom - t.scrollY);
  if (t.rubberShown) DrawRubberBand(dc);
}

void Scroll(HWND window, int bar, int code) {
  ToolState& t = App();
  RECT client;
  GetClientRect(window, &client);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS | SIF_POS;
  GetScrollInfo(window, bar, &si);
  int& position = bar == SB_HORZ ? t.scrollX : t.scrollY;
  int content = bar == SB_HORZ ? t.pictureWidth : t.pictureHeight;
  int size = bar == SB_HORZ ? client.right : client.bottom;
  int thumb = code == SB_THUMBTRACK ? si.nTrackPos : si.nPos;
  int next = ScrollRequest(code, thumb, position, content, size);
  if (next == position) return;
  bool band = t.rubberShown;
  EraseRubberBand();
  bool selection = t.xorShown;
  EraseSelection();
  int delta = position - next;
  position = next;
  SetScrollPos(window, bar, position, TRUE);
  ScrollWindowEx(window, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                 SW_INVALIDATE);
  ObjectsScrolled();
  UpdateWindow(window);
  if (selection) {
    t.xorShown = true;
    DrawSelection();
  }
  if (band) ShowRubberBand(t.rubberEnd);
}

void SetCanvasCursor() {
  ToolState& t = App();
  HCURSOR c = nullptr;
  if (t.drawKind) c = LoadCursorA(t.instance, "MINICRX");
  else if (t.redEyeMode) c = LoadCursorA(t.instance, "EYE");
  else if (t.selectionMode) c = LoadCursor(nullptr, IDC_CROSS);
  SetCursor(c ? c : LoadCursor(nullptr, t.drawKind || t.selectionMode ? IDC_CROSS : IDC_ARROW));
}

void FullViewFit() {
  ToolState& t = App();
  if (t.pictureWidth <= t.screenWidth && t.pictureHeight <= t.screenHeight) return;
  int left, top, width, height;
  SKICONISE(t.pictureWidth, t.pictureHeight, t.screenWidth, t.screenHeight, left, top, width, height);
  imglib::BitmapOwner copy;
  if (L_CreateBitmap(copy.Get(), t.pictureWidth, t.pictureHeight, 24) != imglib::kSuccess) return;
  HDC lead = L_CreateLeadDC(copy.Get());
  if (!lead) return;
  BitBlt(lead, 0, 0, t.pictureWidth, t.pictureHeight, SKGETHDCMEMBMP(t.canvas), 0, 0, SRCCOPY);
  L_DeleteLeadDC(lead);
  if (L_SizeBitmap(copy.Get(), width, height, imglib::kSizeResample) != imglib::kSuccess) return;
  SKDELETEOBJECT(t.fullViewFit);
  t.fullViewFit = copy->dib;
  copy->dib = nullptr;  // the full view keeps the bitmap
  copy->bits = nullptr;
  t.fullViewX = t.fullViewY = 0;
  InvalidateRect(t.zoomPanel, nullptr, FALSE);
}

void PaintFullView(HWND window) {
  ToolState& t = App();
  win::PaintDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  win::MemoryDC mem(dc, client.right, client.bottom);
  SKFILLRECT(mem, 0, 0, client.right, client.bottom, RGB(0, 0, 0));
  if (t.fullViewFit) {
    BITMAP bm{};
    GetObjectA(t.fullViewFit, sizeof bm, &bm);
    win::CompatibleDC src(dc);
    win::SelectObj selected(src, t.fullViewFit);
    BitBlt(mem, std::max(0L, (client.right - bm.bmWidth) / 2), std::max(0L, (client.bottom - std::abs(bm.bmHeight)) / 2),
           bm.bmWidth, std::abs(bm.bmHeight), src, 0, 0, SRCCOPY);
  } else if (HDC canvas = SKGETHDCMEMBMP(t.canvas)) {
    int w = std::min<int>(client.right, t.pictureWidth - t.fullViewX);
    int h = std::min<int>(client.bottom, t.pictureHeight - t.fullViewY);
    BitBlt(mem, std::max(0L, (client.right - w) / 2), std::max(0L, (client.bottom - h) / 2), w, h, canvas,
           t.fullViewX, t.fullViewY, SRCCOPY);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
}

void FullViewKey(WPARAM key) {
  ToolState& t = App();
  RECT client;
  GetClientRect(t.zoomPanel, &client);
  int maxX = std::max(0, t.pictureWidth - int(client.right)), maxY = std::max(0, t.pictureHeight - int(client.bottom));
  if (maxX > 0) {
    if (key == VK_HOME) t.fullViewX = 0;
    if (key == VK_END) t.fullViewX = maxX;
    if (key == VK_LEFT) t.fullViewX -= 4;
    if (key == VK_RIGHT) t.fullViewX += 4;
  }
  if (maxY > 0) {
    if (key == VK_PRIOR) t.fullViewY = 0;
    if (key == VK_NEXT) t.fullViewY = maxY;
    if (key == VK_UP) t.fullViewY -= 4;
    if (key == VK_DOWN) t.fullViewY += 4;
  }
  t.fullViewX = std::clamp(t.fullViewX, 0, maxX);
  t.fullViewY = std::clamp(t.fullViewY, 0, maxY);
  InvalidateRect(t.zoomPanel, nullptr, FALSE);
}

}  // namespace

void XORRECT(HDC dc, int left, int top, int right, int bottom) {
  int old = SetROP2(dc, R2_NOT);
  win::SelectObj brush(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, left, top, right, bottom);
  SetROP2(dc, old);
}

void REFRESHWINDOW(HWND window, bool erase) {
  if (!window) return;
  InvalidateRect(window, nullptr, erase);
  UpdateWindow(window);
}

void EraseRubberBand() {
  ToolState& t = App();
  if (!t.rubberShown) return;
  win::WindowDC dc(t.canvas);
  DrawRubberBand(dc);
  t.rubberShown = false;
}

void StartShapeDrawing(int kind, int style) {
  ToolState& t = App();
  t.drawKind = kind;
  t.drawStyle = style;
  t.drawPoints.clear();
  t.rubberShown = false;
  // Objects let the clicks through to the canvas while a shape is drawn.
  for (HWND w : QENUMOBJECT(t.canvas, 0)) EnableWindow(w, FALSE);
  SetCanvasCursor();
}

void EndCanvasModes() {
  ToolState& t = App();
  EraseSelection();
  t.selectionMode = false;
  t.selection[0] = t.selection[1] = t.selection[2] = t.selection[3] = -1;
  EndRedEyeMode();
}

void StartRedEyeMode() {
  ToolState& t = App();
  t.redEyeMode = true;
  for (HWND w : QENUMOBJECT(t.canvas, 0)) EnableWindow(w, FALSE);
  SetCanvasCursor();
}

void EndRedEyeMode() {
  ToolState& t = App();
  if (!t.redEyeMode) return;
  t.redEyeMode = false;
  // The touches stay on the picture; they can no longer be undone one by one.
  t.redEye.clear();
  ObjectsMessage(kObjRestoreStates);
  SKCURSORSTD();
}

void ShowFullView() {
  ToolState& t = App();
  t.fullView = true;
  t.fullViewX = t.fullViewY = 0;
  SKDELETEOBJECT(t.fullViewFit);
  SetWindowPos(t.zoomPanel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  InvalidateRect(t.zoomPanel, nullptr, FALSE);
  SetFocus(t.zoomPanel);
}

void HideFullView() {
  ToolState& t = App();
  t.fullView = false;
  SKDELETEOBJECT(t.fullViewFit);
  ShowWindow(t.zoomPanel, SW_HIDE);
}

LRESULT CanvasMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  ToolState& t = App();
  handled = true;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintCanvas(window);
      return 0;
    case WM_SIZE:
      UpdateScrollBars();
      return 0;
    case WM_HSCROLL:
      Scroll(window, SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      Scroll(window, SB_VERT, LOWORD(wParam));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCanvasCursor();
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p = PicturePoint(lParam);
      if (t.selectionMode) SelectionClick(p);
      else if (t.drawKind) DrawingClick(p, message == WM_LBUTTONDBLCLK);
      else if (t.redEyeMode) RedEyeClick(p);
      return 0;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (t.selectionMode && t.selection[0] >= 0 && t.selection[2] >= 0) {
        if (HMENU popup = SKPOPUPHANDLE(kMenuSelection)) {
          POINT s{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
          ClientToScreen(window, &s);
          TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, s.x, s.y, t.frame, nullptr);
        }
      } else if (t.redEyeMode) {
        RedEyeUndoLast();
      }
      return 0;
    case WM_MOUSEMOVE: {
      POINT p = PicturePoint(lParam);
      if (t.drawKind && !t.drawPoints.empty()) ShowRubberBand(p);
      if (t.selectionMode && t.selection[0] >= 0 && t.selection[2] < 0)
        ShowSelection(POINT{t.selection[0], t.selection[1]}, ClampToPicture(p));
      t.zoomCentre = p;
      if (t.zoomBox) REFRESHWINDOW(t.zoomBox, false);
      std::string status = "x" + std::to_string(p.x) + " y" + std::to_string(p.y);
      SetWindowTextA(t.status, status.c_str());
      return 0;
    }
    default:
      break;
  }
  handled = false;
  return 0;
}

LRESULT ZoomPanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM, bool& handled) {
  ToolState& t = App();
  handled = true;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintFullView(window);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      HideFullView();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (t.fullView) FullViewFit();
      return 0;
    case WM_KEYDOWN:
      if (t.fullView) {
        if (wParam == VK_ESCAPE) HideFullView();
        else FullViewKey(wParam);
      }
      return 0;
    default:
      break;
  }
  handled = false;
  return 0;
}

}  // namespace bravik
