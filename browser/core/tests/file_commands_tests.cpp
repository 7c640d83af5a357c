// The rules of the picture and file commands: open list, conversion, numbered series, list
// files, the audio program's types, the inverted selection and a folder's recycle order.
#include <gtest/gtest.h>

#include "kelmor/file_commands.h"
#include "kelmor/pump_rules.h"

namespace kelmor {
namespace {

TEST(FileCommands, TheOpenListAndTheWatchedEditor) {
  EXPECT_EQ(OpenListItem("C:\\Edit\\pe.exe", "C:\\pics\\a.jpg", 3), "C:\\Edit\\pe.exe|C:\\pics\\a.jpg|3");
  EXPECT_TRUE(IsWatchedEditor("C:\\Program Files\\Adobe\\PHOTOSHOP.EXE"));
  EXPECT_FALSE(IsWatchedEditor("C:\\Windows\\mspaint.exe"));
}

TEST(FileCommands, TheConversionChoiceGivesTheExtensionAndTheFormatsDepth) {
  ConversionChoice c = ParseConversionChoice("..JPG.,10");
  EXPECT_EQ(c.extension, ".jpg");
  EXPECT_EQ(c.format, 10);
  EXPECT_TRUE(c.Valid());
  EXPECT_FALSE(ParseConversionChoice("").Valid());
  EXPECT_FALSE(ParseConversionChoice("...,6").Valid());
  // The whole list that the box had before a choice is no choice.
  EXPECT_FALSE(ParseConversionChoice("JPEG picture - jpg|jpg,10|Icon - ico|ico,91").Valid());
  EXPECT_EQ(ConversionFormatRule(10).bitsPerPixel, 24);
  EXPECT_EQ(ConversionFormatRule(10).qualityFactor, 5);
  EXPECT_EQ(ConversionFormatRule(5).qualityFactor, -1);
  EXPECT_EQ(ConversionFormatRule(16).bitsPerPixel, 8);
  EXPECT_EQ(ConversionFormatRule(85).bitsPerPixel, 24);
  EXPECT_TRUE(ConversionFormatRule(91).iconSize);
  EXPECT_EQ(ConversionFormatRule(75).bitsPerPixel, 0);  // the source's depth
}

TEST(FileCommands, TheTargetTakesTheLastDotOfTheFileNameNotOfTheFolder) {
  EXPECT_EQ(ConversionTarget("C:\\my.pics\\scan", ".jpg"), "C:\\my.pics\\scan.jpg");
  EXPECT_EQ(ConversionTarget("C:\\my.pics\\scan.v2.bmp", ".png"), "C:\\my.pics\\scan.v2.png");
  EXPECT_EQ(ConversionTarget("C:\\pics\\.hidden", ".png"), "C:\\pics\\.hidden.png");
  // The same file is skipped; another file under the target's name is never replaced.
  EXPECT_EQ(PlanConversion("C:\\p\\a.jpg", "C:\\P\\A.JPG", true), ConversionStep::kSameFile);
  EXPECT_EQ(PlanConversion("C:\\p\\a.png", "C:\\p\\a.jpg", true), ConversionStep::kTargetTaken);
  EXPECT_EQ(PlanConversion("C:\\p\\b.bmp", "C:\\p\\b.png", false), ConversionStep::kConvert);
}

TEST(FileCommands, TheSeriesNameLosesItsPathCharactersAndTheBlanks) {
  EXPECT_EQ(CleanSeriesName("Trip: Rome, 2004"), "Trip  Rome  2004");
  EXPECT_EQ(CleanSeriesName("a.b/c\\d;e"), "a b-c-d e");
  EXPECT_EQ(SeriesBaseName("Trip: Rome, 2004"), "TripRome2004");
  EXPECT_EQ(NameExtension("C:\\my.pics\\scan"), "");
  EXPECT_EQ(NameExtension("C:\\pics\\a.b.JPG"), ".JPG");
}

TEST(FileCommands, ASeriesNumberTakesThePictureAndEverySideFileName) {
  std::vector<std::string> sides = SideFileExtensions(" kwd, tim ,,wav");
  EXPECT_EQ(sides, (std::vector<std::string>{"kwd", "tim", "wav"}));
  EXPECT_EQ(SideFilePath("C:\\p\\a.jpg", "kwd"), "C:\\p\\a.kwd");
  EXPECT_EQ(SideFilePath("C:\\my.pics\\scan", "kwd"), "");
  EXPECT_EQ(SeriesNames("C:\\p\\", "trip001", ".jpg", sides),
            (std::vector<std::string>{"C:\\p\\trip001.jpg", "C:\\p\\trip001.kwd", "C:\\p\\trip001.tim",
                                      "C:\\p\\trip001.wav"}));
  // A file without extension has no side files.
  EXPECT_EQ(SeriesNames("C:\\p\\", "trip001", "", sides), std::vector<std::string>{"C:\\p\\trip001"});
}

TEST(FileCommands, ListFilesReadWithTheProgramFolderAndSaveOneNamePerLine) {
  std::vector<std::string> paths =
      ParseListFile("@PATH@picture\\a.jpg\r\n\r\nD:\\b.png\nC:\\c.wav", "C:\\Suite\\Kelmor\\");
  EXPECT_EQ(paths, (std::vector<std::string>{"c:\\suite\\kelmor\\picture\\a.jpg", "D:\\b.png", "C:\\c.wav"}));
  EXPECT_EQ(ListFileText({"C:\\a.jpg"}), "C:\\a.jpg\r\n");
  EXPECT_EQ(ListFileText({}), "");
  // A name typed with the list extension is saved with it once.
  EXPECT_EQ(ListSaveName("Holiday.QLS", ".qls"), "Holiday");
  EXPECT_EQ(ListSaveName("  trip.2004  ", ".qls"), "trip.2004");
  EXPECT_EQ(ListSaveName("..\\..\\evil.qls", ".qls"), "evil");
  EXPECT_EQ(ListSaveName(".qls", ".qls"), "");
}

TEST(FileCommands, OnlyTheAudioTypesAreHandedOver) {
  const std::string types = "*.wav;*.mp3;*.wma;*.ogg;*.m3u";
  EXPECT_TRUE(HandsOverType("C:\\Music\\Song.MP3", types));
  EXPECT_TRUE(HandsOverType("c.m3u", types));
  EXPECT_FALSE(HandsOverType("C:\\pics\\a.jpg", types));
  EXPECT_FALSE(HandsOverType("C:\\x.mp", types));   // no prefix match
  EXPECT_FALSE(HandsOverType("C:\\wav", types));    // no extension
}

TEST(FileCommands, InvertingOneAndThreeOfFourLeavesZeroAndTwo) {
  EXPECT_EQ(InvertedSelection(4, {1, 3}), (std::vector<int>{0, 2}));
  EXPECT_EQ(InvertedSelection(3, {}), (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(InvertedSelection(0, {}).empty());
}

TEST(FileCommands, AFolderIsRecycledFromItsLastSubfolderBackAndNeverADrivesRoot) {
  EXPECT_EQ(RecycleOrder("C:\\a", {"C:\\a\\b", "C:\\a\\b\\c", "C:\\a\\d"}),
            (std::vector<std::string>{"C:\\a\\d", "C:\\a\\b\\c", "C:\\a\\b", "C:\\a"}));
  EXPECT_TRUE(IsDriveRoot("C:\\"));
  EXPECT_TRUE(IsDriveRoot("d:"));
  EXPECT_TRUE(IsDriveRoot("\\\\server\\share\\"));
  EXPECT_FALSE(IsDriveRoot("C:\\pics"));
  EXPECT_FALSE(IsDriveRoot("\\\\server\\share\\pics"));
}

}  // namespace
}  // namespace kelmor

namespace kelmor {
namespace {

// A close of any kind stops a long operation; other system commands and keys do not.
TEST(PumpRules, ClosesStopTheOperationAndEscapeIsAskedAbout) {
  constexpr unsigned kClose = 0x10, kQuit = 0x12, kKeyDown = 0x100, kSysCommand = 0x112, kRButtonDown = 0x204;
  EXPECT_EQ(ClassifyPumpMessage(kClose, 0, false, 601, true), PumpAction::kClose);
  EXPECT_EQ(ClassifyPumpMessage(kQuit, 0, false, 601, true), PumpAction::kClose);
  EXPECT_EQ(ClassifyPumpMessage(kSysCommand, 0xF060, false, 601, true), PumpAction::kClose);
  EXPECT_EQ(ClassifyPumpMessage(kSysCommand, 0xF063, false, 601, true), PumpAction::kClose);  // low bits aside
  EXPECT_EQ(ClassifyPumpMessage(kSysCommand, 0xF020, false, 601, true), PumpAction::kDispatch);  // minimise
  EXPECT_EQ(ClassifyPumpMessage(kSysCommand, 0xF010, false, 601, true), PumpAction::kDispatch);  // move
  EXPECT_EQ(ClassifyPumpMessage(kKeyDown, 0x1B, false, 601, true), PumpAction::kAskToStop);
  EXPECT_EQ(ClassifyPumpMessage(kKeyDown, 0x1B, false, 601, false), PumpAction::kDispatch);
  EXPECT_EQ(ClassifyPumpMessage(kKeyDown, 'A', false, 601, true), PumpAction::kDispatch);
  EXPECT_EQ(ClassifyPumpMessage(kRButtonDown, 0, true, 351, true), PumpAction::kRightClick);
  EXPECT_EQ(ClassifyPumpMessage(kRButtonDown, 0, true, 601, true), PumpAction::kDispatch);
  EXPECT_EQ(ClassifyPumpMessage(kRButtonDown, 0, false, 351, true), PumpAction::kDispatch);
}

}  // namespace
}  // namespace kelmor
