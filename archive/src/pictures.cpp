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
#include "imglib/imglib.h"
#include "skin/sk_draw.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace grilton {

namespace {

int stripFirst = 0;  // the list index shown in the strip's first frame

int FrameWidth(HWND strip) {
  RECT r;
  GetClientRect(strip, &r);
  return std::max<int>(1, r.right / kStripFrames);
}

// Outlined number: black at five offsets around (x + 13, 13), then yellow at (1, 1).
void OutlinedNumber(HDC dc, int number, int x) {
  std::string text = std::to_string(number);
  SetBkMode(dc, TRANSPARENT);
  win::SelectObj font(dc, SKDEFAULTFONT());
  const POINT black[] = {{1, 0}, {0, 1}, {2, 1}, {1, 2}, {2, 2}};
  SetTextColor(dc, RGB(0, 0, 0));
  for (POINT p : black) TextOutA(dc, x + 13 + p.x, 13 + p.y, text.c_str(), int(text.size()));
  SetTextColor(dc, RGB(255, 255, 0));
  TextOutA(dc, x + 14, 14, text.c_str(), int(text.size()));
}

void DrawFrame(HDC dc, int frame, int frameWidth, int height) {
  Grilton& a = App();
  int index = stripFirst + frame;
  int x = frame * frameWidth;
  SKFILLRECT(dc, x, 0, frameWidth, height, RGB(24, 24, 24));
  // Film perforations at the top and bottom.
  for (int px = x + 4; px + 6 < x + frameWidth; px += 12) {
    SKFILLRECT(dc, px, 3, 6, 7, RGB(200, 200, 190));
    SKFILLRECT(dc, px, height - 10, 6, 7, RGB(200, 200, 190));
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
  if (index == a.current) {
    win::Pen pen(CreatePen(PS_SOLID, 3, RGB(255, 0, 255)));
    win::SelectObj p(dc, pen.Get());
    win::SelectObj b(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, x + 2, 13, x + frameWidth - 1, height - 12);
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
  return CreateWindowExA(0, kStripClass, "", WS_CHILD | WS_VISIBLE, x, y, width, kStripHeight, parent, nullptr,
                         a.instance, nullptr);
}

void RefreshView() {
  ShowCount();
  if (App().strip) InvalidateRect(App().strip, nullptr, FALSE);
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
  int target = a.current;
  switch (command) {
    case kCmdFirst:
      target = 0;
      break;
    case kCmdBack:
      target = a.current - 1;
      break;
    case kCmdForward:
      target = a.current + 1;
      break;
    case kCmdLast:
      target = count - 1;
      break;
    default:
      return;
  }
  if (target < 0 || target >= count) return;
  SelectPicture(target);
}

}  // namespace grilton
