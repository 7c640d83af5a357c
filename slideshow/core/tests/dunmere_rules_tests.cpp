// The slide show maker's portable rules: settings, texts, placements, effect entries, slide
// list editing, layout and recording formats.
#include <gtest/gtest.h>

#include "dunmere/layout.h"
#include "dunmere/settings_record.h"
#include "dunmere/slide_ops.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "imaging/partner_entry.h"
#include "imaging/suite_classes.h"

using namespace dunmere;

TEST(Settings, RoundTripOfAllThirteenFields) {
  SettingsRecord r;
  r.left = 10;
  r.top = 20;
  r.width = 800;
  r.height = 600;
  r.showFolder = "@path@SHOWS";
  r.textSetting = "x";
  r.quality = 1024;
  r.groupValue = 50;
  r.defaultTime = 6000;
  r.modeFlag = -1;
  r.outputSize = "800,600";
  r.framesPerSecond = 25;
  r.further = 7;
  std::string line = FormatSettings(r);
  EXPECT_EQ(line, "10|20|800|600|@path@SHOWS|x|1024|50|6000|-1|800,600|25|7");
  SettingsRecord back;
  ASSERT_TRUE(ParseSettings(line, back));
  EXPECT_EQ(FormatSettings(back), line);

  // The folder a video was copied to follows as a 14th field and comes back.
  r.videoFolder = "D:\\Videos\\Trips";
  line = FormatSettings(r);
  EXPECT_EQ(line, "10|20|800|600|@path@SHOWS|x|1024|50|6000|-1|800,600|25|7|D:\\Videos\\Trips");
  ASSERT_TRUE(ParseSettings(line, back));
  EXPECT_EQ(back.videoFolder, "D:\\Videos\\Trips");
  EXPECT_EQ(back.further, 7);
}

TEST(Settings, DefaultsLimitsAndShortLines) {
  SettingsRecord d = DefaultSettings("1024", "60|1", "SHOWS");
  EXPECT_EQ(d.quality, 1024);
  EXPECT_EQ(d.groupValue, 60);
  EXPECT_EQ(d.defaultTime, 4000);
  EXPECT_EQ(d.framesPerSecond, 3);
  EXPECT_EQ(d.showFolder, "@path@SHOWS");

  SettingsRecord r = d;
  EXPECT_FALSE(ParseSettings("", r));
  ASSERT_TRUE(ParseSettings("1|2|300|200||||||5||99", r));
  EXPECT_EQ(r.modeFlag, -1);  // any value but 0
  EXPECT_EQ(r.framesPerSecond, 30);
  EXPECT_EQ(r.further, 0);    // missing: kept
  ASSERT_TRUE(ParseSettings("1|2|300|200||||||0||-4", r));
  EXPECT_EQ(r.framesPerSecond, 0);
  EXPECT_EQ(r.modeFlag, 0);

  EXPECT_EQ(r.groupValue, 100);  // 0 is no music volume of the menu

  ClampPlacement(r, 640, 480, 1024, 768);
  EXPECT_EQ(r.width, 640);
  EXPECT_EQ(r.height, 480);
  r.left = 5000;
  r.top = -30;
  ClampPlacement(r, 640, 480, 1024, 768);
  EXPECT_EQ(r.left, 1024 - 640);
  EXPECT_EQ(r.top, 0);
}

// The music volume went to the player as a group value of 1 to 9, which it took for
// percent: such stored values (and any other the menu does not offer) give the default.
TEST(Settings, MusicVolumeIsOneOfTheMenusPercentages) {
  for (int v : {20, 30, 60, 90, 100}) EXPECT_TRUE(IsMusicVolume(v)) << v;
  for (int v : {0, 1, 3, 9, 10, 25, 110, -20}) EXPECT_FALSE(IsMusicVolume(v)) << v;
  EXPECT_EQ(DefaultSettings("1024", "3|1", "SHOWS").groupValue, 100);
  EXPECT_EQ(DefaultSettings("1024", "|1", "SHOWS").groupValue, 100);
  SettingsRecord r;
  ASSERT_TRUE(ParseSettings("1|2|300|200|||1024|70|4000|0||3|0", r));
  EXPECT_EQ(r.groupValue, 70);
  ASSERT_TRUE(ParseSettings("1|2|300|200|||1024|5|4000|0||3|0", r));
  EXPECT_EQ(r.groupValue, 100);
  ASSERT_TRUE(ParseSettings("1|2|300|200|||1024|150|4000|0||3|0", r));
  EXPECT_EQ(r.groupValue, 100);
}

TEST(Texts, FormsCountersAndTimes) {
  EXPECT_EQ(CountersText(1, " slide| slides"), "1 slide");
  EXPECT_EQ(CountersText(0, " slide| slides"), "0 slides");
  EXPECT_EQ(CountersText(12, " slides"), "12 slides");
  EXPECT_EQ(TimePrefix("# second > |# seconds > ", 1499), "1 second > ");
  EXPECT_EQ(TimePrefix("# second > |# seconds > ", 6000), "6 seconds > ");
  EXPECT_EQ(SlideInfoText("a.jpg", 640, 480, 24, 123456, " bits, ", " bytes)", ""),
            "a.jpg 640 x 480 (24 bits, 123,456 bytes)");
  EXPECT_EQ(SlideInfoText("a.jpg", 1, 2, 8, 5, "/", ")", "6 seconds > "), "6 seconds > a.jpg 1 x 2 (8/5)");
  EXPECT_EQ(StatusAfterTimeCommand("6 seconds > a.jpg 1 x 2", "2 seconds > "), "2 seconds > a.jpg 1 x 2");
  EXPECT_EQ(StatusAfterTimeCommand("  a.jpg 1 x 2", ""), "a.jpg 1 x 2");
  EXPECT_EQ(BuildSummary("Built in @: # slides, $ bytes.", "C:\\CD#1\\", 2, 1234567),
            "Built in C:\\CD#1\\: 2 slides, 1,234,567 bytes.");
  EXPECT_EQ(ReplaceAll("Press ''OK''", "''", "\""), "Press \"OK\"");
  EXPECT_EQ(FieldOf("a|b|c", "|", 2), "b");
  EXPECT_EQ(FieldOf("a|b|c", "|", 4), "");
}

TEST(Texts, PlacementTriples) {
  Placement p = PlacementOf("S,4,0,S,8,2", 2);
  EXPECT_FALSE(p.hidden);
  EXPECT_EQ(p.x, 8);
  EXPECT_EQ(p.y, 2);
  EXPECT_EQ(PlacementOf("S,4,0,S,8,2", 0).x, 4);  // 0 counts as 1
  EXPECT_EQ(PlacementOf("S,4,0,S,8,2", 5).x, 8);  // fewer triples: the last one
  EXPECT_TRUE(PlacementOf("h,1,1", 1).hidden);
  EXPECT_FALSE(PlacementOf("", 2).hidden);
  EXPECT_EQ(PlacementOf("S,3", 1).y, 0);
}

TEST(Texts, PartnersEffectsButtons) {
  PartnerEntry p = ParsePartnerEntry("falcet.exe,QPLAYER");
  EXPECT_EQ(p.program, "falcet.exe");
  EXPECT_EQ(p.className, kClassPlayer);
  EXPECT_EQ(ParsePartnerEntry("standin.exe QPLAYER C:\\log.txt , QPLAYER").program, "standin.exe QPLAYER C:\\log.txt");

  std::string entry40 = "Wipes,wipes.txt,Fades,fades.txt,Plug-in,@path@effects\\plugin.txt";
  EXPECT_EQ(EffectGroupNames(entry40), (std::vector<std::string>{"Wipes", "Fades", "Plug-in"}));
  EXPECT_EQ(EffectListFile(entry40, 0), "wipes.txt");
  EXPECT_EQ(EffectListFile(entry40, 2), "@path@effects\\plugin.txt");
  EXPECT_EQ(EffectListFile(entry40, 3), "");
  EXPECT_TRUE(EffectGroupNames("").empty());

  EffectEntry e = ParseEffectEntry("Spin,50,2000");
  EXPECT_EQ(e.name, "Spin");
  EXPECT_EQ(e.step, 50);
  EXPECT_EQ(e.time, 2000);
  EffectEntry bare = ParseEffectEntry("Twirl");
  EXPECT_EQ(bare.step, 0);
  EXPECT_EQ(bare.time, 0);

  std::string caption, tip;
  fileio::SplitAtFirst("Save,Save the slide's text", ',', caption, tip);
  EXPECT_EQ(caption, "Save");
  EXPECT_EQ(tip, "Save the slide's text");
  fileio::SplitAtFirst("Alone", ',', caption, tip);
  EXPECT_EQ(tip, "");
}

// The build box's two check boxes and the header options the player reads: texts are
// option three; the enlarged view is option one at 0. Option two is nobody's check box.
TEST(Texts, BuildBoxChecksAreThePlayersOptions) {
  EXPECT_EQ(BuildBoxChecks(0, 0), uint32_t(kCheckEnlargedView));
  EXPECT_EQ(BuildBoxChecks(1, 1), uint32_t(kCheckSlideTexts));
  EXPECT_EQ(BuildBoxChecks(1, 0), 0u);
  for (uint32_t checks = 0; checks < 4; ++checks) {
    int one = 7, three = 7;
    OptionsFromBuildBox(checks, one, three);
    EXPECT_EQ(three, (checks & kCheckSlideTexts) ? 1 : 0) << checks;
    EXPECT_EQ(one, (checks & kCheckEnlargedView) ? 0 : 1) << checks;
    EXPECT_EQ(BuildBoxChecks(one, three), checks);
  }
}

TEST(SlideList, MovesStayInsideTheList) {
  std::vector<char> list = {'a', 'b', 'c', 'd', 'e'};
  // Alt+Up with the first slide among the selected ones moves nothing.
  EXPECT_TRUE(MoveEntries(list, {0, 2}, 1, false).empty());
  // Alt+Down with the last slide selected moves nothing.
  EXPECT_TRUE(MoveEntries(list, {1, 4}, 1, true).empty());
  EXPECT_EQ(list, (std::vector<char>{'a', 'b', 'c', 'd', 'e'}));
  // The first slide may go down, the last one up.
  EXPECT_EQ(MoveEntries(list, {0}, 1, true), (std::vector<int>{1}));
  EXPECT_EQ(list, (std::vector<char>{'b', 'a', 'c', 'd', 'e'}));
  EXPECT_EQ(MoveEntries(list, {4}, 1, false), (std::vector<int>{3}));
  EXPECT_EQ(list, (std::vector<char>{'b', 'a', 'c', 'e', 'd'}));
  // Several slides by a page keep their order.
  list = {'a', 'b', 'c', 'd', 'e', 'f'};
  EXPECT_EQ(MoveEntries(list, {3, 4}, 2, false), (std::vector<int>{1, 2}));
  EXPECT_EQ(list, (std::vector<char>{'a', 'd', 'e', 'b', 'c', 'f'}));
  EXPECT_EQ(MoveEntries(list, {0, 1}, 3, true), (std::vector<int>{3, 4}));
  EXPECT_EQ(list, (std::vector<char>{'e', 'b', 'c', 'a', 'd', 'f'}));
  EXPECT_TRUE(MoveEntries(list, {0, 1}, 5, true).empty());
  EXPECT_EQ(PageStep(0, 40), 1);
  EXPECT_EQ(PageStep(500, 40), 10);
  EXPECT_TRUE(InLastPartialPage(10, 11, 5));
  EXPECT_FALSE(InLastPartialPage(8, 11, 5));
}

TEST(SlideList, PastingSkipsPathsTheListHolds) {
  EXPECT_EQ(PasteChoice({"a", "b"}, {"b", "c", "a", "d", "c"}), (std::vector<size_t>{1, 3}));
  EXPECT_TRUE(PasteChoice({"a"}, {"a"}).empty());
  EXPECT_EQ(PasteChoice({}, {"A", "a"}), (std::vector<size_t>{0, 1}));  // exact text
}

TEST(SlideList, InvertingTheSelection) {
  EXPECT_TRUE(InvertedSelection(4, {}).empty());
  EXPECT_EQ(InvertedSelection(4, {1, 2}), (std::vector<int>{0, 3}));
  EXPECT_TRUE(InvertedSelection(3, {0, 1, 2}).empty());
}

TEST(Layout, ControlsStayInsideAndApart) {
  for (auto [w, h] : {std::pair{640, 420}, std::pair{1024, 700}, std::pair{1600, 1000}}) {
    LayoutInput in;
    in.clientWidth = w;
    in.clientHeight = h;
    in.buttonHeight = 22;
    in.buttonWidth = 80;
    in.comboHeight = 21;
    in.labelHeight = 14;
    in.volume = PlacementOf("S,6,0", 2);
    std::map<int, Rect> r = ComputeLayout(in);
    ASSERT_EQ(r.size(), 20u);
    for (const auto& [id, a] : r) {
      EXPECT_GE(a.x, 0) << id;
      EXPECT_GE(a.y, 0) << id;
      EXPECT_LE(a.x + a.width, w) << id << " at " << w;
      EXPECT_LE(a.y + a.height, h) << id << " at " << h;
      EXPECT_GT(a.width, 0) << id;
      EXPECT_GT(a.height, 0) << id;
      for (const auto& [other, b] : r) {
        if (other <= id) continue;
        bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
        EXPECT_TRUE(apart) << id << " and " << other << " at " << w << "x" << h;
      }
    }
  }
  LayoutInput hidden;
  hidden.volume.hidden = true;
  EXPECT_EQ(ComputeLayout(hidden).count(kVolumeBar), 0u);
}

TEST(Sound, CaptureFormats) {
  CaptureFormat f = CaptureFormatFor(2048);
  EXPECT_EQ(f.channels, 2);
  EXPECT_EQ(f.samplesPerSecond, 44100);
  EXPECT_EQ(f.bitsPerSample, 16);
  EXPECT_EQ(f.blockAlign, 4);
  EXPECT_EQ(f.averageBytesPerSecond, 176400);
  for (int q : {64, 0, 3, 4096}) {
    CaptureFormat d = CaptureFormatFor(q);
    EXPECT_EQ(d.channels, 1) << q;
    EXPECT_EQ(d.samplesPerSecond, 22050) << q;
    EXPECT_EQ(d.bitsPerSample, 16) << q;
  }
  EXPECT_EQ(CaptureFormatFor(1).averageBytesPerSecond, 11025);
  EXPECT_EQ(CaptureFormatFor(128).blockAlign, 4);
}
