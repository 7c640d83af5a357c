#include "gdiplus_start.h"

#include <cstdint>

namespace {

// The start-up record of GDI+'s flat interface (version 1).
struct StartupInput {
  uint32_t version = 1;
  void* debugCallback = nullptr;
  BOOL suppressBackgroundThread = FALSE;
  BOOL suppressExternalCodecs = FALSE;
};

using StartupFn = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
using ShutdownFn = void(WINAPI*)(ULONG_PTR);

// Held from start to stop, so that the library stays loaded while the browser draws.
HMODULE gLibrary = nullptr;

template <typename T>
T Proc(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

ULONG_PTR StartGdiplus() {
  if (!gLibrary) gLibrary = LoadLibraryA("gdiplus.dll");
  if (!gLibrary) return 0;
  auto startup = Proc<StartupFn>(gLibrary, "GdiplusStartup");
  ULONG_PTR token = 0;
  StartupInput input;
  if (!startup || startup(&token, &input, nullptr) != 0) return 0;
  return token;
}

void StopGdiplus(ULONG_PTR token) {
  if (!token || !gLibrary) return;
  if (auto shutdown = Proc<ShutdownFn>(gLibrary, "GdiplusShutdown")) shutdown(token);
}
