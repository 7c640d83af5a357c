#include "pictures.h"

#include <algorithm>
#include <map>

#include "boxes.h"
#include "commands.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "grilton/picture_list.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/thumbnails.h"
#include "grilton/transparent_blit.h"
#include "imglib/imglib.h"
#include "skin/sk_draw.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"
#include "win/window_class.h"
#include "zoom.h"

namespace grilton {

namespace {

constexpr const char* kSlideFrameClass = "DIABOX";
constexpr COLORREF kSlideTransparent = RGB(255, 0, 255);
constexpr int kPerforationBand = 13;

int stripFirst = 0;  // the list index shown in the strip's first frame

// The slide frame: the "DIAPO" picture stretched to one strip frame, kept in a memory
// bitmap, and the perforation tile of the strip's edges.
struct SlideFrame {
  HWND window = nullptr;
  win::Bitmap diapo;
  win::Bitmap stretched;
  win::Bitmap perforation;
};

SlideFrame& Slide() {
  static SlideFrame frame;
  return frame;
}

int FrameWidth(HWND strip) {
  RECT r;
  GetClientRect(strip, &r);
  return std::max<int>(1, r.right / kStripFrames);
}

// Outlined number: yellow on black at (x + 14, 14).
void OutlinedNumber(HDC dc, int number, int x) {
  SkPrintOutlined(dc, x + 13, 13, std::to_string(number), RGB(255, 255, 0), RGB(0, 0, 0), nullptr);
}

void DrawFrame(HDC dc, int frame, int frameWidth, int height) {
  Grilton& a = App();
  int index = stripFirst + frame;
  int x = frame * frameWidth;
  SKFILLRECT(dc, x, 0, frameWidth, height, RGB(24, 24, 24));
  // Film perforations along the top and bottom edges.
  if (HBITMAP band = Slide().perforation.Get()) {
    SKTILEBLT(dc, x, 0, frameWidth, kPerforationBand, band);
    SKTILEBLT(dc, x, height - kPerforationBand, frameWidth, kPerforationBand, band);
  }
  if (index < 0 || index >= int(a.pictures.size())) return;
  const int boxW = frameWidth - 12, boxH = height - 34;
  int w = 0, h = 0, colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  win::Bitmap thumb(LOADTHUMB(a.pictures[size_t(index)], boxW, boxH, w, h, colours, bits, hasLayer, 0));
  if (thumb) {
    int tw = 0, th = 0;
    SKGETPIXMAPSIZE(thumb.Get(), tw, th);
    int left = 0, top = 0, fw = 0, fh = 0;
    SKICONISE(w, h, boxW, boxH, left, top, fw, fh);
    win::CompatibleDC source(dc);
    win::SelectObj select(source, thumb.Get());
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, x + 6 + left, 17 + top, fw, fh, source, 0, 0, std::min(tw, fw), std::min(th, fh), SRCCOPY);
  }
  OutlinedNumber(dc, index + 1, x);
}

void PaintStrip(HWND strip) {
  win::PaintDC paint(strip);
  RECT r;
  GetClientRect(strip, &r);
  win::MemoryDC memory(paint, r.right, r.bottom);
  if (!memory) return;
  int fw = FrameWidth(strip);
  for (int f = 0; f < kStripFrames; ++f) DrawFrame(memory, f, fw, r.bottom);
  BitBlt(paint, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
}

void MoveSlideFrame() {
  Grilton& a = App();
  SlideFrame& f = Slide();
  if (!f.window || !a.strip) return;
  int frame = a.current - stripFirst;
  if (a.current < 0 || frame < 0 || frame >= kStripFrames) {
    ShowWindow(f.window, SW_HIDE);
    return;
  }
  int fw = FrameWidth(a.strip);
  SetWindowPos(f.window, HWND_TOP, frame * fw, 0, fw, kStripHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(f.window, nullptr, FALSE);
}

// The slide frame shows its strip frame with the "DIAPO" picture laid over it.
LRESULT CALLBACK SlideFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SlideFrame& f = Slide();
  switch (message) {
    case WM_CREATE: {
      f.diapo = win::Bitmap(LoadBitmapA(App().instance, "DIAPO"));
      RECT r;
      GetClientRect(window, &r);
      win::WindowDC screen(nullptr);
      win::MemoryDC memory(screen, std::max<LONG>(1, r.right), kStripHeight);
      StretchToDC(memory, f.diapo.Get(), memory.Width(), memory.Height());
      f.stretched = win::Bitmap(memory.ReleaseBitmap());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE: {
      win::WindowDC screen(nullptr);
      win::MemoryDC memory(screen, std::max(1, int(LOWORD(lParam))), kStripHeight);
      StretchToDC(memory, f.diapo.Get(), memory.Width(), memory.Height());
      f.stretched = win::Bitmap(memory.ReleaseBitmap());
      return 0;
    }
    case WM_PAINT: {
      win::PaintDC paint(window);
      RECT r;
      GetClientRect(window, &r);
      win::MemoryDC memory(paint, r.right, r.bottom);
      if (!memory) return 0;
      Grilton& a = App();
      // The frame as the strip draws it, moved to this window's left edge.
      int frame = a.current - stripFirst;
      SetViewportOrgEx(memory, -frame * r.right, 0, nullptr);
      DrawFrame(memory, frame, r.right, r.bottom);
      SetViewportOrgEx(memory, 0, 0, nullptr);
      win::CompatibleDC source(paint);
      win::SelectObj select(source, f.stretched.Get());
      DIAPOTRANSBLT(memory, 0, 0, r.right, r.bottom, source, 0, 0, int32_t(kSlideTransparent));
      BitBlt(paint, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONUP: {
      // Clicks belong to the strip underneath.
      POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
      MapWindowPoints(window, App().strip, &p, 1);
      return SendMessageA(App().strip, message, wParam, MAKELPARAM(p.x, p.y));
    }
    case WM_DESTROY:
      f.stretched.Reset();
      f.diapo.Reset();
      f.window = nullptr;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK StripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintStrip(strip);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int frame = short(LOWORD(lParam)) / FrameWidth(strip);
      int index = stripFirst + frame;
      if (index < int(App().pictures.size())) SelectPicture(index);
      return 0;
    }
    case WM_RBUTTONDOWN:
      ShowZoom(stripFirst + short(LOWORD(lParam)) / FrameWidth(strip));
      return 0;
    default:
      return DefWindowProcA(strip, message, wParam, lParam);
  }
}

void ShowCount() {
  Grilton& a = App();
  if (a.countDisplay) SetWindowTextA(a.countDisplay, std::to_string(a.pictures.size()).c_str());
}

void KeepCurrentInStrip() {
  Grilton& a = App();
  int count = int(a.pictures.size());
  if (a.current < stripFirst) stripFirst = a.current;
  if (a.current >= stripFirst + kStripFrames) stripFirst = a.current - kStripFrames + 1;
  stripFirst = std::clamp(stripFirst, 0, std::max(0, count - 1));
}

void ShowCurrent() {
  Grilton& a = App();
  if (a.current >= 0 && a.current < int(a.pictures.size()))
    FillForm(a.pictures[size_t(a.current)]);
  else
    ClearForm();
  EnableSoundButtons();
  RefreshView();
}

}  // namespace

HWND CreateStrip(HWND parent, int x, int y, int width) {
  Grilton& a = App();
  if (!win::RegisterClassOnce({.name = kStripClass, .procedure = StripProc, .instance = a.instance,
                               .style = CS_DBLCLKS}))
    return nullptr;
  HWND strip = CreateWindowExA(0, kStripClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                               kStripHeight, parent, nullptr, a.instance, nullptr);
  SlideFrame& f = Slide();
  f.perforation = win::Bitmap(LoadBitmapA(a.instance, "CRAN"));
  if (strip && win::RegisterClassOnce({.name = kSlideFrameClass, .procedure = SlideFrameProc, .instance = a.instance,
                                       .style = CS_DBLCLKS}))
    f.window = CreateWindowExA(0, kSlideFrameClass, "", WS_CHILD, 0, 0, width / kStripFrames, kStripHeight, strip,
                               nullptr, a.instance, nullptr);
  return strip;
}

void RefreshView() {
  ShowCount();
  if (App().strip) InvalidateRect(App().strip, nullptr, FALSE);
  MoveSlideFrame();
}

std::string CurrentPicture() {
  Grilton& a = App();
  return a.current >= 0 && a.current < int(a.pictures.size()) ? a.pictures[size_t(a.current)] : std::string();
}

void SetPictureList(std::vector<std::string> pictures) {
  Grilton& a = App();
  a.pictures = std::move(pictures);
  a.current = a.pictures.empty() ? -1 : 0;
  stripFirst = 0;
  ShowCurrent();
}

void ListFolder(const std::string& folder) {
  Grilton& a = App();
  ListingHooks hooks;
  hooks.pictureSize = [](const std::string& path, int& width, int& height) {
    ImgFileInfo info{};
    if (L_FileInfo(path, &info) != 1) return false;
    width = info.width;
    height = info.height;
    return true;
  };
  hooks.between = [&a](int count) {
    if (a.countDisplay) SetWindowTextA(a.countDisplay, std::to_string(count).c_str());
    return EscapeCheck();
  };
  SKCURSORWAIT();
  std::vector<std::string> list = ListPictures(fileio::WithTrailingSeparator(folder) + "*.*", hooks);
  SKCURSORSTD();
  a.listByMessage = false;
  SetPictureList(std::move(list));
}

bool HasWorkFiles() {
  std::string document = WorkDocument(), sound = WorkSound();
  return (!document.empty() && fileio::Exists(document)) || (!sound.empty() && fileio::Exists(sound));
}

void DiscardWorkFiles() {
  for (const std::string& file : {WorkDocument(), WorkSound()})
    if (!file.empty() && fileio::Exists(file)) RECYCLEFILE(file, 0);
  EnableSoundButtons();
}

bool MayLeavePicture() {
  Grilton& a = App();
  if (a.recording) {
    WarningBox(Ui(73));
    return false;
  }
  if (!HasWorkFiles()) return true;
  if (!AskYesNo(Ui(76))) return false;
  DiscardWorkFiles();
  return true;
}

bool SelectPicture(int index) {
  Grilton& a = App();
  if (index < 0 || index >= int(a.pictures.size()) || index == a.current) return false;
  if (!MayLeavePicture()) return false;
  a.current = index;
  KeepCurrentInStrip();
  ShowCurrent();
  return true;
}

void DropCurrentPicture() {
  Grilton& a = App();
  if (a.current < 0 || a.current >= int(a.pictures.size())) return;
  a.pictures.erase(a.pictures.begin() + a.current);
  if (a.current >= int(a.pictures.size())) a.current = int(a.pictures.size()) - 1;
  stripFirst = std::max(0, std::min(stripFirst, int(a.pictures.size()) - kStripFrames));
  if (a.current >= 0) KeepCurrentInStrip();
  ShowCurrent();
}

void StepStrip(int command) {
  Grilton& a = App();
  int count = int(a.pictures.size());
  int first = StripFirstAfter(command, stripFirst, count);
  if (first < 0) return;
  // The slide frame stays where it is; the picture under it becomes current.
  int frame = std::clamp(a.current - stripFirst, 0, kStripFrames - 1);
  int target = PictureUnderFrame(first, frame, count);
  if (target != a.current && !MayLeavePicture()) return;
  stripFirst = first;
  a.current = target;
  ShowCurrent();
}

}  // namespace grilton
