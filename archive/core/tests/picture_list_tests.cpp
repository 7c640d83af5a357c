#include <gtest/gtest.h>

#include <set>

#include "fileio/file.h"
#include "grilton/picture_list.h"
#include "temp_dir.h"

namespace {

grilton::ListingHooks SizesFromNames() {
  grilton::ListingHooks hooks;
  // Pictures whose name says "empty" report no size; the rest 10 x 10.
  hooks.pictureSize = [](const std::string& path, int& width, int& height) {
    bool empty = path.find("empty") != std::string::npos;
    width = empty ? 0 : 10;
    height = empty ? 0 : 10;
    return true;
  };
  return hooks;
}

TEST(PictureList, AGifAndATextFileListOnePicture) {
  TempDir dir;
  dir.Write("anim.GIF", "not even a picture");
  dir.Write("notes.txt", "text");
  std::vector<std::string> list = grilton::ListPictures(dir.File("*.*"), SizesFromNames());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], dir.File("anim.GIF"));
}

TEST(PictureList, TypesSizesAndFoldersDecide) {
  TempDir dir;
  dir.Write("b.jpeg", "x");
  dir.Write("a.PNG", "x");
  dir.Write("empty.bmp", "x");
  dir.Write("c.jpg.txt", "x");
  dir.Write("d.FPX", "x");
  dir.Write("folder.jpg/inside.jpg", "x");
  std::vector<std::string> list = grilton::ListPictures(dir.File("*.*"), SizesFromNames());
  EXPECT_EQ(list, (std::vector<std::string>{dir.File("a.PNG"), dir.File("b.jpeg"), dir.File("d.FPX")}));

  grilton::ListingHooks unreadable;
  unreadable.pictureSize = [](const std::string&, int&, int&) { return false; };
  EXPECT_TRUE(grilton::ListPictures(dir.File("*.*"), unreadable).empty());

  grilton::ListingHooks stop = SizesFromNames();
  int calls = 0;
  stop.between = [&](int count) {
    ++calls;
    return count < 1;
  };
  EXPECT_EQ(grilton::ListPictures(dir.File("*.*"), stop).size(), 1u);
  EXPECT_GE(calls, 2);
}

TEST(PictureList, PictureTypesAreWholeEntries) {
  for (const char* t : {"jpg", "JPEG", "fpx", "Gif", "pcc"}) EXPECT_TRUE(grilton::IsPictureType(t)) << t;
  for (const char* t : {"", "JP", "PEG", "TXT", "JPG.GIF", ".", "G2"}) EXPECT_FALSE(grilton::IsPictureType(t)) << t;
}

TEST(Strip, StepsMoveTheStripOnlyWhereThereIsSomethingToShow) {
  // Ten pictures, the strip at the start.
  EXPECT_EQ(grilton::StripFirstAfter(1, 0, 10), -1);
  EXPECT_EQ(grilton::StripFirstAfter(2, 0, 10), -1);
  EXPECT_EQ(grilton::StripFirstAfter(5, 0, 10), 1);
  EXPECT_EQ(grilton::StripFirstAfter(6, 0, 10), 6);
  // At the end: the last picture shows in the last frame.
  EXPECT_EQ(grilton::StripFirstAfter(5, 6, 10), -1);
  EXPECT_EQ(grilton::StripFirstAfter(6, 6, 10), -1);
  EXPECT_EQ(grilton::StripFirstAfter(2, 6, 10), 5);
  EXPECT_EQ(grilton::StripFirstAfter(1, 6, 10), 0);
  // Four pictures or fewer fill the strip: nothing moves.
  for (int command : {1, 2, 5, 6}) EXPECT_EQ(grilton::StripFirstAfter(command, 0, 4), -1) << command;
  EXPECT_EQ(grilton::StripFirstAfter(3, 0, 10), -1);
  EXPECT_EQ(grilton::PictureUnderFrame(6, 2, 10), 8);
  EXPECT_EQ(grilton::PictureUnderFrame(0, 3, 2), 1);
  EXPECT_EQ(grilton::PictureUnderFrame(0, 0, 0), -1);
}

TEST(ScanPages, PagesAreNumberedAndARunGoesOnWhereTheLastStopped) {
  TempDir dir;
  const std::string scan = grilton::ScanFolder(dir.Path());
  EXPECT_EQ(scan, dir.File("TWAIN\\"));
  ASSERT_EQ(fileio::MakeDirectories(scan), 0);
  EXPECT_EQ(grilton::NextScanPage(scan), scan + "TWN00001.jpg");
  EXPECT_EQ(grilton::NextScanPage(scan), scan + "TWN00002.jpg");
  // A new run: the counter file kept the number.
  EXPECT_EQ(grilton::NextScanPage(scan), scan + "TWN00003.jpg");
  EXPECT_TRUE(fileio::Exists(scan + "QORTWAIN.CPT"));
  EXPECT_EQ(grilton::NextScanPage(dir.File("missing\\deeper\\")), "");
}

TEST(SourceDialog, KnownCaptionsAndOwnedWindowsButNeverTheArchivesOwn) {
  const char* known = "Scanner Source|TWAIN Driver";
  grilton::TopWindow w;
  w.text = "  twain driver ";
  EXPECT_TRUE(grilton::IsSourceDialog(w, known));
  w.ownWindow = true;  // the archive's own box with the same caption
  EXPECT_FALSE(grilton::IsSourceDialog(w, known));
  w = {};
  w.text = "Some Dialog";
  EXPECT_FALSE(grilton::IsSourceDialog(w, known));
  w.childOfMain = true;
  EXPECT_TRUE(grilton::IsSourceDialog(w, known));
  w.text = "   ";
  EXPECT_FALSE(grilton::IsSourceDialog(w, known));
  w = {};
  w.text = "Scanner";
  EXPECT_FALSE(grilton::IsSourceDialog(w, known));
  EXPECT_FALSE(grilton::IsSourceDialog(w, ""));
}

}  // namespace
