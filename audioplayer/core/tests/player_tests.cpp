// The play list and the medium on a fake audio layer: sound types, stepping with wrap,
// the end of an item, positions in percent, seeking, and the range clamped to the medium.
#include <gtest/gtest.h>

#include "jorvel/medium.h"
#include "jorvel/play_list.h"

namespace jorvel {

namespace {

// An audio layer whose state the test sets; it records the calls it gets.
class FakeLayer : public MediaLayer {
 public:
  bool available = true;
  int openResult = 0, playResult = 0;
  int active = 0;
  bool ended = false;
  int64_t position = 0, length = 10000;
  uint32_t level = 0;
  int type = kFile;
  std::string version = "2.0";
  std::string calls;

  bool Available() override { return available; }
  int Open(const std::string& path) override {
    calls += "open " + path + ";";
    return openResult;
  }
  int Play(int64_t start, int64_t end) override {
    calls += "play " + std::to_string(start) + " " + std::to_string(end) + ";";
    if (playResult == 0) active = 1;
    return playResult;
  }
  int Pause() override {
    calls += "pause;";
    if (active == 1) active = 3;
    return 0;
  }
  int Start() override {
    calls += "start;";
    if (active == 3) active = 1;
    return 0;
  }
  int Stop() override {
    calls += "stop;";
    active = 0;
    return 0;
  }
  int Close() override {
    calls += "close;";
    return 0;
  }
  int IsActive() override { return active; }
  bool Ended() override { return ended; }
  int64_t Position() override { return position; }
  int SetPosition(int64_t p) override {
    calls += "seek " + std::to_string(p) + ";";
    position = p;
    return 0;
  }
  int64_t Length() override { return length; }
  uint32_t Level() override { return active == 1 ? level : active == 3 ? 0 : kNotPlaying; }
  int MediaType() override { return type; }
  std::string Version() override { return version; }
};

TEST(SoundTypes, ListAndPlayableItems) {
  std::string types = SoundTypeList("*.MP3;*.wav");
  EXPECT_EQ(types, ".mp3.wav.");
  EXPECT_EQ(SoundTypeList("*.wav;*.mp3;"), ".wav.mp3.");
  EXPECT_EQ(ISPLAYABLE("C:\\a\\Song.MP3", types), 1);
  EXPECT_EQ(ISPLAYABLE("C:\\a\\b.wav", types), 5);
  EXPECT_EQ(ISPLAYABLE("C:\\a\\b.wa", types), 0);  // a part of a type is none
  EXPECT_EQ(ISPLAYABLE("C:\\my.mp3\\noext", types), 0);
  EXPECT_EQ(ISPLAYABLE("C:\\noext", types), 0);
  EXPECT_EQ(ISPLAYABLE("http://radio/x.mp3", types), 1);
  EXPECT_EQ(ISPLAYABLE("x.mp3", ""), 0);
}

TEST(PlayList, NextAndPreviousWrapAndOneItemNeverMoves) {
  PlayList list;
  list.Set("a|b|c", 1);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Previous(), "c");
  EXPECT_EQ(list.Index(), 3);
  EXPECT_EQ(list.Next(), "a");
  EXPECT_EQ(list.Next(), "b");
  EXPECT_EQ(list.Index(), 2);
  PlayList one;
  one.Set("only.wav", 1);
  EXPECT_EQ(one.Next(), "");
  EXPECT_EQ(one.Previous(), "");
  EXPECT_EQ(one.Index(), 1);
}

TEST(PlayList, AtTheEndOfAnItemTheListGoesOnOrStartsAgainWithRepeat) {
  PlayList list;
  list.Set("a|b", 1);
  std::string item;
  EXPECT_EQ(list.AtItemEnd(false, item), PlayList::EndStep::kNext);
  list.Set("a|b", 2);
  EXPECT_EQ(list.AtItemEnd(false, item), PlayList::EndStep::kNothing);
  EXPECT_EQ(list.AtItemEnd(true, item), PlayList::EndStep::kAgain);
  EXPECT_EQ(item, "a");
  EXPECT_EQ(list.Index(), 1);
  // A list of one item restarts that item; a single file opened without an index too.
  PlayList one;
  one.Set("C:\\x.wav", 0);
  EXPECT_EQ(one.AtItemEnd(true, item), PlayList::EndStep::kAgain);
  EXPECT_EQ(item, "C:\\x.wav");
  PlayList none;
  EXPECT_EQ(none.AtItemEnd(true, item), PlayList::EndStep::kNothing);
}

TEST(Medium, OpensOnlySoundTypesOnAnAvailableLayer) {
  FakeLayer layer;
  Medium m(layer);
  // Each failure keeps what was wrong, for the message.
  EXPECT_EQ(m.OPENMEDIUM("x.txt", false), 0);
  EXPECT_EQ(m.Failure(), "type");
  layer.available = false;
  EXPECT_EQ(m.OPENMEDIUM("x.wav", true), 0);
  EXPECT_EQ(m.Failure(), "layer");
  layer.available = true;
  layer.openResult = 41;
  EXPECT_EQ(m.OPENMEDIUM("x.wav", true), 0);
  EXPECT_EQ(m.Failure(), "open41");
  EXPECT_FALSE(m.IsOpen());
  layer.openResult = 0;
  EXPECT_EQ(m.OPENMEDIUM("x.wav", true), 2);
  EXPECT_EQ(m.Failure(), "");
  EXPECT_TRUE(m.IsOpen());
  layer.playResult = 3;
  EXPECT_EQ(m.PLAYMEDIA(0, 0), -99);
  EXPECT_EQ(m.Failure(), "play3");
  layer.playResult = 0;
  ASSERT_EQ(m.OPENMEDIUM("x.wav", true), 2);
  // Without a medium the layer is left alone.
  layer.calls.clear();
  m.CLOSEMEDIA();
  EXPECT_EQ(m.PAUSEMEDIA(), 0);
  EXPECT_EQ(m.GETMEDIASTATE(), 0);
  EXPECT_EQ(layer.calls, "close;");
}

TEST(Medium, ARefusedPlayClosesAndAnEndPastTheMediumIsItsLength) {
  FakeLayer layer;
  Medium m(layer);
  ASSERT_EQ(m.OPENMEDIUM("x.wav", true), 2);
  layer.playResult = 5;
  EXPECT_EQ(m.PLAYMEDIA(0, 0), -99);
  EXPECT_FALSE(m.IsOpen());
  ASSERT_EQ(m.OPENMEDIUM("x.wav", true), 2);
  layer.playResult = 0;
  EXPECT_EQ(m.PLAYMEDIA(2000, 99999), 1);
  EXPECT_EQ(m.RangeStart(), 2000);
  EXPECT_EQ(m.RangeEnd(), 10000);
  layer.position = 6000;
  EXPECT_EQ(m.GETMEDIASTATE(), 50);
  int64_t start = 20000, end = 0;
  CLAMPPLAYRANGE(start, end, 10000);
  EXPECT_EQ(start, 10000);
  EXPECT_EQ(end, 10000);
}

TEST(Medium, PositionZeroIsTheEndOnlyOnceTheMediumHasEnded) {
  FakeLayer layer;
  Medium m(layer);
  ASSERT_EQ(m.OPENMEDIUM("x.wav", true), 2);
  ASSERT_EQ(m.PLAYMEDIA(0, 0), 1);
  layer.position = 0;
  EXPECT_EQ(m.GETMEDIASTATE(), 0);  // playing from its start
  layer.Stop();
  EXPECT_EQ(layer.Level(), MediaLayer::kNotPlaying);
  EXPECT_EQ(m.GETMEDIASTATE(), 0);  // stopped, not ended
  layer.position = 2500;
  EXPECT_EQ(m.GETMEDIASTATE(), 25);
  // Ended: the layer may well answer 0 for the position.
  layer.ended = true;
  layer.position = 0;
  EXPECT_EQ(m.GETMEDIASTATE(), 100);
  layer.type = MediaLayer::kStream;
  EXPECT_EQ(m.GETMEDIASTATE(), 100);
  layer.version = "1.5";
  EXPECT_EQ(m.GETMEDIASTATE(), 100);
  // Another type with a length keeps its position.
  layer.type = 3;
  layer.position = 4000;
  EXPECT_EQ(m.GETMEDIASTATE(), 40);
  layer.length = 0;
  EXPECT_EQ(m.GETMEDIASTATE(), 100);
}

TEST(Medium, SeekingKeepsAPausedMediumPausedAndAPlayingOnePlaying) {
  FakeLayer layer;
  Medium m(layer);
  ASSERT_EQ(m.OPENMEDIUM("x.wav", true), 2);
  ASSERT_EQ(m.PLAYMEDIA(0, 0), 1);
  m.PAUSEMEDIA();
  layer.calls.clear();
  m.SEEKPERCENT(30);
  EXPECT_EQ(layer.calls, "start;seek 3000;pause;");
  EXPECT_EQ(m.ISMEDIAACTIVE(), 3);
  EXPECT_EQ(m.GETMEDIASTATE(), 30);
  m.RESUMEMEDIA();
  layer.calls.clear();
  m.SEEKPERCENT(150);
  EXPECT_EQ(layer.calls, "start;seek 10000;");
  EXPECT_EQ(m.ISMEDIAACTIVE(), 1);
  // Already there: nothing moves.
  layer.calls.clear();
  m.SEEKPERCENT(100);
  EXPECT_EQ(layer.calls, "");
}

}  // namespace

}  // namespace jorvel
