#include <gtest/gtest.h>

#include "imaging/picture_tables.h"

TEST(PictureTables, ExtensionsAndLists) {
  EXPECT_TRUE(ExtensionInList("C:\\a\\photo.JPG", kGdiplusThumbnailList));
  EXPECT_TRUE(ExtensionInList("photo.jpeg", kGdiplusThumbnailList));
  EXPECT_FALSE(ExtensionInList("photo.pcx", kGdiplusThumbnailList));
  EXPECT_FALSE(ExtensionInList("photo.jp", kGdiplusThumbnailList));  // ".JP." is not listed
  EXPECT_FALSE(ExtensionInList("C:\\my.pics\\scan", kGdiplusThumbnailList));
  EXPECT_FALSE(ExtensionInList("photo", kGdiplusThumbnailList));
  EXPECT_TRUE(ExtensionInList("x.pcc", kImagingPictureList));
  EXPECT_EQ(ExtensionPosition("a.dib", kGdiplusPictureList), 1);
  EXPECT_EQ(ExtensionPosition("a.BMP", kGdiplusPictureList), 10);
  EXPECT_EQ(ExtensionPosition("a.ico", kGdiplusPictureList), 11);
  EXPECT_EQ(ExtensionPosition("a.pcx", kGdiplusPictureList), 0);
  EXPECT_EQ(SaveMimeType("jpeg"), "image/jpeg");
  EXPECT_EQ(SaveMimeType("TIF"), "image/tiff");
  EXPECT_EQ(SaveMimeType("ICO"), "image/x-icon");
  EXPECT_EQ(SaveMimeType("DIB"), "");
}

TEST(PictureTables, ArgbColours) {
  uint32_t c = MAKEARGB(255, 1, 2, 3);
  EXPECT_EQ(c, 0xFF010203u);
  uint8_t a, r, g, b;
  SPLITARGB(c, a, r, g, b);
  EXPECT_EQ(a, 255);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(g, 2);
  EXPECT_EQ(b, 3);
  EXPECT_EQ(SETALPHA(c, 16), 0x10010203u);
}

TEST(PictureTables, SizeCapAndConversionFile) {
  int w = 4000, h = 3000;
  CapBitmapSize(w, h, 4, 600);  // only old systems cap
  EXPECT_EQ(w, 4000);
  CapBitmapSize(w, h, 4, 410);
  EXPECT_LE(int64_t(w) * h * 4, 16000000);
  EXPECT_GT(int64_t(w) * h * 4, 15000000);  // reduced to the cap, not far below it
  EXPECT_NEAR(double(w) / h, 4.0 / 3.0, 0.01);
  w = 100, h = 100;
  CapBitmapSize(w, h, 4, 410);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(GifConversionPath("C:\\temp\\", "C:\\prog\\kelmor.exe", 42), "C:\\temp\\KELCONV42.G2B");
  EXPECT_NE(GifConversionPath("C:\\temp", "kelmor.exe", 42), GifConversionPath("C:\\temp", "kelmor.exe", 43));
}

TEST(PictureTables, FileTypeRegistration) {
  FileTypeRegistration r;
  ASSERT_TRUE(ParseFileTypeRegistration(".sks,SuiteSkin,@PATH@Kelmor.exe,Suite skin", "C:\\Suite\\Prog", r));
  EXPECT_EQ(r.extension, ".sks");
  EXPECT_EQ(r.typeName, "SuiteSkin");
  EXPECT_EQ(r.command, "c:\\suite\\prog\\kelmor.exe");
  EXPECT_EQ(r.description, "Suite skin");
  EXPECT_FALSE(ParseFileTypeRegistration(".sks,SuiteSkin,kelmor.exe", "C:\\", r));
  EXPECT_FALSE(ParseFileTypeRegistration(".sks,a,b,c,d", "C:\\", r));
}
