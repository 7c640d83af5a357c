#include "boxframe.h"

#include "fileio/fields.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_modal.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"

namespace bravik {

HWND MakeBox(const char* className, WNDPROC procedure, const std::string& title, int clientWidth, int clientHeight) {
  ToolState& t = App();
  if (!win::RegisterClassOnce({.name = className, .procedure = procedure, .instance = t.instance})) return nullptr;
  int width = clientWidth + SKGETSYSTEMMETRICS(kSkinLeftBorder) + SKGETSYSTEMMETRICS(kSkinRightBorder);
  int height = clientHeight + SKGETSYSTEMMETRICS(kSkinCaptionHeight) + SKGETSYSTEMMETRICS(kSkinBottomBorder);
  HWND box = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, className, title.c_str(),
                             WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, t.frame, nullptr, t.instance, nullptr);
  if (!box) return nullptr;
  SKCENTERWIND(box, t.frame);
  RECT r;
  GetWindowRect(box, &r);
  SKPOPUPCONTAINER(box, title, r.left, r.top, width, height, procedure);
  return box;
}

void RunBox(HWND box, HWND focus, const std::function<bool()>& done, const std::function<void(int)>& finish) {
  SkModalLoop loop;
  loop.box = box;
  loop.owner = App().frame;
  loop.focus = focus;
  loop.done = done;
  loop.finish = finish;
  SkRunModal(loop);
  if (App().frame) InvalidateRect(App().frame, nullptr, FALSE);
}

HWND BoxLabel(HWND box, const std::string& text, int x, int y, int width, int height, int id) {
  HWND w = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, x, y, width, height, box,
                           reinterpret_cast<HMENU>(INT_PTR(id)), App().instance, nullptr);
  SendMessageA(w, WM_SETFONT, WPARAM(SKDEFAULTFONT()), FALSE);
  SKSETCOLOR(w, SKGETSYSCOLOR(kSkinControlBack), SKGETSYSCOLOR(kSkinControlText));
  return w;
}

void PaintPicture(HDC dc, const RECT& area, const imglib::Raster& picture, COLORREF background) {
  SKFILLRECT(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, background);
  if (picture.Empty()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = picture.Width();
  bi.bmiHeader.biHeight = -picture.Height();  // rows from the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  int x = area.left + (area.right - area.left - picture.Width()) / 2;
  int y = area.top + (area.bottom - area.top - picture.Height()) / 2;
  SetDIBitsToDevice(dc, x, y, DWORD(picture.Width()), DWORD(picture.Height()), 0, 0, 0, UINT(picture.Height()),
                    picture.Data(), &bi, DIB_RGB_COLORS);
}

int ControlNumber(HWND control) { return fileio::LeadingNumber(SkGetCtlText(control)); }

void SetControlNumber(HWND control, int value) { SKSETCTLTEXT(control, std::to_string(value)); }

}  // namespace bravik
