// Owners of GDI+ objects, for the sources that include the GDI+ headers anyway: a
// graphics object on a device context and the pens, brushes, paths, fonts, images and
// attributes a call creates. Each is an Owner (raii.h): Out() for the creating call.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>

#include "win/raii.h"

namespace win::gdip {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

using Pen = Owner<gp::GpPen*, flat::GdipDeletePen>;
using Brush = Owner<gp::GpBrush*, flat::GdipDeleteBrush>;
using Path = Owner<gp::GpPath*, flat::GdipDeletePath>;
using StringFormat = Owner<gp::GpStringFormat*, flat::GdipDeleteStringFormat>;
using FontFamily = Owner<gp::GpFontFamily*, flat::GdipDeleteFontFamily>;
using Font = Owner<gp::GpFont*, flat::GdipDeleteFont>;
using Image = Owner<gp::GpImage*, flat::GdipDisposeImage>;
using ImageAttributes = Owner<gp::GpImageAttributes*, flat::GdipDisposeImageAttributes>;

// A graphics object on a device context, for the length of one drawing call.
class Graphics : public Owner<gp::GpGraphics*, flat::GdipDeleteGraphics> {
 public:
  Graphics() = default;
  explicit Graphics(HDC dc) {
    if (dc) status_ = flat::GdipCreateFromHDC(dc, Out());
  }
  // 0 when it exists, else the failing status of the creating call (GenericError
  // without a device context).
  int Status() const { return Get() ? 0 : (status_ != gp::Ok ? int(status_) : int(gp::InvalidParameter)); }

 private:
  gp::Status status_ = gp::GenericError;
};

inline gp::Status SolidBrush(uint32_t argb, Brush& brush) {
  return flat::GdipCreateSolidFill(gp::ARGB(argb), reinterpret_cast<gp::GpSolidFill**>(brush.Out()));
}

}  // namespace win::gdip
