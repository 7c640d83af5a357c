// The settings line and the texts the player makes from its UI entries.
#include <gtest/gtest.h>

#include <set>

#include "jorvel/player_texts.h"
#include "jorvel/settings_line.h"

namespace jorvel {

namespace {

SettingsContext Context(std::set<std::string> files = {}) {
  SettingsContext c;
  c.screenWidth = 1280;
  c.screenHeight = 1024;
  c.programFolder = "C:\\Suite\\";
  c.tempFolder = "C:\\Temp\\";
  c.basePath = "C:\\Suite\\jorvel";
  c.exists = [files](const std::string& f) { return files.count(f) > 0; };
  return c;
}

TEST(AudioSettings, WithoutAFileTheWindowIsCentredAndTheFoldersAreTheDefaults) {
  AudioSettings s = ParseAudioSettings("", Context());
  EXPECT_EQ(s.width, 800);
  EXPECT_EQ(s.height, 600);
  EXPECT_EQ(s.left, 240);
  EXPECT_EQ(s.top, 212);
  EXPECT_EQ(s.pickFolder, "C:\\Suite\\");
  EXPECT_EQ(s.secondFolder, "C:\\Temp\\");
  EXPECT_EQ(s.skinFile, "C:\\Suite\\jorvel.skl");
  EXPECT_EQ(s.paneLeft, -1);
  EXPECT_EQ(s.paneTop, -1);
  EXPECT_EQ(FormatAudioSettings(s), " 240| 212| 800| 600|C:\\Suite\\|C:\\Temp\\||-1|-1");
}

TEST(AudioSettings, ALineIsReadAndWrittenBackWithAnEmptySkinField) {
  AudioSettings s = ParseAudioSettings(" 10| 20| 300| 200|D:\\Music\\|E:\\x\\|D:\\Skins\\blue.sks| 640| 480\r\n",
                                       Context({"D:\\Skins\\blue.sks"}));
  EXPECT_EQ(s.left, 10);
  EXPECT_EQ(s.height, 200);
  EXPECT_EQ(s.pickFolder, "D:\\Music\\");
  // The skin is taken from the program folder under its name.
  EXPECT_EQ(s.skinFile, "C:\\Suite\\blue.sks");
  EXPECT_EQ(s.paneLeft, 640);
  EXPECT_EQ(s.paneTop, 480);
  EXPECT_EQ(FormatAudioSettings(s), " 10| 20| 300| 200|D:\\Music\\|E:\\x\\|| 640| 480");
}

TEST(AudioSettings, NegativePlacesSizesMissingSkinAndShortLines) {
  AudioSettings s = ParseAudioSettings("-50|-7|-1|-1|||C:\\gone.sks| 5", Context());
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.top, 0);
  EXPECT_EQ(s.width, 1280);
  EXPECT_EQ(s.height, 1024);
  EXPECT_EQ(s.pickFolder, "C:\\Suite\\");
  EXPECT_EQ(s.skinFile, "C:\\Suite\\jorvel.skl");
  // Eight fields: the pane keeps no place.
  EXPECT_EQ(s.paneLeft, -1);
  AudioSettings placed = ParseAudioSettings(" 1| 2| 3| 4|a|b||-20| 7", Context());
  EXPECT_EQ(placed.paneLeft, -20);
  EXPECT_EQ(FormatAudioSettings(placed), " 1| 2| 3| 4|a|b||-20| 7");
  EXPECT_EQ(SettingsFileOf("C:\\Temp\\", "jorvel.exe"), "C:\\Temp\\jorvel.cfg");
  EXPECT_EQ(SettingsFileOf("C:\\Temp", "my.player.exe"), "C:\\Temp\\my.cfg");
}

TEST(PlayerTexts, FailureAboutTitleAndMarquee) {
  EXPECT_EQ(PlayFailureText("The sound cannot be played (#): ", "C:\\#1.wav", -99),
            "The sound cannot be played (-99): C:\\#1.wav");
  // What is wrong, by the failure's key; a key the reasons do not know adds nothing.
  const std::string reasons = "type=No sound type.| open41 = Damaged. |open2=Locked.";
  EXPECT_EQ(PlayFailureText("Cannot (#): ", "a.txt", 0, reasons, "type"), "Cannot (0): a.txt|No sound type.");
  EXPECT_EQ(PlayFailureText("Cannot (#): ", "b.mp3", 0, reasons, "open41"), "Cannot (0): b.mp3|Damaged.");
  EXPECT_EQ(PlayFailureText("Cannot (#): ", "c.mp3", 0, reasons, "open4"), "Cannot (0): c.mp3");
  EXPECT_EQ(PlayFailureText("Cannot (#): ", "d.mp3", 0, reasons, ""), "Cannot (0): d.mp3");
  EXPECT_EQ(AboutText("Skin engine 1.0", "(c) # and #", "12/31/2024"), "Skin engine 1.0|(c) 2024 and 2024");
  EXPECT_EQ(PlayingTitle("Audio player", "C:\\Music\\my song.mp3"), "Audio player - my song.mp3");
  EXPECT_EQ(MarqueeText("C:\\a\\b.mp3", "", ""), "b.mp3");
  EXPECT_EQ(MarqueeText("C:\\a\\b.mp3", "", "Tagged Title"), "Tagged Title");
  EXPECT_EQ(MarqueeText("C:\\a\\b.mp3", "Module", "Tagged Title"), "Module");
}

TEST(PlayerTexts, TheConfigFolderFromEntry81) {
  EXPECT_EQ(ConfigFolderOf("", "C:\\Suite\\", "C:\\Docs\\"), "");
  EXPECT_EQ(ConfigFolderOf("@USER@\\Jorvel", "C:\\Suite\\", "C:\\Docs\\"), "C:\\Docs\\jorvel\\");
  EXPECT_EQ(ConfigFolderOf("@path@\\\\Data\\", "C:\\Suite\\", "C:\\Docs\\"), "C:\\Suite\\data\\");
  EXPECT_EQ(ConfigFolderOf("\\\\server\\share\\\\j", "C:\\Suite\\", "C:\\Docs\\"), "\\\\server\\share\\j\\");
}

}  // namespace

}  // namespace jorvel
