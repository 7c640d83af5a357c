// skindemo: a skinned frame with a menu holder, a client holder and a status line, for
// looking at the skin and for the frame's own tests. Command 1 asks a question in the
// engine's message box and shows the answer in the status line; code 10 closes it.
// Usage: skindemo [skin file]
#include <windows.h>

#include <string>

#include "imaging/copydata.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "win/window_class.h"

namespace {

constexpr const char* kClass = "SKINDEMO";
HWND gFrame = nullptr;
HWND gStatus = nullptr;

LRESULT CALLBACK WNDPROC_(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (LRESULT r = SKGETMESSAGE(w, m, wp, lp)) return r;
  switch (m) {
    case WM_COPYDATA: {
      std::string text;
      int code = GETCOPYDATA(text, wp, lp);
      SetWindowTextA(gStatus, ("code " + std::to_string(code) + ": " + text).c_str());
      if (code == kCodeClose) PostMessageA(gFrame, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 1;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == 1) {
        SkBoxStyle style;
        style.icon = LoadIcon(nullptr, IDI_QUESTION);
        style.textColour = SKGETSYSCOLOR(113);
        style.secondColour = SKGETSYSCOLOR(112);
        int answer = SKMSGBOX(gFrame, SKCAPTIONFONT(), "Skin", "Do you like this skin?|It is drawn by the engine.",
                              "&Yes|&No", style);
        SetWindowTextA(gStatus, ("answer " + std::to_string(answer)).c_str());
        return 0;
      }
      break;
    case WM_DESTROY:
      if (w == gFrame) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(w, m, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  std::string folder = SKEXENAME();
  folder = folder.substr(0, folder.find_last_of('\\') + 1);
  SKINITENGINE(__argc > 1 ? __argv[1] : folder + "TOLVERN.SKL");
  SKAPPTITLE("Skin demo");
  SKWINDOWSTYLE(31);
  if (!win::RegisterClassOnce({.name = kClass,
                               .procedure = WNDPROC_,
                               .instance = instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = LoadIcon(nullptr, IDI_APPLICATION),
                               .systemSmallIcon = true}))
    return 1;
  gFrame = CreateWindowExA(0, kClass, "Skin demo", WS_POPUP | WS_SYSMENU, 100, 100, 520, 360, nullptr, nullptr,
                           instance, nullptr);
  if (!gFrame) return 1;
  SKHOLDER(gFrame, "SKMENU", WNDPROC_);
  HWND client = SKHOLDER(gFrame, "SKCLIP", WNDPROC_);
  gStatus = SKSTATUSWINDOW(gFrame, "Ready");
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 240, 200,
                              client, reinterpret_cast<HMENU>(INT_PTR(3)), instance, nullptr);
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  for (const char* item : {" holiday.jpg", " beach.png", " song.mp3"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  HWND ask = CreateWindowExA(0, "BUTTON", "&Ask", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 270, 10, 90, 26, client,
                             reinterpret_cast<HMENU>(INT_PTR(1)), instance, nullptr);
  SendMessageA(ask, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  ShowWindow(gFrame, show == SW_HIDE ? SW_SHOW : show);
  UpdateWindow(gFrame);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (SKDIALOGMESSAGE(gFrame, msg)) continue;
    if (IsDialogMessageA(gFrame, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return int(msg.wParam);
}
