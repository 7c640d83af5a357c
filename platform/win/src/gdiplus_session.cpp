#include "win/gdiplus_session.h"

#include <objidl.h>
#include <gdiplus.h>

namespace win {

ULONG_PTR StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok ? token : 0;
}

void StopGdiplus(ULONG_PTR token) {
  if (token) Gdiplus::GdiplusShutdown(token);
}

}  // namespace win
