// The picture transforms: resize arithmetic, how the result is saved, the step messages of
// a batch; the drive rules; the thumbnail cell's geometry.
#include <gtest/gtest.h>

#include "kelmor/cell_layout.h"
#include "kelmor/drive_rules.h"
#include "kelmor/transform_rules.h"

namespace kelmor {

namespace {

TEST(Transforms, CommandsRotationAndLoadDepth) {
  EXPECT_TRUE(IsTransformCommand(703));
  EXPECT_TRUE(IsTransformCommand(707));
  EXPECT_FALSE(IsTransformCommand(702));
  EXPECT_FALSE(IsTransformCommand(708));
  EXPECT_EQ(TransformRotation(705), -9000);
  EXPECT_EQ(TransformRotation(706), 9000);
  EXPECT_EQ(TransformRotation(703), 0);
  EXPECT_EQ(TransformLoadDepth(707), 24);
  EXPECT_EQ(TransformLoadDepth(704), 0);
}

TEST(Transforms, ResizeKeepsProportionsByTheSmallerFactor) {
  int w = 0, h = 0;
  // Width limits: 800 x 600 into 400 x 400 -> factor 0.5.
  ASSERT_TRUE(ResizeTarget(800, 600, {400, 400, true}, w, h));
  EXPECT_EQ(w, 400);
  EXPECT_EQ(h, 300);
  // Height limits: 600 x 800 into 400 x 400 -> factor 0.5 by height.
  ASSERT_TRUE(ResizeTarget(600, 800, {400, 400, true}, w, h));
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 400);
  // Enlarging works the same way; results are rounded.
  ASSERT_TRUE(ResizeTarget(3, 2, {10, 10, true}, w, h));
  EXPECT_EQ(w, 10);
  EXPECT_EQ(h, 7);
  // A tiny factor still leaves one pixel.
  ASSERT_TRUE(ResizeTarget(5000, 10, {1, 1000, true}, w, h));
  EXPECT_EQ(w, 1);
  EXPECT_EQ(h, 1);
}

TEST(Transforms, ResizeWithoutProportionsTakesTheChosenSizeAndRefusesZero) {
  int w = 0, h = 0;
  ASSERT_TRUE(ResizeTarget(800, 600, {123, 456, false}, w, h));
  EXPECT_EQ(w, 123);
  EXPECT_EQ(h, 456);
  EXPECT_FALSE(ResizeTarget(0, 600, {100, 100, true}, w, h));
  EXPECT_FALSE(ResizeTarget(800, 0, {100, 100, false}, w, h));
  EXPECT_FALSE(ResizeTarget(800, 600, {0, 100, false}, w, h));
  EXPECT_FALSE(ResizeTarget(800, 600, {100, -1, true}, w, h));
}

TEST(Transforms, JpegsSaveAsJpegAtQuality25AndOthersInTheirOwnFormat) {
  TransformSave s = TransformSaveRule("C:\\pics\\a.JpG", 10, 8);
  EXPECT_TRUE(s.possible);
  EXPECT_EQ(s.format, 10);
  EXPECT_EQ(s.bitsPerPixel, 24);
  EXPECT_EQ(s.qualityFactor, 25);
  s = TransformSaveRule("C:\\pics\\a.jpeg", 10, 24);
  EXPECT_EQ(s.format, 10);
  s = TransformSaveRule("C:\\pics\\a.jpeg.bmp", 6, 8);
  EXPECT_EQ(s.format, 6);
  EXPECT_EQ(s.bitsPerPixel, 8);
  EXPECT_EQ(s.qualityFactor, 0);
  s = TransformSaveRule("C:\\pics\\a.cmp", 5, 24);
  EXPECT_EQ(s.format, 5);
  EXPECT_EQ(s.qualityFactor, -1);
  // ".JPGX" is not a JPEG name.
  EXPECT_EQ(TransformSaveRule("a.jpgx", 75, 32).format, 75);
  // No "." in the file name (a dot in the folder does not count): the step fails.
  EXPECT_FALSE(TransformSaveRule("C:\\my.pics\\scan", 6, 24).possible);
}

TEST(Transforms, ABatchOfThreePostsThreeStepsOnlyTheLastWithLParam0) {
  TransformBatch batch;
  batch.command = 706;
  batch.folder = "c:\\pics\\";
  batch.names = {"a.bmp", "b.bmp", "c.bmp"};
  for (size_t i = 0; i < 3; ++i) {
    TransformStepWords w = EncodeTransformStep(706, i, 3);
    EXPECT_EQ(w.wParam & 0xFFFF, 706u);
    EXPECT_EQ(w.wParam >> 16, i);
    EXPECT_EQ(w.lParam != 0, i < 2) << i;
    EXPECT_EQ(TransformStepPosition(w.lParam, 3), i);
  }
  EXPECT_EQ(batch.PathAt(1), "c:\\pics\\b.bmp");
  EXPECT_EQ(batch.PathAt(3), "");
  // Positions beyond 16 bits come from lParam.
  TransformStepWords big = EncodeTransformStep(703, 70000, 70002);
  EXPECT_EQ(TransformStepPosition(big.lParam, 70002), 70000u);
  EXPECT_EQ(TransformStepPosition(5, 3), 3u);  // out of range: no file
}

TEST(Drives, TheHighestLetterOfTheMaskIsTheDrive) {
  EXPECT_EQ(DriveFromUnitMask(0), 0);
  EXPECT_EQ(DriveFromUnitMask(1), 'A');
  EXPECT_EQ(DriveFromUnitMask((1u << 4) | (1u << 2)), 'E');
  EXPECT_EQ(DriveFromUnitMask(1u << 25), 'Z');
  EXPECT_TRUE(FolderOnDrive("e:\\pics\\", 'E'));
  EXPECT_FALSE(FolderOnDrive("\\\\server\\e", 'E'));
  EXPECT_EQ(DriveArrivalQuestion("The drive @ was connected.", 'F'), "The drive F: was connected.");
}

TEST(Drives, ARemovedDriveComesBackWithItsFolderWithoutAQuestion) {
  auto exists = [](const std::string&) { return true; };
  DriveRemovalPlan removal = PlanDriveRemoval('E', "e:\\trip\\");
  EXPECT_TRUE(removal.currentFolderGone);
  EXPECT_EQ(removal.remember, "e:\\trip\\");
  DriveArrivalPlan arrival = PlanDriveArrival('E', false, "", removal.remember, exists);
  EXPECT_EQ(arrival.action, DriveArrivalAction::RestoreFolder);
  EXPECT_EQ(arrival.folder, "e:\\trip\\");
  EXPECT_TRUE(arrival.forgetRemembered);
  // The folder went meanwhile: the drive's root.
  arrival = PlanDriveArrival('E', false, "", "e:\\trip\\", [](const std::string&) { return false; });
  EXPECT_EQ(arrival.folder, "E:\\");
}

TEST(Drives, OtherDrivesAskOrRebuildTheTree) {
  auto exists = [](const std::string&) { return true; };
  EXPECT_FALSE(PlanDriveRemoval('F', "e:\\trip\\").currentFolderGone);
  // Another drive while a folder is remembered: ask, and the remembered folder goes.
  DriveArrivalPlan arrival = PlanDriveArrival('F', false, "", "e:\\trip\\", exists);
  EXPECT_EQ(arrival.action, DriveArrivalAction::AskToShow);
  EXPECT_TRUE(arrival.forgetRemembered);
  // A CD keeps the remembered folder and only rebuilds the tree.
  arrival = PlanDriveArrival('G', true, "", "e:\\trip\\", exists);
  EXPECT_EQ(arrival.action, DriveArrivalAction::RebuildTree);
  EXPECT_FALSE(arrival.forgetRemembered);
  // A folder is shown: the remembered drive does not take over.
  arrival = PlanDriveArrival('E', false, "c:\\pics\\", "e:\\trip\\", exists);
  EXPECT_EQ(arrival.action, DriveArrivalAction::AskToShow);
}

TEST(Cells, ThePictureIsFittedAboveTheNameAndMarkersStayInside) {
  const int cell = 106, text = 14;
  CellGeometry g = ComputeCellGeometry(cell, text, 200, 100);
  EXPECT_EQ(g.picture.width, 98);
  EXPECT_EQ(g.picture.height, 49);
  EXPECT_LE(g.picture.y + g.picture.height, g.name.y);
  EXPECT_EQ(g.name.y + g.name.height, cell - 4);
  // Tall pictures are centred across.
  CellGeometry tall = ComputeCellGeometry(cell, text, 50, 400);
  EXPECT_NEAR(tall.picture.x * 2 + tall.picture.width, cell, 1);
  for (const CellRect& m : g.markers) {
    EXPECT_GE(m.x, 0);
    EXPECT_LE(m.x + m.width, cell);
    EXPECT_EQ(m.width, kMarkerSize);
  }
  // A placeholder fills the picture area.
  CellGeometry empty = ComputeCellGeometry(cell, text, 0, 0);
  EXPECT_EQ(empty.picture.width, cell - 8);
}

TEST(Cells, DisplayTimeInSeconds) {
  EXPECT_EQ(DisplayTimeText("4000"), "4 s");
  EXPECT_EQ(DisplayTimeText(" 2500\r\n"), "2.5 s");
  EXPECT_EQ(DisplayTimeText("0"), "");
  EXPECT_EQ(DisplayTimeText("abc"), "");
  EXPECT_EQ(DisplayTimeText(""), "");
}

}  // namespace

}  // namespace kelmor
