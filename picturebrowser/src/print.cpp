#include "print.h"

#include <windows.h>

#include <vector>

#include "boxes.h"
#include "fileio/file.h"
#include "hessam/command_ids.h"
#include "hessam/print_layout.h"
#include "imglib/imglib.h"
#include "imglib/imglib_devices.h"
#include "pictures.h"
#include "skin/sk_draw.h"
#include "skin/sk_print.h"
#include "skin/skin.h"
#include "state.h"
#include "zoom.h"

namespace hessam {
namespace {

constexpr int kNoPrinterError = 1797;  // the Windows text: the printer driver is unknown

// The picture a layout position holds, at its own size.
struct PagePicture {
  std::string path;
  LoadedPicture picture;
};

// The default printer of the profile; false (after saying so) when there is none.
bool DefaultPrinterKnown() {
  BrowserState& b = App();
  char device[512] = {};
  GetProfileStringA("WINDOWS", "DEVICE", ",,,", device, sizeof device);
  if (std::string(device).rfind(",,,", 0) != 0) return true;
  char caption[256] = {};
  GetWindowTextA(b.frame, caption, sizeof caption);
  WarningBox(caption, SKWINERR(kNoPrinterError));
  return false;
}

// The selected pictures the layout's positions hold; an empty position or a missing file
// gives an empty entry, which takes no place on the page.
std::vector<PagePicture> LoadLayout(int layout) {
  BrowserState& b = App();
  std::vector<PagePicture> pictures;
  for (int position : LayoutPositions(layout)) {
    PagePicture& p = pictures.emplace_back();
    int number = b.positions[size_t(position - 1)];
    if (number < 1 || number > 4) continue;
    p.path = b.selection[size_t(number - 1)];
    if (p.path.empty() || !fileio::Exists(p.path) || !LoadPicture(p.path, 0, 0, p.picture)) p = PagePicture{};
  }
  return pictures;
}

Composition ComposeLayout(int layout, const std::vector<PagePicture>& pictures) {
  std::vector<Box> sizes;
  for (const PagePicture& p : pictures) sizes.push_back(Box{0, 0, p.picture.width, p.picture.height});
  return Compose(layout, sizes);
}

// Prints a picture through a 24-bit imaging bitmap of its own size.
bool PrintOne(HDC printer, const LoadedPicture& picture, const Box& at) {
  imglib::BitmapOwner copy;
  if (L_CreateBitmap(copy.Get(), picture.width, picture.height, 24) != imglib::kSuccess) return false;
  HDC lead = L_CreateLeadDC(copy.Get());
  if (!lead) return false;
  DrawPicture(lead, picture, 0, 0);
  L_DeleteLeadDC(lead);
  return L_PrintBitmapExt(printer, copy.Get(), at.x, at.y, at.width, at.height) == imglib::kSuccess;
}

// One document of one page.
void PrintComposition(const Composition& c, const std::vector<PagePicture>& pictures) {
  BrowserState& b = App();
  HDC printer = b.printer.Get();
  Margins margins = PageMargins(GetDeviceCaps(printer, HORZSIZE), GetDeviceCaps(printer, VERTSIZE));
  PagePlacement placement;
  if (!PlaceOnPage(c, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES), margins, placement)) return;
  std::string name = Ui(4).substr(0, 255);
  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = name.c_str();
  if (StartDocA(printer, &doc) <= 0) return;
  if (StartPage(printer) <= 0) {
    AbortDoc(printer);
    return;
  }
  for (size_t i = 0; i < pictures.size(); ++i)
    if (pictures[i].picture) PrintOne(printer, pictures[i].picture, PrintedBox(c.places[i], placement));
  if (EndPage(printer) > 0) EndDoc(printer);
  else AbortDoc(printer);
}

// The composition at a quarter of its size in the zoom window.
void PreviewComposition(const Composition& c, const std::vector<PagePicture>& pictures) {
  BrowserState& b = App();
  RECT main;
  GetWindowRect(b.frame, &main);
  PreviewWindow p = PlacePreview(c, Box{main.left, main.top, main.right - main.left, main.bottom - main.top},
                                 b.screenWidth, b.screenHeight);
  b.zoomPicture.Reset();
  HDC memory = ShowZoomWindow(p.window.x, p.window.y, p.window.width, p.window.height, RGB(255, 255, 255));
  if (!memory) return;
  SKDRAWEDGE(memory, 0, 0, p.window.width, p.window.height, EDGE_RAISED);
  SKDRAWEDGE(memory, 2, 2, p.window.width - 2, p.window.height - 2, EDGE_SUNKEN);
  for (size_t i = 0; i < pictures.size(); ++i) {
    if (!pictures[i].picture) continue;
    Box at = PreviewBox(c.places[i], p.border);
    LoadedPicture quarter;
    if (LoadPicture(pictures[i].path, at.width, at.height, quarter)) DrawPicture(memory, quarter, at.x, at.y);
  }
  InvalidateRect(b.zoom, nullptr, FALSE);
  UpdateWindow(b.zoom);
  b.zoomState = kPreviewShown;
}

// Between preview pages: the main window is disabled until a mouse button or a key goes
// down; other messages are handled meanwhile (the preview repaints). A quit message stays.
void WaitForClickOrKey() {
  BrowserState& b = App();
  SetWindowTextA(b.status, Ui(25).c_str());
  EnableWindow(b.frame, FALSE);
  for (bool waiting = true; waiting;) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    switch (msg.message) {
      case WM_QUIT:
        PostQuitMessage(int(msg.wParam));
        waiting = false;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONDBLCLK:
        waiting = false;
        break;
      default:
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        break;
    }
  }
  EnableWindow(b.frame, TRUE);
}

}  // namespace

void OnPrintCommand(int command) {
  BrowserState& b = App();
  if (command == kCmdPreview) {
    PRINTPICTURES(true);
    return;
  }
  if (!DefaultPrinterKnown()) return;
  if (command == kCmdPrint) {
    PRINTPICTURES(false);
    return;
  }
  // The printer set-up: the chosen printer is the one the next print starts from.
  b.printer.Reset(SKPRINTDLG(b.frame));
}

void PRINTPICTURES(bool preview) {
  BrowserState& b = App();
  std::vector<int> layouts = LayoutsToPrint(b.positions);
  if (layouts.empty()) {
    InformationBox(Ui(4), Ui(21));
    return;
  }
  if (!preview) {
    SKCURSORWAIT();
    b.printer.Reset();
    b.printer.Reset(SKPRINTDLG(b.frame));
    if (!b.printer) return;
  }
  bool first = true;
  for (int layout : layouts) {
    if (preview && !first) {
      WaitForClickOrKey();
      MSG quit;
      if (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) break;
    }
    PRINTPAGE(layout, preview);
    first = false;
  }
  SetWindowTextA(b.status, "");
}

void PRINTPAGE(int layout, bool preview) {
  std::vector<PagePicture> pictures = LoadLayout(layout);
  Composition c = ComposeLayout(layout, pictures);
  // A layout whose pictures are all missing has nothing to print or show.
  if (c.Empty()) return;
  if (preview) PreviewComposition(c, pictures);
  else PrintComposition(c, pictures);
}

}  // namespace hessam
