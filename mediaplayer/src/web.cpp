// The web panel. Pages and documents that are neither media nor pictures open here; until
// the embedded web browser is hosted, the panel shows the page's address, keeps the pages
// opened in it as a history for back and forward, and the title names the page.
#include <vector>

#include "bars.h"
#include "fileio/paths.h"
#include "items.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace falcet {

namespace {

struct WebHistory {
  std::vector<std::string> pages;
  size_t at = 0;
};

WebHistory& History() {
  static WebHistory history;
  return history;
}

LRESULT CALLBACK WebProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  if (message == WM_SIZE) {
    if (HWND text = GetDlgItem(window, kWebTextId)) MoveWindow(text, 8, 8, LOWORD(lParam) - 16, HIWORD(lParam) - 16, TRUE);
    return 0;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

HWND WebPanel() {
  Player& p = App();
  if (p.web && IsWindow(p.web)) return p.web;
  if (!win::RegisterClassOnce({.name = kWebClass, .procedure = WebProc, .instance = p.instance})) return nullptr;
  p.web = CreateWindowExA(0, kWebClass, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, p.clip,
                          reinterpret_cast<HMENU>(INT_PTR(kWebId)), p.instance, nullptr);
  if (p.web) {
    HWND text = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 8, 8, 100, 20, p.web,
                                reinterpret_cast<HMENU>(INT_PTR(kWebTextId)), p.instance, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  }
  return p.web;
}

void Show(const std::string& address) {
  Player& p = App();
  HWND panel = WebPanel();
  if (!panel) return;
  SetWindowTextA(GetDlgItem(panel, kWebTextId), address.c_str());
  ShowWindow(panel, SW_SHOW);
  p.currentItem = address;
  SetTitle(Ui(1) + " - " + fileio::NameOf(address));
  LAYOUTCONTROLS();
}

}  // namespace

void ShowWebPage(const std::string& address) {
  Player& p = App();
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  SetStatusText("");
  CLOSEMEDIA();
  if (p.slideState == 2) LeaveSlideShow();
  if (p.pictureArea) ShowWindow(p.pictureArea, SW_HIDE);
  if (p.view) ShowWindow(p.view, SW_HIDE);
  WebHistory& h = History();
  // A new page drops the pages that were ahead of the current one.
  if (!h.pages.empty()) h.pages.resize(h.at + 1);
  h.pages.push_back(address);
  h.at = h.pages.size() - 1;
  Show(address);
}

void HideWebPanel() {
  Player& p = App();
  if (p.web && IsWindowVisible(p.web)) ShowWindow(p.web, SW_HIDE);
}

bool WebPanelShows() {
  Player& p = App();
  return p.web && IsWindowVisible(p.web);
}

void WebBack() {
  WebHistory& h = History();
  if (h.at == 0 || h.pages.empty()) return;
  Show(h.pages[--h.at]);
}

void WebForward() {
  WebHistory& h = History();
  if (h.at + 1 >= h.pages.size()) return;
  Show(h.pages[++h.at]);
}

}  // namespace falcet
