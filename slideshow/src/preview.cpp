#include "preview.h"

#include <algorithm>
#include <vector>

#include "boxes.h"
#include "dunmere/effect_choice.h"
#include "dunmere/transition_paint.h"
#include "dunmere/show_format.h"
#include "dunmere/side_data.h"
#include "dunmere/ui_rules.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imaging/thumbnails.h"
#include "imglib/imglib.h"
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

// The pane's picture: the skin's background with the picture fitted and centred on it.
void ComposePreview(HDC dc, int width, int height, const std::string& path) {
  FillBackground(dc, width, height);
  int pictureWidth = 0, pictureHeight = 0, colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  win::Bitmap picture(path.empty() ? nullptr
                                    : LOADTHUMB(path, width, height, pictureWidth, pictureHeight, colours, bits,
                                                hasLayer, 0));
  if (!picture) return;
  int left = 0, top = 0, fitWidth = 0, fitHeight = 0;
  SKICONISE(pictureWidth, pictureHeight, width, height, left, top, fitWidth, fitHeight);
  win::CompatibleDC source(dc);
  win::SelectObj selected(source, picture.Get());
  BitBlt(dc, left, top, fitWidth, fitHeight, source, 0, 0, SRCCOPY);
}

// ---- The running preview ------------------------------------------------------------------

// How long the status callback pumps at least: the pace of the imaging painter's frames.
constexpr DWORD kPreviewFrameMs = 15;

bool gPreviewRunning = false;
bool gPreviewAbort = false;

EffectPlugin& Plugin() {
  // Loaded on first use and kept for the program's life.
  static EffectPlugin plugin;
  return plugin;
}

bool StopsPreview(const MSG& m) {
  if (m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN) return true;
  if (m.message != WM_KEYDOWN) return false;
  switch (m.wParam) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_ESCAPE: return true;
    default: return false;
  }
}

}  // namespace

int CALLBACK _statuscallback(int /*percentComplete*/, void* /*userData*/) {
  if (!gPreviewAbort && PumpDuringTransition(StopsPreview, GetTickCount(), kPreviewFrameMs)) gPreviewAbort = true;
  return gPreviewAbort ? imglib::kUserAbort : imglib::kSuccess;
}

bool PreviewRunning() { return gPreviewRunning; }

void StopPreview() {
  if (gPreviewRunning) gPreviewAbort = true;
}

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
  ComposePreview(mem, r.right, r.bottom, path);
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
  State& s = App();
  if (gPreviewRunning || !s.preview || s.currentSlide.empty()) return;
  RECT r;
  GetClientRect(s.preview, &r);
  if (r.right <= 0 || r.bottom <= 0) return;
  imglib::BitmapOwner picture;
  if (L_CreateBitmap(picture.Get(), r.right, r.bottom, 24) != imglib::kSuccess) return;
  if (HDC dc = L_CreateLeadDC(picture.Get())) {
    ComposePreview(dc, r.right, r.bottom, s.currentSlide);
    L_DeleteLeadDC(dc);
  }
  int id = ChosenEffectId();
  EffectEntry entry = ParseEffectEntry(ChosenEffectEntry());
  TransitionPlan plan = PlanTransition(id < 0 ? kNoEffect : id, entry.step, entry.time,
                                       IsPluginEffect(id) ? SKCPUSPEED() : 0);
  if (plan.painter == TransitionPainter::kPlugin) Plugin().Load(s.programFolder);
  gPreviewRunning = true;
  gPreviewAbort = false;
  {
    win::WindowDC dc(s.preview);
    // The pane shows the slide already, and an effect starts from what the pane shows: from
    // the slide itself it would show no change at all. The preview starts from a clear pane.
    if (plan.painter == TransitionPainter::kImaging) FillBackground(dc, r.right, r.bottom);
    PaintSlideTransition(dc, r, *picture, plan, _statuscallback, &Plugin());
  }
  gPreviewRunning = false;
  gPreviewAbort = false;
  // The pane's own copy ends on the picture too.
  if (IsWindow(s.preview)) PAINTPREVIEW(s.currentSlide);
}

}  // namespace dunmere
