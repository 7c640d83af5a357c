// The web panel's rules: what an event of a browser control does, the text size steps and
// the buttons they leave enabled, and the index column beside the content page. Portable.
#pragma once
#include <string>
#include <string_view>

namespace falcet {

// What the panel does with an event of one of its browser controls.
enum class WebEventAction {
  kIgnore,        // not a control of the panel: released and nothing else
  kNothing,       // a control of the panel, an event it does not use
  kTitle,         // TitleChange: the window's title names the page ("Text")
  kReadAddress,   // BeforeNavigate2: the address ("Url") is read, nothing changes
  kCurrentItem,   // DocumentComplete: the address ("Url") becomes the current item
};
inline constexpr const char* kContentControl = "Content";
inline constexpr const char* kIndexControl = "Index";

WebEventAction WebEventActionFor(std::string_view control, std::string_view event);
// Whether the event came from the index page (its handling is marked as such).
bool IsIndexControl(std::string_view control);

// Text sizes run from 0 to 4; larger and smaller step by one within them.
inline constexpr int kLargestTextSize = 4;
int TextSizeAfter(int size, bool larger);
struct TextSizeButtons {
  bool larger = true;   // button 65
  bool smaller = true;  // button 66
};
TextSizeButtons TextSizeButtonsFor(int size);

// UI entry 47, "|" or "," fields: the index page, its width ("25%" a share of the panel,
// else pixels), a frame style, and a page whose "@path@" is the program folder (shown in
// place of the first when given).
struct IndexColumn {
  std::string page;
  int width = 0;
  bool percent = false;
  int frameStyle = 0;
};
IndexColumn ParseIndexColumn(const std::string& entry, const std::string& programFolder);
// The column's width in a panel of that width (never more than the panel; 0 without a page).
int IndexColumnWidth(const IndexColumn& column, int panelWidth);
// The frame style's bits also say where the column stays when a medium (2) or a picture (4)
// takes the panel from a page; the item kinds of the bars are the same numbers.
inline constexpr int kIndexBesideMedia = 2;
inline constexpr int kIndexBesidePictures = 4;
bool IndexStaysBeside(const IndexColumn& column, int itemKind);

// An item that is remembered as the document item (a spreadsheet).
bool IsDocumentItem(std::string_view item);

}  // namespace falcet
