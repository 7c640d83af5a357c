// The web panel: pages and documents that are neither media nor pictures, shown in the
// browser control "Content" (with the index page of UI entry 47 in "Index" beside it)
// through the ActiveX host. Where no browser control can be made, the panel shows the
// page's address and a notice, and keeps the pages opened in it for back and forward.
#pragma once
#include <string>

namespace falcet {

// Starts the ActiveX host (once, at start).
void StartWebHost();
void ShowWebPage(const std::string& address);
void HideWebPanel();
// A medium (item kind 2) or a picture (4) takes the panel: the web panel hides, or keeps
// only the index column at the left when UI entry 47 says so (a medium makes the column
// then when there is none yet).
void WebPanelGivesWay(int itemKind);
// The width the index column takes off the client panel beside a medium or a picture (0
// when it does not show).
int IndexColumnBeside();
// Whether a page shows (not only the index column beside a medium or a picture).
bool WebPanelShows();
void WebBack();
void WebForward();
void WebRefresh();   // 64
void WebStop();      // 69
// 65 (larger) and 66 (smaller): one text size step, then the buttons follow the new size.
void WebTextSize(bool larger);
// The content browser's text size (0 to 4; 0 without a browser), which sets buttons 65 and 66.
int WEBZOOMSTATE();
// The content browser's own print dialog; false when there is no browser to print.
bool PrintWebPage();
// Deletes both browser controls (at exit).
void DeleteWebControls();

}  // namespace falcet
