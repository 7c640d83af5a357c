// The window recorder plug-in morvane.dll: records the client area of a window at a frame
// rate into an AVI file through Video for Windows, with the wave-in sound when a recording
// device opens. Its four exports and what it posts to the window. Windows only.
#pragma once
#include <windows.h>

#include <cstdint>

// What the recorder is told about the recording.
struct MvFormat {
  int32_t framesPerSecond;   // 1 to 30
  int32_t soundRate;         // 22050 Hz
  int32_t soundBits;         // 16
  BITMAPINFOHEADER picture;  // the client area; 24 bits per pixel
};

// Posted to the window: one frame written, one frame dropped (due while the one before was
// still being taken), one error (a frame or sound block that could not be written).
enum MvNotice : UINT { kMvFrameWritten = 0x7EA, kMvFrameDropped = 0x7ED, kMvError = 0x7EC };

// Each answers 1 on success, 0 on failure.
using MvInitProc = int(WINAPI*)(HWND window, const MvFormat* format, const char* outputFile);
// The FOURCC of the compressor to use when it is installed; else the frames are written
// uncompressed at 24 bits.
using MvStartProc = int(WINAPI*)(DWORD fourcc);
using MvStopProc = int(WINAPI*)();
using MvEndProc = int(WINAPI*)();
