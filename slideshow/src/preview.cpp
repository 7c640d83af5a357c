#include "preview.h"

#include <algorithm>
#include <vector>

#include "boxes.h"
#include "dunmere/show_format.h"
#include "dunmere/side_data.h"
#include "dunmere/ui_rules.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imaging/thumbnails.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace dunmere {

namespace {

std::string ListFilePath(int group) {
  std::string file = EffectListFile(Ui(40), group);
  if (file.empty()) return file;
  file = fileio::ExpandPathMacros(file, ShowPathMacros(App().programFolder));
  bool absolute = file.find(':') != std::string::npos || (file.size() > 1 && fileio::IsSeparator(file[0]));
  return absolute ? file : App().programFolder + file;
}

// The pane's memory bitmap, made for its current size.
HDC PaneMemory() {
  HWND pane = App().preview;
  RECT r;
  GetClientRect(pane, &r);
  HDC mem = SKGETHDCMEMBMP(pane);
  if (mem) {
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(mem, OBJ_BITMAP));
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info) && info.bmWidth == r.right && info.bmHeight == r.bottom)
      return mem;
  }
  return SKCREATEMEMBMP(pane, std::max<LONG>(1, r.right), std::max<LONG>(1, r.bottom));
}

void FillBackground(HDC dc, int width, int height) {
  if (HBITMAP tile = SKCTLBACK()) SKTILEBLT(dc, 0, 0, width, height, tile);
  else SKFILLRECT(dc, 0, 0, width, height, SKGETSYSCOLOR(kSkinWindowBack));
}

}  // namespace

void ClearPreviewPane() {
  HWND pane = App().preview;
  if (!pane) return;
  RECT r;
  GetClientRect(pane, &r);
  if (HDC mem = PaneMemory()) FillBackground(mem, r.right, r.bottom);
  InvalidateRect(pane, nullptr, FALSE);
}

void PAINTPREVIEW(const std::string& path) {
  HWND pane = App().preview;
  if (!pane) return;
  RECT r;
  GetClientRect(pane, &r);
  HDC mem = PaneMemory();
  if (!mem) return;
  FillBackground(mem, r.right, r.bottom);
  int width = 0, height = 0, colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  win::Bitmap picture(path.empty() ? nullptr
                                    : LOADTHUMB(path, r.right, r.bottom, width, height, colours, bits, hasLayer, 0));
  if (picture) {
    int left = 0, top = 0, fitWidth = 0, fitHeight = 0;
    SKICONISE(width, height, r.right, r.bottom, left, top, fitWidth, fitHeight);
    win::CompatibleDC source(mem);
    win::SelectObj selected(source, picture.Get());
    BitBlt(mem, left, top, fitWidth, fitHeight, source, 0, 0, SRCCOPY);
  }
  InvalidateRect(pane, nullptr, FALSE);
}

void PaintPreviewPane(HWND pane) {
  win::PaintDC dc(pane);
  RECT r;
  GetClientRect(pane, &r);
  HDC mem = SKGETHDCMEMBMP(pane);
  if (mem) BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
  else FillBackground(dc, r.right, r.bottom);
  COLORREF dark = SKGETSYSCOLOR(kSkinEdgeDark), light = SKGETSYSCOLOR(kSkinEdgeLight);
  SKDRAWRECT3D(dc, 0, 0, r.right, r.bottom, dark, light);
}

void LOADLISTFILE() {
  State& s = App();
  if (!s.groupBox || !s.effectList) return;
  int group = int(SendMessageA(s.groupBox, CB_GETCURSEL, 0, 0));
  if (group < 0) return;
  std::string file = ListFilePath(group);
  if (file.empty() || !fileio::Exists(file)) {
    SendMessageA(s.effectList, LB_RESETCONTENT, 0, 0);
    MESSAGEBOX(file + "|" + SKWINERR(2));
    return;
  }
  std::string text;
  fileio::ReadWholeFile(file, text);
  SendMessageA(s.effectList, WM_SETREDRAW, FALSE, 0);
  SendMessageA(s.effectList, LB_RESETCONTENT, 0, 0);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(s.effectList, WM_GETFONT, 0, 0));
  int widest = 0;
  for (const auto& line : SplitLines(text)) {
    if (fileio::Trim(line).empty()) continue;
    SendMessageA(s.effectList, LB_ADDSTRING, 0, LPARAM(line.c_str()));
    int w = 0, h = 0;
    SKGETTEXTEXTENT(font ? font : SKDEFAULTFONT(), line, w, h);
    widest = std::max(widest, w + 8);
  }
  SendMessageA(s.effectList, LB_SETHORIZONTALEXTENT, WPARAM(widest), 0);
  SendMessageA(s.effectList, LB_SETCURSEL, 0, 0);
  SendMessageA(s.effectList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(s.effectList, nullptr, TRUE);
}

int ChosenEffectId() {
  State& s = App();
  int group = s.groupBox ? int(SendMessageA(s.groupBox, CB_GETCURSEL, 0, 0)) : -1;
  int index = s.effectList ? int(SendMessageA(s.effectList, LB_GETCURSEL, 0, 0)) : -1;
  if (group < 0 || index < 0) return -1;
  return EffectId(group, index);
}

std::string ChosenEffectEntry() {
  State& s = App();
  int index = s.effectList ? int(SendMessageA(s.effectList, LB_GETCURSEL, 0, 0)) : -1;
  if (index < 0) return {};
  LRESULT len = SendMessageA(s.effectList, LB_GETTEXTLEN, WPARAM(index), 0);
  std::string text(size_t(std::max<LRESULT>(0, len)) + 1, '\0');
  LRESULT got = SendMessageA(s.effectList, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(size_t(std::max<LRESULT>(0, got)));
  return text;
}

void SelectEffect(int id) {
  State& s = App();
  if (!s.groupBox || id < kFirstEffectId) return;
  int group = EffectGroup(id), index = EffectIndex(id);
  if (group >= int(SendMessageA(s.groupBox, CB_GETCOUNT, 0, 0))) return;
  if (int(SendMessageA(s.groupBox, CB_GETCURSEL, 0, 0)) != group) {
    SendMessageA(s.groupBox, CB_SETCURSEL, WPARAM(group), 0);
    LOADLISTFILE();
  }
  if (index < int(SendMessageA(s.effectList, LB_GETCOUNT, 0, 0))) SendMessageA(s.effectList, LB_SETCURSEL, WPARAM(index), 0);
}

void PreviewTransition() {
  // The transition itself is played by the effect painter; the pane ends on the picture.
  if (!App().currentSlide.empty()) PAINTPREVIEW(App().currentSlide);
}

}  // namespace dunmere
