#include "test_printer.h"

#include <windows.h>
#include <winspool.h>

#include <cctype>
#include <chrono>
#include <cstdlib>

#include "fileio/file.h"
#include "test_windows.h"
#include "win/raii.h"

namespace testprint {
namespace {

constexpr const char* kDriver = "Suite Test PostScript";

// A small A4 colour PostScript printer description for Wine's PostScript driver.
constexpr const char* kPpd =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*PCFileName: \"SUITETST.PPD\"\n*Manufacturer: \"Suite\"\n"
    "*Product: \"(Suite Test)\"\n*ModelName: \"Suite Test Printer\"\n*ShortNickName: \"Suite Test Printer\"\n"
    "*NickName: \"Suite Test Printer\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
    "*ColorDevice: True\n*DefaultColorSpace: RGB\n*TTRasterizer: Type42\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n"
    "*DefaultResolution: 300dpi\n";

// A visible common dialog of the process with the title.
HWND WaitDialog(DWORD processId, const char* title, DWORD milliseconds) {
  HWND found = nullptr;
  PumpUntil(
      [&] {
        found = FindTopWindow("#32770", [processId, title](HWND w) {
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          char text[128] = {};
          GetWindowTextA(w, text, sizeof text);
          return pid == processId && IsWindowVisible(w) && lstrcmpA(text, title) == 0;
        });
        return found != nullptr;
      },
      std::chrono::milliseconds(milliseconds));
  return found;
}

}  // namespace

bool PrintToFile(unsigned long processId, const std::string& output, unsigned long milliseconds) {
  HWND print = WaitDialog(processId, "Print", milliseconds);
  if (!print) return false;
  PostMessageA(print, WM_COMMAND, IDOK, 0);
  return NameNextPrintFile(processId, output, milliseconds);
}

bool NameNextPrintFile(unsigned long processId, const std::string& output, unsigned long milliseconds) {
  HWND toFile = WaitDialog(processId, "Print to File", milliseconds);
  if (!toFile) return false;
  std::wstring name(output.begin(), output.end());
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(GetDlgItem(toFile, 201), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                           SMTO_NORMAL, 5000, &result))
    return false;
  PostMessageA(toFile, WM_COMMAND, IDOK, 0);
  // The dialog goes before the next one of a following document can come.
  return PumpUntil([toFile] { return !IsWindow(toFile) || !IsWindowVisible(toFile); },
                   std::chrono::milliseconds(milliseconds));
}

bool EnsureTestPrinter() {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<char*>(kTestPrinter), &printer, nullptr)) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
      return false;
    std::string ppd = std::string(folder) + "\\suitetst.ppd";
    if (fileio::WriteFileReplacing(ppd, kPpd) != fileio::kOk) return false;
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = ppd.data();
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES)) return false;
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(kTestPrinter);
    info.pPortName = const_cast<char*>("FILE:");
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
  }
  ClosePrinter(printer);
  return SetDefaultPrinterA(kTestPrinter) != FALSE;
}

namespace {

std::string ProfileDevice() {
  char device[512] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  return device;
}

}  // namespace

NoDefaultPrinter::NoDefaultPrinter() : before_(ProfileDevice()) { WriteProfileStringA("windows", "device", nullptr); }

NoDefaultPrinter::~NoDefaultPrinter() {
  if (!before_.empty()) WriteProfileStringA("windows", "device", before_.c_str());
}

bool NoDefaultPrinter::Ok() const { return ProfileDevice().empty(); }

std::string UnixPath(const std::string& path) {
  using ToUnix = char*(__cdecl*)(const wchar_t*);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  std::wstring wide(path.begin(), path.end());
  char* unix = toUnix(wide.c_str());
  if (!unix) return {};
  std::string out = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return out;
}

bool RenderFirstPage(const std::string& ps, const std::string& ppm, Page& page, std::string& error) {
  std::string line = "/usr/bin/gs -q -dNOPAUSE -dBATCH -dSAFER -dFirstPage=1 -dLastPage=1 -sDEVICE=ppmraw -r30 "
                     "-sOutputFile=" + UnixPath(ppm) + " " + UnixPath(ps);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    error = "cannot run: " + line;
    return false;
  }
  win::Handle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.Get(), 60000);
  std::string bytes;
  if (!WaitForFile(ppm, 10000) || fileio::ReadWholeFile(ppm, bytes) != fileio::kOk) {
    error = "no page from: " + line;
    return false;
  }
  // "P6", width, height, 255 (comment lines may stand between them), one white-space byte,
  // then the pixels.
  size_t at = 0;
  auto token = [&bytes, &at]() {
    for (;;) {
      while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
      if (at < bytes.size() && bytes[at] == '#') {
        at = bytes.find('\n', at);
        if (at == std::string::npos) at = bytes.size();
        continue;
      }
      break;
    }
    size_t start = at;
    while (at < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
    return bytes.substr(start, at - start);
  };
  if (token() != "P6") {
    error = "not a ppm page: " + ppm;
    return false;
  }
  page.width = std::atoi(token().c_str());
  page.height = std::atoi(token().c_str());
  int maxValue = std::atoi(token().c_str());
  page.rgb = bytes.substr(std::min(bytes.size(), at + 1));
  bool ok = maxValue == 255 && page.width > 0 && page.height > 0 &&
            page.rgb.size() >= size_t(page.width) * size_t(page.height) * 3;
  if (!ok) error = "a damaged ppm page: " + ppm;
  return ok;
}

bool NearColour(const unsigned char* pixel, int red, int green, int blue, int tolerance) {
  return std::abs(pixel[0] - red) <= tolerance && std::abs(pixel[1] - green) <= tolerance &&
         std::abs(pixel[2] - blue) <= tolerance;
}

}  // namespace testprint
