// The channel engine on the silent device with a clock the test moves: positions, the
// end of a sound, pause, seek, the play range, levels and sliding attributes.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "audio/channel.h"
#include "test_time.h"
#include "wait_until.h"

using soundtest::FakeTime;
using namespace std::chrono_literals;

namespace {

// 1000 frames per second, mono: frames below `loudUntil` are at full scale, the rest at
// a quarter of it, so that the levels tell where the channel is.
class ToneDecoder : public audio::Decoder {
 public:
  ToneDecoder(int64_t frames, int64_t loudUntil) : frames_(frames), loudUntil_(loudUntil) {}
  audio::PcmFormat Format() const override { return {1000, 1}; }
  int64_t TotalFrames() const override { return frames_; }
  size_t Read(std::vector<int16_t>& out, size_t frames) override {
    size_t n = size_t(std::min<int64_t>(int64_t(frames), frames_ - next_));
    for (size_t i = 0; i < n; ++i, ++next_) out.push_back(next_ < loudUntil_ ? 32767 : 8192);
    return n;
  }
  bool Seek(int64_t frame) override {
    if (frame < 0 || frame > frames_) return false;
    next_ = frame;
    return true;
  }

 private:
  int64_t frames_, loudUntil_, next_ = 0;
};

struct Rig {
  FakeTime time;
  std::unique_ptr<audio::Channel> channel;
  explicit Rig(int64_t frames, int64_t loudUntil = 0) {
    auto output = std::make_unique<audio::SilentOutput>(time.Source());
    output->Open({1000, 1});
    channel = std::make_unique<audio::Channel>(std::make_unique<ToneDecoder>(frames, loudUntil), std::move(output),
                                               time.Source());
  }
};

// Moves the fake clock in steps and lets the thread keep the output fed.
void PlayFor(Rig& r, int ms) {
  for (int t = 0; t < ms; t += 20) {
    r.time.AdvanceMs(20);
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
}

}  // namespace

TEST(Channel, PlaysToTheEndOfTheSoundOnTheSilentDevice) {
  Rig r(600);
  EXPECT_TRUE(r.channel->Silent());
  EXPECT_EQ(r.channel->LengthMs(), 600);
  ASSERT_TRUE(r.channel->Play(0, 0));
  EXPECT_EQ(r.channel->State(), audio::kStatePlaying);
  // Nothing is heard before the clock moves, and never more than the time that passed.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(r.channel->PositionMs(), 0);
  PlayFor(r, 100);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->PositionMs() >= 60; }, 10s));
  EXPECT_LE(r.channel->PositionMs(), 100);
  EXPECT_FALSE(r.channel->Ended());
  PlayFor(r, 800);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->Ended(); }, 10s));
  EXPECT_EQ(r.channel->PositionMs(), 600);
  EXPECT_EQ(r.channel->State(), audio::kStateStopped);
  // An ended sound stays ended when it is resumed.
  r.channel->Resume();
  EXPECT_TRUE(r.channel->Ended());
}

TEST(Channel, PauseHoldsThePositionAndResumeGoesOn) {
  Rig r(2000);
  ASSERT_TRUE(r.channel->Play(0, 0));
  PlayFor(r, 200);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->PositionMs() >= 150; }, 10s));
  r.channel->Pause();
  int64_t held = r.channel->PositionMs();
  EXPECT_EQ(r.channel->State(), audio::kStatePaused);
  PlayFor(r, 500);
  EXPECT_EQ(r.channel->PositionMs(), held);
  r.channel->Resume();
  PlayFor(r, 100);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->PositionMs() > held; }, 10s));
}

TEST(Channel, PlayRangeStartsAndEndsWhereAsked) {
  Rig r(2000);
  ASSERT_TRUE(r.channel->Play(500, 800));
  EXPECT_EQ(r.channel->PositionMs(), 500);
  PlayFor(r, 600);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->Ended(); }, 10s));
  EXPECT_EQ(r.channel->PositionMs(), 800);
  // An end past the sound is the sound's end; a start past it too.
  ASSERT_TRUE(r.channel->Play(1900, 99999));
  PlayFor(r, 300);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->Ended(); }, 10s));
  EXPECT_EQ(r.channel->PositionMs(), 2000);
}

TEST(Channel, SeekAfterTheEndWaitsPausedAtTheNewPosition) {
  Rig r(300);
  ASSERT_TRUE(r.channel->Play(0, 0));
  PlayFor(r, 500);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->Ended(); }, 10s));
  ASSERT_TRUE(r.channel->Seek(100));
  EXPECT_FALSE(r.channel->Ended());
  EXPECT_EQ(r.channel->State(), audio::kStatePaused);
  EXPECT_EQ(r.channel->PositionMs(), 100);
  r.channel->Resume();
  PlayFor(r, 400);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->Ended(); }, 10s));
}

TEST(Channel, LevelsFollowWhatIsHeardNotTheVolume) {
  Rig r(3000, 1000);  // loud for the first second
  r.channel->SetAttributes(10, -101);
  ASSERT_TRUE(r.channel->Play(0, 0));
  PlayFor(r, 100);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->CurrentLevels().left == 128; }, 10s));
  r.channel->Seek(1500);
  PlayFor(r, 100);
  ASSERT_TRUE(WaitUntil([&] { return r.channel->CurrentLevels().left == 32; }, 10s));
  r.channel->Pause();
  EXPECT_EQ(r.channel->CurrentLevels().left, 0);
}

TEST(Channel, SlideToMinusTwoFadesOutAndStops) {
  Rig r(10000);
  ASSERT_TRUE(r.channel->Play(0, 0));
  r.channel->SetAttributes(80, 0);
  r.channel->SlideAttributes(-2, 50, 1000);
  int volume = 0, pan = 0;
  r.time.AdvanceMs(500);
  r.channel->GetAttributes(volume, pan);
  EXPECT_EQ(volume, 40);
  EXPECT_EQ(pan, 25);
  r.time.AdvanceMs(600);
  r.channel->GetAttributes(volume, pan);
  EXPECT_EQ(volume, 0);
  EXPECT_EQ(pan, 50);
  EXPECT_EQ(r.channel->State(), audio::kStateStopped);
}
