// WMA (ASF) files through the Windows Media synchronous reader of wmvcore, loaded at run
// time, which hands out the decoded audio as 16-bit PCM. A system without the reader, or
// whose reader cannot open the file, gets kBassErrorWmaReader.
#include <windows.h>
#include <wmsdkidl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../decoders.h"
#include "audio/bass.h"
#include "pcm16_format.h"
#include "win/raii.h"
#include "win/wide_text.h"
#include "wm_common.h"

namespace audio {

namespace {

using CreateSyncReader = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, DWORD, IWMSyncReader**);
constexpr uint64_t kUnitsPerSecond = 10000000;  // reader times are in 100 ns units

bool IsPcm16(const WAVEFORMATEX* w) {
  return w && w->wFormatTag == WAVE_FORMAT_PCM && w->wBitsPerSample == 16 && (w->nChannels == 1 || w->nChannels == 2) &&
         w->nSamplesPerSec > 0;
}

class WmaDecoder : public Decoder {
 public:
  ~WmaDecoder() override {
    if (reader_) reader_->Close();
    reader_.Reset();
    if (comStarted_ && GetCurrentThreadId() == comThread_) CoUninitialize();
  }

  // 0, or the wrapper's error code.
  int Open(const std::string& path) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    comStarted_ = SUCCEEDED(com);
    comThread_ = GetCurrentThreadId();
    module_ = win::Module(LoadLibraryW(L"wmvcore.dll"));
    if (!module_) return kBassErrorWmaReader;
    auto create = reinterpret_cast<CreateSyncReader>(
        reinterpret_cast<void*>(GetProcAddress(module_.Get(), "WMCreateSyncReader")));
    if (!create || FAILED(create(nullptr, 0, reader_.Out())) || !reader_) return kBassErrorWmaReader;
    std::wstring wide = win::Widen(path);
    if (FAILED(reader_->Open(wide.c_str()))) return kBassErrorWmaReader;
    if (!ChooseAudioOutput()) return kBassErrorWmaReader;
    ReadHeader();
    return kBassOk;
  }

  PcmFormat Format() const override { return format_; }
  int64_t TotalFrames() const override { return frames_; }
  std::string Title() const override { return title_; }

  size_t Read(std::vector<int16_t>& out, size_t frames) override {
    const size_t frameBytes = format_.BytesPerFrame();
    while (held_.size() - heldAt_ < frames * frameBytes && !ended_) Pull();
    size_t whole = std::min(frames, (held_.size() - heldAt_) / frameBytes);
    const uint8_t* p = held_.data() + heldAt_;
    for (size_t i = 0; i < whole * format_.channels; ++i)
      out.push_back(int16_t(uint16_t(p[2 * i] | (p[2 * i + 1] << 8))));
    heldAt_ += whole * frameBytes;
    if (heldAt_ == held_.size()) {
      held_.clear();
      heldAt_ = 0;
    }
    return whole;
  }

  bool Seek(int64_t frame) override {
    if (frame < 0 || (frames_ >= 0 && frame > frames_)) return false;
    QWORD start = QWORD(uint64_t(frame) * kUnitsPerSecond / format_.sampleRate);
    if (FAILED(reader_->SetRange(start, 0))) return false;
    held_.clear();
    heldAt_ = 0;
    ended_ = false;
    // The reader starts at a block at or before the time: what comes before the frame goes.
    skipTo_ = frame;
    return true;
  }

 private:
  // The first audio output, set to 16-bit PCM of at most two channels.
  bool ChooseAudioOutput() {
    DWORD outputs = 0;
    if (FAILED(reader_->GetOutputCount(&outputs))) return false;
    for (DWORD o = 0; o < outputs; ++o) {
      Com<IWMOutputMediaProps> props;
      if (FAILED(reader_->GetOutputProps(o, props.Out())) || !props) continue;
      std::vector<BYTE> type = MediaTypeOf(props.Get());
      if (type.empty() || reinterpret_cast<const WM_MEDIA_TYPE*>(type.data())->majortype != kTypeAudio) continue;
      if (!IsPcm16(WaveFormatOf(type)) && !ChoosePcm16(o)) return false;
      if (FAILED(reader_->GetOutputProps(o, props.Out())) || !props) return false;
      const WAVEFORMATEX* wave = WaveFormatOf(type = MediaTypeOf(props.Get()));
      if (!IsPcm16(wave)) return false;
      format_.sampleRate = wave->nSamplesPerSec;
      format_.channels = wave->nChannels;
      WORD stream = 0;
      if (FAILED(reader_->GetStreamNumberForOutput(o, &stream))) return false;
      stream_ = stream;
      return true;
    }
    return false;
  }

  // One of the output's offered formats that is 16-bit PCM, the most channels first.
  bool ChoosePcm16(DWORD output) {
    DWORD count = 0;
    if (FAILED(reader_->GetOutputFormatCount(output, &count))) return false;
    for (WORD channels = 2; channels >= 1; --channels) {
      for (DWORD f = 0; f < count; ++f) {
        Com<IWMOutputMediaProps> props;
        if (FAILED(reader_->GetOutputFormat(output, f, props.Out())) || !props) continue;
        const std::vector<BYTE> type = MediaTypeOf(props.Get());
        const WAVEFORMATEX* wave = WaveFormatOf(type);
        if (IsPcm16(wave) && wave->nChannels == channels && SUCCEEDED(reader_->SetOutputProps(output, props.Get())))
          return true;
      }
    }
    return false;
  }

  // Length and title from the file's header.
  void ReadHeader() {
    Com<IWMHeaderInfo> header;
    if (FAILED(reader_->QueryInterface(__uuidof(IWMHeaderInfo), header.OutVoid())) || !header) return;
    WORD stream = 0, size = 0;
    WMT_ATTR_DATATYPE type{};
    QWORD duration = 0;
    size = sizeof duration;
    if (SUCCEEDED(header->GetAttributeByName(&stream, L"Duration", &type, reinterpret_cast<BYTE*>(&duration), &size)) &&
        type == WMT_TYPE_QWORD && duration > 0)
      frames_ = int64_t(duration * format_.sampleRate / kUnitsPerSecond);
    stream = 0;
    size = 0;
    if (FAILED(header->GetAttributeByName(&stream, L"Title", &type, nullptr, &size)) || type != WMT_TYPE_STRING ||
        size < sizeof(WCHAR))
      return;
    std::vector<WCHAR> title(size / sizeof(WCHAR) + 1, 0);
    if (SUCCEEDED(header->GetAttributeByName(&stream, L"Title", &type, reinterpret_cast<BYTE*>(title.data()), &size)))
      title_ = win::Narrow(title.data());
  }

  // The next decoded sample of the audio stream onto held_; ended_ at the end or on an error.
  void Pull() {
    Com<INSSBuffer> sample;
    QWORD time = 0, duration = 0;
    DWORD flags = 0, output = 0;
    WORD stream = 0;
    if (FAILED(reader_->GetNextSample(stream_, sample.Out(), &time, &duration, &flags, &output, &stream)) || !sample) {
      ended_ = true;
      return;
    }
    BYTE* bytes = nullptr;
    DWORD length = 0;
    if (FAILED(sample->GetBufferAndLength(&bytes, &length)) || !bytes) {
      ended_ = true;
      return;
    }
    const size_t frameBytes = format_.BytesPerFrame();
    size_t skip = 0;
    if (skipTo_ >= 0) {
      int64_t first = int64_t(time * format_.sampleRate / kUnitsPerSecond);
      skip = size_t(std::max<int64_t>(0, skipTo_ - first)) * frameBytes;
      if (skip >= length) return;  // still before the frame sought
      skipTo_ = -1;
    }
    length -= DWORD(length % frameBytes);
    if (skip < length) held_.insert(held_.end(), bytes + skip, bytes + length);
  }

  win::Module module_;
  Com<IWMSyncReader> reader_;
  bool comStarted_ = false;
  DWORD comThread_ = 0;
  WORD stream_ = 0;
  PcmFormat format_;
  int64_t frames_ = -1;
  std::string title_;
  std::vector<uint8_t> held_;  // decoded bytes not yet handed out, from heldAt_
  size_t heldAt_ = 0;
  bool ended_ = false;
  int64_t skipTo_ = -1;  // after a seek: the frame the next bytes must start at
};

}  // namespace

std::unique_ptr<Decoder> OpenWmaDecoder(const std::string& path, int& error) {
  auto decoder = std::make_unique<WmaDecoder>();
  error = decoder->Open(path);
  if (error) return nullptr;
  return decoder;
}

}  // namespace audio
