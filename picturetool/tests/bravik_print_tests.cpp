// Printing a picture to a PostScript printer on FILE: that the test adds to its Wine
// prefix: the page that comes out holds the picture, scaled and centred.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bravik_fixture.h"
#include "driver.h"
#include "fileio/file.h"
#include "win/raii.h"

namespace bravik {
namespace {

constexpr const char* kPrinter = "Suite Test Printer";
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

// Adds the printer to the prefix once (the prefix keeps it) and makes it the default.
bool EnsureTestPrinter() {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<char*>(kPrinter), &printer, nullptr)) {
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
    info.pPrinterName = const_cast<char*>(kPrinter);
    info.pPortName = const_cast<char*>("FILE:");
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
  }
  ClosePrinter(printer);
  return SetDefaultPrinterA(kPrinter) != FALSE;
}

// The Unix path of a file, through Wine's own call; "" outside Wine.
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

// A page rendered by ghostscript (run as a Unix program through Wine) as RGB pixels.
struct Page {
  int width = 0;
  int height = 0;
  std::string rgb;
  const unsigned char* At(int x, int y) const {
    return reinterpret_cast<const unsigned char*>(rgb.data()) + (size_t(y) * size_t(width) + size_t(x)) * 3;
  }
};

bool Render(const std::string& ps, const std::string& ppm, Page& page) {
  std::string line = "/usr/bin/gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=ppmraw -r30 -sOutputFile=" + UnixPath(ppm) +
                     " " + UnixPath(ps);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot run: " << line;
    return false;
  }
  win::Handle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.Get(), 60000);
  std::string bytes;
  if (!WaitForFile(ppm, 10000) || fileio::ReadWholeFile(ppm, bytes) != fileio::kOk) {
    ADD_FAILURE() << "no page from: " << line;
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
  if (token() != "P6") return false;
  page.width = std::atoi(token().c_str());
  page.height = std::atoi(token().c_str());
  int maxValue = std::atoi(token().c_str());
  page.rgb = bytes.substr(std::min(bytes.size(), at + 1));
  return maxValue == 255 && page.width > 0 && page.height > 0 &&
         page.rgb.size() >= size_t(page.width) * size_t(page.height) * 3;
}

bool Near(const unsigned char* p, int r, int g, int b) {
  return std::abs(p[0] - r) <= 12 && std::abs(p[1] - g) <= 12 && std::abs(p[2] - b) <= 12;
}

class BravikPrint : public Bravik {
 protected:
  static void SetUpTestSuite() {
    Bravik::SetUpTestSuite();
    ready_ = EnsureTestPrinter();
  }
  static bool ready_;
};
bool BravikPrint::ready_ = false;

TEST_F(BravikPrint, APrintedPictureIsOnThePostScriptPage) {
  ASSERT_TRUE(ready_);
  BravikFolder& folder = Copy();
  std::string picture = folder.Picture("print.bmp");
  // 60 x 40 in a colour of its own (red 0x20, green 0x80, blue 0xE0).
  ASSERT_TRUE(WritePicture(picture, 60, 40, 0x20, 0x80, 0xE0));
  std::string output = folder.Picture("page.ps");
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(picture, "print.bmp 60 x40"));
  tool.Post(kCmdPrint);
  HWND print = WaitDialog(tool.ProcessId(), "Print", kWaitMs);
  ASSERT_NE(print, nullptr);
  PostMessageA(print, WM_COMMAND, IDOK, 0);
  // The printer's port is FILE:: the system asks where to.
  HWND toFile = WaitDialog(tool.ProcessId(), "Print to File", kWaitMs);
  ASSERT_NE(toFile, nullptr);
  ASSERT_TRUE(driver::SetText(GetDlgItem(toFile, 201), output));
  PostMessageA(toFile, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(tool.Answer(1));  // printed
  ASSERT_TRUE(WaitForFile(output, kWaitMs));
  std::string ps;
  ASSERT_EQ(fileio::ReadWholeFile(output, ps), fileio::kOk);
  EXPECT_EQ(ps.rfind("%!PS", 0), 0u);
  EXPECT_NE(ps.find("%%Page: 1"), std::string::npos);
  EXPECT_NE(ps.find("%%EOF"), std::string::npos);
  // The picture itself: an image of its size.
  EXPECT_NE(ps.find("/Width 60"), std::string::npos);
  EXPECT_NE(ps.find("/Height 40"), std::string::npos);
  EXPECT_NE(ps.find("image"), std::string::npos);
  EXPECT_EQ(tool.End(), 0);

  // The page as ghostscript draws it: the picture fills the width between even margins,
  // centred, in its own colour; the paper around it stays white.
  ASSERT_FALSE(UnixPath(output).empty()) << "not under Wine";
  Page page;
  ASSERT_TRUE(Render(output, folder.Picture("page.ppm"), page));
  ASSERT_GT(page.width, 100);
  int middle = page.height / 2;
  EXPECT_TRUE(Near(page.At(page.width / 2, middle), 0x20, 0x80, 0xE0));
  EXPECT_TRUE(Near(page.At(page.width / 2, 3), 255, 255, 255));
  // The picture's edges: where the paper stops being white (the printer's own margins
  // are even too, so the gaps on opposite sides match).
  auto paper = [&page](int x, int y) { return Near(page.At(x, y), 255, 255, 255); };
  int left = 0, right = page.width - 1;
  while (left < page.width && paper(left, middle)) ++left;
  while (right > 0 && paper(right, middle)) --right;
  EXPECT_LE(left, page.width / 10);
  EXPECT_LE(std::abs(left - (page.width - 1 - right)), 2) << left << " " << right;
  int top = 0, bottom = page.height - 1;
  while (top < page.height && paper(page.width / 2, top)) ++top;
  while (bottom > 0 && paper(page.width / 2, bottom)) --bottom;
  // 60 x 40: two thirds as high as wide, and as far from the top as from the bottom.
  EXPECT_NEAR(double(bottom - top + 1) / double(right - left + 1), 40.0 / 60.0, 0.05);
  EXPECT_LE(std::abs(top - (page.height - 1 - bottom)), 2) << top << " " << bottom;
}

}  // namespace
}  // namespace bravik
