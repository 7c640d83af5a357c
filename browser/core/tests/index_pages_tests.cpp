#include "kelmor/index_pages.h"

#include <gtest/gtest.h>

#include "fileio/paths.h"

namespace kelmor {
namespace {

TEST(IndexGrid, ActionTextFieldsWithDefaults) {
  GridLayout g = ParseGridLayout("2,3,7");
  EXPECT_EQ(g.columns, 2);
  EXPECT_EQ(g.rows, 3);
  EXPECT_EQ(g.divisor, 7);
  g = ParseGridLayout("0,,-3");
  EXPECT_EQ(g.columns, 4);
  EXPECT_EQ(g.rows, 5);
  EXPECT_EQ(g.divisor, 6);
  g = ParseGridLayout("");
  EXPECT_EQ(g.PerPage(), 20);
}

TEST(IndexGrid, PageAreaByScreenWidth) {
  PageArea a = PageAreaFor(1280, 6);
  EXPECT_EQ(a.width, 1132);
  EXPECT_EQ(a.height, 1541);
  a = PageAreaFor(800, 6);
  EXPECT_EQ(a.width, 4671 / 6);
  EXPECT_EQ(a.height, 6777 / 6 - 20);
  a = PageAreaFor(1024, 2);
  EXPECT_EQ(a.width, 2880);
  EXPECT_EQ(a.height, 3949);
  a = PageAreaFor(1025, 6);
  EXPECT_EQ(a.width, 1132);
}

TEST(IndexGrid, PagesRoundUp) {
  GridLayout g = ParseGridLayout("4,5,6");
  EXPECT_EQ(PageCount(0, g), 0);
  EXPECT_EQ(PageCount(9, g), 1);
  EXPECT_EQ(PageCount(20, g), 1);
  EXPECT_EQ(PageCount(21, g), 2);
}

TEST(WebPages, ThumbnailBoxAt1280) {
  BoxSize box = WebThumbnailBox(PageAreaFor(1280, 6), ParseGridLayout("4,5,6"));
  EXPECT_EQ(box.width, 275);
  EXPECT_EQ(box.height, 301);
  // A grid far finer than the page still gives a box of one pixel, never 0.
  box = WebThumbnailBox(PageAreaFor(640, 200), ParseGridLayout("200,200,200"));
  EXPECT_EQ(box.width, 1);
  EXPECT_EQ(box.height, 1);
}

TEST(WebPages, ApostrophePairsBecomeQuotesAndLinesEndInCrLf) {
  EXPECT_EQ(HTMLLINE("<td a=''b''>"), "<td a=\"b\">\r\n");
  EXPECT_EQ(HTMLLINE("it's '''"), "it's \"'\r\n");
  EXPECT_EQ(HTMLLINE(""), "\r\n");
}

TEST(WebPages, TitleAndNamesAreEscaped) {
  std::vector<std::string> head = WebPageHead("Tom & Jerry <live> \"x\" ''y''", 1, 2);
  ASSERT_EQ(head.size(), 11u);
  std::string h1 = HTMLLINE(head[7]);
  EXPECT_EQ(h1, "<h1 align=\"center\">Tom &amp; Jerry &lt;live&gt; &quot;x&quot; &#39;&#39;y&#39;&#39;<br>\r\n");
  EXPECT_EQ(HTMLLINE(head[8]), "<small><small><small>page 1/2</small></small></small></h1>\r\n");
  EXPECT_EQ(HTMLLINE(head[3]), "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n");

  std::vector<std::string> cell = WebPageCell("a&b #1.jpg", 275, 183, "a&b #1''.png");
  ASSERT_EQ(cell.size(), 4u);
  EXPECT_EQ(HTMLLINE(cell[1]), "<img src=\"a%26b%20%231.jpg\" width=\"275\" height=\"183\" border=\"0\"><br>\r\n");
  EXPECT_EQ(HTMLLINE(cell[2]), "a&amp;b #1&#39;&#39;.png<br>\r\n");
  EXPECT_EQ(UrlEscape("\xe9t\xe9-_.~"), "%E9t%E9-_.~");
}

TEST(WebPages, ThumbnailsNeverReplaceAPictureOrAFileOfAnotherRun) {
  std::set<std::string> existing = {"c:\\out\\b.jpg", "c:\\out\\c.jpg", "c:\\out\\c-2.jpg"};
  std::set<std::string> sources = {"c:\\out\\d.jpg"};
  std::set<std::string> written;
  auto isSource = [&](const std::string& p) { return sources.count(fileio::ToLower(p)) != 0; };
  auto exists = [&](const std::string& p) {
    return existing.count(fileio::ToLower(p)) != 0 || sources.count(fileio::ToLower(p)) != 0;
  };
  auto name = [&](const std::string& picture) {
    std::string n = ThumbnailName("C:\\out\\", picture, isSource, exists, written);
    written.insert(fileio::ToLower("C:\\out\\" + n));
    return n;
  };
  EXPECT_EQ(name("a.jpg"), "a.jpg");
  // a.png would take the thumbnail a.jpg this run just wrote.
  EXPECT_EQ(name("a.png"), "a-2.jpg");
  EXPECT_EQ(name("b.tif"), "b-2.jpg");
  EXPECT_EQ(name("c.bmp"), "c-3.jpg");
  EXPECT_EQ(name("D.JPG"), "D-2.jpg");
  EXPECT_EQ(name("noext"), "noext.jpg");
  EXPECT_EQ(name("x.y.gif"), "x.jpg");
}

// The count takes the plural ending it needs; only the "@" becomes the pages' pattern.
TEST(WebPages, QuestionSaysHowManyPagesInTheirNumber) {
  const std::string entry59 = " web page(s) written: @|Show them now?";
  EXPECT_EQ(WebPagesQuestion(2, entry59, "C:\\web\\"), "2 web pages written: C:\\web\\qorct???.htm|Show them now?");
  EXPECT_EQ(WebPagesQuestion(1, entry59, "C:\\web\\"), "1 web page written: C:\\web\\qorct???.htm|Show them now?");
  // A folder whose name holds "(s)" keeps it.
  EXPECT_EQ(WebPagesQuestion(3, entry59, "C:\\a(s)\\"), "3 web pages written: C:\\a(s)\\qorct???.htm|Show them now?");
}

TEST(IndexSheets, LayoutAt1280) {
  SheetLayout s = ComputeSheetLayout(PageAreaFor(1280, 6), ParseGridLayout("2,2,6"));
  EXPECT_EQ(s.pageWidth, 1114);
  EXPECT_EQ(s.BitmapHeight(), 1538);
  CellCorner fourth = SheetCellCorner(s, 2, 2);
  EXPECT_EQ(fourth.x, 562);
  EXPECT_EQ(fourth.y, 765);
  CellCorner first = SheetCellCorner(s, 1, 1);
  EXPECT_EQ(first.x, 1);
  EXPECT_EQ(first.y, 1);
  // The last cell and its frame stay inside the page.
  EXPECT_LE(fourth.x + s.cellWidth, s.pageWidth - 1);
  EXPECT_LE(fourth.y + s.cellHeight, s.gridHeight - 1);
}

TEST(IndexSheets, KindsPagesAndPictures) {
  GridLayout g = ParseGridLayout("2,2,6");
  EXPECT_EQ(SheetKindOf(801), SheetKind::kPages);
  EXPECT_EQ(SheetKindOf(807), SheetKind::kPages);
  EXPECT_EQ(SheetKindOf(808), SheetKind::kNone);
  EXPECT_EQ(SheetKindOf(1400), SheetKind::kOnePage);
  EXPECT_EQ(SheetKindOf(1401), SheetKind::kCopies);
  EXPECT_EQ(SheetKindOf(1499), SheetKind::kCopies);
  EXPECT_EQ(SheetPageCount(SheetKind::kPages, 7, g), 2);
  EXPECT_EQ(SheetPageCount(SheetKind::kOnePage, 7, g), 1);
  EXPECT_EQ(SheetPageCount(SheetKind::kCopies, 3, g), 1);
  EXPECT_EQ(SheetPageCount(SheetKind::kPages, 0, g), 0);
  EXPECT_EQ(SheetPictureCount(SheetKind::kCopies, 3, g), 4);
  // Seven pictures: the eighth cell is an empty frame; copies always take the first.
  EXPECT_EQ(SheetPictureAt(SheetKind::kPages, 6, 7), 6);
  EXPECT_EQ(SheetPictureAt(SheetKind::kPages, 7, 7), -1);
  EXPECT_EQ(SheetPictureAt(SheetKind::kCopies, 3, 4), 0);
  EXPECT_EQ(SheetFooter("c:\\My Pics\\", 2, 2), "C:\\MY PICS Page 2 / 2");
}

}  // namespace
}  // namespace kelmor
