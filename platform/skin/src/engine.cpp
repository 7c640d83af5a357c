// Engine start, the current skin, fonts, colours, metrics and program identity.
#include <windows.h>
#include <intrin.h>

#include <algorithm>

#include "engine_internal.h"
#include "fileio/paths.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace skin_engine {

Engine& State() {
  static Engine engine;
  return engine;
}

HFONT MakeFont(const SkinFont& font) {
  int height = -MulDiv(font.points, GetDeviceCaps(win::WindowDC(nullptr), LOGPIXELSY), 72);
  return CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, font.face.c_str());
}

static void FreeResources(Engine& e) {
  win::ClearGdiObject(e.captionFont);
  win::ClearGdiObject(e.defaultFont);
  win::ClearGdiObject(e.windowBrush);
  win::ClearGdiObject(e.controlBrush);
}

void EnsureResources() {
  Engine& e = State();
  if (!e.captionFont) e.captionFont = MakeFont(e.theme.captionFont);
  if (!e.defaultFont) e.defaultFont = MakeFont(e.theme.defaultFont);
  if (!e.windowBrush) e.windowBrush = CreateSolidBrush(e.theme.Colour(kSkinWindowBack));
  if (!e.controlBrush) e.controlBrush = CreateSolidBrush(e.theme.Colour(kSkinControlBack));
}

}  // namespace skin_engine

using namespace skin_engine;

void SKINITENGINE(const std::string& skinFile) {
  Engine& e = State();
  SetSkinErrorReporter([](const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), "Skin", MB_OK | MB_ICONWARNING | MB_TASKMODAL);
  });
  e.theme = LoadSkin(skinFile);
  FreeResources(e);
  EnsureResources();
  e.started = true;
  for (auto& [window, info] : e.frames) {
    LayoutFrame(window);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

std::string SKEXENAME() {
  char path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, n < sizeof path ? n : 0);
}

std::string SKSKINFOLDER() { return State().theme.folder; }

const SkinTheme& SkinCurrent() { return State().theme; }

std::string SKLOADSTRING(const std::string& name) {
  const auto& strings = State().theme.strings;
  auto it = strings.find(fileio::ToLower(fileio::Trim(name)));
  return it == strings.end() ? std::string() : it->second;
}

void SKAPPTITLE(const std::string& title) { State().appTitle = title; }

std::string SkAppTitle() { return State().appTitle; }

int ISFRENCH() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH ? 1 : 0; }

char SkDateSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, separator, sizeof separator) > 0 && separator[0])
    return separator[0];
  return '/';
}

int SKOSVERSION() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  static int version = [] {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto fn = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                          reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                    : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (fn && fn(&info) == 0) return int(info.dwMajorVersion * 100 + info.dwMinorVersion);
    DWORD v = GetVersion();
    return int(LOBYTE(LOWORD(v)) * 100 + HIBYTE(LOWORD(v)));
  }();
  return version;
}

int SKCPUSPEED() {
  static int speed = [] {
    // The system's own figure first; otherwise the time-stamp counter over 50 ms.
    DWORD mhz = 0, size = sizeof mhz;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "~MHz",
                     RRF_RT_REG_DWORD, nullptr, &mhz, &size) == ERROR_SUCCESS &&
        mhz > 0)
      return int(mhz);
    LARGE_INTEGER frequency{}, start{}, end{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    QueryPerformanceCounter(&start);
    unsigned long long ticks = __rdtsc();
    Sleep(50);
    ticks = __rdtsc() - ticks;
    QueryPerformanceCounter(&end);
    double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    return seconds > 0 ? int(double(ticks) / seconds / 1e6 + 0.5) : 0;
  }();
  return speed;
}

std::string SKWINDIR() {
  char buf[MAX_PATH];
  UINT n = GetWindowsDirectoryA(buf, sizeof buf);
  return fileio::WithTrailingSeparator(std::string(buf, n < sizeof buf ? n : 0));
}

std::string SKSYSDIR() {
  char buf[MAX_PATH];
  UINT n = GetSystemDirectoryA(buf, sizeof buf);
  return fileio::WithTrailingSeparator(std::string(buf, n < sizeof buf ? n : 0));
}

COLORREF SKGETSYSCOLOR(int slot) {
  if (slot >= kSkinFirstColour && slot <= kSkinLastColour) return State().theme.Colour(slot);
  if (slot > 100 && slot - 100 <= COLOR_MENUBAR) return GetSysColor(slot - 100);
  return 0;
}

int SKGETSYSTEMMETRICS(int number) { return State().theme.Metric(number); }

HFONT SKCAPTIONFONT() {
  EnsureResources();
  return State().captionFont;
}

HFONT SKDEFAULTFONT() {
  EnsureResources();
  return State().defaultFont;
}

int SKXMINI() { return State().theme.minWidth; }
int SKYMINI() { return State().theme.minHeight; }

unsigned int SKINARGB(int alpha, COLORREF colour) {
  return (unsigned(alpha & 255) << 24) | (unsigned(GetRValue(colour)) << 16) | (unsigned(GetGValue(colour)) << 8) |
         unsigned(GetBValue(colour));
}

int SKGETRVALUE(COLORREF colour) { return GetRValue(colour); }
int SKGETGVALUE(COLORREF colour) { return GetGValue(colour); }
int SKGETBVALUE(COLORREF colour) { return GetBValue(colour); }

void SKWINDOWSTYLE(int style) { State().windowStyle = style; }
int SkWindowStyle() { return State().windowStyle; }
void SKSETSHADOW(int on) { State().shadow = on != 0; }
void SKUSEFOCUSRECT(int on) { State().focusRect = on != 0; }

void SKSETMAXSIZE(int width, int height, int& maxWidth, int& maxHeight) {
  Engine& e = State();
  maxWidth = std::max({width, maxWidth, e.theme.minWidth});
  maxHeight = std::max({height, maxHeight, e.theme.minHeight});
  e.maxWidth = maxWidth;
  e.maxHeight = maxHeight;
}

void SKSETSYSBUTTONTIP(const std::string& tips) {
  std::vector<std::string> parts;
  SKSPLITS(tips, "|", parts);
  State().buttonTips = parts;
}

ATOM SKREGISTERCLASS(const WNDCLASSEXA& windowClass) {
  WNDCLASSEXA wc = windowClass;
  wc.cbSize = sizeof wc;
  if (!wc.hInstance) wc.hInstance = GetModuleHandleA(nullptr);
  ATOM atom = RegisterClassExA(&wc);
  if (atom) return atom;
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  return ATOM(GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing));
}

int SKCHECKCLASS(const std::string& className) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className.c_str(), &wc)) return 1;
  return GetClassInfoExA(nullptr, className.c_str(), &wc) ? 1 : 0;
}

void SKCENTERWIND(HWND window, HWND other) {
  RECT r, area;
  GetWindowRect(window, &r);
  HMONITOR monitor = MonitorFromWindow(other ? other : window, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoA(monitor, &mi);
  area = mi.rcWork;
  RECT around = area;
  if (other && IsWindowVisible(other) && !IsIconic(other)) GetWindowRect(other, &around);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = around.left + ((around.right - around.left) - w) / 2;
  int y = around.top + ((around.bottom - around.top) - h) / 2;
  x = std::max(LONG(area.left), std::min(LONG(x), area.right - w));
  y = std::max(LONG(area.top), std::min(LONG(y), area.bottom - h));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT SKGETWORKAREA() {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void SkUnframed(HWND window) {
  if (window) State().unframed.insert(window);
}
