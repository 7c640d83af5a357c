// What the Windows Media reader and writer of the layer share: an owner of interface
// pointers, the media types they speak of and the media type of a stream's properties.
// Private to the Windows side of the layer.
#pragma once
#include <windows.h>
#include <wmsdkidl.h>

#include <vector>

namespace audio {

// An interface pointer, released when the owner ends.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() { Reset(); }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

constexpr GUID kTypeAudio = {0x73647561, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID kSubtypePcm = {0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID kFormatWaveFormatEx = {0x05589f81, 0xc356, 0x11ce, {0xbf, 0x01, 0x00, 0xaa, 0x00, 0x55, 0x59, 0x5a}};

// A media type of a stream's properties (its format block follows it).
inline std::vector<BYTE> MediaTypeOf(IWMMediaProps* props) {
  DWORD size = 0;
  if (FAILED(props->GetMediaType(nullptr, &size)) || size < sizeof(WM_MEDIA_TYPE)) return {};
  std::vector<BYTE> bytes(size);
  if (FAILED(props->GetMediaType(reinterpret_cast<WM_MEDIA_TYPE*>(bytes.data()), &size))) return {};
  return bytes;
}

inline const WAVEFORMATEX* WaveFormatOf(const std::vector<BYTE>& type) {
  if (type.empty()) return nullptr;
  auto* t = reinterpret_cast<const WM_MEDIA_TYPE*>(type.data());
  if (t->formattype != kFormatWaveFormatEx || !t->pbFormat || t->cbFormat < sizeof(WAVEFORMATEX)) return nullptr;
  return reinterpret_cast<const WAVEFORMATEX*>(t->pbFormat);
}

}  // namespace audio
