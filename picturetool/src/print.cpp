// Printing the picture on a printer the user chooses.
#include "print.h"

#include "boxes.h"
#include "bravik/picture_rules.h"
#include "fileio/paths.h"
#include "imglib/imglib.h"
#include "imglib/imglib_devices.h"
#include "objects.h"
#include "picture.h"
#include "skin/sk_draw.h"
#include "skin/sk_print.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace bravik {

void PrintPicture() {
  ToolState& t = App();
  // An empty picture has nothing to print (and no size to scale by).
  if (t.pictureWidth <= 0 || t.pictureHeight <= 0) return;
  win::CreatedDC printerDc(SKPRINTDLG(t.frame));
  HDC printer = printerDc.Get();
  if (!printer) return;
  PAINTALLOBJECTS();
  imglib::BitmapOwner copy;
  bool ready = L_CreateBitmap(copy.Get(), t.pictureWidth, t.pictureHeight, 24) == imglib::kSuccess;
  if (ready) {
    HDC lead = L_CreateLeadDC(copy.Get());
    // What the canvas shows: the picture with its visible objects.
    if (lead) BitBlt(lead, 0, 0, t.pictureWidth, t.pictureHeight, SKGETHDCMEMBMP(t.canvas), 0, 0, SRCCOPY);
    if (lead) L_DeleteLeadDC(lead);
    ready = lead != nullptr;
  }
  PrintPlacement place;
  ready = ready && PlacePrintedPicture(GetDeviceCaps(printer, HORZSIZE), GetDeviceCaps(printer, VERTSIZE),
                                       GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES),
                                       t.pictureWidth, t.pictureHeight, place);
  bool printed = false;
  if (ready) {
    SetWindowTextA(t.status, Ui(23).c_str());
    std::string name = fileio::NameOf(t.currentFile);
    if (name.empty()) name = t.caption;
    name = name.substr(0, 255);
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name.c_str();
    if (StartDocA(printer, &doc) > 0) {
      if (StartPage(printer) > 0) {
        printed = L_PrintBitmapExt(printer, copy.Get(), place.left, place.top, place.width, place.height) ==
                  imglib::kSuccess;
        printed = EndPage(printer) > 0 && printed;
      }
      if (printed) EndDoc(printer);
      else AbortDoc(printer);
    }
  }
  printerDc.Reset();
  PICTUREINFO();
  if (printed) InformationBox(Ui(1), Ui(24));
  else ErrorBox(Ui(68));
}

}  // namespace bravik
