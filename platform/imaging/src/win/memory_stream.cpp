// The system's stream over a global memory block trusts its position: under Wine a read
// after a seek past the end (a damaged offset in a picture) copies from far beyond the
// block. The codecs get this stream instead, which checks every read against the size.
#include "memory_stream.h"

#include <windows.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace imglib::system {

namespace {

class BoundedStream final : public IStream {
 public:
  BoundedStream(std::shared_ptr<const std::string> bytes, ULONGLONG position)
      : bytes_(std::move(bytes)), position_(position) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream) || IsEqualIID(iid, IID_IStream)) {
      *object = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // ISequentialStream
  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override {
    if (read) *read = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    ULONGLONG size = bytes_->size();
    ULONG got = 0;
    if (position_ < size) {
      ULONGLONG left = size - position_;
      got = left < count ? ULONG(left) : count;
      std::memcpy(buffer, bytes_->data() + size_t(position_), got);
      position_ += got;
    }
    if (read) *read = got;
    return got == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override {
    if (written) *written = 0;
    return STG_E_ACCESSDENIED;
  }

  // IStream
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    LONGLONG base = 0;
    switch (origin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = LONGLONG(position_); break;
      case STREAM_SEEK_END: base = LONGLONG(bytes_->size()); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    // A position before the start is refused; one past the end is kept (reads there give
    // nothing), as a file stream does.
    if (move.QuadPart < 0 ? base < -move.QuadPart : move.QuadPart > LLONG_MAX - base) return STG_E_INVALIDFUNCTION;
    position_ = ULONGLONG(base + move.QuadPart);
    if (newPosition) newPosition->QuadPart = position_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override {
    if (read) read->QuadPart = 0;
    if (written) written->QuadPart = 0;
    if (!target) return STG_E_INVALIDPOINTER;
    ULONGLONG size = bytes_->size();
    ULONGLONG left = position_ < size ? size - position_ : 0;
    ULONGLONG n = count.QuadPart < left ? count.QuadPart : left;
    ULONGLONG done = 0;
    HRESULT result = S_OK;
    while (done < n) {
      ULONG piece = n - done > 0x40000000 ? 0x40000000 : ULONG(n - done), put = 0;
      result = target->Write(bytes_->data() + size_t(position_ + done), piece, &put);
      done += put;
      if (FAILED(result) || put != piece) break;
    }
    position_ += n;
    if (read) read->QuadPart = n;
    if (written) written->QuadPart = done;
    return FAILED(result) ? result : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = bytes_->size();
    stat->grfMode = STGM_READ;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override {
    if (!clone) return STG_E_INVALIDPOINTER;
    *clone = new (std::nothrow) BoundedStream(bytes_, position_);
    return *clone ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~BoundedStream() = default;

  std::shared_ptr<const std::string> bytes_;
  ULONGLONG position_ = 0;
  std::atomic<ULONG> references_{1};
};

}  // namespace

IStream* NewBoundedStream(std::string_view bytes) {
  try {
    auto copy = std::make_shared<const std::string>(bytes);
    return new BoundedStream(std::move(copy), 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace imglib::system
