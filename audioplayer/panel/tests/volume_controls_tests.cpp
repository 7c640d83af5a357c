// A player's volume bar and mute buttons over the mixer: the bar follows a mixer it can
// read and is left alone without one; mute and unmute swap the buttons and move the bar.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>

#include "jorvel/mixer_volume.h"
#include "test_windows.h"

using namespace std::chrono_literals;

namespace {

class VolumeControls : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 60, nullptr, nullptr, nullptr, nullptr);
    controls.bar = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, nullptr,
                                   nullptr, nullptr);
    SendMessageA(controls.bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    controls.muteButton =
        CreateWindowExA(0, "BUTTON", "Mute", WS_CHILD | WS_VISIBLE, 120, 0, 50, 20, parent, nullptr, nullptr, nullptr);
    controls.unmuteButton =
        CreateWindowExA(0, "BUTTON", "Sound on", WS_CHILD, 120, 0, 50, 20, parent, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    jorvel::KILLVOLUMETIMER();
    DestroyWindow(parent);
  }
  int Bar() const { return int(SendMessageA(controls.bar, TBM_GETPOS, 0, 0)); }
  bool Shown(HWND w) const { return (GetWindowLongPtrA(w, GWL_STYLE) & WS_VISIBLE) != 0; }

  HWND parent = nullptr;
  jorvel::VolumeControls controls;
  jorvel::MixerVolume mixer;
};

TEST_F(VolumeControls, WithoutAMixerTheBarStaysWhereTheUserPutIt) {
  SendMessageA(controls.bar, TBM_SETPOS, TRUE, 42);
  jorvel::SyncVolumeBar(mixer, controls.bar);
  EXPECT_EQ(Bar(), 42);
  EXPECT_FALSE(mixer.VolumeForNewBar().has_value());
}

TEST_F(VolumeControls, MuteAndUnmuteSwapTheButtonsAndMoveTheBar) {
  mixer.Open();
  SendMessageA(controls.bar, TBM_SETPOS, TRUE, 42);
  jorvel::MUTEVOLUME(mixer, controls);
  EXPECT_TRUE(Shown(controls.unmuteButton));
  EXPECT_FALSE(Shown(controls.muteButton));
  EXPECT_EQ(Bar(), 0);
  EXPECT_FALSE(IsWindowEnabled(controls.bar));
  jorvel::UNMUTEVOLUME(mixer, controls);
  EXPECT_TRUE(Shown(controls.muteButton));
  EXPECT_FALSE(Shown(controls.unmuteButton));
  EXPECT_TRUE(IsWindowEnabled(controls.bar));
  // What the mixer read before the mute; 50 when it could not be read.
  std::optional<int> now = mixer.Read();
  EXPECT_EQ(Bar(), now.has_value() ? *now : 50);
}

int gSteps = 0;
void CountStep() { ++gSteps; }

TEST_F(VolumeControls, TheVolumeTimerRunsItsStepUntilItIsKilled) {
  gSteps = 0;
  jorvel::StartVolumeTimer(CountStep);
  EXPECT_TRUE(jorvel::VolumeTimerRunning());
  EXPECT_TRUE(PumpUntil([] { return gSteps >= 2; }, kEventLimit));
  jorvel::KILLVOLUMETIMER();
  EXPECT_FALSE(jorvel::VolumeTimerRunning());
  int steps = gSteps;
  PumpMessages(300);
  EXPECT_EQ(gSteps, steps);
}

}  // namespace
