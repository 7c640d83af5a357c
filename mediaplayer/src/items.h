// The item list: opening one item (a medium, a show list, a picture or a web page),
// opening a whole list, stepping to the previous and next item; and the web panel.
#pragma once
#include <string>

namespace falcet {

// Opens one item (a medium plays from its start).
void OPENITEM(const std::string& item);
// Makes a list the item list and opens its first item (the item itself for one item).
// leaveShow: a single item leaves the slide show first.
void OpenList(const std::string& list, bool leaveShow);
void NextItem();
void PreviousItem();

// The web panel (without the web browser control: the page's address is shown).
void ShowWebPage(const std::string& address);
void HideWebPanel();
bool WebPanelShows();
void WebBack();
void WebForward();

}  // namespace falcet
