#include "dunmere/layout.h"

#include <algorithm>

namespace dunmere {

namespace {
constexpr int kMargin = 6;
constexpr int kGap = 4;
constexpr int kRightMinimum = 260;
constexpr int kProgressHeight = 12;
constexpr int kVolumeWidth = 120;
}  // namespace

std::map<int, Rect> ComputeLayout(const LayoutInput& in) {
  std::map<int, Rect> out;
  const int w = std::max(in.clientWidth, 2 * kMargin + 100 + kRightMinimum);
  const int h = std::max(in.clientHeight, 360);
  const int bh = std::max(in.buttonHeight, 8);
  const int bw = std::max(in.buttonWidth, 20);
  const int lh = std::max(in.labelHeight, 8);

  // Left: the slide list over two labels and the progress bar.
  int left = std::max(100, std::min((w - 3 * kMargin) * 45 / 100, w - 3 * kMargin - kRightMinimum));
  int progressY = h - kMargin - kProgressHeight;
  int musicY = progressY - kGap - lh;
  int totalY = musicY - kGap / 2 - lh;
  out[kSlideList] = {kMargin, kMargin, left, std::max(20, totalY - kGap - kMargin)};
  out[kTotalLabel] = {kMargin, totalY, left, lh};
  out[kMusicLabel] = {kMargin, musicY, left, lh};
  out[kProgressBar] = {kMargin, progressY, left, kProgressHeight};

  // Right: preview, effects, text, sound, from the top and from the bottom.
  int x = 2 * kMargin + left;
  int rw = w - x - kMargin;
  int y = kMargin;
  int previewHeight = std::max(80, (h - 2 * kMargin) * 38 / 100);
  out[kPreviewPane] = {x, y, rw, previewHeight};
  y += previewHeight + kMargin;
  out[kEffectGroupBox] = {x, y, rw, std::max(in.comboHeight, 12)};
  y += std::max(in.comboHeight, 12) + kGap;
  int effectListHeight = std::max(3 * lh, (h - 2 * kMargin) * 16 / 100);
  out[kEffectList] = {x, y, rw, effectListHeight};
  y += effectListHeight + kGap;
  int rowWidth = std::min(bw, (rw - 2 * kGap) / 3);
  int bx = x;
  for (int id : {kApplyEffectButton, kPreviewButton, kDeleteEffectButton}) {
    out[id] = {bx, y, rowWidth, bh};
    bx += rowWidth + kGap;
  }
  y += bh + kMargin;

  int soundY = h - kMargin - bh;
  // The level display is a thin band over the sound buttons.
  int levelHeight = std::max(6, lh * 2 / 3);
  int levelY = soundY - kGap - levelHeight;
  out[kLevelDisplay] = {x, levelY, rw, levelHeight};
  int textButtonsY = levelY - kGap - bh;
  bx = x;
  for (int id : {kSaveTextButton, kDeleteTextButton, kPlayButton}) {
    out[id] = {bx, textButtonsY, rowWidth, bh};
    bx += rowWidth + kGap;
  }
  out[kTextField] = {x, y, rw, std::max(lh + 4, textButtonsY - kGap - y)};

  int soundWidth = std::max(16, std::min(bw, (rw - 4 * kGap - 40) / 4));
  bx = x;
  for (int id : {kPlaySoundButton, kRecordButton, kStopButton, kDeleteSoundButton}) {
    out[id] = {bx, soundY, soundWidth, bh};
    bx += soundWidth + kGap;
  }
  if (!in.volume.hidden) {
    int vx = std::min(bx + in.volume.x, x + rw - 20);
    int vy = std::clamp(soundY + in.volume.y, 0, h - bh);
    out[kVolumeBar] = {vx, vy, std::max(20, std::min(kVolumeWidth, x + rw - vx)), bh};
  }
  return out;
}

}  // namespace dunmere
