// The clipboard, screen capture and cropping to the selection.
#include "capture.h"

#include <algorithm>

#include "boxes.h"
#include "bravik/picture_rules.h"
#include "canvas.h"
#include "commands.h"
#include "imglib/imglib.h"
#include "imglib/imglib_devices.h"
#include "objects.h"
#include "objects_internal.h"
#include "picture.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {
namespace {

// Loads an imaging bitmap as a new picture through the temporary copy. It joins the opened
// list as a picture of its own, so that saving it never writes over the picture shown
// before it.
bool LoadBitmapPicture(ImgBitmap* bitmap) {
  HDC lead = L_CreateLeadDC(bitmap);
  if (!lead) return false;
  bool ok = LoadMadePicture(lead, 0, 0, bitmap->width, bitmap->height, true);
  L_DeleteLeadDC(lead);
  return ok;
}

}  // namespace

void CopyToClipboard() {
  ToolState& t = App();
  if (t.pictureWidth <= 0 || t.pictureHeight <= 0) return;
  PAINTALLOBJECTS();
  imglib::BitmapOwner copy;
  if (L_CreateBitmap(copy.Get(), t.pictureWidth, t.pictureHeight, 24) != imglib::kSuccess) return;
  HDC lead = L_CreateLeadDC(copy.Get());
  if (!lead) return;
  BitBlt(lead, 0, 0, t.pictureWidth, t.pictureHeight, SKGETHDCMEMBMP(t.canvas), 0, 0, SRCCOPY);
  L_DeleteLeadDC(lead);
  if (L_CopyToClipboard(t.frame, copy.Get()) == imglib::kSuccess) InformationBox(Ui(1), Ui(26));
  else CLEARCLIPBOARD(t.frame);  // no older picture stays to be pasted as if it were this one
}

void CLEARCLIPBOARD(HWND window) {
  if (!OpenClipboard(window)) return;
  EmptyClipboard();
  CloseClipboard();
}

void PasteFromClipboard() {
  ToolState& t = App();
  if (!L_ClipboardReady()) return;
  if (!CHECKSAVE()) return;
  imglib::BitmapOwner pasted;
  if (L_CopyFromClipboard(t.frame, pasted.Get()) != imglib::kSuccess) return;
  // The clipboard keeps its picture: the user may paste it again elsewhere.
  if (LoadBitmapPicture(pasted.Get())) InformationBox(Ui(1), Ui(27));
}

void CapturePicture(int command) {
  ToolState& t = App();
  if (!CHECKSAVE()) return;
  bool zoomShown = t.zoomBox && IsWindowVisible(t.zoomBox);
  ShowWindow(t.frame, SW_HIDE);
  if (zoomShown) ShowWindow(t.zoomBox, SW_HIDE);
  Sleep(500);  // the windows below repaint themselves first
  imglib::BitmapOwner shot;
  int r = imglib::kFailure;
  if (command == kCmdCaptureScreen) r = L_ScreenCaptureBitmap(shot.Get());
  else if (command == kCmdCaptureActive) r = L_CaptureActiveWindow(shot.Get());
  else r = L_CaptureSelectedObject(shot.Get(), LoadCursorA(t.instance, "HANDEX"), 60000);
  ShowWindow(t.frame, SW_SHOW);
  if (zoomShown) ShowWindow(t.zoomBox, SW_SHOWNA);
  SetForegroundWindow(t.frame);
  BringWindowToTop(t.frame);
  if (r == imglib::kSuccess) LoadBitmapPicture(shot.Get());
}

void CropToSelection() {
  ToolState& t = App();
  if (t.selection[0] < 0 || t.selection[2] < 0) return;
  int left = std::min(t.selection[0], t.selection[2]), right = std::max(t.selection[0], t.selection[2]) + 1;
  int top = std::min(t.selection[1], t.selection[3]), bottom = std::max(t.selection[1], t.selection[3]) + 1;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, t.pictureWidth);
  bottom = std::min(bottom, t.pictureHeight);
  EndCanvasModes();
  if (right - left < 1 || bottom - top < 1) return;
  SKKILLFILE(t.tempLayer);
  int error = SKSAVETOBMPFILE(OutputDc(), left, top, right - left, bottom - top, t.tempCopy);
  if (error != 0) {
    ErrorBox(t.tempCopy + Ui(58) + SKWINERR(error));
    return;
  }
  // The objects keep their places on the picture.
  for (auto& e : Objects()) {
    if (!IsObject(*e)) continue;
    e->data.x -= left;
    e->data.y -= top;
  }
  t.loadedFile = t.tempCopy;
  t.redEye.clear();
  int colours = 0;
  LOADPICTURE(t.tempCopy, colours, true);
  t.modified |= kModifiedContent;
  PICTUREINFO();
}

}  // namespace bravik
