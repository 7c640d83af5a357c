#include <gtest/gtest.h>

#include <set>

#include "falcet/player_rules.h"
#include "fileio/file.h"
#include "imglib/transitions.h"
#include "skin/ui_text.h"
#ifdef _WIN32
#include "test_windows.h"
#endif

namespace falcet {

namespace {

std::string ShippedFolder() {
#ifdef _WIN32
  return SuiteFolder();
#else
  return FALCET_SOURCE_DIR "/";
#endif
}

}  // namespace

TEST(Stepping, NextAndPreviousWrap) {
  EXPECT_EQ(NextIndex(3, 3), 1);
  EXPECT_EQ(NextIndex(1, 3), 2);
  EXPECT_EQ(PreviousIndex(1, 3), 3);
  EXPECT_EQ(PreviousIndex(2, 3), 1);
  EXPECT_EQ(NextIndex(1, 0), 0);
  EXPECT_EQ(PreviousIndex(5, 3), 3);
}

TEST(Stepping, SliderPositionsOfAPictureList) {
  EXPECT_EQ(IndexAtPercent(55, 4), 2);
  EXPECT_EQ(IndexAtPercent(100, 4), 4);
  EXPECT_EQ(IndexAtPercent(0, 4), 1);
  EXPECT_EQ(IndexAtPercent(250, 4), 4);
  EXPECT_EQ(IndexAtPercent(50, 0), 0);
  EXPECT_EQ(ListPercent(1, 4), 25);
  EXPECT_EQ(ListPercent(2, 3), 67);
  EXPECT_EQ(ListPercent(1, 0), 0);
  EXPECT_EQ(PictureSliderPosition(3), 17);
  EXPECT_EQ(PictureSliderPosition(0), 0);  // an empty list divides by nothing
}

TEST(Positions, PercentOfTheRange) {
  EXPECT_EQ(MediaPercent(500, 0, 1000, false), 50);
  EXPECT_EQ(MediaPercent(1500, 1000, 3000, false), 25);
  EXPECT_EQ(MediaPercent(4000, 0, 3000, false), 100);
  EXPECT_EQ(MediaPercent(10, 0, 3000, true), 100);
  // A medium whose end equals its start (a stream of unknown length) reports 0 %.
  EXPECT_EQ(MediaPercent(700, 0, 0, false), 0);
  EXPECT_EQ(MediaPercent(700, 500, 500, false), 0);
  EXPECT_EQ(PercentTarget(55, 1000, 3000), 2100);
  EXPECT_EQ(PercentTarget(150, 0, 3000), 3000);
}

TEST(Positions, WhatTheEndOfAnItemDoes) {
  int index = 0;
  EXPECT_EQ(AtItemEnd(1, 3, false, index), EndAction::kNext);
  EXPECT_EQ(AtItemEnd(3, 3, false, index), EndAction::kClose);
  EXPECT_EQ(AtItemEnd(3, 3, true, index), EndAction::kRepeat);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(AtItemEnd(1, 1, true, index), EndAction::kRepeat);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(AtItemEnd(0, 0, false, index), EndAction::kClose);
}

TEST(Pictures, DisplayTimeRule) {
  EXPECT_EQ(DisplayTime(true, 500, 6000), 4000);
  EXPECT_EQ(DisplayTime(true, 7000, 6000), 7000);
  EXPECT_EQ(DisplayTime(false, 0, 6000), 6000);
  EXPECT_EQ(DisplayTime(false, 0, 900), 4000);
}

TEST(Pictures, EnlargingFit) {
  Fit f = EnlargingFit(100, 50, 400, 400);
  EXPECT_EQ(f.width, 400);
  EXPECT_EQ(f.height, 200);
  EXPECT_EQ(f.x, 0);
  EXPECT_EQ(f.y, 100);
  f = EnlargingFit(100, 200, 400, 300);
  EXPECT_EQ(f.width, 150);
  EXPECT_EQ(f.height, 300);
  EXPECT_EQ(f.x, 125);
  f = EnlargingFit(0, 50, 400, 400);  // no picture: nothing, and no division by 0
  EXPECT_EQ(f.width, 0);
}

TEST(Pictures, EffectCycleWithRanges) {
  EffectCycle c("Effects: 2001, 2005-2007 ,17000");
  EXPECT_EQ(c.Size(), 5u);
  std::vector<int> got;
  for (int i = 0; i < 6; ++i) got.push_back(c.Next());
  EXPECT_EQ(got, (std::vector<int>{2001, 2005, 2006, 2007, 17000, 2001}));
  EffectCycle none("Effects:");
  EXPECT_EQ(none.Next(), 0);
  EXPECT_EQ(EffectCycle("").Next(), 0);
}

// The shipped effect list of the slide show names only effects the painter knows, and all
// of them: an unknown number would show the picture without a transition.
TEST(Pictures, ShippedEffectListNamesEveryPaintedEffect) {
  std::string text;
  ASSERT_EQ(fileio::ReadWholeFile(ShippedFolder() + "falcet.SYS", text), fileio::kOk);
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(text, errors);
  EffectCycle cycle(UiEntry(file.strings, 84));
  int count = 0;
  const int* all = imglib::TransitionEffects(count);
  ASSERT_EQ(cycle.Size(), size_t(count));
  std::set<int> listed;
  for (size_t i = 0; i < cycle.Size(); ++i) {
    int id = cycle.Next();
    EXPECT_TRUE(imglib::IsTransitionEffect(id)) << id;
    listed.insert(id);
  }
  EXPECT_EQ(listed, std::set<int>(all, all + count));
}

TEST(Commands, RecordSetup) {
  RecordSetup r;
  ASSERT_TRUE(ParseRecordSetup("640,480,0,1234", r));
  EXPECT_EQ(r.innerWidth, 644);
  EXPECT_EQ(r.innerHeight, 484);
  EXPECT_EQ(r.reportWindow, 1234u);
  EXPECT_EQ(RecorderRate(r.rate), 3);
  EXPECT_EQ(RecorderRate(50), 30);
  EXPECT_EQ(RecorderRate(12), 12);
  EXPECT_FALSE(ParseRecordSetup("640", r));
  ASSERT_TRUE(ParseRecordSetup("320, 200", r));
  EXPECT_EQ(r.reportWindow, 0u);
}

TEST(Commands, RecordSetupSizesStayWithinWhatAWindowCanBe) {
  // The largest int once overflowed when the frame was added to it.
  RecordSetup r;
  ASSERT_TRUE(ParseRecordSetup("2147483647,480", r));
  EXPECT_EQ(r.innerWidth, kLargestRecordSide + 4);
  EXPECT_EQ(r.innerHeight, 484);
  ASSERT_TRUE(ParseRecordSetup("-2147483648,99999999999999999999,2147483647,-1", r));
  EXPECT_EQ(r.innerWidth, 4);
  EXPECT_EQ(r.innerHeight, kLargestRecordSide + 4);
  EXPECT_EQ(RecorderRate(r.rate), 30);
  EXPECT_EQ(r.reportWindow, 0u);
}

TEST(Commands, AttachedSoundBurnJobAndEvents) {
  AttachedSoundRequest a = ParseAttachedSound("C:\\show\\music.m3u|70|2|4000");
  EXPECT_EQ(a.file, "C:\\show\\music.m3u");
  EXPECT_EQ(a.volume, 70);
  EXPECT_EQ(a.pan, 2);
  EXPECT_TRUE(ParseAttachedSound("").file.empty());
  BurnJob j = ParseBurnJob("C:\\cd\\*.*|My show");
  EXPECT_EQ(j.files, "C:\\cd\\*.*");
  EXPECT_EQ(j.name, "My show");
  EXPECT_EQ(StateAfterEvent(0, 7), 1);
  EXPECT_EQ(StateAfterEvent(3, 8), 2);
  EXPECT_EQ(StateAfterEvent(2, 9), 3);
  EXPECT_EQ(StateAfterEvent(1, 6), 3);
  EXPECT_EQ(StateAfterEvent(2, 4), 2);
}

TEST(Commands, MessageTexts) {
  EXPECT_EQ(MediumFailureText("Error # with ", "take#2.avi", -99), "Error -99 with take#2.avi");
  EXPECT_EQ(MediumFailureText("Error #: ", "a.mp3", -41, "Damaged."), "Error -41: a.mp3|Damaged.");
  const std::string reasons = "s2=Cannot be opened.| s41 = No sound I know. |m-7=Cut short.|oops|=x";
  EXPECT_EQ(FailureReason(reasons, "s41"), "No sound I know.");
  EXPECT_EQ(FailureReason(reasons, "m-7"), "Cut short.");
  EXPECT_EQ(FailureReason(reasons, "m-4"), "");
  EXPECT_EQ(FailureReason(reasons, "m2"), "");  // the other layer's 2
  EXPECT_EQ(FailureReason(reasons, ""), "");
  EXPECT_EQ(RecorderStatusText("@ frames, # sounds", 12, 3), "12 frames, 3 sounds");
}

TEST(Pictures, VideoPlacementBySizeItem) {
  // 320 x 240 at double size in a 500 x 400 area.
  Fit f = VideoPlacement(306, true, 320, 240, 0, 0, 500, 400);
  EXPECT_EQ(f.width, 500);
  EXPECT_EQ(f.height, 375);
  EXPECT_EQ(f.x, 0);
  EXPECT_EQ(f.y, 12);
  f = VideoPlacement(306, false, 320, 240, 0, 0, 500, 400);
  EXPECT_EQ(f.width, 500);
  EXPECT_EQ(f.height, 400);
  EXPECT_EQ(f.x, 0);
  EXPECT_EQ(f.y, 0);
  f = VideoPlacement(303, true, 320, 240, 10, 20, 500, 400);
  EXPECT_EQ(f.width, 160);
  EXPECT_EQ(f.height, 120);
  EXPECT_EQ(f.x, 10 + 170);
  EXPECT_EQ(f.y, 20 + 140);
  f = VideoPlacement(307, false, 320, 240, 0, 0, 500, 400);
  EXPECT_EQ(f.width, 500);
  EXPECT_EQ(f.height, 400);
  f = VideoPlacement(307, true, 320, 240, 0, 0, 500, 400);  // native size, fitted
  EXPECT_EQ(f.width, 500);
  EXPECT_EQ(f.height, 375);
  // A sound has no picture: the whole area, and nothing divides by its size.
  f = VideoPlacement(307, true, 0, 0, 0, 0, 500, 400);
  EXPECT_EQ(f.width, 500);
}

TEST(Commands, PrintPlacementOnPortraitAndLandscapePages) {
  Fit f = PrintPlacement(4800, 6600, true, 640, 400);
  EXPECT_EQ(f.width, 4770);
  EXPECT_EQ(f.height, 2981);
  EXPECT_EQ(f.x, 30);
  EXPECT_EQ(f.y, 1869);
  f = PrintPlacement(6600, 4800, false, 400, 400);
  EXPECT_EQ(f.width, 4800);
  EXPECT_EQ(f.height, 4800);
  EXPECT_EQ(f.x, (6600 - 4800) / 2 + 60);
  EXPECT_EQ(f.y, 0);
  EXPECT_EQ(PrintPlacement(4800, 6600, true, 0, 400).width, 0);
}

TEST(Commands, SnapshotTargetKeepsTheFolders) {
  EXPECT_EQ(SnapshotTarget("C:\\my.pics\\frame"), "C:\\my.pics\\frame.bmp");
  EXPECT_EQ(SnapshotTarget("C:\\shots\\frame.JPG"), "C:\\shots\\frame.bmp");
  EXPECT_EQ(SnapshotTarget("  "), "");
}

}  // namespace falcet

namespace falcet {
namespace {

TEST(PictureScroll, LinesPagesThumbAndEndsStayWithinThePicture) {
  // A 1500 pixel high picture in a view of 400: positions 0 to 1100.
  EXPECT_EQ(ScrollPosition(1, 0, 0, 400, 1500), 50);
  EXPECT_EQ(ScrollPosition(0, 50, 0, 400, 1500), 0);
  EXPECT_EQ(ScrollPosition(0, 20, 0, 400, 1500), 0);
  EXPECT_EQ(ScrollPosition(3, 0, 0, 400, 1500), 400);
  EXPECT_EQ(ScrollPosition(3, 900, 0, 400, 1500), 1100);
  EXPECT_EQ(ScrollPosition(2, 300, 0, 400, 1500), 0);
  EXPECT_EQ(ScrollPosition(5, 0, 700, 400, 1500), 700);
  EXPECT_EQ(ScrollPosition(4, 0, 5000, 400, 1500), 1100);
  EXPECT_EQ(ScrollPosition(7, 0, 0, 400, 1500), 1100);
  EXPECT_EQ(ScrollPosition(6, 800, 0, 400, 1500), 0);
  // Line by line to the edge and no further.
  int at = 0;
  for (int i = 0; i < 40; ++i) at = ScrollPosition(1, at, 0, 400, 1500);
  EXPECT_EQ(at, 1100);
  // A picture within the view does not scroll; an unknown request keeps the place.
  EXPECT_EQ(ScrollPosition(1, 0, 0, 400, 300), 0);
  EXPECT_EQ(ScrollPosition(8, 250, 0, 400, 1500), 250);
  EXPECT_EQ(ScrollPosition(1, 0, 0, -5, 100), 50);
}

TEST(PictureScroll, OriginCentresASmallPictureAndFollowsTheScroll) {
  EXPECT_EQ(ScrolledOrigin(0, 400, 300), 50);
  EXPECT_EQ(ScrolledOrigin(120, 400, 300), 50);
  EXPECT_EQ(ScrolledOrigin(120, 400, 1500), -120);
  EXPECT_EQ(ScrolledOrigin(5000, 400, 1500), -1100);
}

}  // namespace
// A WAVE header that claims 4 GiB of samples in a file of one second is found out; a file
// written to its end, one whose "data" chunk comes after another chunk (padded), one written
// to a stream and one that is no WAVE file claim nothing.
TEST(Media, WaveClaimsAreCheckedAgainstTheFile) {
  auto le = [](uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[size_t(i)] = char((v >> (8 * i)) & 0xFF);
    return s;
  };
  std::string fmt = "fmt " + le(16) + std::string(16, '\1');
  std::string head = "RIFF" + le(0xFFFFFFF8u) + "WAVE" + fmt + "data" + le(0xFFFFFFF0u);
  WaveClaim c = CheckWaveClaim(head, head.size() + 16000);
  EXPECT_TRUE(c.cutShort);
  EXPECT_EQ(c.claimed, 0xFFFFFFF0u);
  EXPECT_EQ(c.held, 16000u);
  std::string whole = "RIFF" + le(4 + 24 + 8 + 16000) + "WAVE" + fmt + "data" + le(16000);
  EXPECT_FALSE(CheckWaveClaim(whole, whole.size() + 16000).cutShort);
  std::string list = "RIFF" + le(0) + "WAVE" + fmt + "LIST" + le(3) + "abc" + std::string(1, '\0') + "data" + le(100);
  c = CheckWaveClaim(list, list.size() + 99);
  EXPECT_TRUE(c.cutShort);
  EXPECT_EQ(c.held, 99u);
  // The marks of a recorder that wrote to a stream (as ffmpeg and sox leave them, and the
  // suite's own converter) stand for "up to the end of the file".
  for (auto [riff, data] : {std::pair{0xFFFFFFFFu, 0xFFFFFFFFu}, std::pair{0x7FFFF024u, 0x7FFFF000u},
                            std::pair{0xFFFFFFFFu, 0xFFFFFFFFu - 36}}) {
    std::string streamed = "RIFF" + le(riff) + "WAVE" + fmt + "data" + le(data);
    EXPECT_FALSE(CheckWaveClaim(streamed, streamed.size() + 16000).cutShort) << std::hex << data;
  }
  EXPECT_FALSE(CheckWaveClaim("ID3" + std::string(40, 'x'), 1000000).cutShort);
  EXPECT_FALSE(CheckWaveClaim("RIFF", 4).cutShort);
}

}  // namespace falcet
