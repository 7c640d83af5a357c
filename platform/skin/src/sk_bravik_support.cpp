// Image buttons, track bars, the printer, bitmap files and bitmap regions.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "engine_internal.h"
#include "fileio/file.h"
#include "skin/sk_bravik.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace {

constexpr const char* kImageProp = "SkImage";
constexpr const char* kImageHotProp = "SkImageHot";
constexpr COLORREF kMagenta = RGB(255, 0, 255);

void PaintImageButton(HWND w) {
  win::PaintDC dc(w);
  RECT r;
  GetClientRect(w, &r);
  int width = r.right, height = r.bottom;
  if (width <= 0 || height <= 0) return;
  win::MemoryDC mem(dc, width, height);
  bool pressed = (SendMessageA(w, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  bool hot = GetPropA(w, kImageHotProp) != nullptr;
  bool disabled = !IsWindowEnabled(w);
  SKFILLRECT(mem, 0, 0, width, height, hot && !pressed ? SKGETSYSCOLOR(116) : SKGETSYSCOLOR(110));
  COLORREF light = SKGETSYSCOLOR(119), dark = SKGETSYSCOLOR(118);
  SKDRAWRECT3D(mem, 0, 0, width - 1, height - 1, pressed ? dark : light, pressed ? light : dark);
  if (auto bitmap = static_cast<HBITMAP>(GetPropA(w, kImageProp))) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(mem);
    HGDIOBJ old = SelectObject(source, bitmap);
    int x = (width - info.bmWidth) / 2 + (pressed ? 1 : 0), y = (height - info.bmHeight) / 2 + (pressed ? 1 : 0);
    if (disabled) {
      // Greyed: the picture's shape in the disabled text colour.
      SKFILLRECT(mem, x, y, info.bmWidth, info.bmHeight, SKGETSYSCOLOR(110));
      GdiTransparentBlt(mem, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, kMagenta);
      win::Brush grey(CreateSolidBrush(SKGETSYSCOLOR(117)));
      RECT box{x, y, x + info.bmWidth, y + info.bmHeight};
      FrameRect(mem, &box, grey.Get());
    } else {
      GdiTransparentBlt(mem, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, kMagenta);
    }
    SelectObject(source, old);
    DeleteDC(source);
  }
  if (GetFocus() == w) {
    RECT fr{3, 3, width - 3, height - 3};
    DrawFocusRect(mem, &fr);
  }
  BitBlt(dc, 0, 0, width, height, mem, 0, 0, SRCCOPY);
}

LRESULT CALLBACK ImageButtonProc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  switch (m) {
    case WM_PAINT:
      PaintImageButton(w);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (!GetPropA(w, kImageHotProp)) {
        SetPropA(w, kImageHotProp, reinterpret_cast<HANDLE>(1));
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, w, 0};
        TrackMouseEvent(&tme);
        InvalidateRect(w, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropA(w, kImageHotProp);
      InvalidateRect(w, nullptr, FALSE);
      break;
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      LRESULT r = DefSubclassProc(w, m, wp, lp);
      InvalidateRect(w, nullptr, FALSE);
      return r;
    }
    case WM_NCDESTROY:
      if (auto bitmap = static_cast<HBITMAP>(RemovePropA(w, kImageProp))) DeleteObject(bitmap);
      RemovePropA(w, kImageHotProp);
      RemoveWindowSubclass(w, ImageButtonProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(w, m, wp, lp);
}

// The printer calls come from their DLLs when a program first prints, so that linking the
// engine loads neither the spooler nor the common dialogs into every program.
template <typename Function>
Function PrinterCall(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) module = LoadLibraryA(dll);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

using GetDefaultPrinterCall = BOOL(WINAPI*)(LPSTR, LPDWORD);
using OpenPrinterCall = BOOL(WINAPI*)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA);
using GetPrinterCall = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
using ClosePrinterCall = BOOL(WINAPI*)(HANDLE);
using PrintDlgCall = BOOL(WINAPI*)(LPPRINTDLGA);

}  // namespace

HWND SKBUTIMAGE(HWND parent, const std::string& bitmapName, int x, int y, int width, int height, int id) {
  HWND w = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), bitmapName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap) SetPropA(w, kImageProp, bitmap);
  SetWindowSubclass(w, ImageButtonProc, 0, 0);
  return w;
}

HWND SKTRACKBAR(HWND parent, int x, int y, int width, int height, int id, int minimum, int maximum) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  HWND w = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, x, y,
                           width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr),
                           nullptr);
  if (!w) return nullptr;
  SendMessageA(w, TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));
  SendMessageA(w, TBM_SETPAGESIZE, 0, 1);
  SendMessageA(w, TBM_SETPOS, TRUE, minimum);
  return w;
}

int SKGETDEFAULTPRINTER(std::string& name, std::string& driver, std::string& port) {
  name.clear();
  driver.clear();
  port.clear();
  auto getDefaultPrinter = PrinterCall<GetDefaultPrinterCall>("winspool.drv", "GetDefaultPrinterA");
  auto openPrinter = PrinterCall<OpenPrinterCall>("winspool.drv", "OpenPrinterA");
  auto getPrinter = PrinterCall<GetPrinterCall>("winspool.drv", "GetPrinterA");
  auto closePrinter = PrinterCall<ClosePrinterCall>("winspool.drv", "ClosePrinter");
  if (!getDefaultPrinter || !openPrinter || !getPrinter || !closePrinter) return ERROR_PROC_NOT_FOUND;
  DWORD size = 0;
  getDefaultPrinter(nullptr, &size);
  if (size == 0) return ERROR_FILE_NOT_FOUND;
  std::vector<char> buffer(size + 1, '\0');
  if (!getDefaultPrinter(buffer.data(), &size)) return int(GetLastError());
  name = buffer.data();
  HANDLE printer = nullptr;
  if (!openPrinter(name.data(), &printer, nullptr)) return int(GetLastError());
  DWORD needed = 0;
  getPrinter(printer, 2, nullptr, 0, &needed);
  int result = 0;
  if (needed > 0) {
    std::vector<BYTE> info(needed);
    if (getPrinter(printer, 2, info.data(), needed, &needed)) {
      auto* pi = reinterpret_cast<PRINTER_INFO_2A*>(info.data());
      driver = pi->pDriverName ? pi->pDriverName : "";
      port = pi->pPortName ? pi->pPortName : "";
    } else {
      result = int(GetLastError());
    }
  }
  closePrinter(printer);
  return result;
}

HDC SKPRINTDLG(HWND owner) {
  auto printDlg = PrinterCall<PrintDlgCall>("comdlg32.dll", "PrintDlgA");
  if (!printDlg) return nullptr;
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.nCopies = 1;
  HDC dc = nullptr;
  if (printDlg(&pd) && pd.hDevNames) {
    // The context is made here without an output: a printer on the FILE: port then asks
    // for its file when the document starts, as the system does for every program.
    auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
    auto* mode = pd.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr;
    if (names) {
      const char* base = reinterpret_cast<const char*>(names);
      dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
      GlobalUnlock(pd.hDevNames);
    }
    if (mode) GlobalUnlock(pd.hDevMode);
  }
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  return dc;
}

int SKSAVETOBMPFILE(HDC dc, int x, int y, int width, int height, const std::string& path) {
  if (!dc || width <= 0 || height <= 0 || path.empty()) return ERROR_INVALID_PARAMETER;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = height;  // bottom-up, as BMP files usually are
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::Bitmap dib(CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return ERROR_NOT_ENOUGH_MEMORY;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, dib.Get());
  BOOL copied = BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  if (!copied) return int(GetLastError() ? GetLastError() : ERROR_INVALID_PARAMETER);
  GdiFlush();
  size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  size_t pixels = stride * size_t(height);
  auto put32 = [](std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
  };
  std::string file;
  file += "BM";
  put32(file, uint32_t(14 + 40 + pixels));
  put32(file, 0);
  put32(file, 14 + 40);
  put32(file, 40);
  put32(file, uint32_t(width));
  put32(file, uint32_t(height));
  file += char(1), file += char(0), file += char(24), file += char(0);
  for (int i = 0; i < 6; ++i) put32(file, 0);
  file.append(static_cast<const char*>(bits), pixels);
  return fileio::WriteFileReplacing(path, file);
}

HRGN SKBMPTORGN(HBITMAP bitmap, COLORREF transparent) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return nullptr;
  int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  HDC screen = GetDC(nullptr);
  int lines = GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &bmi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines <= 0) return nullptr;
  // 0x00RRGGBB in the 32-bit rows.
  uint32_t key = (uint32_t(GetRValue(transparent)) << 16) | (uint32_t(GetGValue(transparent)) << 8) |
                 GetBValue(transparent);
  // One rectangle per run of opaque pixels of a row, in one region data block.
  std::vector<RECT> runs;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width;) {
      while (x < width && (row[x] & 0xFFFFFF) == key) ++x;
      int start = x;
      while (x < width && (row[x] & 0xFFFFFF) != key) ++x;
      if (x > start) runs.push_back(RECT{start, y, x, y + 1});
    }
  }
  if (runs.empty()) return nullptr;
  std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* rd = reinterpret_cast<RGNDATA*>(data.data());
  rd->rdh.dwSize = sizeof(RGNDATAHEADER);
  rd->rdh.iType = RDH_RECTANGLES;
  rd->rdh.nCount = DWORD(runs.size());
  rd->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
  rd->rdh.rcBound = RECT{0, 0, width, height};
  std::memcpy(rd->Buffer, runs.data(), runs.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, DWORD(data.size()), rd);
}
