// Values derived at start: thumbnail size, working folder, the file types, the conversion
// picture and the restart.
#include <gtest/gtest.h>

#include "kelmor/filetypes.h"
#include "kelmor/startup_values.h"

namespace kelmor {

namespace {

TEST(StartupValues, ThumbnailSizeStaysBetween50And200) {
  EXPECT_EQ(ThumbnailSize("96"), 96);
  EXPECT_EQ(ThumbnailSize("20"), 50);
  EXPECT_EQ(ThumbnailSize("999"), 200);
  EXPECT_EQ(ThumbnailSize(""), 50);
  EXPECT_EQ(ThumbnailSize(" 120 "), 120);
}

TEST(StartupValues, WorkingFolderAndFiles) {
  EXPECT_EQ(WorkingFolderText("@path@lists\\", "C:\\Suite\\"), "C:\\Suite\\lists");
  EXPECT_EQ(WorkingFolderText("D:\\Work", "C:\\Suite\\"), "D:\\Work");
  EXPECT_EQ(WorkingFolderText("", "C:\\Suite\\"), "");
  EXPECT_EQ(ConversionPicture("C:\\Temp", "kelmor"), "C:\\Temp\\KELCONV.G2B");
}

TEST(StartupValues, RestartAfterADriveOrASkinChange) {
  EXPECT_FALSE(PlanRestart(0).restart);
  EXPECT_TRUE(PlanRestart(2).restart);
  EXPECT_EQ(PlanRestart(2).argument, "USBDETECTED");
  EXPECT_TRUE(PlanRestart(-1).restart);
  EXPECT_EQ(PlanRestart(-1).argument, "");
}

TEST(FileTypes, LabelsFiltersAndTheStoredChoice) {
  FileTypes t = ParseFileTypes("All|*.*|Sounds|*.wav;*.mp3|Pictures|*.jpg");
  EXPECT_EQ(t.labels, (std::vector<std::string>{" All", " Sounds", " Pictures"}));
  EXPECT_EQ(t.filters, (std::vector<std::string>{"*.*", "*.wav;*.mp3", "*.jpg"}));
  EXPECT_EQ(SelectFileType(t, "*.wav;*.mp3"), 1);
  EXPECT_EQ(SelectFileType(t, ""), 2);
  EXPECT_EQ(SelectFileType(t, "*.gif"), -1);
  EXPECT_EQ(SelectFileType(FileTypes{}, ""), -1);
  EXPECT_EQ(ParseFileTypes("Odd|*.*|Dangling").labels.size(), 1u);
  EXPECT_EQ(BarField("a|b|c", 2), "b");
  EXPECT_EQ(BarField("a|b|c", 4), "");
}

}  // namespace

}  // namespace kelmor
