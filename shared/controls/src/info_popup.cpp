#include "controls/info_popup.h"

#include <algorithm>
#include <vector>

#include "controls/controls_host.h"
#include "export_name.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace {

// A plain popup: a child window's style here would put the popup inside its owner's
// client area and fail without an owner.
constexpr DWORD kInfoPopupStyle = WS_POPUP | WS_VISIBLE;

void PaintText(HWND window) {
  win::PaintDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  std::string text = SkGetCtlText(window);
  win::SelectObj font(dc, SKCAPTIONFONT());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, SKGETSYSCOLOR(kSkinText));
  // Centred both ways: DT_VCENTER centres a single line only, so the block is measured.
  RECT measured = client;
  DrawTextA(dc, text.c_str(), int(text.size()), &measured, DT_CENTER | DT_NOPREFIX | DT_CALCRECT);
  RECT r = client;
  r.top = std::max(client.top, client.top + ((client.bottom - client.top) - (measured.bottom - measured.top)) / 2);
  DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_CENTER | DT_NOPREFIX);
}

}  // namespace

LRESULT CALLBACK SKSTATICPAINT(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(window, &r);
      SKTILEBLT(reinterpret_cast<HDC>(wParam), 0, 0, r.right, r.bottom, SKCTLBACK());
      return 1;
    }
    case WM_PAINT:
      PaintText(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND SKSTATIC(HWND owner, const std::string& text) {
  // A class left from an earlier popup is used as it is.
  if (!win::RegisterClassOnce({.name = kInfoPopupClass, .procedure = SKSTATICPAINT, .style = CS_HREDRAW | CS_VREDRAW}))
    return nullptr;
  if (owner && !IsWindow(owner)) owner = nullptr;
  InfoPopupMeasures m;
  std::vector<std::string> lines = InfoPopupLines(text);
  int width = 0, height = 0;
  for (const std::string& line : lines) {
    SKGETTEXTEXTENT(SKCAPTIONFONT(), line, width, height);
    m.widestLine = std::max(m.widestLine, width);
  }
  SKGETTEXTEXTENT(SKCAPTIONFONT(), "W", width, m.lineHeight);
  m.lineCount = int(lines.size());
  m.frameWidth = GetSystemMetrics(SM_CXDLGFRAME);
  m.frameHeight = GetSystemMetrics(SM_CYDLGFRAME);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  BoxRect around{0, 0, screenWidth, screenHeight};
  RECT r;
  if (owner && GetWindowRect(owner, &r)) around = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  BoxRect place = InfoPopupRect(m, around, screenWidth, screenHeight);
  HWND popup = CreateWindowExA(WS_EX_DLGMODALFRAME, kInfoPopupClass, InfoPopupText(text).c_str(), kInfoPopupStyle,
                               place.x, place.y, place.width, place.height, owner, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
  if (!popup) return nullptr;
  ShowWindow(popup, SW_SHOW);
  UpdateWindow(popup);
  return popup;
}

void ARCMESSAGEBOX(const std::string& text) {
  const ControlsHost& host = CurrentControlsHost();
  SKMSGBOX(host.mainWindow, SKCAPTIONFONT(), host.messageCaption, text, "",
           SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION), kSkBoxWarning), 0);
  if (host.mainWindow) UpdateWindow(host.mainWindow);
}

int ARCMESSAGEBOXTEXT(const std::string& text, const std::string& thirdText) {
  const ControlsHost& host = CurrentControlsHost();
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "PROGRAM");
  std::string caption = host.mainWindow ? SkGetCtlText(host.mainWindow) : std::string();
  return SKMSGBOX(host.mainWindow, SKCAPTIONFONT(), caption, text, thirdText,
                  SkBoxStyle::Skinned(icon, kSkBoxQuestion), 0);
}

// The info popup for programs and tools that look it up by name: SKSTATIC(owner, text).
extern "C" HWND CALLBACK ControlsInfoPopup(HWND owner, const char* text) {
  return SKSTATIC(owner, text ? std::string(text) : std::string());
}

CONTROLS_EXPORT_AS("SKSTATIC", "ControlsInfoPopup", 8);
