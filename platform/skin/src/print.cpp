// The engine's printer services. The spooler and the common dialogs are loaded when a
// program first prints, so that linking the engine loads neither into every program.
#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "engine_internal.h"
#include "skin/sk_print.h"

using skin_engine::LibraryCall;

namespace {

using GetDefaultPrinterCall = BOOL(WINAPI*)(LPSTR, LPDWORD);
using OpenPrinterCall = BOOL(WINAPI*)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA);
using GetPrinterCall = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
using ClosePrinterCall = BOOL(WINAPI*)(HANDLE);
using PrintDlgCall = BOOL(WINAPI*)(LPPRINTDLGA);

}  // namespace

int SKGETDEFAULTPRINTER(std::string& name, std::string& driver, std::string& port) {
  name.clear();
  driver.clear();
  port.clear();
  auto getDefaultPrinter = LibraryCall<GetDefaultPrinterCall>("winspool.drv", "GetDefaultPrinterA");
  auto openPrinter = LibraryCall<OpenPrinterCall>("winspool.drv", "OpenPrinterA");
  auto getPrinter = LibraryCall<GetPrinterCall>("winspool.drv", "GetPrinterA");
  auto closePrinter = LibraryCall<ClosePrinterCall>("winspool.drv", "ClosePrinter");
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
  auto printDlg = LibraryCall<PrintDlgCall>("comdlg32.dll", "PrintDlgA");
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
