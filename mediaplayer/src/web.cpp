// The web panel over the ActiveX host. The browser controls are children of the panel
// window; its two static texts (the address and the notice) show only while there is no
// content browser.
#include "web.h"

#include <ole2.h>
#include <exdisp.h>
#include <docobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

#include "activex/tirmolx.h"
#include "bars.h"
#include "commands.h"
#include "falcet/web_rules.h"
#include "fileio/paths.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/skin.h"
#include "state.h"
#include "win/wide_text.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace falcet {

namespace {

using Microsoft::WRL::ComPtr;

constexpr char kBrowserClass[] = "ProgID:Shell.Explorer.2";
constexpr int kNoticeEntry = 60;
constexpr int kNoticeHeight = 40;

// Pages shown while there is no browser, for back and forward.
struct WebHistory {
  std::vector<std::string> pages;
  size_t at = 0;
};

WebHistory& History() {
  static WebHistory history;
  return history;
}

ComPtr<IWebBrowser2> Browser(IDispatch* control) {
  ComPtr<IWebBrowser2> browser;
  if (control) control->QueryInterface(IID_PPV_ARGS(&browser));
  return browser;
}

// An optional argument left out.
VARIANT Absent() {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_ERROR;
  V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
  return v;
}

std::string TextOf(const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  std::string out;
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR)) && V_BSTR(&text))
    out = win::Narrow(V_BSTR(&text));
  VariantClear(&text);
  return out;
}

std::string Parameter(const JaEvent* event, const char* name) {
  VARIANT value;
  std::string text;
  if (JAGetEventNamedParameterValue(event, name, &value)) text = TextOf(value);
  VariantClear(&value);
  return text;
}

void JACONTENTCALLBACK(const JaEvent* event) {
  Player& p = App();
  IDispatch* sender = JAGetEventSenderDispatch(event);
  char name[64] = {};
  JAGetControlName(sender, name, sizeof name);
  char eventName[257] = {};
  JAGetEventName(event, eventName, sizeof eventName);
  WebEventAction action = WebEventActionFor(name, eventName);
  if (action != WebEventAction::kIgnore) {
    p.indexEvent = IsIndexControl(name);
    switch (action) {
      case WebEventAction::kTitle:
        SetTitle(Ui(1) + " - " + Parameter(event, "Text"));
        break;
      case WebEventAction::kReadAddress:
        Parameter(event, "Url");
        break;
      case WebEventAction::kCurrentItem:
        p.currentItem = Parameter(event, "Url");
        break;
      default:
        break;
    }
    p.indexEvent = false;
  }
  JAReleaseDispatch(sender);
}

// The text size of the browser: asked (input null) or set (input a size); -1 when it
// does not answer.
int ExecZoom(IWebBrowser2* browser, const int* size) {
  VARIANT in = Absent(), out;
  VariantInit(&out);
  if (size) {
    V_VT(&in) = VT_I4;
    V_I4(&in) = *size;
  }
  int answer = -1;
  if (SUCCEEDED(browser->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DODEFAULT, &in, &out))) {
    VARIANT number;
    VariantInit(&number);
    if (SUCCEEDED(VariantChangeType(&number, &out, 0, VT_I4))) answer = V_I4(&number);
    VariantClear(&number);
  }
  VariantClear(&out);
  return answer;
}

LRESULT CALLBACK WebProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND WebPanel() {
  Player& p = App();
  if (p.web && IsWindow(p.web)) return p.web;
  if (!win::RegisterClassOnce({.name = kWebClass, .procedure = WebProc, .instance = p.instance})) return nullptr;
  p.web = CreateWindowExA(0, kWebClass, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, p.clip,
                          reinterpret_cast<HMENU>(INT_PTR(kWebId)), p.instance, nullptr);
  if (!p.web) return nullptr;
  for (int id : {kWebTextId, kWebNoticeId}) {
    HWND text = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 8, 8, 100, 20, p.web,
                                reinterpret_cast<HMENU>(INT_PTR(id)), p.instance, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  }
  return p.web;
}

// The index column's width, a share of the whole client panel also while the web panel
// narrows to the column beside a medium or a picture.
int IndexWidth(const IndexColumn& column) {
  Player& p = App();
  RECT clip{};
  if (p.clip) GetClientRect(p.clip, &clip);
  return p.indexControl ? IndexColumnWidth(column, clip.right) : 0;
}

// The index column at the left, the content beside it; the texts where the content is.
void PlaceControls(int width, int height) {
  Player& p = App();
  IndexColumn column = ParseIndexColumn(Ui(47), p.programFolder);
  int indexWidth = std::min(width, IndexWidth(column));
  // A framed column keeps a gap to the content.
  int gap = indexWidth > 0 && SKINSET(column.frameStyle, 1) ? 3 : 0;
  if (p.indexControl) JASetControlPosition(p.indexControl, 0, 0, indexWidth, height);
  int left = std::min(width, indexWidth + gap);
  if (p.contentControl) JASetControlPosition(p.contentControl, left, 0, width - left, height);
  if (HWND text = GetDlgItem(p.web, kWebTextId)) MoveWindow(text, left + 8, 8, width - left - 16, 20, TRUE);
  if (HWND notice = GetDlgItem(p.web, kWebNoticeId))
    MoveWindow(notice, left + 8, 36, width - left - 16, kNoticeHeight, TRUE);
}

LRESULT CALLBACK WebProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  if (message == WM_SIZE) {
    PlaceControls(LOWORD(lParam), HIWORD(lParam));
    return 0;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

// A browser control of that name, made once; null where none can be made. The flag keeps
// a second creation out while the host runs messages during the first.
IDispatch* MakeBrowser(IDispatch*& control, const char* name) {
  Player& p = App();
  if (control || p.creatingControl || !p.webHost) return control;
  p.creatingControl = true;
  RECT r{};
  GetClientRect(p.web, &r);
  IDispatch* made = JACreateControl(p.web, kBrowserClass, name, 0, 0, r.right, r.bottom);
  if (made) {
    JASetControlResizeStyle(made, kJaResizeNone);
    JASubscribeEvents(made, JACONTENTCALLBACK);
  }
  control = made;
  p.creatingControl = false;
  return control;
}

void Navigate(IDispatch* control, const std::string& address) {
  ComPtr<IWebBrowser2> browser = Browser(control);
  if (!browser) return;
  BSTR url = SysAllocString(win::Widen(address).c_str());
  VARIANT flags = Absent(), target = Absent(), postData = Absent(), headers = Absent();
  browser->Navigate(url, &flags, &target, &postData, &headers);
  SysFreeString(url);
}

void ShowIndex() {
  Player& p = App();
  IndexColumn column = ParseIndexColumn(Ui(47), p.programFolder);
  if (column.page.empty() || p.indexControl) return;
  if (!MakeBrowser(p.indexControl, kIndexControl)) return;
  JASetControlVisible(p.indexControl, true);
  Navigate(p.indexControl, column.page);
}

// The panel without a browser: the address, and the notice that pages cannot be shown.
void ShowAddress(const std::string& address) {
  Player& p = App();
  SetWindowTextA(GetDlgItem(p.web, kWebTextId), address.c_str());
  SetWindowTextA(GetDlgItem(p.web, kWebNoticeId), Ui(kNoticeEntry).c_str());
  ShowWindow(GetDlgItem(p.web, kWebTextId), SW_SHOW);
  ShowWindow(GetDlgItem(p.web, kWebNoticeId), SW_SHOW);
  p.currentItem = address;
  SetTitle(Ui(1) + " - " + fileio::NameOf(address));
}

void Show(const std::string& address) {
  Player& p = App();
  p.indexBeside = false;
  // The address text stays the page's, behind the browser too.
  SetWindowTextA(GetDlgItem(p.web, kWebTextId), address.c_str());
  ShowIndex();
  if (MakeBrowser(p.contentControl, kContentControl)) {
    ShowWindow(GetDlgItem(p.web, kWebTextId), SW_HIDE);
    ShowWindow(GetDlgItem(p.web, kWebNoticeId), SW_HIDE);
    RECT r{};
    GetClientRect(p.web, &r);
    PlaceControls(r.right, r.bottom);
    JASetControlVisible(p.contentControl, true);
    p.currentItem = address;
    Navigate(p.contentControl, address);
    if (IsDocumentItem(address)) p.documentItem = address;
    WEBZOOMSTATE();
  } else {
    ShowAddress(address);
  }
  LAYOUTCONTROLS();
}

}  // namespace

void StartWebHost() { App().webHost = JAInitializeHVClient(); }

void ShowWebPage(const std::string& address) {
  Player& p = App();
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  SetStatusText("");
  bool hadMedium = p.media.holder != Holder::kNone;
  CLOSEMEDIA();
  // A closed medium lets its device go before the page takes the panel.
  if (hadMedium) Sleep(200);
  if (p.slideState == 2) LeaveSlideShow();
  if (p.pictureArea) ShowWindow(p.pictureArea, SW_HIDE);
  if (p.view) ShowWindow(p.view, SW_HIDE);
  if (!WebPanel()) return;
  ShowWindow(p.web, SW_SHOW);
  InvalidateRect(p.clip, nullptr, TRUE);
  if (!p.contentControl) {
    WebHistory& h = History();
    // A new page drops the pages that were ahead of the current one.
    if (!h.pages.empty()) h.pages.resize(h.at + 1);
    h.pages.push_back(address);
    h.at = h.pages.size() - 1;
  }
  Show(address);
}

void HideWebPanel() {
  Player& p = App();
  p.indexBeside = false;
  if (p.web && IsWindowVisible(p.web)) ShowWindow(p.web, SW_HIDE);
}

void WebPanelGivesWay(int itemKind) {
  Player& p = App();
  IndexColumn column = ParseIndexColumn(Ui(47), p.programFolder);
  if (!IndexStaysBeside(column, itemKind)) {
    HideWebPanel();
    return;
  }
  // A medium brings the index column with it, unless the window waits off the screen.
  if (!p.indexControl && itemKind == kIndexBesideMedia && !p.offScreen && WebPanel()) ShowIndex();
  if (!p.indexControl) {
    HideWebPanel();
    return;
  }
  if (p.contentControl) JASetControlVisible(p.contentControl, false);
  for (int id : {kWebTextId, kWebNoticeId}) ShowWindow(GetDlgItem(p.web, id), SW_HIDE);
  JASetControlVisible(p.indexControl, true);
  p.indexBeside = true;
  ShowWindow(p.web, SW_SHOW);
  RECT clip{};
  GetClientRect(p.clip, &clip);
  MoveWindow(p.web, 0, 0, IndexColumnBeside(), clip.bottom, TRUE);
}

int IndexColumnBeside() {
  Player& p = App();
  if (!p.indexBeside || !p.indexControl || !p.web || !IsWindowVisible(p.web)) return 0;
  return IndexWidth(ParseIndexColumn(Ui(47), p.programFolder));
}

bool WebPanelShows() {
  Player& p = App();
  // The index column alone beside a medium or a picture is no page.
  return p.web && IsWindowVisible(p.web) && !p.indexBeside;
}

void WebBack() {
  if (ComPtr<IWebBrowser2> browser = Browser(App().contentControl)) {
    browser->GoBack();
    return;
  }
  WebHistory& h = History();
  if (h.at == 0 || h.pages.empty()) return;
  ShowAddress(h.pages[--h.at]);
}

void WebForward() {
  if (ComPtr<IWebBrowser2> browser = Browser(App().contentControl)) {
    browser->GoForward();
    return;
  }
  WebHistory& h = History();
  if (h.at + 1 >= h.pages.size()) return;
  ShowAddress(h.pages[++h.at]);
}

void WebRefresh() {
  if (ComPtr<IWebBrowser2> browser = Browser(App().contentControl)) browser->Refresh();
}

void WebStop() {
  if (ComPtr<IWebBrowser2> browser = Browser(App().contentControl)) browser->Stop();
}

int WEBZOOMSTATE() {
  ComPtr<IWebBrowser2> browser = Browser(App().contentControl);
  if (!browser) return 0;
  int size = ExecZoom(browser.Get(), nullptr);
  if (size < 0) return 0;
  TextSizeButtons buttons = TextSizeButtonsFor(size);
  EnableControl(kLargerButton, buttons.larger);
  EnableControl(kSmallerButton, buttons.smaller);
  return size;
}

void WebTextSize(bool larger) {
  ComPtr<IWebBrowser2> browser = Browser(App().contentControl);
  if (!browser) return;
  int size = ExecZoom(browser.Get(), nullptr);
  if (size < 0) return;
  int next = TextSizeAfter(size, larger);
  if (next != size) ExecZoom(browser.Get(), &next);
  WEBZOOMSTATE();
}

bool PrintWebPage() {
  ComPtr<IWebBrowser2> browser = Browser(App().contentControl);
  if (!browser) return false;
  VARIANT in = Absent(), out = Absent();
  browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, &in, &out);
  return true;
}

void DeleteWebControls() {
  Player& p = App();
  if (p.contentControl) JADeleteControl(p.contentControl);
  if (p.indexControl) JADeleteControl(p.indexControl);
  p.contentControl = nullptr;
  p.indexControl = nullptr;
}

}  // namespace falcet
