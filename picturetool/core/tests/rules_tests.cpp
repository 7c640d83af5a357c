// Save filters, status texts, keyword files, the memory limit, scrolling, the printed
// page and the save table.
#include <gtest/gtest.h>

#include "bravik/export_rules.h"
#include "bravik/picture_rules.h"

namespace bravik {
namespace {

TEST(PictureRules, SaveFilterAndSaveAsPattern) {
  EXPECT_EQ(SaveFilterFor("C:\\pics\\Tree.jpg"), "*.JPG");
  EXPECT_EQ(SaveFilterFor("C:\\my.pics\\scan"), "");
  EXPECT_EQ(SaveFilterFor("C:\\a\\b.tar.gz"), "*.GZ");
  EXPECT_EQ(SaveAsPattern(""), "*.BMP");
  EXPECT_EQ(SaveAsPattern("*.*"), "*.BMP");
  EXPECT_EQ(SaveAsPattern("*.GIF"), "*.PNG");
  EXPECT_EQ(SaveAsPattern("*.TGA"), "*.TGA");
}

TEST(PictureRules, StatusTextWithShrunkSizeAndColours) {
  EXPECT_EQ(PictureStatusText("Tree.JPG", 640, 480, false, 0, 0, 0, "", ""), " tree.jpg 640 x480 ");
  EXPECT_EQ(PictureStatusText("big.bmp", 100, 50, true, 4000, 2000, 0, "(from # x @)", ""),
            " big.bmp 100 x50 (from 4000 x 2000)");
  EXPECT_EQ(PictureStatusText("p.pcx", 10, 10, false, 0, 0, 256, "", "# colours"), " p.pcx 10 x10 256 colours");
}

TEST(PictureRules, KeywordFile) {
  EXPECT_EQ(KeywordFilePath("C:\\p\\a.b.jpg"), "C:\\p\\a.b.KWD");
  EXPECT_EQ(KeywordFilePath("C:\\my.p\\scan"), "");
  KeywordTexts t = ReadKeywordTexts(std::string("sea, sky\0\0  Holiday 2004 ", 25));
  EXPECT_EQ(t.status, "sea, sky");
  EXPECT_EQ(t.caption, "Holiday 2004");
  t = ReadKeywordTexts("no zero bytes");
  EXPECT_EQ(t.status, "no zero bytes");
  EXPECT_EQ(t.caption, "no zero bytes");
}

TEST(PictureRules, MemoryLimitOnlyOnOldSystems) {
  int w, h;
  EXPECT_FALSE(MemoryLimit(32, 8000, 8000, 1024, 768, 601, w, h));
  EXPECT_EQ(w, 8000);
  // 4 x 4000 x 2000 = 32,000,000 bytes: factor 2.
  ASSERT_TRUE(MemoryLimit(32, 4000, 2000, 1024, 768, 400, w, h));
  EXPECT_EQ(w, 2000);
  EXPECT_EQ(h, 1000);
  EXPECT_FALSE(MemoryLimit(24, 1000, 1000, 1024, 768, 400, w, h));
}

TEST(PictureRules, ScrollingStaysInsideThePicture) {
  EXPECT_EQ(ClampScroll(-4, 500, 200), 0);
  EXPECT_EQ(ClampScroll(400, 500, 200), 300);
  EXPECT_EQ(ClampScroll(10, 100, 200), 0);
  EXPECT_EQ(ScrollRequest(1, 0, 0, 500, 200), 5);
  EXPECT_EQ(ScrollRequest(3, 0, 10, 500, 200), 60);
  EXPECT_EQ(ScrollRequest(2, 0, 10, 500, 200), 0);
  EXPECT_EQ(ScrollRequest(5, 123, 10, 500, 200), 123);
  EXPECT_EQ(ScrollRequest(7, 0, 10, 500, 200), 300);
}

TEST(PictureRules, PrintedPictureFillsThePageWithEvenMargins) {
  PrintPlacement p;
  // Portrait: 15 at the sides, 60 at the top and bottom.
  ASSERT_TRUE(PlacePrintedPicture(200, 280, 4800, 6600, 100, 50, p));
  EXPECT_EQ(p.width, 4770);
  EXPECT_EQ(p.height, 2385);
  EXPECT_EQ(p.left, 15);
  EXPECT_EQ(p.left + p.width + p.left, 4800);
  EXPECT_EQ(p.top, (6600 - 2385) / 2);
  // Landscape: 60 at the sides.
  ASSERT_TRUE(PlacePrintedPicture(280, 200, 6600, 4800, 100, 100, p));
  EXPECT_EQ(p.width, 4800);
  EXPECT_EQ(p.left, 900);
  EXPECT_EQ(p.top, 0);
  // An empty picture prints nothing and divides by nothing.
  EXPECT_FALSE(PlacePrintedPicture(200, 280, 4800, 6600, 0, 50, p));
  EXPECT_FALSE(PlacePrintedPicture(200, 280, 20, 100, 10, 10, p));
}

TEST(PictureRules, SizeText) {
  int w = 0, h = 0;
  ASSERT_TRUE(ParseSizeText("640 x 480", w, h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  ASSERT_TRUE(ParseSizeText(" 20,10 ", w, h));
  EXPECT_EQ(h, 10);
  EXPECT_FALSE(ParseSizeText("640", w, h));
  EXPECT_FALSE(ParseSizeText("0 x 10", w, h));
  EXPECT_FALSE(ParseSizeText("10000 x 10", w, h));
  EXPECT_FALSE(ParseSizeText("99999999999999 x 5", w, h));
}

TEST(PictureRules, GreyOfAColour) {
  EXPECT_EQ(GRAYCOLOR(0x0000FF), 0x4C4C4Cu);  // red: 76
  EXPECT_EQ(GRAYCOLOR(0xFFFFFF), 0xFFFFFFu);
  EXPECT_EQ(GRAYCOLOR(0x00FF00), 0x959595u);  // green: 149
  EXPECT_EQ(GRAYCOLOR(0), 0u);
}

TEST(ExportRules, TheSaveTable) {
  SaveFormat f;
  ASSERT_TRUE(LookupSaveFormat(TargetExtension("C:\\x.jpg"), f));
  EXPECT_EQ(f.code, 10);
  EXPECT_EQ(f.quality, 2);
  ASSERT_TRUE(LookupSaveFormat(".eps", f));
  EXPECT_EQ(f.bitsPerPixel, 8);
  ASSERT_TRUE(LookupSaveFormat(".WPG", f));
  EXPECT_EQ(f.bitsPerPixel, 8);
  ASSERT_TRUE(LookupSaveFormat(".CMP", f));
  EXPECT_EQ(f.quality, -1);
  for (const char* ext : {".BMP", ".PCX", ".PCC", ".PNG", ".PSD", ".RAS", ".TGA", ".FPX", ".PCT", ".JPEG"})
    EXPECT_TRUE(LookupSaveFormat(ext, f)) << ext;
  EXPECT_FALSE(LookupSaveFormat(TargetExtension("C:\\x.gif"), f));
  EXPECT_FALSE(LookupSaveFormat(TargetExtension("C:\\x"), f));
  EXPECT_EQ(TargetExtension("C:\\x"), ".");
  EXPECT_TRUE(IsGdiplusSaveExtension(".tif"));
  EXPECT_TRUE(IsGdiplusSaveExtension(".WMF"));
  EXPECT_TRUE(IsGdiplusSaveExtension(".TIFF"));
  EXPECT_FALSE(IsGdiplusSaveExtension(".TI"));
  EXPECT_FALSE(IsGdiplusSaveExtension(".JPG"));
  EXPECT_FALSE(IsGdiplusSaveExtension("."));
}

TEST(ExportRules, PatternTargetsTakeThePicturesName) {
  EXPECT_EQ(ExpandPatternTarget("D:\\o\\*.png", "h.2.jpg", "x"), "D:\\o\\h.png");
  EXPECT_EQ(ExpandPatternTarget("D:\\o\\.png", "C:\\p\\h.2.jpg", "x"), "D:\\o\\h.png");
  EXPECT_EQ(ExpandPatternTarget("D:\\o\\out.png", "h.jpg", "x"), "D:\\o\\out.png");
  EXPECT_EQ(ExpandPatternTarget("D:\\o\\*.png", "", "untitled"), "D:\\o\\untitled.png");
}

}  // namespace
}  // namespace bravik

