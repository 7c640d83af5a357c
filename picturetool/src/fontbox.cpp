// The text and shape boxes: one window procedure body for both, the text box adding the
// family, the text field and the character grid. The preview paints the text or a sample
// shape with the same GDI+ drawing as the objects.
#include "fontbox.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "boxframe.h"
#include "bravik/box_rules.h"
#include "bravik/font_box_layout.h"
#include "chargrid.h"
#include "colorpick.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/shape_plan.h"
#include "imaging/text_shape.h"
#include "objects_internal.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "win/gdiplus_raii.h"
#include "win/raii.h"
#include "win/wide_text.h"

namespace bravik {
namespace {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

constexpr int kCell = 15;
constexpr int kMaxSize = 512;

struct FontBox {
  bool text = true;  // the text box (else the shape box)
  HWND window = nullptr;
  HWND family = nullptr;
  HWND size = nullptr;
  HWND edit = nullptr;
  HWND grid = nullptr;
  HWND swatch = nullptr;
  HWND depth = nullptr;
  HWND tracks[4] = {};
  HWND values[4] = {};
  RECT preview{};
  win::Font editFont;
  win::gdip::FontFamily gdipFamily;
  win::gdip::Font gdipFont;
  bool done = false;
};

FontBox& Box() {
  static FontBox box;
  return box;
}

std::string ComboText(HWND combo) {
  char buffer[256] = {};
  LRESULT at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (at != CB_ERR && SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(at), 0) < LRESULT(sizeof buffer))
    SendMessageA(combo, CB_GETLBTEXT, WPARAM(at), LPARAM(buffer));
  else
    GetWindowTextA(combo, buffer, sizeof buffer);
  return buffer;
}

// The size field's text (typed, or the entry chosen: the box posts itself an edit change
// after a choice, when the field shows it).
int ChosenSize() {
  FontBox& b = Box();
  char buffer[32] = {};
  GetWindowTextA(b.size, buffer, sizeof buffer);
  return SizeOfText(buffer, b.text ? kDefaultTextSize : kDefaultPenWidth);
}

uint32_t ChosenColour() {
  FontBox& b = Box();
  int v[4];
  for (int i = 0; i < 4; ++i) v[i] = SKGETTRACKPOS(b.tracks[i]);
  return ComposeArgb(v[0], v[1], v[2], v[3]);
}

COLORREF ChosenRgb() {
  uint32_t c = ChosenColour();
  return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

// A GDI+ font of the family for the preview; the old one goes.
void SETGDIPFONT(HWND control, const std::string& family, int size) {
  FontBox& b = Box();
  b.gdipFont.Reset();
  b.gdipFamily.Reset();
  std::wstring face = win::Widen(family);
  if (flat::GdipCreateFontFamilyFromName(face.c_str(), nullptr, b.gdipFamily.Out()) == gp::Ok && b.gdipFamily)
    flat::GdipCreateFont(b.gdipFamily.Get(), float(size), gp::FontStyleRegular, gp::UnitPixel, b.gdipFont.Out());
  if (control) InvalidateRect(control, nullptr, FALSE);
}

// The edit field's and the grid's font follow the family.
void FollowFamily() {
  FontBox& b = Box();
  if (!b.text) return;
  std::string family = ComboText(b.family);
  win::WindowDC screen(nullptr);
  int height = -MulDiv(11, GetDeviceCaps(screen, LOGPIXELSY), 72);
  b.editFont.Reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, family.c_str()));
  SendMessageA(b.edit, WM_SETFONT, WPARAM(b.editFont.Get()), TRUE);
  SetCharGridFont(b.grid, family);
  SETGDIPFONT(b.window, family, ChosenSize());
}

void RepaintPreview() {
  FontBox& b = Box();
  InvalidateRect(b.window, &b.preview, FALSE);
}

void ShowTrackValue(int i) {
  FontBox& b = Box();
  SetWindowTextA(b.values[i], std::to_string(SKGETTRACKPOS(b.tracks[i])).c_str());
  if (i > 0) SetSwatchColour(b.swatch, ChosenRgb());
  RepaintPreview();
}

void PaintPreview(HDC dc) {
  FontBox& b = Box();
  const RECT& r = b.preview;
  int w = r.right - r.left, h = r.bottom - r.top;
  win::MemoryDC mem(dc, w, h);
  SKTILEBLT(mem, 0, 0, w, h, SKCTLBACK());
  SKDRAWRECT3D(mem, 0, 0, w - 1, h - 1, SKGETSYSCOLOR(118), SKGETSYSCOLOR(119));
  int shadow = SKGETCHECK(b.depth) ? 2 : 0;
  if (b.text) {
    char buffer[1025] = {};
    GetWindowTextA(b.edit, buffer, sizeof buffer);
    std::string text = TrimmedText(buffer);
    if (!text.empty() && b.gdipFont) DRAWSHADOWTEXT(mem, text, 6, 6, ChosenColour(), 4, b.gdipFont.Get(), shadow);
  } else {
    FontBoxParams& p = FONTBOXPARAMS();
    int kind = int(p.kindAndStyle & 0xFFFF);
    int pen = ChosenSize();
    int m = std::min(pen / 2 + 8, h / 3);
    std::vector<layer::Point> points;
    if (kind == layer::kCurve || kind == layer::kPolyline)
      points = {{0, int16_t(h - 2 * m)}, {int16_t((w - 2 * m) / 3), 0}, {int16_t(2 * (w - 2 * m) / 3), int16_t(h - 2 * m)},
                {int16_t(w - 2 * m), 0}};
    else
      points = {{0, 0}, {int16_t(w - 2 * m), int16_t(h - 2 * m)}};
    DRAWSHAPE(mem, m, m, int(points.size()), shapes::PointBuffer(points), ChosenColour(), shadow, pen, p.kindAndStyle);
  }
  BitBlt(dc, r.left, r.top, w, h, mem, 0, 0, SRCCOPY);
}

void Finish(int answer) {
  FontBox& b = Box();
  if (b.done) return;
  FONTBOXPARAMS().answer = answer;
  b.done = true;
  // The main window comes back and takes the activation before the box goes.
  if (HWND frame = App().frame) {
    EnableWindow(frame, TRUE);
    if (b.window && GetForegroundWindow() == b.window) SetForegroundWindow(frame);
  }
  if (b.window) DestroyWindow(b.window);
  b.window = nullptr;
  b.gdipFont.Reset();
  b.gdipFamily.Reset();
}

void ReadValues() {
  FontBox& b = Box();
  FontBoxParams& p = FONTBOXPARAMS();
  p.size = ChosenSize();
  p.colour = ChosenColour();
  p.shadow = SKGETCHECK(b.depth) ? 2 : 0;
  if (b.text) {
    p.family = ComboText(b.family);
    char buffer[1025] = {};
    GetWindowTextA(b.edit, buffer, sizeof buffer);
    p.text = buffer;
    p.kindAndStyle = 0;  // the text box does not use it
  }
}

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM combo) {
  HWND c = reinterpret_cast<HWND>(combo);
  if (font->lfFaceName[0] != '@' &&
      SendMessageA(c, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(font->lfFaceName)) == CB_ERR)
    SendMessageA(c, CB_ADDSTRING, 0, LPARAM(font->lfFaceName));
  return 1;
}

// The size list: 8 (texts) or 1 (pens) to 512; the first entry beginning with the
// current size's digits is selected.
void FillSizes(HWND combo, int from, int size) {
  for (int n = from; n <= kMaxSize; ++n) SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(std::to_string(n).c_str()));
  LRESULT at = SendMessageA(combo, CB_FINDSTRING, WPARAM(-1), LPARAM(std::to_string(size).c_str()));
  SendMessageA(combo, CB_SETCURSEL, WPARAM(at == CB_ERR ? 0 : at), 0);
}

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(INT_PTR(id)); }

void CreateControls(HWND box, const BoxLabels& labels, const FontBoxLayout& l) {
  FontBox& b = Box();
  FontBoxParams& p = FONTBOXPARAMS();
  HINSTANCE instance = App().instance;
  if (b.text) {
    b.family = CreateWindowExA(0, "COMBOBOX", "",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                   CBS_HASSTRINGS | CBS_SORT,
                               l.family.left, l.family.top, l.family.Width(), 300, box, ControlId(kFontFamily),
                               instance, nullptr);
    {
      win::WindowDC screen(nullptr);
      LOGFONTA any{};
      any.lfCharSet = DEFAULT_CHARSET;
      EnumFontFamiliesExA(screen, &any, AddFamily, LPARAM(b.family), 0);
    }
    LRESULT at = SendMessageA(b.family, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(p.family.c_str()));
    if (at == CB_ERR) at = SendMessageA(b.family, CB_ADDSTRING, 0, LPARAM(p.family.c_str()));
    SendMessageA(b.family, CB_SETCURSEL, WPARAM(at), 0);
  }
  BoxLabel(box, labels.size, l.sizeLabel.left, l.sizeLabel.top, l.sizeLabel.Width(), l.sizeLabel.Height());
  b.size = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                           l.size.left, l.size.top, l.size.Width(), 300, box, ControlId(kFontSize), instance, nullptr);
  SendMessageA(b.size, WM_SETFONT, WPARAM(SKDEFAULTFONT()), FALSE);
  int size = p.size > 0 ? p.size : (b.text ? kDefaultTextSize : kDefaultPenWidth);
  FillSizes(b.size, b.text ? 8 : 1, size);
  int style = int(p.kindAndStyle >> 16);
  if (!b.text && (style == 2 || style == 3 || style == 4)) EnableWindow(b.size, FALSE);  // fills take no pen
  CREATECOLORPICK(box, l.pick.left, l.pick.top, l.pick.Width(), l.pick.Height(), kFontPick);
  b.swatch = CREATESWATCH(box, l.swatch.left, l.swatch.top, l.swatch.Width(), l.swatch.Height(), kFontSwatch,
                          RGB((p.colour >> 16) & 0xFF, (p.colour >> 8) & 0xFF, p.colour & 0xFF));
  int bytes[4] = {int(p.colour >> 24), int((p.colour >> 16) & 0xFF), int((p.colour >> 8) & 0xFF), int(p.colour & 0xFF)};
  for (int i = 0; i < 4; ++i) {
    const LayoutRect& label = l.colourLabels[i];
    const LayoutRect& track = l.tracks[i];
    const LayoutRect& value = l.values[i];
    BoxLabel(box, labels.colours[i], label.left, label.top, label.Width(), label.Height());
    b.tracks[i] = SKTRACKBAR(box, track.left, track.top, track.Width(), track.Height(), kFontAlpha + i, 0, 255);
    SKSETTRACKPOS(b.tracks[i], bytes[i]);
    b.values[i] = LABELPROC(box, std::to_string(bytes[i]), value.left, value.top, value.Width(), value.Height(),
                            kFontValueLabel + i);
  }
  b.depth = SKCHECKBUTTON(box, labels.depth, l.depth.left, l.depth.top, l.depth.Width(), l.depth.Height(), kFontDepth);
  SKSETCHECK(b.depth, p.shadow != 0 ? 1 : 0);
  if (b.text) {
    b.edit = SKINPUT(box, p.text, l.text.left, l.text.top, l.text.Width(), l.text.Height(), kFontText, 1024);
    b.grid = CreateCharGrid(box, l.grid.left, l.grid.top, l.gridShape, kFontGrid, b.edit);
  }
  b.preview = RECT{l.preview.left, l.preview.top, l.preview.right, l.preview.bottom};
  SKBUT3D(box, "OK", l.ok.left, l.ok.top, l.ok.Width(), l.ok.Height(), kFontOk);
}

int RunBox(HWND owner, const std::string& caption, bool text) {
  FontBox& b = Box();
  b.done = false;
  b.text = text;
  b.editFont.Reset();
  FontBoxParams& p = FONTBOXPARAMS();
  p.answer = 0;
  BoxLabels labels = COLORLABELS(p.labels.empty() ? Ui(46) : p.labels);
  FontBoxLayout layout = LayOutFontBox(text, kCell);
  const char* className = text ? kFontBoxClass : kDrawBoxClass;
  HWND box = MakeBox(className, text ? FONTBOXPROC : DRAWBOXPROC, caption.empty() ? labels.caption : caption,
                     layout.clientWidth, layout.clientHeight);
  if (!box) return 0;
  b.window = box;
  CreateControls(box, labels, layout);
  if (text) FollowFamily();
  (void)owner;  // the boxes are owned by the main window and centred on it
  bravik::RunBox(box, text ? b.edit : b.tracks[1], [] { return Box().done; }, [](int r) { Finish(r == 0 ? 1 : r); });
  return p.answer;
}

LRESULT BoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(box, message, wParam, lParam)) return answer;
  FontBox& b = Box();
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(box, &r);
      SKTILEBLT(reinterpret_cast<HDC>(wParam), 0, 0, r.right, r.bottom, SKCTLBACK());
      return 1;
    }
    case WM_PAINT: {
      win::PaintDC dc(box);
      if (b.window == box) PaintPreview(dc);
      return 0;
    }
    case WM_DRAWITEM:
      if (wParam == kFontFamily) {
        DRAWFONTITEM(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_MEASUREITEM:
      if (wParam == kFontFamily) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18;
        return TRUE;
      }
      break;
    case WM_HSCROLL:
      for (int i = 0; i < 4; ++i)
        if (reinterpret_cast<HWND>(lParam) == b.tracks[i]) ShowTrackValue(i);
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kFontOk:
          if (b.text) ReadValues();
          else DRAWBOXVALUES(box);
          Finish(2);
          return 0;
        case kFontClose:
          Finish(1);
          return 0;
        case kFontFamily:
          if (HIWORD(wParam) == CBN_SELCHANGE) FollowFamily();
          return 0;
        case kFontSize:
          if (HIWORD(wParam) == CBN_SELCHANGE) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(kFontSize, CBN_EDITCHANGE), LPARAM(b.size));
          } else if (HIWORD(wParam) == CBN_EDITCHANGE) {
            if (b.text) SETGDIPFONT(nullptr, ComboText(b.family), ChosenSize());
            RepaintPreview();
          }
          return 0;
        case kFontText:
          if (HIWORD(wParam) == EN_CHANGE) RepaintPreview();
          return 0;
        case kFontDepth:
          RepaintPreview();
          return 0;
        case kFontPick:
          for (int i = 1; i < 4; ++i) ShowTrackValue(i);
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      Finish(1);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

}  // namespace

FontBoxParams& FONTBOXPARAMS() {
  static FontBoxParams params;
  return params;
}

int FONTBOX(HWND owner, const std::string& caption) { return RunBox(owner, caption, true); }
int DRAWBOX(HWND owner, const std::string& caption) { return RunBox(owner, caption, false); }

LRESULT CALLBACK FONTBOXPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return BoxMessage(box, message, wParam, lParam);
}

LRESULT CALLBACK DRAWBOXPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return BoxMessage(box, message, wParam, lParam);
}

void DRAWBOXVALUES(HWND) { ReadValues(); }

void DRAWFONTITEM(const DRAWITEMSTRUCT& item) {
  if (item.itemID == UINT(-1)) return;
  char name[LF_FACESIZE + 1] = {};
  if (SendMessageA(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0) <= LF_FACESIZE)
    SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, LPARAM(name));
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  COLORREF back = SKGETSYSCOLOR(selected ? kSkinSelectionBack : kSkinControlBack);
  COLORREF text = SKGETSYSCOLOR(selected ? kSkinSelectionText : kSkinControlText);
  const RECT& r = item.rcItem;
  SKFILLRECT(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, back);
  win::Font font(CreateFontA(-(r.bottom - r.top - 3), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, name));
  win::SelectObj selectedFont(item.hDC, font ? static_cast<HGDIOBJ>(font.Get()) : SKDEFAULTFONT());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, text);
  RECT t = r;
  t.left += 3;
  DrawTextA(item.hDC, name, -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
}

}  // namespace bravik
