// Compressed sounds through the system's audio codecs (ACM): the ADPCM forms, GSM, G.711
// and whatever else a WAVE file holds that a codec of the machine decodes, and MPEG audio
// (layer III through the MP3 codec that Windows, and Wine, bring).
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "audio/bass.h"
#include "../decoders.h"
#include "pcm16_format.h"

namespace audio {

namespace {

// One ACM conversion stream into 16-bit PCM.
class AcmStream {
 public:
  ~AcmStream() { Close(); }

  bool Open(const std::string& sourceFormat, const WAVEFORMATEX& target) {
    Close();
    source_ = sourceFormat;
    target_ = target;
    auto* src = reinterpret_cast<WAVEFORMATEX*>(source_.data());
    return acmStreamOpen(&stream_, nullptr, src, &target_, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) == 0;
  }

  void Close() {
    if (stream_) acmStreamClose(stream_, 0);
    stream_ = nullptr;
  }

  // Converts input bytes; appends the PCM bytes to out. used: input bytes taken.
  bool Convert(const char* input, size_t size, DWORD flags, std::string& out, size_t& used) {
    used = 0;
    if (!stream_) return false;
    DWORD outSize = 0;
    if (acmStreamSize(stream_, DWORD(std::max<size_t>(size, 1)), &outSize, ACM_STREAMSIZEF_SOURCE) != 0 || outSize == 0)
      outSize = DWORD(size * 16 + 65536);
    // Codecs may hold samples back; leave room for them.
    outSize += 65536;
    if (buffer_.size() < outSize) buffer_.resize(outSize);
    // The codec only reads the source; an empty one (the last call) points at the buffer.
    ACMSTREAMHEADER h{};
    h.cbStruct = sizeof h;
    h.pbSrc = reinterpret_cast<LPBYTE>(size ? const_cast<char*>(input) : buffer_.data());
    h.cbSrcLength = DWORD(size);
    h.pbDst = reinterpret_cast<LPBYTE>(buffer_.data());
    h.cbDstLength = outSize;
    if (acmStreamPrepareHeader(stream_, &h, 0) != 0) return false;
    MMRESULT r = acmStreamConvert(stream_, &h, flags);
    bool ok = r == 0;
    if (ok) {
      out.append(buffer_.data(), h.cbDstLengthUsed);
      used = h.cbSrcLengthUsed;
    }
    h.cbSrcLength = DWORD(size);
    h.cbDstLength = outSize;
    acmStreamUnprepareHeader(stream_, &h, 0);
    return ok;
  }

 private:
  HACMSTREAM stream_ = nullptr;
  std::string source_;
  WAVEFORMATEX target_{};
  std::string buffer_;  // the codec's output, kept from call to call
};

// What both kinds share: input in pieces through the codec, output handed out by frames,
// with frames to skip after a seek that landed before the wanted frame.
class CodecDecoder : public Decoder {
 public:
  PcmFormat Format() const override { return format_; }
  int64_t TotalFrames() const override { return total_; }
  std::string Title() const override { return title_; }

  size_t Read(std::vector<int16_t>& out, size_t frames) override {
    const size_t frameBytes = format_.BytesPerFrame();
    while (pending_.size() < (frames + skip_) * frameBytes && !finished_) Decode();
    const size_t have = pending_.size() / frameBytes;
    const size_t skip = std::min(skip_, have);
    skip_ -= skip;
    const size_t n = std::min(frames, have - skip);
    size_t at = out.size();
    out.resize(at + n * format_.channels);
    std::memcpy(out.data() + at, pending_.data() + skip * frameBytes, n * frameBytes);
    pending_.erase(0, (skip + n) * frameBytes);
    return n;
  }

  bool Seek(int64_t frame) override {
    if (frame < 0 || (total_ >= 0 && frame > total_)) return false;
    int64_t first = 0;
    if (!StartAt(frame, first) || !codec_.Open(sourceFormat_, target_)) return false;
    pending_.clear();
    leftover_.clear();
    finished_ = false;
    started_ = false;
    skip_ = size_t(std::max<int64_t>(0, frame - first));
    return true;
  }

 protected:
  // Starts the codec anew and puts the input at the piece that holds frame; firstFrame
  // receives the frame that the codec's output will start with.
  virtual bool StartAt(int64_t frame, int64_t& firstFrame) = 0;
  // Appends the next piece of input (with AppendInput); false at its end.
  virtual bool NextInput() = 0;

  // Appends bytes of the file to the input the codec has not taken yet; returns how many.
  size_t AppendInput(uint64_t offset, size_t size) {
    const size_t at = leftover_.size();
    leftover_.resize(at + size);
    size_t got = 0;
    if (file_.ReadAt(int64_t(offset), leftover_.data() + at, size, got) != fileio::kOk) got = 0;
    leftover_.resize(at + got);
    return got;
  }

  void Decode() {
    bool more = NextInput();
    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN;
    if (!started_) flags |= ACM_STREAMCONVERTF_START;
    if (!more) flags = ACM_STREAMCONVERTF_END | (started_ ? 0 : ACM_STREAMCONVERTF_START);
    size_t used = 0;
    if (!codec_.Convert(leftover_.data(), leftover_.size(), flags, pending_, used)) {
      // A codec that refuses the data ends the sound where it is.
      finished_ = true;
      return;
    }
    started_ = true;
    leftover_.erase(0, used);
    if (!more) finished_ = true;
    // A codec that took nothing from a full piece would loop for ever.
    if (more && used == 0 && leftover_.size() > (1u << 20)) finished_ = true;
  }

  fileio::File file_;
  PcmFormat format_;
  int64_t total_ = -1;
  std::string title_;
  std::string sourceFormat_;
  WAVEFORMATEX target_{};
  AcmStream codec_;

 private:
  std::string pending_;   // PCM bytes decoded, not yet handed out
  std::string leftover_;  // input the codec has not taken yet
  size_t skip_ = 0;
  bool finished_ = false;
  bool started_ = false;
};

// Compressed WAVE data: whole blocks at a time.
class WaveCodecDecoder : public CodecDecoder {
 public:
  bool Init(fileio::File file, const WaveInfo& info) {
    file_ = std::move(file);
    info_ = info;
    sourceFormat_ = info.formatChunk;
    // A format chunk of 16 bytes lacks cbSize, which the codecs read.
    if (sourceFormat_.size() < sizeof(WAVEFORMATEX)) sourceFormat_.resize(sizeof(WAVEFORMATEX), '\0');
    auto* src = reinterpret_cast<WAVEFORMATEX*>(sourceFormat_.data());
    src->wFormatTag = WORD(info.formatTag);
    // Ask the codecs for 16-bit PCM of the same rate and channels.
    target_ = Pcm16Format(std::min<int>(2, info.channels), info.sampleRate);
    WAVEFORMATEX suggested{};
    if (acmFormatSuggest(nullptr, src, &suggested, sizeof suggested,
                         ACM_FORMATSUGGESTF_WFORMATTAG | ACM_FORMATSUGGESTF_WBITSPERSAMPLE) == 0 &&
        suggested.wFormatTag == WAVE_FORMAT_PCM && suggested.wBitsPerSample == 16)
      target_ = suggested;
    if (target_.nChannels < 1 || target_.nChannels > 2) return false;
    format_.sampleRate = target_.nSamplesPerSec;
    format_.channels = target_.nChannels;
    title_ = info.title;
    samplesPerBlock_ = AdpcmSamplesPerBlock(info);
    if (!samplesPerBlock_ && info.bytesPerSecond)
      samplesPerBlock_ = uint32_t(uint64_t(info.blockAlign) * info.sampleRate / info.bytesPerSecond);
    uint64_t samples = WaveSampleCount(info);
    if (!samples && samplesPerBlock_) samples = info.dataSize / info.blockAlign * samplesPerBlock_;
    total_ = samples ? int64_t(samples) : -1;
    return Seek(0);
  }

 protected:
  bool StartAt(int64_t frame, int64_t& firstFrame) override {
    uint64_t block = samplesPerBlock_ ? uint64_t(frame) / samplesPerBlock_ : 0;
    if (frame > 0 && !samplesPerBlock_) return false;
    next_ = block * info_.blockAlign;
    firstFrame = int64_t(block * samplesPerBlock_);
    return true;
  }

  bool NextInput() override {
    // About 50 ms of input, in whole blocks.
    uint64_t blocks = std::max<uint64_t>(1, uint64_t(info_.bytesPerSecond) / 20 / info_.blockAlign);
    uint64_t size = std::min<uint64_t>(blocks * info_.blockAlign, info_.dataSize - std::min(next_, info_.dataSize));
    size_t got = size ? AppendInput(info_.dataOffset + next_, size_t(size)) : 0;
    next_ += got;
    return got > 0 && next_ < info_.dataSize;
  }

 private:
  WaveInfo info_;
  uint32_t samplesPerBlock_ = 0;
  uint64_t next_ = 0;  // offset in the data chunk
};

// MPEG audio: a few frames at a time, from the frame table.
class Mp3Decoder : public CodecDecoder {
 public:
  bool Init(fileio::File file, Mp3Stream stream) {
    file_ = std::move(file);
    stream_ = std::move(stream);
    const Mp3Header& h = stream_.first;
    MPEGLAYER3WAVEFORMAT f{};
    f.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    f.wfx.nChannels = WORD(h.channels);
    f.wfx.nSamplesPerSec = DWORD(h.sampleRate);
    f.wfx.nAvgBytesPerSec = DWORD(h.bitrate / 8);
    f.wfx.nBlockAlign = 1;
    f.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    f.wID = MPEGLAYER3_ID_MPEG;
    f.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
    f.nBlockSize = WORD(h.frameBytes);
    f.nFramesPerBlock = 1;
    sourceFormat_.assign(reinterpret_cast<const char*>(&f), sizeof f);
    target_ = Pcm16Format(h.channels, uint32_t(h.sampleRate));
    format_.sampleRate = DWORD(h.sampleRate);
    format_.channels = WORD(h.channels);
    total_ = int64_t(stream_.totalSamples);
    title_ = stream_.title;
    return Seek(0);
  }

 protected:
  bool StartAt(int64_t frame, int64_t& firstFrame) override {
    const int64_t perFrame = stream_.first.samplesPerFrame;
    int64_t index = std::min<int64_t>(frame / perFrame, int64_t(stream_.frames.size()));
    // Layer III frames borrow bits from the frames before them: start two frames early.
    index = std::max<int64_t>(0, index - 2);
    next_ = size_t(index);
    firstFrame = index * perFrame;
    return true;
  }

  bool NextInput() override {
    constexpr size_t kFramesPerPiece = 4;
    size_t last = std::min(stream_.frames.size(), next_ + kFramesPerPiece);
    if (next_ >= last) return false;
    uint64_t from = stream_.frames[next_];
    uint64_t to = last < stream_.frames.size() ? stream_.frames[last] : stream_.dataEnd;
    size_t got = AppendInput(from, size_t(to - from));
    next_ = last;
    return got > 0 && next_ < stream_.frames.size();
  }

 private:
  Mp3Stream stream_;
  size_t next_ = 0;  // index of the next frame to feed
};

// A decoder whose Init succeeded, or null with the error of a form the codecs refuse.
template <typename D, typename... Args>
std::unique_ptr<Decoder> Initialised(int& error, Args&&... args) {
  auto d = std::make_unique<D>();
  if (d->Init(std::forward<Args>(args)...)) return d;
  error = kBassErrorFormat;
  return nullptr;
}

}  // namespace

std::unique_ptr<Decoder> OpenCodecDecoder(fileio::File file, const WaveInfo& info, int& error) {
  return Initialised<WaveCodecDecoder>(error, std::move(file), info);
}

std::unique_ptr<Decoder> OpenMp3Decoder(fileio::File file, Mp3Stream stream, int& error) {
  return Initialised<Mp3Decoder>(error, std::move(file), std::move(stream));
}

}  // namespace audio
