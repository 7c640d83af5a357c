#include <gtest/gtest.h>

#include <algorithm>

#include "dunmere/build_plan.h"

using namespace dunmere;

namespace {

BuildInput SmallShow() {
  BuildInput in;
  in.targetFolder = "C:\\SHOWCD\\";
  in.playerProgram = "falcet.exe";
  in.showListExtension = ".ssf";
  in.videoExtension = ".avi";
  in.header.groupValue = 3;
  in.header.textFileNumber = 1;
  in.header.defaultTime = 4000;
  BuildSlide a;
  a.picture = "D:\\pics\\a.jpg";
  a.hasTim = true;
  a.timText = "6000";
  a.sideFiles = {"D:\\pics\\a.kwd", "D:\\pics\\a.sfx"};
  BuildSlide b;
  b.picture = "D:\\pics\\b.jpg";
  in.slides = {a, b};
  in.programFolder = "C:\\Suite\\";
  in.playerFiles = {"falcet.exe", "falcet.SYS"};
  return in;
}

const BuildFile* Find(const BuildPlan& plan, const std::string& target) {
  for (const auto& f : plan.files)
    if (f.target == target) return &f;
  return nullptr;
}

}  // namespace

TEST(BuildPlan, TheFolderOfASmallShow) {
  BuildPlan plan = PlanBuild(SmallShow());
  EXPECT_EQ(plan.showListName, "falcet.ssf");
  EXPECT_EQ(plan.autorunText, "[autorun]\r\nOPEN=falcet.exe falcet.ssf\r\nICON=falcet.exe,0\r\n");
  EXPECT_EQ(plan.showListText, "[|0|0|0|3|1|4000|0]\r\n@path@00000001.png,6000\r\n@path@00000002.png,4000\r\n");

  // AUTORUN.INF and the show list come first, then the player's files, then each slide.
  ASSERT_GE(plan.files.size(), 2u);
  EXPECT_EQ(plan.files[0].target, "C:\\SHOWCD\\AUTORUN.INF");
  EXPECT_EQ(plan.files[1].target, "C:\\SHOWCD\\falcet.ssf");
  const BuildFile* player = Find(plan, "C:\\SHOWCD\\falcet.SYS");
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->source, "C:\\Suite\\falcet.SYS");
  const BuildFile* png = Find(plan, "C:\\SHOWCD\\00000002.png");
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->kind, BuildFile::kPicture);
  EXPECT_EQ(png->source, "D:\\pics\\b.jpg");
  EXPECT_EQ(png->slide, 1);
  const BuildFile* kwd = Find(plan, "C:\\SHOWCD\\00000001.kwd");
  ASSERT_NE(kwd, nullptr);
  EXPECT_EQ(kwd->source, "D:\\pics\\a.kwd");
  ASSERT_NE(Find(plan, "C:\\SHOWCD\\00000001.sfx"), nullptr);
  // The time goes into the list; no tim file is copied.
  for (const auto& f : plan.files) EXPECT_EQ(f.target.find(".tim"), std::string::npos) << f.target;
  EXPECT_EQ(plan.files.size(), 2u + 2u + 2u + 2u);
}

TEST(BuildPlan, AnEmptyTimFileGivesTheDefaultTime) {
  BuildInput in = SmallShow();
  in.slides[0].timText = "";
  EXPECT_NE(PlanBuild(in).showListText.find("@path@00000001.png,4000\r\n"), std::string::npos);
}

TEST(BuildPlan, MusicIsCopiedUnderUniqueNamesAndTheListRewritten) {
  BuildInput in = SmallShow();
  in.musicList = "C:\\Suite\\MUSIC\\calm.m3u";
  // Two sounds of the same name from different folders, one listed twice, and one whose
  // name a file of the show already has.
  in.sounds = {"D:\\a\\song.mp3", "E:\\b\\SONG.mp3", "D:\\a\\song.mp3", "F:\\00000001.png"};
  BuildPlan plan = PlanBuild(in);
  EXPECT_EQ(plan.musicListName, "calm.m3u");
  ASSERT_EQ(plan.soundNames.size(), 4u);
  EXPECT_EQ(plan.soundNames[0], "song.mp3");
  EXPECT_EQ(plan.soundNames[1], "SONG_2.mp3");
  EXPECT_EQ(plan.soundNames[2], "song.mp3");
  EXPECT_EQ(plan.soundNames[3], "00000001_2.png");
  const BuildFile* second = Find(plan, "C:\\SHOWCD\\SONG_2.mp3");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->source, "E:\\b\\SONG.mp3");
  int copiesOfFirst = int(std::count_if(plan.files.begin(), plan.files.end(),
                                        [](const BuildFile& f) { return f.source == "D:\\a\\song.mp3"; }));
  EXPECT_EQ(copiesOfFirst, 1);
  const BuildFile* list = Find(plan, "C:\\SHOWCD\\calm.m3u");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->kind, BuildFile::kText);
  EXPECT_EQ(list->text, "@path@song.mp3\r\n@path@SONG_2.mp3\r\n@path@song.mp3\r\n@path@00000001_2.png\r\n");
  // The music is written last, and the show list names the rewritten list.
  EXPECT_EQ(plan.files.back().target, "C:\\SHOWCD\\calm.m3u");
  EXPECT_EQ(plan.showListText.rfind("[@path@calm.m3u|", 0), 0u);
}

TEST(BuildPlan, SkinAndExtraFoldersKeepTheirNames) {
  BuildInput in = SmallShow();
  in.skinFolder = "C:\\Suite\\Sand\\";
  in.skinFiles = {"Sand.sks", "back.bmp"};
  in.extraFolder = "C:\\Suite\\EXTRA";
  in.extraFiles = {"intro.htm"};
  BuildPlan plan = PlanBuild(in);
  EXPECT_NE(Find(plan, "C:\\SHOWCD\\Sand\\back.bmp"), nullptr);
  EXPECT_NE(Find(plan, "C:\\SHOWCD\\EXTRA\\intro.htm"), nullptr);
  EXPECT_EQ(plan.folders, (std::vector<std::string>{"Sand", "EXTRA"}));
  // An empty extra folder makes no folder.
  in.extraFiles.clear();
  EXPECT_EQ(PlanBuild(in).folders, (std::vector<std::string>{"Sand"}));
}

// A skin keeps its pane pictures in a subfolder: the show gets the skin whole.
TEST(BuildPlan, TheSkinsSubfoldersComeAlong) {
  BuildInput in = SmallShow();
  in.skinFolder = "C:\\Suite\\Slate\\";
  in.skinFiles = {"Slate.sks", "pane\\b48.bmp", "pane\\big\\b1.bmp", "pane\\b49.bmp", "pane/thumb.bmp"};
  BuildPlan plan = PlanBuild(in);
  EXPECT_EQ(plan.folders, (std::vector<std::string>{"Slate", "Slate\\pane", "Slate\\pane\\big"}));
  for (const char* file : {"Slate.sks", "pane\\b48.bmp", "pane\\big\\b1.bmp", "pane\\thumb.bmp"}) {
    const BuildFile* copied = Find(plan, std::string("C:\\SHOWCD\\Slate\\") + file);
    ASSERT_NE(copied, nullptr) << file;
    EXPECT_EQ(copied->kind, BuildFile::kCopy);
  }
  EXPECT_EQ(Find(plan, "C:\\SHOWCD\\Slate\\pane\\big\\b1.bmp")->source, "C:\\Suite\\Slate\\pane\\big\\b1.bmp");
}

TEST(BuildPlan, AVideoBuildOpensTheVideo) {
  BuildInput in = SmallShow();
  in.videoBuild = true;
  in.showName = "My trip";
  EXPECT_EQ(AutorunOpenName(in), "My trip.avi");
  EXPECT_NE(PlanBuild(in).autorunText.find("OPEN=falcet.exe \"My trip.avi\"\r\n"), std::string::npos);
  in.showName.clear();
  EXPECT_EQ(AutorunOpenName(in), "falcet.avi");
  // The show list keeps its default name.
  EXPECT_EQ(PlanBuild(in).showListName, "falcet.ssf");
}

TEST(BuildPlan, SequenceNamesRiseFromOne) {
  BuildInput in = SmallShow();
  in.slides.resize(12, in.slides[1]);
  BuildPlan plan = PlanBuild(in);
  EXPECT_NE(Find(plan, "C:\\SHOWCD\\00000010.png"), nullptr);
  EXPECT_NE(Find(plan, "C:\\SHOWCD\\00000012.png"), nullptr);
  EXPECT_EQ(Find(plan, "C:\\SHOWCD\\00000013.png"), nullptr);
}

TEST(BuildTarget, RefusedFolders) {
  const std::string program = "C:\\Suite\\";
  EXPECT_EQ(CheckBuildTarget("C:\\Suite\\SHOWCD\\", program), TargetRefusal::kNone);
  EXPECT_EQ(CheckBuildTarget("D:\\show", program), TargetRefusal::kNone);
  EXPECT_EQ(CheckBuildTarget("\\\\server\\share\\show\\", program), TargetRefusal::kNone);
  EXPECT_EQ(CheckBuildTarget("", program), TargetRefusal::kEmpty);
  EXPECT_EQ(CheckBuildTarget("   ", program), TargetRefusal::kEmpty);
  EXPECT_EQ(CheckBuildTarget("\\", program), TargetRefusal::kNotAbsolute);
  EXPECT_EQ(CheckBuildTarget("SHOWCD\\", program), TargetRefusal::kNotAbsolute);
  EXPECT_EQ(CheckBuildTarget("C:SHOWCD", program), TargetRefusal::kNotAbsolute);
  EXPECT_EQ(CheckBuildTarget("C:\\", program), TargetRefusal::kRoot);
  EXPECT_EQ(CheckBuildTarget("e:/", program), TargetRefusal::kRoot);
  EXPECT_EQ(CheckBuildTarget("C:\\Suite\\SHOWCD\\..\\..", program), TargetRefusal::kRoot);
  EXPECT_EQ(CheckBuildTarget("\\\\server\\share\\", program), TargetRefusal::kRoot);
  EXPECT_EQ(CheckBuildTarget("C:\\SUITE", program), TargetRefusal::kProgramFolder);
  EXPECT_EQ(CheckBuildTarget("C:\\Suite\\.\\", program), TargetRefusal::kProgramFolder);
  EXPECT_EQ(CheckBuildTarget("C:\\Suite\\x\\..\\", program), TargetRefusal::kProgramFolder);
  EXPECT_EQ(CheckBuildTarget("C:\\Programs\\", "C:\\Programs\\Suite\\"), TargetRefusal::kHoldsProgramFolder);
  // A folder whose name only begins like the program folder's is fine.
  EXPECT_EQ(CheckBuildTarget("C:\\Suite2\\", program), TargetRefusal::kNone);
  EXPECT_EQ(CheckBuildTarget("C:\\Sui\\", program), TargetRefusal::kNone);
}

TEST(BuildTarget, NormalisedFolders) {
  EXPECT_EQ(NormalisedFolder("C:\\a\\.\\b\\..\\c"), "C:\\a\\c\\");
  EXPECT_EQ(NormalisedFolder("C:/a//b/"), "C:\\a\\b\\");
  EXPECT_EQ(NormalisedFolder("C:\\..\\.."), "C:\\");
  EXPECT_EQ(NormalisedFolder("relative"), "");
}

TEST(BuildRules, FreeSpaceCountsWhatEmptyingTheTargetGivesBack) {
  EXPECT_TRUE(ShowFits(1000000, 0, 900000));
  EXPECT_FALSE(ShowFits(950000, 0, 900000));  // exactly the reserve left: too little
  EXPECT_TRUE(ShowFits(950001, 0, 900000));
  EXPECT_TRUE(ShowFits(100000, 900000, 900000));
  EXPECT_FALSE(ShowFits(0, 0, 0));
}

TEST(BuildRules, ProgressPercent) {
  EXPECT_EQ(ProgressPercent(0, 7), 0);
  EXPECT_EQ(ProgressPercent(1, 3), 33);
  EXPECT_EQ(ProgressPercent(2, 3), 67);
  EXPECT_EQ(ProgressPercent(7, 7), 100);
  EXPECT_EQ(ProgressPercent(1, 0), 0);
}

TEST(MusicLists, PathsAndTheSoundsThatCount) {
  std::vector<std::string> paths = MusicListPaths("@path@MUSIC\\x.mp3\r\n\r\n  D:\\y.wav  \r\n", "C:\\Suite\\");
  EXPECT_EQ(paths, (std::vector<std::string>{"C:\\Suite\\MUSIC\\x.mp3", "D:\\y.wav"}));
  EXPECT_TRUE(SoundExtensionCounts("D:\\x.MP3", ".wav.mp3."));
  EXPECT_TRUE(SoundExtensionCounts("D:\\x.wav", ".WAV.MP3."));
  EXPECT_FALSE(SoundExtensionCounts("D:\\y.txt", ".WAV.MP3."));
  EXPECT_FALSE(SoundExtensionCounts("D:\\y.mp", ".WAV.MP3."));
  EXPECT_FALSE(SoundExtensionCounts("D:\\my.music\\noext", ".WAV.MP3."));
  EXPECT_EQ(FormatMusicList({"x.mp3", "y.wav"}), "@path@x.mp3\r\n@path@y.wav\r\n");
}
