// A GDI+ graphics object on a device context for the length of one drawing call.
// Internal to the helpers' sources, which include the GDI+ headers.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

namespace gdip {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

class Graphics {
 public:
  explicit Graphics(HDC dc) {
    if (dc) status_ = flat::GdipCreateFromHDC(dc, &g_);
  }
  ~Graphics() {
    if (g_) flat::GdipDeleteGraphics(g_);
  }
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;
  gp::GpGraphics* Get() const { return g_; }
  explicit operator bool() const { return g_ != nullptr; }
  int Status() const { return g_ ? 0 : (status_ != gp::Ok ? int(status_) : int(gp::InvalidParameter)); }

 private:
  gp::GpGraphics* g_ = nullptr;
  gp::Status status_ = gp::GenericError;
};

// Owners of the objects a call creates.
template <typename T, auto Delete>  // Delete: the GDI+ call (stdcall on 32 bits) that frees a T
class Owned {
 public:
  Owned() = default;
  ~Owned() {
    if (p_) Delete(p_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  T** Out() { return &p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

using Pen = Owned<gp::GpPen, flat::GdipDeletePen>;
using Brush = Owned<gp::GpBrush, flat::GdipDeleteBrush>;
using Path = Owned<gp::GpPath, flat::GdipDeletePath>;
using StringFormat = Owned<gp::GpStringFormat, flat::GdipDeleteStringFormat>;
using FontFamily = Owned<gp::GpFontFamily, flat::GdipDeleteFontFamily>;
using Font = Owned<gp::GpFont, flat::GdipDeleteFont>;
using Image = Owned<gp::GpImage, flat::GdipDisposeImage>;

inline gp::Status SolidBrush(uint32_t argb, Brush& brush) {
  return flat::GdipCreateSolidFill(gp::ARGB(argb), reinterpret_cast<gp::GpSolidFill**>(brush.Out()));
}

}  // namespace gdip
