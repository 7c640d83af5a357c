// The vector forms of the decoder's kernels are compiled for SSE2 in every x86 build, the
// 32-bit release included, and chosen at run time: that release also runs on processors
// without SSE2, which take the portable forms. Internal.
#pragma once

#if defined(__SSE2__)
// SSE2 is part of the target (every 64-bit build): nothing to switch on or ask.
#define IMGLIB_SSE2_KERNELS 1
#define IMGLIB_SSE2_ALWAYS 1
#elif defined(__i386__) && defined(__GNUC__) && !defined(__clang__)
// A 32-bit build for any x86: the kernels' section switches SSE2 on for itself
// (IMGLIB_SSE2_BEGIN / IMGLIB_SSE2_END) and runs only where the processor has it.
#define IMGLIB_SSE2_KERNELS 1
#define IMGLIB_SSE2_ALWAYS 0
#else
#define IMGLIB_SSE2_KERNELS 0
#define IMGLIB_SSE2_ALWAYS 0
#endif

#if IMGLIB_SSE2_KERNELS && !IMGLIB_SSE2_ALWAYS
#define IMGLIB_SSE2_BEGIN _Pragma("GCC push_options") _Pragma("GCC target(\"sse2\")")
#define IMGLIB_SSE2_END _Pragma("GCC pop_options")
#else
#define IMGLIB_SSE2_BEGIN
#define IMGLIB_SSE2_END
#endif

namespace imglib::jpeg {

// Whether the vector forms may run on this processor; asked once.
inline bool HasSse2() {
#if IMGLIB_SSE2_ALWAYS
  return true;
#elif IMGLIB_SSE2_KERNELS
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") != 0;
  }();
  return has;
#else
  return false;
#endif
}

}  // namespace imglib::jpeg
