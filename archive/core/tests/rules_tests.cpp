#include <gtest/gtest.h>

#include "grilton/archive_rules.h"

namespace {

using grilton::ArchiveSettings;

ArchiveSettings Defaults() { return grilton::DefaultSettings(1024, 768, "C:\\WINDOWS\\", 402); }

TEST(Settings, DefaultsAreCentredAndNeverOffTheScreen) {
  ArchiveSettings d = Defaults();
  EXPECT_EQ(d.left, (1024 - 808) / 2);
  EXPECT_EQ(d.top, (768 - 608) / 2);
  EXPECT_EQ(d.thesaurus, "STANDARD");
  EXPECT_EQ(d.startFolder, "C:\\WINDOWS\\");
  EXPECT_EQ(d.recordingChoice, 402);
  ArchiveSettings small = grilton::DefaultSettings(640, 480, "C:\\W\\", 0);
  EXPECT_EQ(small.left, 0);
  EXPECT_EQ(small.top, 0);
}

TEST(Settings, EmptySixthFieldMeansStandardAndEmptyFieldsKeepTheirDefaults) {
  ArchiveSettings s = grilton::ParseSettingsLine("10|20|900|700|D:\\PICS\\||0|9", Defaults());
  EXPECT_EQ(s.left, 10);
  EXPECT_EQ(s.top, 20);
  EXPECT_EQ(s.width, 900);
  EXPECT_EQ(s.height, 700);
  EXPECT_EQ(s.startFolder, "D:\\PICS\\");
  EXPECT_EQ(s.thesaurus, "STANDARD");
  EXPECT_EQ(s.recordingChoice, 402);  // 0: the UI default
  EXPECT_EQ(s.displayStyle, 1);       // out of range

  ArchiveSettings empty = grilton::ParseSettingsLine("", Defaults());
  EXPECT_EQ(grilton::FormatSettingsLine(empty), grilton::FormatSettingsLine(Defaults()));
  ArchiveSettings partial = grilton::ParseSettingsLine("5|6\r\nignored|line", Defaults());
  EXPECT_EQ(partial.left, 5);
  EXPECT_EQ(partial.width, 808);
  EXPECT_EQ(partial.startFolder, "C:\\WINDOWS\\");
}

TEST(Settings, LineRoundTripsAndBrokenSizesComeBackAtTheDefault) {
  ArchiveSettings s = Defaults();
  s.left = 3;
  s.top = 4;
  s.width = 1000;
  s.height = 720;
  s.startFolder = "E:\\SCANS\\";
  s.thesaurus = "BIRDS";
  s.recordingChoice = 405;
  s.displayStyle = 6;
  std::string line = grilton::FormatSettingsLine(s);
  EXPECT_EQ(line, "3|4|1000|720|E:\\SCANS\\|BIRDS|405|6");
  ArchiveSettings back = grilton::ParseSettingsLine(line, Defaults());
  EXPECT_EQ(grilton::FormatSettingsLine(back), line);

  ArchiveSettings broken = grilton::ParseSettingsLine("-50|-9|0|x|||", Defaults());
  EXPECT_EQ(broken.left, 0);
  EXPECT_EQ(broken.top, 0);
  EXPECT_EQ(broken.width, 808);
  EXPECT_EQ(broken.height, 608);
}

// No Windows folder holds a double quote or a bar: a folder field with one is dropped,
// and the fields after it keep their places at every save.
TEST(Settings, AFolderWithAQuoteOrABarIsDroppedAndTheLineKeepsItsFields) {
  const std::string line = "3|4|1000|720|E:\\MY \"PICS\\|BIRDS|405|6";
  ArchiveSettings s = grilton::ParseSettingsLine(line, Defaults());
  EXPECT_EQ(s.startFolder, "C:\\WINDOWS\\");
  EXPECT_EQ(s.thesaurus, "BIRDS");
  EXPECT_EQ(s.recordingChoice, 405);
  EXPECT_EQ(s.displayStyle, 6);
  EXPECT_EQ(grilton::FormatSettingsLine(s), "3|4|1000|720|C:\\WINDOWS\\|BIRDS|405|6");
  // Saved again and again, the line stays as it is.
  std::string again = line;
  for (int i = 0; i < 3; ++i) again = grilton::FormatSettingsLine(grilton::ParseSettingsLine(again, Defaults()));
  EXPECT_EQ(again, "3|4|1000|720|C:\\WINDOWS\\|BIRDS|405|6");

  // A folder that would break the line is not written.
  s.startFolder = "E:\\A|B\\";
  EXPECT_EQ(grilton::FormatSettingsLine(s), "3|4|1000|720||BIRDS|405|6");
  s.startFolder = "E:\\A\"B\\";
  EXPECT_EQ(grilton::FormatSettingsLine(s), "3|4|1000|720||BIRDS|405|6");
}

TEST(Folders, EntriesExpandThePathMacroAndEndInOneSeparator) {
  EXPECT_EQ(grilton::ExpandFolderEntry("@PATH@work\\\\", "C:\\Suite\\"), "C:\\SUITE\\WORK\\");
  EXPECT_EQ(grilton::ExpandFolderEntry("  @path@Data  ", "C:\\Suite"), "C:\\SUITE\\DATA\\");
  EXPECT_EQ(grilton::ExpandFolderEntry("d:\\archive", "C:\\Suite\\"), "D:\\ARCHIVE\\");
  EXPECT_EQ(grilton::ExpandFolderEntry("", "C:\\Suite\\"), "");
  EXPECT_EQ(grilton::TemporaryPicturePath("C:\\TEMP", "grilton.exe"), "C:\\TEMP\\GRICONV.BMP");
}

TEST(Fields, NameAndExtensionOfAPicture) {
  grilton::PictureNameFields f = grilton::NameFieldsOf("C:\\pics.d\\photo.jpeg");
  EXPECT_EQ(f.name, "PHOTO");
  EXPECT_EQ(f.extension, "JPG");
  f = grilton::NameFieldsOf("C:\\x\\My.Holiday.Tif");
  EXPECT_EQ(f.name, "MY.HOLIDAY");
  EXPECT_EQ(f.extension, "TIF");
  f = grilton::NameFieldsOf("C:\\x\\noext");
  EXPECT_EQ(f.name, "NOEXT");
  EXPECT_EQ(f.extension, "");
}

TEST(Fields, FilingDateInBothInterfaces) {
  EXPECT_EQ(grilton::FilingDate(2024, 3, 7, false, '/'), "03-07-2024");
  EXPECT_EQ(grilton::FilingDate(2024, 3, 7, true, '.'), "07.03.2024");
  EXPECT_EQ(grilton::FilingDate(987, 12, 31, false, '/'), "12-31-0987");
}

TEST(Fields, ADateFieldHoldsNothingOrARealCompleteDate) {
  EXPECT_TRUE(grilton::IsAcceptableDate("", false));
  EXPECT_TRUE(grilton::IsAcceptableDate("   ", false));
  EXPECT_TRUE(grilton::IsAcceptableDate("02-29-2024", false));
  EXPECT_TRUE(grilton::IsAcceptableDate("29/02/2024", true));
  EXPECT_TRUE(grilton::IsAcceptableDate("20241231", false));
  EXPECT_FALSE(grilton::IsAcceptableDate("02-29-2023", false));
  EXPECT_FALSE(grilton::IsAcceptableDate("13-01-2024", false));
  EXPECT_FALSE(grilton::IsAcceptableDate("29/02/2024", false));  // month 29
  EXPECT_FALSE(grilton::IsAcceptableDate("1-2-2024", false));    // incomplete
  EXPECT_FALSE(grilton::IsAcceptableDate("20241301", false));    // eight digits, no date
  EXPECT_FALSE(grilton::IsAcceptableDate("2024-1-31", false));
  EXPECT_FALSE(grilton::IsAcceptableDate("today", false));
}

TEST(Fields, WorkFilesCarryThePlannedName) {
  EXPECT_EQ(grilton::WorkDocumentPath("C:\\W\\", "00000042.DOC"), "C:\\W\\00000042.DOC");
  EXPECT_EQ(grilton::WorkSoundPath("C:\\W", " 00000042.DOC "), "C:\\W\\00000042.WAV");
  EXPECT_EQ(grilton::WorkSoundPath("C:\\W", ""), "");
  EXPECT_EQ(grilton::LayeredPicturePath("C:\\p.d\\a.jpg"), "C:\\p.d\\a.QMF");
}

TEST(Help, ViewerEntryAndCommandLine) {
  grilton::HelpViewer v = grilton::ParseHelpViewer(" viewer.exe , VIEWERCLASS ");
  EXPECT_EQ(v.program, "viewer.exe");
  EXPECT_EQ(v.windowClass, "VIEWERCLASS");
  EXPECT_EQ(grilton::ParseHelpViewer("only.exe").windowClass, "");
  EXPECT_EQ(grilton::HelpViewerCommandLine("C:\\S\\v.exe", "C:\\S\\h.htm"), "C:\\S\\v.exe C:\\S\\h.htm,");
}

TEST(Documents, ProgramOfARegisteredCommand) {
  EXPECT_EQ(grilton::ProgramOfCommand("\"C:\\Program Files\\Writer\\writer.exe\" /n \"%1\""),
            "C:\\Program Files\\Writer\\writer.exe");
  EXPECT_EQ(grilton::ProgramOfCommand("C:\\WINDOWS\\write.exe %1"), "C:\\WINDOWS\\write.exe");
  EXPECT_EQ(grilton::ProgramOfCommand("  notepad.exe"), "notepad.exe");
  EXPECT_EQ(grilton::ProgramOfCommand("\"unclosed quote"), "unclosed quote");
  EXPECT_EQ(grilton::ProgramOfCommand(""), "");
}

TEST(Documents, FilterAndExtension) {
  EXPECT_EQ(grilton::OpenDialogFilter("Documents|*.doc|All files|*.*"),
            std::string("Documents\0*.doc\0All files\0*.*\0\0", 31));
  EXPECT_EQ(grilton::OpenDialogFilter(""), std::string(1, '\0'));
  EXPECT_EQ(grilton::WithExtension("letter.txt", ".DOC"), "letter.DOC");
  EXPECT_EQ(grilton::WithExtension("C:\\a.b\\letter", ".DOC"), "C:\\a.b\\letter.DOC");
}

}  // namespace
