#include "video_frames.h"

#include <windows.h>
#include <vfw.h>

#include <algorithm>
#include <cstring>

namespace mm {

namespace {

// The AVI file library, its file, its stream and its frame reader, each given back in turn.
struct AviSession {
  AviSession() { AVIFileInit(); }
  ~AviSession() {
    if (frames) AVIStreamGetFrameClose(frames);
    if (stream) AVIStreamRelease(stream);
    if (file) AVIFileRelease(file);
    AVIFileExit();
  }
  AviSession(const AviSession&) = delete;
  AviSession& operator=(const AviSession&) = delete;
  PAVIFILE file = nullptr;
  PAVISTREAM stream = nullptr;
  PGETFRAME frames = nullptr;
};

size_t PackedDibSize(const BITMAPINFOHEADER& h) {
  size_t colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? size_t(1) << h.biBitCount : 0);
  if (h.biCompression == BI_BITFIELDS) colours = 3;
  size_t stride = ((size_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  size_t image = h.biSizeImage ? h.biSizeImage : stride * size_t(std::abs(h.biHeight));
  return h.biSize + colours * sizeof(RGBQUAD) + image;
}

}  // namespace

bool ReadVideoFrame(const std::string& file, int32_t position, std::string& dib) {
  dib.clear();
  AviSession avi;
  if (AVIFileOpenA(&avi.file, file.c_str(), OF_READ | OF_SHARE_DENY_NONE, nullptr) != 0) return false;
  if (AVIFileGetStream(avi.file, &avi.stream, streamtypeVIDEO, 0) != 0) return false;
  LONG first = AVIStreamStart(avi.stream), length = AVIStreamLength(avi.stream);
  if (length <= 0) return false;
  LONG sample = AVIStreamTimeToSample(avi.stream, position);
  sample = std::clamp<LONG>(sample < 0 ? first : sample, first, first + length - 1);
  // 24-bit pixels, whatever the stream holds (the decoder of its FOURCC converts them).
  AVISTREAMINFOA info{};
  AVIStreamInfoA(avi.stream, &info, sizeof info);
  BITMAPINFOHEADER wanted{};
  wanted.biSize = sizeof wanted;
  wanted.biWidth = info.rcFrame.right - info.rcFrame.left;
  wanted.biHeight = info.rcFrame.bottom - info.rcFrame.top;
  wanted.biPlanes = 1;
  wanted.biBitCount = 24;
  wanted.biCompression = BI_RGB;
  avi.frames = AVIStreamGetFrameOpen(avi.stream, wanted.biWidth > 0 && wanted.biHeight > 0 ? &wanted : nullptr);
  if (!avi.frames) avi.frames = AVIStreamGetFrameOpen(avi.stream, nullptr);
  if (!avi.frames) return false;
  auto* header = static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(avi.frames, sample));
  if (!header || header->biSize < sizeof(BITMAPINFOHEADER) || header->biWidth <= 0 || header->biHeight == 0)
    return false;
  dib.assign(reinterpret_cast<const char*>(header), PackedDibSize(*header));
  return true;
}

bool PutDibOnClipboard(const std::string& dib) {
  if (dib.size() < sizeof(BITMAPINFOHEADER)) return false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  if (!block) return false;
  if (void* to = GlobalLock(block)) {
    memcpy(to, dib.data(), dib.size());
    GlobalUnlock(block);
  }
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_DIB, block) != nullptr;
  CloseClipboard();
  // The clipboard owns a block it took; one it refused is ours to free.
  if (!ok) GlobalFree(block);
  return ok;
}

}  // namespace mm
