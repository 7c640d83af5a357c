// Rules of the media browser's index pages and index sheets that need no window: the grid
// from a command's action text, the page area by screen width, the thumbnail boxes and the
// sheet's cells, the web pages' lines with their escaping, and the names the thumbnails and
// pages take. Portable.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kelmor {

// ---- the grid ---------------------------------------------------------------------------
// Columns, rows and divisor from the action text ("4,5,6"); a field of 0 (or less, or
// missing) takes the default 4, 5 and 6.
struct GridLayout {
  int columns = 4;
  int rows = 5;
  int divisor = 6;
  int PerPage() const { return columns * rows; }
};
GridLayout ParseGridLayout(const std::string& actionText);

// The page area for a screen width: the smaller and the larger of the pair for the width,
// each divided by the divisor, 20 taken off the height.
struct PageArea {
  int width = 0;
  int height = 0;
};
PageArea PageAreaFor(int screenWidth, int divisor);

// Pages for a number of pictures: rounded up; 0 for none.
int PageCount(int pictures, const GridLayout& grid);

// ---- web pages --------------------------------------------------------------------------
struct BoxSize {
  int width = 0;
  int height = 0;
};
// The box a web page's thumbnail is fitted into (at least 1 x 1).
BoxSize WebThumbnailBox(const PageArea& area, const GridLayout& grid);

// A line as the pages are written: every pair of apostrophes becomes a double quote, CR LF
// follows.
std::string HTMLLINE(const std::string& line);
// Text for the page: & < > " and the apostrophe as entities, so that neither a title nor
// a name can end an attribute, open a tag or form an apostrophe pair.
std::string HtmlEscape(const std::string& text);
// A file name inside an attribute's address: every byte but letters, digits and "-._~" as
// %XX ("#" would cut the address, "&" and blanks are not allowed there).
std::string UrlEscape(const std::string& name);

// The lines of a page before its first row (title and "page p/pages" heading), of one
// cell, and after the last row; HTMLLINE turns each into the file's text.
std::vector<std::string> WebPageHead(const std::string& title, int page, int pages);
inline constexpr const char* kWebRowStart = "<tr vAlign=''bottom'' align=''middle''>";
inline constexpr const char* kWebRowEnd = "</tr>";
std::vector<std::string> WebPageCell(const std::string& thumbnailName, int width, int height,
                                     const std::string& pictureName);
inline constexpr const char* kWebPageEnd = "</TBODY></table></center></div></body></html>";

// The thumbnail of a picture in the target folder: its name up to the first "." + ".jpg"
// (the whole name when it has none). A name that would replace a source picture, a file
// this run did not write, or one it already wrote for another picture becomes the first
// free "base-N.jpg" from 2 on. isSource and exists answer for a full path; written holds
// the lower-cased paths this run wrote. Returns the name without folder.
std::string ThumbnailName(const std::string& targetFolder, const std::string& pictureName,
                          const std::function<bool(const std::string&)>& isSource,
                          const std::function<bool(const std::string&)>& exists, const std::set<std::string>& written);

// The question after a run: the number of pages, UI entry 59 in the plural form for it
// (PLURALS) with "@" as the pages' pattern in the target folder.
std::string WebPagesQuestion(int pages, const std::string& uiEntry59, const std::string& targetFolder);
// The first page name before it is advanced: "QORCT000".
inline constexpr const char* kIndexFirstName = "QORCT000";

// ---- index sheets -----------------------------------------------------------------------
struct SheetLayout {
  int cellWidth = 0;
  int cellHeight = 0;
  int pageWidth = 0;   // W
  int gridHeight = 0;  // H; the bitmap is W x (H + footer)
  int BitmapHeight() const;
};
inline constexpr int kSheetColumnGap = 10;
inline constexpr int kSheetRowGap = 12;
inline constexpr int kSheetFooter = 20;
SheetLayout ComputeSheetLayout(const PageArea& area, const GridLayout& grid);
// The top-left corner of a cell, row and column from 1.
struct CellCorner {
  int x = 0;
  int y = 0;
};
CellCorner SheetCellCorner(const SheetLayout& sheet, int row, int column);
// The footer: the folder without its final "\", upper case, " Page n / pages".
std::string SheetFooter(const std::string& targetFolder, int page, int pages);

// The sheet commands: 801 to 807 as many pages as needed, 1400 one page of the first
// pictures, 1401 to 1499 one page of copies of the first picture.
enum class SheetKind { kPages, kOnePage, kCopies, kNone };
SheetKind SheetKindOf(int command);
// Pictures laid out and pages made for a kind with n selected pictures.
int SheetPictureCount(SheetKind kind, int selected, const GridLayout& grid);
int SheetPageCount(SheetKind kind, int selected, const GridLayout& grid);
// The picture (from 0) of a cell counted from 0 over the whole run; -1 for an empty frame.
int SheetPictureAt(SheetKind kind, int cell, int pictures);

}  // namespace kelmor
