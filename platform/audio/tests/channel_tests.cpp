// The channel engine on the silent device with a clock the test moves: positions, the
// end of a sound, pause, seek, the play range, levels and sliding attributes.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
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

// A decoder that holds its first read until the test lets it go, as a decoder does on a
// busy machine whose channel thread is not given the processor.
class GatedDecoder : public ToneDecoder {
 public:
  using ToneDecoder::ToneDecoder;
  size_t Read(std::vector<int16_t>& out, size_t frames) override {
    std::unique_lock<std::mutex> lock(mutex_);
    reached_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
    return ToneDecoder::Read(out, frames);
  }
  bool WaitReached() {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, 10s, [this] { return reached_; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool reached_ = false, open_ = false;
};

struct Rig {
  FakeTime time;
  int64_t movedMs = 0;  // how far the test has moved the clock
  std::unique_ptr<audio::Channel> channel;
  explicit Rig(int64_t frames, int64_t loudUntil = 0) : Rig(std::make_unique<ToneDecoder>(frames, loudUntil)) {}
  explicit Rig(std::unique_ptr<audio::Decoder> decoder) {
    auto output = std::make_unique<audio::SilentOutput>(time.Source());
    output->Open({1000, 1});
    channel = std::make_unique<audio::Channel>(std::move(decoder), std::move(output), time.Source());
  }
  void AdvanceMs(int64_t ms) {
    time.AdvanceMs(ms);
    movedMs += ms;
  }
};

// Moves the fake clock in steps, whatever the channel's thread does meanwhile.
void PlayFor(Rig& r, int ms) {
  for (int t = 0; t < ms; t += 20) {
    r.AdvanceMs(20);
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
}

// Lets the sound play until the condition holds: the clock moves 20 ms a step for as long
// as it takes. A channel thread that is late (a busy machine) only makes it take more
// steps; the time moved before the output had its first samples is never heard, so a
// test that moved the clock first and then only waited could wait for ever.
bool PlayUntil(Rig& r, const std::function<bool()>& condition) {
  return WaitUntil(
      [&] {
        if (condition()) return true;
        r.AdvanceMs(20);
        return false;
      },
      10s, 3ms);
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
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->PositionMs() >= 60; }));
  EXPECT_LE(r.channel->PositionMs(), r.movedMs);
  EXPECT_FALSE(r.channel->Ended());
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->Ended(); }));
  EXPECT_GE(r.movedMs, 600);
  EXPECT_EQ(r.channel->PositionMs(), 600);
  EXPECT_EQ(r.channel->State(), audio::kStateStopped);
  // An ended sound stays ended when it is resumed.
  r.channel->Resume();
  EXPECT_TRUE(r.channel->Ended());
}

TEST(Channel, PauseHoldsThePositionAndResumeGoesOn) {
  Rig r(2000);
  ASSERT_TRUE(r.channel->Play(0, 0));
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->PositionMs() >= 150; }));
  r.channel->Pause();
  int64_t held = r.channel->PositionMs();
  EXPECT_EQ(r.channel->State(), audio::kStatePaused);
  PlayFor(r, 500);
  EXPECT_EQ(r.channel->PositionMs(), held);
  r.channel->Resume();
  int64_t resumedAt = r.movedMs;
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->PositionMs() >= held + 100; }));
  EXPECT_LE(r.channel->PositionMs() - held, r.movedMs - resumedAt);
}

TEST(Channel, PlayRangeStartsAndEndsWhereAsked) {
  Rig r(2000);
  ASSERT_TRUE(r.channel->Play(500, 800));
  EXPECT_EQ(r.channel->PositionMs(), 500);
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->Ended(); }));
  EXPECT_EQ(r.channel->PositionMs(), 800);
  // An end past the sound is the sound's end; a start past it too.
  ASSERT_TRUE(r.channel->Play(1900, 99999));
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->Ended(); }));
  EXPECT_EQ(r.channel->PositionMs(), 2000);
}

TEST(Channel, SeekAfterTheEndWaitsPausedAtTheNewPosition) {
  Rig r(300);
  ASSERT_TRUE(r.channel->Play(0, 0));
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->Ended(); }));
  ASSERT_TRUE(r.channel->Seek(100));
  EXPECT_FALSE(r.channel->Ended());
  EXPECT_EQ(r.channel->State(), audio::kStatePaused);
  EXPECT_EQ(r.channel->PositionMs(), 100);
  r.channel->Resume();
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->Ended(); }));
  EXPECT_EQ(r.channel->PositionMs(), 300);
}

TEST(Channel, LevelsFollowWhatIsHeardNotTheVolume) {
  Rig r(3000, 1000);  // loud for the first second
  r.channel->SetAttributes(10, -101);
  ASSERT_TRUE(r.channel->Play(0, 0));
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->PositionMs() >= 100 && r.channel->CurrentLevels().left == 128; }));
  r.channel->Seek(1500);
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->PositionMs() >= 1600 && r.channel->CurrentLevels().left == 32; }));
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

// The silent device hears a sound from the moment its first samples are handed over: time
// that passes while the channel's thread is held (a busy machine) is not heard, and the
// position goes on as the clock moves once the thread has fed the output.
TEST(Channel, TimeBeforeTheFirstBlockIsNotHeard) {
  auto gated = std::make_unique<GatedDecoder>(2000, 0);
  GatedDecoder* gate = gated.get();
  Rig r(std::move(gated));
  ASSERT_TRUE(r.channel->Play(0, 0));
  ASSERT_TRUE(gate->WaitReached());
  PlayFor(r, 200);
  gate->Open();
  EXPECT_EQ(r.channel->PositionMs(), 0);
  int64_t fedAt = r.movedMs;
  ASSERT_TRUE(PlayUntil(r, [&] { return r.channel->PositionMs() >= 150; }));
  EXPECT_LE(r.channel->PositionMs(), r.movedMs - fedAt);
}
