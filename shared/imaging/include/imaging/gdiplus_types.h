// The GDI+ object types the suite's helpers pass around, declared without the GDI+
// headers, which only the helpers' own sources include.
#pragma once

namespace Gdiplus {
class GpImage;
class GpBitmap;
class GpFont;
class GpPen;
class GpBrush;
class GpStringFormat;
class GpImageAttributes;
}  // namespace Gdiplus
