// The effect painter on a memory device context: it starts from what the context shows,
// reports between frames to the status callback, and stops when the callback says so.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <vector>

#include "imglib/imglib_effects.h"
#include "win/raii.h"

namespace {

constexpr int kW = 80, kH = 60;

// A memory context over a DIB section whose pixels a test reads directly.
class Surface {
 public:
  Surface() : dc_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kW;
    info.bmiHeader.biHeight = -kH;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    selected_.emplace(dc_, bitmap_.Get());
  }
  HDC dc() const { return dc_; }
  void Fill(COLORREF colour) {
    win::Brush brush(CreateSolidBrush(colour));
    RECT r{0, 0, kW, kH};
    FillRect(dc_, &r, brush.Get());
    GdiFlush();
  }
  // 0xRRGGBB
  unsigned At(int x, int y) const {
    GdiFlush();
    return bits_[y * kW + x] & 0xFFFFFF;
  }
  int Count(unsigned colour) const {
    int n = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) n += At(x, y) == colour;
    return n;
  }

 private:
  win::CompatibleDC dc_;
  win::Bitmap bitmap_;
  uint32_t* bits_ = nullptr;
  std::optional<win::SelectObj> selected_;
};

// A 24-bit imaging bitmap of one colour.
struct Plain {
  explicit Plain(int w, int h, COLORREF colour) {
    L_CreateBitmap(&bitmap, w, h, 24);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint8_t* p = bitmap.bits + y * bitmap.stride + x * 3;
        p[0] = GetBValue(colour), p[1] = GetGValue(colour), p[2] = GetRValue(colour);
      }
  }
  ~Plain() { L_FreeBitmap(&bitmap); }
  ImgBitmap bitmap{};
};

// What the callback saw: the percentages and, at each call, the new picture's share.
struct Seen {
  explicit Seen(const Surface* s) : surface(s) {}
  const Surface* surface;
  std::vector<int> percents;
  std::vector<int> blue;
  std::vector<unsigned> leftMiddle, rightMiddle;
  int stopAt = -1;  // answer -100 at this call (from 0)
};

int CALLBACK Record(int percent, void* data) {
  auto* seen = static_cast<Seen*>(data);
  seen->percents.push_back(percent);
  seen->blue.push_back(seen->surface->Count(0x0000FF));
  seen->leftMiddle.push_back(seen->surface->At(10, kH / 2));
  seen->rightMiddle.push_back(seen->surface->At(kW - 10, kH / 2));
  return int(seen->percents.size()) - 1 == seen->stopAt ? imglib::kUserAbort : imglib::kSuccess;
}

class EffectPainter : public ::testing::Test {
 protected:
  void TearDown() override { L_SetStatusCallBack(nullptr, nullptr, nullptr, nullptr); }
};

TEST_F(EffectPainter, CallsBackBetweenFramesWithTheWipeHalfDone) {
  Surface s;
  s.Fill(RGB(255, 0, 0));
  Plain blue(kW, kH, RGB(0, 0, 255));
  Seen seen(&s);
  ASSERT_EQ(L_SetStatusCallBack(Record, &seen, nullptr, nullptr), imglib::kSuccess);
  void* data = nullptr;
  EXPECT_EQ(L_GetStatusCallBack(&data), &Record);
  EXPECT_EQ(data, &seen);
  EXPECT_EQ(L_EfxPaintBitmap(s.dc(), &blue.bitmap, nullptr, imglib::kWipeFromLeft, 1, 0), imglib::kSuccess);
  // One call between every two frames, the share of the new picture growing.
  ASSERT_EQ(seen.percents.size(), size_t(imglib::kTransitionFrames - 1));
  size_t half = imglib::kTransitionFrames / 2 - 1;  // after frame 16 of 32
  EXPECT_EQ(seen.percents[half], 50);
  EXPECT_EQ(seen.blue[half], kW * kH / 2);
  EXPECT_EQ(seen.leftMiddle[half], 0x0000FFu);
  EXPECT_EQ(seen.rightMiddle[half], 0xFF0000u);
  for (size_t i = 1; i < seen.blue.size(); ++i) EXPECT_GT(seen.blue[i], seen.blue[i - 1]);
  EXPECT_EQ(s.Count(0x0000FF), kW * kH);
}

TEST_F(EffectPainter, TheCallbacksStopValueEndsItEarly) {
  Surface s;
  s.Fill(RGB(255, 0, 0));
  Plain blue(kW, kH, RGB(0, 0, 255));
  Seen seen(&s);
  seen.stopAt = 2;
  L_SetStatusCallBack(Record, &seen, nullptr, nullptr);
  EXPECT_EQ(L_EfxPaintBitmap(s.dc(), &blue.bitmap, nullptr, imglib::kCircleOut, 1, 0), imglib::kUserAbort);
  EXPECT_EQ(seen.percents.size(), 3u);
  EXPECT_LT(s.Count(0x0000FF), kW * kH / 4);
}

TEST_F(EffectPainter, CrossFadeAndFadeThroughBlackHalfWay) {
  Surface s;
  Plain blue(kW, kH, RGB(0, 0, 200));
  for (int effect : {imglib::kCrossFade, imglib::kFadeThroughBlack}) {
    s.Fill(RGB(200, 0, 0));
    Seen seen(&s);
    L_SetStatusCallBack(Record, &seen, nullptr, nullptr);
    ASSERT_EQ(L_EfxPaintBitmap(s.dc(), &blue.bitmap, nullptr, effect, 1, 0), imglib::kSuccess);
    size_t half = imglib::kTransitionFrames / 2 - 1;
    EXPECT_EQ(seen.leftMiddle.at(half), effect == imglib::kCrossFade ? 0x640064u : 0u) << effect;
  }
}

TEST_F(EffectPainter, StretchesIntoTheRectangleAndLeavesTheRest) {
  Surface s;
  s.Fill(RGB(0, 255, 0));
  Plain blue(10, 10, RGB(0, 0, 255));
  RECT area{20, 10, 60, 50};
  // Without a callback, and with every fourth frame only.
  EXPECT_EQ(L_EfxPaintBitmap(s.dc(), &blue.bitmap, &area, imglib::kBoxOut, 4, 0), imglib::kSuccess);
  EXPECT_EQ(s.Count(0x0000FF), 40 * 40);
  EXPECT_EQ(s.At(5, 5), 0x00FF00u);
  EXPECT_EQ(s.At(59, 49), 0x0000FFu);
  EXPECT_EQ(s.At(60, 50), 0x00FF00u);
}

TEST_F(EffectPainter, UnknownEffectsPaintPlainlyWithoutCallingBack) {
  Surface s;
  s.Fill(RGB(255, 0, 0));
  Plain blue(kW, kH, RGB(0, 0, 255));
  Seen seen(&s);
  L_SetStatusCallBack(Record, &seen, nullptr, nullptr);
  for (int effect : {18000, 17003, 0}) {
    s.Fill(RGB(255, 0, 0));
    EXPECT_EQ(L_EfxPaintBitmap(s.dc(), &blue.bitmap, nullptr, effect, 1, 0), imglib::kSuccess);
    EXPECT_EQ(s.Count(0x0000FF), kW * kH) << effect;
  }
  EXPECT_TRUE(seen.percents.empty());
  EXPECT_EQ(L_EfxPaintBitmap(nullptr, &blue.bitmap, nullptr, imglib::kWipeFromLeft, 1, 0), imglib::kInvalidParameter);
  ImgBitmap none{};
  EXPECT_EQ(L_EfxPaintBitmap(s.dc(), &none, nullptr, imglib::kWipeFromLeft, 1, 0), imglib::kInvalidParameter);
  RECT empty{5, 5, 5, 20};
  EXPECT_EQ(L_EfxPaintBitmap(s.dc(), &blue.bitmap, &empty, imglib::kWipeFromLeft, 1, 0), imglib::kInvalidParameter);
}

TEST_F(EffectPainter, SettingTheCallbackHandsBackThePreviousOne) {
  int a = 0, b = 0;
  L_SetStatusCallBack(Record, &a, nullptr, nullptr);
  STATUSCALLBACK old = nullptr;
  void* oldData = nullptr;
  L_SetStatusCallBack(nullptr, &b, &old, &oldData);
  EXPECT_EQ(old, &Record);
  EXPECT_EQ(oldData, &a);
  void* data = &b;
  EXPECT_EQ(L_GetStatusCallBack(&data), nullptr);
  EXPECT_EQ(data, nullptr);
}

TEST_F(EffectPainter, ABitmapHandleIsReadAtAnySize) {
  Surface s;
  s.Fill(RGB(10, 20, 30));
  win::Bitmap ddb(CreateCompatibleBitmap(s.dc(), 16, 8));
  {
    win::CompatibleDC mem(s.dc());
    win::SelectObj sel(mem, ddb.Get());
    BitBlt(mem, 0, 0, 16, 8, s.dc(), 0, 0, SRCCOPY);
  }
  imglib::Raster r;
  ASSERT_TRUE(imglib::RasterFromBitmapHandle(ddb.Get(), 32, 4, r));
  EXPECT_EQ(r.Width(), 32);
  EXPECT_EQ(r.Height(), 4);
  EXPECT_EQ(r.Row(3)[31 * 3 + 2], 10);
  EXPECT_EQ(r.Row(3)[31 * 3 + 0], 30);
  EXPECT_FALSE(imglib::RasterFromBitmapHandle(nullptr, 4, 4, r));
}

}  // namespace
