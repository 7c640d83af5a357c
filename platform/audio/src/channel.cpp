#include "audio/channel.h"

#include <algorithm>

namespace audio {

namespace {
constexpr int kBlockMs = 40;        // frames decoded at a time
constexpr int kLevelWindowMs = 30;  // what "now" means for the levels
constexpr int kHistoryMs = 1500;    // decoded sound kept for the levels
// The thread sleeps while the output has enough: it fills up to the lead and wakes again
// when the output is down to half of it, or when the sound ends, or a slide does.
constexpr int kRefillMs = Channel::kLeadMs / 2;
constexpr int kShortestWaitMs = 10;
constexpr int kLongestWaitMs = 500;
// Blocks the levels' ring holds: the kept time and the lead, with room for short blocks.
constexpr size_t kHistoryBlocks = (kHistoryMs + Channel::kLeadMs) / kBlockMs + 8;
}  // namespace

Channel::Channel(std::unique_ptr<Decoder> decoder, std::unique_ptr<Output> output, TimeSource now)
    : decoder_(std::move(decoder)), output_(std::move(output)), now_(std::move(now)) {
  auto* clock = now_.target<int64_t (*)()>();
  realClock_ = clock && *clock == &SteadyMicroseconds;
  format_ = decoder_->Format();
  totalFrames_ = decoder_->TotalFrames();
  silentOutput_ = output_->Silent();
  title_ = decoder_->Title();
  const size_t blockSamples = size_t(std::max<int64_t>(1, FrameOfMs(kBlockMs))) * format_.channels;
  history_.resize(kHistoryBlocks);
  for (Block& b : history_) b.samples.reserve(blockSamples);
  heard_.reserve(blockSamples);
  output_->Pause(true);
  thread_ = std::thread([this] { Run(); });
}

Channel::~Channel() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  output_->Pause(true);
  output_->Reset();
}

int64_t Channel::FrameOfMs(int64_t ms) const { return ms * int64_t(format_.sampleRate) / 1000; }
int64_t Channel::MsOfFrame(int64_t frame) const {
  return format_.sampleRate ? frame * 1000 / int64_t(format_.sampleRate) : 0;
}

int64_t Channel::ClampedFrameOfMs(int64_t ms) const {
  int64_t frame = FrameOfMs(std::max<int64_t>(0, ms));
  return totalFrames_ >= 0 ? std::min(frame, totalFrames_) : frame;
}

bool Channel::RestartAtLocked(int64_t frame) {
  if (!decoder_->Seek(frame)) return false;
  output_->Reset();
  if (effects_) effects_->Clear();
  historyCount_ = 0;
  startFrame_ = decodedFrame_ = frame;
  decodeEnded_ = false;
  return true;
}

void Channel::StopLocked() {
  state_ = kStateStopped;
  output_->Pause(true);
}

bool Channel::Play(int64_t startMs, int64_t endMs) {
  std::lock_guard<std::mutex> lock(mutex_);
  int64_t start = ClampedFrameOfMs(startMs);
  int64_t end = endMs > 0 ? FrameOfMs(endMs) : 0;
  if (totalFrames_ >= 0 && (end == 0 || end > totalFrames_)) end = totalFrames_;
  if (!RestartAtLocked(start)) return false;
  endFrame_ = end;  // 0 only for a sound of unknown length: until its end
  ended_ = false;
  state_ = kStatePlaying;
  output_->Pause(false);
  wake_.notify_all();
  return true;
}

void Channel::Pause() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (state_ != kStatePlaying) return;
  state_ = kStatePaused;
  output_->Pause(true);
}

void Channel::Resume() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ended_ || state_ == kStatePlaying) return;
  state_ = kStatePlaying;
  output_->Pause(false);
  wake_.notify_all();
}

void Channel::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ended_) StopLocked();
}

bool Channel::Seek(int64_t ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!RestartAtLocked(ClampedFrameOfMs(ms))) return false;
  if (ended_) {
    // A sound that had ended waits at the new position until it is resumed.
    ended_ = false;
    state_ = kStatePaused;
    output_->Pause(true);
  }
  wake_.notify_all();
  return true;
}

int Channel::State() {
  std::lock_guard<std::mutex> lock(mutex_);
  return ended_ ? kStateStopped : state_;
}

bool Channel::Ended() {
  std::lock_guard<std::mutex> lock(mutex_);
  return ended_;
}

int64_t Channel::PositionFrameLocked() { return startFrame_ + output_->Played(); }

int64_t Channel::PositionMs() {
  std::lock_guard<std::mutex> lock(mutex_);
  return MsOfFrame(PositionFrameLocked());
}

int64_t Channel::LengthMs() {
  std::lock_guard<std::mutex> lock(mutex_);
  return totalFrames_ > 0 ? MsOfFrame(totalFrames_) : 0;
}

Levels Channel::CurrentLevels() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (state_ != kStatePlaying || ended_) return Levels{};
  int64_t at = PositionFrameLocked();
  const int channels = format_.channels;
  for (size_t i = 0; i < historyCount_; ++i) {
    const Block& b = HistoryAt(i);
    int64_t frames = int64_t(b.samples.size()) / channels;
    if (at < b.firstFrame || at >= b.firstFrame + frames) continue;
    int64_t from = at - b.firstFrame;
    int64_t count = std::min(frames - from, std::max<int64_t>(1, FrameOfMs(kLevelWindowMs)));
    return PeakLevels(b.samples.data() + from * channels, size_t(count), channels);
  }
  return Levels{};
}

void Channel::SetAttributes(int volume, int pan) {
  std::lock_guard<std::mutex> lock(mutex_);
  slide_.active = false;
  if (volume >= 0) volume_ = std::min(volume, 100);
  if (pan >= -100 && pan <= 100) pan_ = pan;
}

void Channel::GetAttributes(int& volume, int& pan) {
  std::lock_guard<std::mutex> lock(mutex_);
  UpdateSlideLocked();
  volume = volume_;
  pan = pan_;
}

void Channel::SlideAttributes(int volume, int pan, int milliseconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  UpdateSlideLocked();
  slide_.active = true;
  slide_.start = now_();
  slide_.duration = int64_t(std::max(0, milliseconds)) * 1000;
  slide_.fromVolume = volume_;
  slide_.fromPan = pan_;
  slide_.stopAtEnd = volume == -2;
  slide_.toVolume = volume == -2 ? 0 : volume >= 0 ? std::min(volume, 100) : volume_;
  slide_.toPan = pan >= -100 && pan <= 100 ? pan : pan_;
  UpdateSlideLocked();
  wake_.notify_all();
}

void Channel::SetGlobalVolume(int percent) {
  std::lock_guard<std::mutex> lock(mutex_);
  globalVolume_ = std::clamp(percent, 0, 100);
}

void Channel::SetEffects(const EffectSettings& settings) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!effects_) effects_ = std::make_unique<EffectChain>(format_.sampleRate, format_.channels);
  effects_->Set(settings);
}

void Channel::UpdateSlideLocked() {
  if (!slide_.active) return;
  int64_t t = now_() - slide_.start;
  if (t >= slide_.duration) {
    volume_ = slide_.toVolume;
    pan_ = slide_.toPan;
    slide_.active = false;
    if (slide_.stopAtEnd && !ended_) StopLocked();
    return;
  }
  volume_ = slide_.fromVolume + int((slide_.toVolume - slide_.fromVolume) * t / slide_.duration);
  pan_ = slide_.fromPan + int((slide_.toPan - slide_.fromPan) * t / slide_.duration);
}

void Channel::FillLocked() {
  const int64_t lead = FrameOfMs(kLeadMs);
  const size_t block = size_t(std::max<int64_t>(1, FrameOfMs(kBlockMs)));
  const int64_t keep = FrameOfMs(kHistoryMs);
  const int channels = format_.channels;
  const Gain gain = GainOf(volume_ * globalVolume_ / 100, pan_);
  while (!decodeEnded_ && output_->Written() - output_->Played() < lead) {
    size_t want = block;
    if (endFrame_ > 0) {
      if (decodedFrame_ >= endFrame_) {
        decodeEnded_ = true;
        break;
      }
      want = size_t(std::min<int64_t>(int64_t(block), endFrame_ - decodedFrame_));
    }
    // Blocks older than the kept time go first; a full ring gives up its oldest.
    const int64_t position = PositionFrameLocked();
    while (historyCount_ > 0 && (historyCount_ == history_.size() || HistoryAt(0).firstFrame + keep < position)) {
      historyFirst_ = (historyFirst_ + 1) % history_.size();
      --historyCount_;
    }
    Block& b = HistoryAt(historyCount_);
    b.firstFrame = decodedFrame_;
    b.samples.clear();
    size_t got = decoder_->Read(b.samples, want);
    if (got == 0) {
      decodeEnded_ = true;
      break;
    }
    b.samples.resize(got * size_t(channels));
    if (effects_) effects_->Process(b.samples.data(), got);
    ++historyCount_;
    decodedFrame_ += int64_t(got);
    // The levels show the sound with its effects; volume and pan change only what is heard.
    heard_.assign(b.samples.begin(), b.samples.end());
    ApplyGain(heard_.data(), got, channels, gain);
    output_->Write(heard_.data(), got);
  }
}

int64_t Channel::WaitMsLocked() {
  // On a clock of its own (a test's) the real time of a sleep says nothing: look often.
  if (!realClock_) return kShortestWaitMs;
  int64_t wait = kLongestWaitMs;
  if (slide_.active) wait = std::min(wait, (slide_.start + slide_.duration - now_()) / 1000 + 1);
  if (state_ == kStatePlaying && !ended_) {
    const int64_t buffered = output_->Written() - output_->Played();
    // At the end of the sound: until the last of it is heard; else until a refill is due.
    wait = std::min(wait, decodeEnded_ ? MsOfFrame(buffered) + 1 : MsOfFrame(buffered - FrameOfMs(kRefillMs)));
  }
  return std::clamp<int64_t>(wait, kShortestWaitMs, kLongestWaitMs);
}

void Channel::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!quit_) {
    UpdateSlideLocked();
    if (state_ == kStatePlaying && !ended_) {
      FillLocked();
      if (decodeEnded_ && output_->Played() >= output_->Written()) {
        ended_ = true;
        output_->Pause(true);
        // A sound of unknown length knows it now.
        if (totalFrames_ < 0) totalFrames_ = decodedFrame_;
      }
    }
    wake_.wait_for(lock, std::chrono::milliseconds(WaitMsLocked()));
  }
}

}  // namespace audio
