// WMA files through the Windows Media writer of wmvcore, loaded at run time: a system
// without it (or without a WMA codec for the format) has no WMA encoder, and nothing is
// left on disk.
#include <windows.h>
#include <wmsdkidl.h>

#include <cstring>
#include <string>
#include <vector>

#include "../encoder_pipe.h"
#include "pcm16_format.h"
#include "wm_common.h"
#include "win/raii.h"
#include "win/wide_text.h"

namespace audio {

namespace {

constexpr DWORD kAnyCodecFormat = 0xFFFFFFFF;

using CreateProfileManager = HRESULT(STDMETHODCALLTYPE*)(IWMProfileManager**);
using CreateWriter = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, IWMWriter**);

class SystemWmaWriter : public WmaWriter {
 public:
  ~SystemWmaWriter() override {
    if (!closed_) Abandon();
    writer_.Reset();
    if (comStarted_) CoUninitialize();
  }

  bool Open(int frequency, int channels, int bitrate, const std::string& file) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    comStarted_ = SUCCEEDED(com);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) return false;
    module_ = win::Module(LoadLibraryW(L"wmvcore.dll"));
    if (!module_) return false;
    auto createManager = reinterpret_cast<CreateProfileManager>(
        reinterpret_cast<void*>(GetProcAddress(module_.Get(), "WMCreateProfileManager")));
    auto createWriter =
        reinterpret_cast<CreateWriter>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), "WMCreateWriter")));
    if (!createManager || !createWriter) return false;
    Com<IWMProfileManager> manager;
    if (FAILED(createManager(manager.Out())) || !manager) return false;
    Com<IWMStreamConfig> stream;
    if (!FindCodecFormat(manager.Get(), frequency, channels, bitrate, stream)) return false;
    Com<IWMProfile> profile;
    if (FAILED(manager->CreateEmptyProfile(WMT_VER_8_0, profile.Out())) || !profile) return false;
    stream->SetStreamNumber(1);
    stream->SetStreamName(const_cast<WCHAR*>(L"Audio"));
    stream->SetConnectionName(const_cast<WCHAR*>(L"Audio"));
    if (FAILED(profile->AddStream(stream.Get()))) return false;
    if (FAILED(createWriter(nullptr, writer_.Out())) || !writer_) return false;
    if (FAILED(writer_->SetProfile(profile.Get()))) return false;
    path_ = win::Widen(file);
    if (FAILED(writer_->SetOutputFilename(path_.c_str()))) return false;
    started_ = true;  // from here a file may stand on disk
    return SetInput(frequency, channels);
  }

  bool SetTag(const std::string& tag, const std::string& value) override {
    if (began_ || closed_) return false;
    if (tag.empty()) return Begin();
    Com<IWMHeaderInfo> header;
    if (FAILED(writer_->QueryInterface(__uuidof(IWMHeaderInfo), header.OutVoid()))) return false;
    std::wstring name = win::Widen(tag), text = win::Widen(value);
    return SUCCEEDED(header->SetAttribute(0, name.c_str(), WMT_TYPE_STRING, reinterpret_cast<const BYTE*>(text.c_str()),
                                          WORD((text.size() + 1) * sizeof(wchar_t))));
  }

  bool Write(const void* data, size_t size) override {
    if (closed_ || (!began_ && !Begin())) return false;
    if (size == 0) return true;
    if (size > MAXDWORD) return false;
    Com<INSSBuffer> buffer;
    if (FAILED(writer_->AllocateSample(DWORD(size), buffer.Out())) || !buffer) return false;
    BYTE* bytes = nullptr;
    if (FAILED(buffer->GetBuffer(&bytes)) || !bytes) return false;
    std::memcpy(bytes, data, size);
    buffer->SetLength(DWORD(size));
    // Sample times in 100 ns units from the bytes written so far.
    QWORD time = QWORD(written_ * 10000000ull / bytesPerSecond_);
    if (FAILED(writer_->WriteSample(0, time, 0, buffer.Get()))) return false;
    written_ += size;
    return true;
  }

  bool Close() override {
    if (closed_) return false;
    bool ok = (began_ || Begin()) && SUCCEEDED(writer_->EndWriting());
    ended_ = true;
    if (!ok) Abandon();
    closed_ = true;
    return ok;
  }

 private:
  // The codec format of the sample rate and channels whose bit rate is nearest to the one
  // asked for.
  static bool FindCodecFormat(IWMProfileManager* manager, int frequency, int channels, int bitrate,
                              Com<IWMStreamConfig>& best) {
    Com<IWMCodecInfo> codecs;
    if (FAILED(manager->QueryInterface(__uuidof(IWMCodecInfo), codecs.OutVoid()))) return false;
    DWORD codecCount = 0;
    if (FAILED(codecs->GetCodecInfoCount(kTypeAudio, &codecCount))) return false;
    long long bestDistance = -1;
    for (DWORD c = 0; c < codecCount; ++c) {
      DWORD formatCount = 0;
      if (FAILED(codecs->GetCodecFormatCount(kTypeAudio, c, &formatCount))) continue;
      for (DWORD f = 0; f < formatCount && f != kAnyCodecFormat; ++f) {
        Com<IWMStreamConfig> config;
        if (FAILED(codecs->GetCodecFormat(kTypeAudio, c, f, config.Out())) || !config) continue;
        Com<IWMMediaProps> props;
        if (FAILED(config->QueryInterface(__uuidof(IWMMediaProps), props.OutVoid()))) continue;
        std::vector<BYTE> type = MediaTypeOf(props.Get());
        const WAVEFORMATEX* wave = WaveFormatOf(type);
        if (!wave || int(wave->nSamplesPerSec) != frequency || int(wave->nChannels) != channels) continue;
        long long distance = llabs(static_cast<long long>(wave->nAvgBytesPerSec) * 8 - bitrate);
        if (bestDistance < 0 || distance < bestDistance) {
          bestDistance = distance;
          best.Reset();
          codecs->GetCodecFormat(kTypeAudio, c, f, best.Out());
        }
      }
    }
    return bool(best);
  }

  // 16-bit PCM of the format goes in.
  bool SetInput(int frequency, int channels) {
    Com<IWMInputMediaProps> input;
    if (FAILED(writer_->GetInputProps(0, input.Out())) || !input) return false;
    WAVEFORMATEX wave = Pcm16Format(channels, uint32_t(frequency));
    bytesPerSecond_ = wave.nAvgBytesPerSec;
    WM_MEDIA_TYPE type{};
    type.majortype = kTypeAudio;
    type.subtype = kSubtypePcm;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = wave.nBlockAlign;
    type.formattype = kFormatWaveFormatEx;
    type.cbFormat = sizeof wave;
    type.pbFormat = reinterpret_cast<BYTE*>(&wave);
    if (FAILED(input->SetMediaType(&type))) return false;
    return SUCCEEDED(writer_->SetInputProps(0, input.Get()));
  }

  bool Begin() {
    began_ = SUCCEEDED(writer_->BeginWriting());
    return began_;
  }

  // A file that could not be completed is removed.
  void Abandon() {
    if (began_ && !ended_) writer_->EndWriting();
    ended_ = true;
    writer_.Reset();
    if (started_) DeleteFileW(path_.c_str());
    started_ = false;
  }

  win::Module module_;
  Com<IWMWriter> writer_;
  std::wstring path_;
  unsigned long long written_ = 0;
  DWORD bytesPerSecond_ = 1;
  bool comStarted_ = false, started_ = false, began_ = false, ended_ = false, closed_ = false;
};

}  // namespace

std::unique_ptr<WmaWriter> OpenWmaWriter(int frequency, int channels, int bitrate, const std::string& file) {
  if (frequency <= 0 || (channels != 1 && channels != 2) || bitrate <= 0 || file.empty()) return nullptr;
  auto writer = std::make_unique<SystemWmaWriter>();
  if (!writer->Open(frequency, channels, bitrate, file)) return nullptr;
  return writer;
}

}  // namespace audio
