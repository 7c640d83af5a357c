// Printing (button 68) and the clipboard copy (button 72) of the picture as the view shows it.

#include "boxes.h"
#include "falcet/player_rules.h"
#include "fileio/paths.h"
#include "imglib/imglib.h"
#include "imglib/imglib_devices.h"
#include "pictures.h"
#include "skin/sk_msgbox.h"
#include "skin/sk_print.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "win/raii.h"

namespace falcet {

namespace {

// The picture as the view shows it, in a new bitmap (the view's size).
bool CopyOfView(ImgBitmap& out) {
  Player& p = App();
  if (!p.pictureArea) return false;
  RECT r;
  GetClientRect(p.pictureArea, &r);
  if (r.right <= 0 || r.bottom <= 0 || L_CreateBitmap(&out, r.right, r.bottom, 24) != imglib::kSuccess) return false;
  HDC dc = L_CreateLeadDC(&out);
  if (!dc) return false;
  PaintPicture(p.pictureArea, dc);
  L_DeleteLeadDC(dc);
  return true;
}

bool PictureToClipboard() {
  Player& p = App();
  const ImgBitmap* shown = CurrentPicture();
  return shown && shown->dib && L_CopyToClipboard(p.frame, shown) == imglib::kSuccess;
}

}  // namespace

void PrintCurrent() {
  Player& p = App();
  char device[256] = {};
  GetProfileStringA("WINDOWS", "DEVICE", ",,,", device, sizeof device);
  if (std::string(device).rfind(",,,", 0) == 0) {
    // Named after what the window shows, which is what was to be printed.
    char title[256] = {};
    GetWindowTextA(p.frame, title, sizeof title);
    SKMSGBOX(p.frame, SKCAPTIONFONT(), title, SKWINERR(1797), "",
             SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION)));
    return;
  }
  // A page prints through its browser's own dialog.
  if (p.itemKind == kBarWeb && PrintWebPage()) return;
  if (p.itemKind != kBarPicture || p.picturePath.empty()) return;
  win::CreatedDC printerDC(SKPRINTDLG(p.frame));
  SetForegroundWindow(p.frame);
  InvalidateRect(p.frame, nullptr, TRUE);
  if (!printerDC) return;
  HDC printer = printerDC.Get();
  imglib::BitmapOwner view;
  if (CopyOfView(*view)) {
    bool portrait = GetDeviceCaps(printer, HORZSIZE) < GetDeviceCaps(printer, VERTSIZE);
    Fit f = PrintPlacement(GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES), portrait, view->width,
                           view->height);
    std::string name = fileio::NameOf(p.picturePath).substr(0, 255);
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name.c_str();
    if (f.width > 0 && StartDocA(printer, &doc) > 0) {
      // A page or a document the printer refuses is ended, so the spooler does not keep it.
      if (StartPage(printer) > 0) {
        RECT destination{f.x, f.y, f.x + f.width, f.y + f.height};
        L_PaintDC(printer, view.Get(), nullptr, nullptr, &destination, nullptr, SRCCOPY);
        if (EndPage(printer) > 0) EndDoc(printer);
        else AbortDoc(printer);
      } else {
        AbortDoc(printer);
      }
    }
  }
}

void CopyPicture() {
  Player& p = App();
  if (p.itemKind != kBarPicture) {
    WarningBox(Ui(48));
    return;
  }
  if (p.picturePath.empty()) {
    WarningBox(Ui(59));
    return;
  }
  std::string path = SKUCASE(p.picturePath);
  if (PictureToClipboard()) PlayerBox(path + Ui(57), p.icon);
  else WarningBox(path + Ui(58));
}

}  // namespace falcet
