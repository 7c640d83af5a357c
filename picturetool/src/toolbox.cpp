// RUNTOOLBOX and the filter box: a preview of the picture reduced to the preview window,
// the effect applied to it at every change of the value, and the effect applied to the
// whole picture by the apply button.
#include "toolbox.h"

#include <commctrl.h>

#include <algorithm>

#include "boxes.h"
#include "boxframe.h"
#include "fileio/file.h"
#include "imglib/codecs.h"
#include "imglib/imglib.h"
#include "imglib/transforms.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {
namespace {

constexpr int kPreviewWidth = 240;
constexpr int kPreviewHeight = 180;
constexpr int kMargin = 8;
constexpr COLORREF kPreviewBack = RGB(223, 223, 223);

struct FilterBox {
  HWND window = nullptr;
  HWND preview = nullptr;
  HWND field = nullptr;
  HWND track = nullptr;
  imglib::Raster reduced;  // the picture fitted into the preview
  imglib::Raster shown;    // the reduced picture with the effect
  int value = 0;
  bool updating = false;
  bool done = false;
};

FilterBox& Box() {
  static FilterBox box;
  return box;
}

void Finish(int result) { FinishToolBox(Box().window, Box().done, result); }

// The preview after a change of the value (clamped to the box's range).
void ShowValue(int value) {
  FilterBox& b = Box();
  ToolBoxParams& p = TOOLBOXPARAMS();
  int k = EffectRangeOf(p.boxIndex).index;
  value = std::clamp(value, p.minimum, p.maximum);
  if (k == kBoxSaturation) {
    bool apply = false;
    value = SaturationStep(b.value, value, apply);
  }
  b.value = value;
  p.value = value;
  b.shown = b.reduced;
  if (!b.shown.Empty()) APPLYEFFECT(b.shown, k, value, p.multiplier);
  b.updating = true;
  if (b.field && ControlNumber(b.field) != value) SetControlNumber(b.field, value);
  if (b.track) SKSETTRACKPOS(b.track, value);
  b.updating = false;
  if (b.preview) InvalidateRect(b.preview, nullptr, FALSE);
}

// Loads the picture and fits it into the preview; the effects without a value show at once.
void LoadPreview(const std::string& file) {
  FilterBox& b = Box();
  ToolBoxParams& p = TOOLBOXPARAMS();
  b.reduced.Clear();
  b.shown.Clear();
  imglib::Raster full;
  if (!LoadPixels(file, full)) return;
  int left, top, width, height;
  SKICONISE(full.Width(), full.Height(), kPreviewWidth - 4, kPreviewHeight - 4, left, top, width, height);
  if (!imglib::Resize(full, width, height, imglib::kSizeResample, b.reduced)) return;
  b.shown = b.reduced;
  if (PreviewsAtOnce(p.boxIndex)) {
    int value = p.boxIndex >= kBoxFirstEmboss && p.boxIndex <= kBoxLastEmboss ? EffectRangeOf(p.boxIndex).value : p.value;
    APPLYEFFECT(b.shown, p.boxIndex, value, p.multiplier);
  }
}

void Apply() {
  FilterBox& b = Box();
  ToolBoxParams& p = TOOLBOXPARAMS();
  int k = p.boxIndex;
  int value = HasValue(k) ? b.value : EffectRangeOf(k).value;
  if (!MakeToolResult(p.file, [&](imglib::Raster& full) { return APPLYEFFECT(full, k, value, p.multiplier); })) {
    Finish(0);
    return;
  }
  p.file = App().tempCopy;
  Finish(2);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    PaintPicture(dc, r, Box().shown, kPreviewBack);
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefSubclassProc(window, message, wParam, lParam);
}

void CreateControls(HWND box, const std::string& title) {
  FilterBox& b = Box();
  ToolBoxParams& p = TOOLBOXPARAMS();
  int x = kMargin, y = kMargin;
  b.preview = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_SUNKEN, x, y, kPreviewWidth, kPreviewHeight,
                              box, reinterpret_cast<HMENU>(INT_PTR(kBoxPreview)), App().instance, nullptr);
  SetWindowSubclass(b.preview, PreviewProc, 1, 0);
  y += kPreviewHeight + kMargin;
  if (HasValue(p.boxIndex)) {
    // The value's label is the title's text after its first "|" (or the title).
    std::vector<std::string> labels;
    SKSPLITS(title, "|", labels);
    BoxLabel(box, labels.size() > 1 ? labels[1] : labels[0], x, y + 3, 90, 16);
    bool signedRange = p.minimum < 0;
    b.field = SKINPUT(box, std::to_string(p.value), x + 94, y, 56, 22, kBoxValueField, 6, signedRange ? 0 : p.minimum,
                      signedRange ? 0 : p.maximum);
    b.track = SKTRACKBAR(box, x + 154, y, kPreviewWidth - 154, 24, kBoxValueTrack, p.minimum, p.maximum);
    SKSETTRACKPOS(b.track, p.value);
    y += 24 + kMargin;
  }
  ApplyCancelButtons(box, x, y, kPreviewWidth, kMargin);
}

int ClientHeight() { return kMargin + kPreviewHeight + kMargin + (HasValue(TOOLBOXPARAMS().boxIndex) ? 24 + kMargin : 0) + 24 + kMargin; }

}  // namespace

ToolBoxParams& TOOLBOXPARAMS() {
  static ToolBoxParams params;
  return params;
}

void SetEffectDefaults(int boxIndex) {
  ToolBoxParams& p = TOOLBOXPARAMS();
  EffectRange r = EffectRangeOf(boxIndex);
  p.minimum = r.minimum;
  p.maximum = r.maximum;
  p.value = r.value;
  p.multiplier = r.multiplier;
}

void FinishToolBox(HWND& window, bool& done, int result) {
  if (done) return;
  ToolBoxParams& p = TOOLBOXPARAMS();
  if (result <= 1) p.file.clear();
  p.boxIndex = result;
  done = true;
  // The main window comes back before the box goes: a box that goes while its owner is
  // still disabled hands the activation to another program's window.
  if (HWND frame = App().frame) {
    EnableWindow(frame, TRUE);
    if (window && GetForegroundWindow() == window) SetForegroundWindow(frame);
  }
  if (window) DestroyWindow(window);
  window = nullptr;
}

void ApplyCancelButtons(HWND box, int x, int y, int width, int gap) {
  std::vector<std::string> captions;
  SKSPLITS(Ui(69).empty() ? std::string("Cancel|Apply") : Ui(69), "|", captions);
  int w = (width - gap) / 2;
  SKBUT3D(box, captions.size() > 1 ? captions[1] : "Apply", x, y, w, 24, kBoxApply);
  SKBUT3D(box, captions[0], x + w + gap, y, w, 24, kBoxCancel);
}

bool LoadPixels(const std::string& path, imglib::Raster& out) {
  imglib::BitmapOwner picture;
  return !path.empty() && L_LoadBitmap(path, picture.Get(), 24) == imglib::kSuccess && imglib::ToRaster(*picture, out);
}

bool WriteToolResult(const imglib::Raster& pixels) {
  ToolState& t = App();
  std::string bytes;
  if (imglib::EncodePicture(pixels, imglib::kFormatBmp, 24, 0, bytes) != imglib::kSuccess) return false;
  SKKILLFILE(t.tempLayer);
  return fileio::WriteFileReplacing(t.tempCopy, bytes) == fileio::kOk;
}

bool MakeToolResult(const std::string& source, const std::function<bool(imglib::Raster&)>& change) {
  SKCURSORWAIT();
  imglib::Raster picture;
  bool made = LoadPixels(source, picture) && change(picture) && WriteToolResult(picture);
  SKCURSORSTD();
  if (!made) ErrorBox(App().tempCopy + Ui(58));
  return made;
}

int RUNTOOLBOX(std::string& file, const std::string& title, int& width, int& height, int value, int boxIndex) {
  ToolBoxParams& p = TOOLBOXPARAMS();
  p.file = file;
  p.value = std::clamp(value, p.minimum, std::max(p.minimum, p.maximum));
  p.boxIndex = boxIndex;
  std::string caption = title;
  if (width != 0 || height != 0) {
    std::string size = Ui(14);
    for (size_t at = size.find('@'); at != std::string::npos; at = size.find('@')) size.replace(at, 1, std::to_string(width));
    for (size_t at = size.find('#'); at != std::string::npos; at = size.find('#')) size.replace(at, 1, std::to_string(height));
    caption += size;
  }
  int result;
  if (boxIndex == kBoxResize || boxIndex == kBoxNewPicture) {
    p.minimum = width;
    p.maximum = height;
    result = RunSizeBox(caption);
    width = p.minimum;
    height = p.maximum;
  } else {
    FilterBox& b = Box();
    b = FilterBox{};
    b.value = p.value;
    LEADTOOLPROC(nullptr, kBoxLoadPicture, 0, reinterpret_cast<LPARAM>(p.file.c_str()));
    int clientWidth = kPreviewWidth + 2 * kMargin;
    HWND box = MakeBox(kFilterBoxClass, LEADTOOLPROC, caption, clientWidth, ClientHeight());
    if (!box) return 0;
    b.window = box;
    CreateControls(box, caption);
    LEADTOOLPROC(box, kBoxPreparePreview, 0, 0);
    RunBox(box, b.field ? b.field : GetDlgItem(box, kBoxApply), [] { return Box().done; }, [](int r) { Finish(r); });
    result = p.boxIndex;
  }
  file = result > 1 ? p.file : std::string();
  return result;
}

LRESULT CALLBACK LEADTOOLPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kBoxLoadPicture) {
    LoadPreview(reinterpret_cast<const char*>(lParam));
    return 0;
  }
  if (message == kBoxPreparePreview) {
    if (Box().preview) InvalidateRect(Box().preview, nullptr, FALSE);
    return 0;
  }
  if (LRESULT answer = SKGETMESSAGE(box, message, wParam, lParam)) return answer;
  FilterBox& b = Box();
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kBoxApply:
          Apply();
          return 0;
        case kBoxCancel:
          Finish(0);
          return 0;
        case kBoxValueField:
          if (HIWORD(wParam) == EN_CHANGE && !b.updating) ShowValue(ControlNumber(b.field));
          return 0;
        default:
          break;
      }
      break;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == b.track && b.track) ShowValue(SKGETTRACKPOS(b.track));
      return 0;
    case WM_CLOSE:
      Finish(0);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

}  // namespace bravik
