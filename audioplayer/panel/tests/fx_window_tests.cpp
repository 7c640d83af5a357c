// The effects window over the audio layer: its controls, the saved settings heard as soon
// as it is made, Reset, a short settings line, its place beside a pane in the corner, and
// the settings saved when it goes.
#include <gtest/gtest.h>
#include <windows.h>

#include "audio/bass.h"
#include "jorvel/fx_window.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "test_windows.h"

using namespace std::chrono_literals;

namespace {

class FxWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    BassSetEffects(audio::EffectSettings());
    pane = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 80, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(pane, nullptr);
    setup.pane = pane;
    setup.settingsPath = dir.File("qAudioFX.cfg");
    setup.warn = [this](const std::string& text) { warnings += text + "\n"; };
  }
  void TearDown() override {
    if (HWND w = jorvel::FxWindow()) DestroyWindow(w);
    DestroyWindow(pane);
    BassSetEffects(audio::EffectSettings());
  }
  HWND Make() {
    HWND w = jorvel::FXWIN(setup);
    EXPECT_NE(w, nullptr) << warnings;
    return w;
  }
  void Press(HWND w, int id) { SendMessageA(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  TempDir dir;
  HWND pane = nullptr;
  jorvel::FxWindowSetup setup;
  std::string warnings;
};

TEST_F(FxWindow, SavedSettingsAreShownAndHeardAtOnceAndSavedAgainWhenItGoes) {
  dir.Write("qAudioFX.cfg", "0|50|50|50|50|50|50|50|50|90|1|0|0|1|0|0|1\r\n");
  HWND w = Make();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(jorvel::FxWindow(), w);
  EXPECT_EQ(jorvel::FXWIN(setup), w);  // one window
  char title[32] = {};
  GetWindowTextA(w, title, sizeof title);
  EXPECT_STREQ(title, "Audio FX");
  jorvel::FxControls shown = jorvel::FxWindowControls();
  EXPECT_EQ(shown[0], 0);
  EXPECT_EQ(shown[9], 90);
  EXPECT_EQ(shown[10], 1);
  EXPECT_EQ(shown[13], 1);
  audio::EffectSettings heard = BassEffects();
  EXPECT_TRUE(heard.equaliser);
  EXPECT_EQ(heard.bands[0], 0);
  EXPECT_EQ(heard.bands[9], 90);
  EXPECT_TRUE(heard.chorus);
  EXPECT_TRUE(heard.rotate);
  EXPECT_FALSE(heard.reverb);
  // A bar moved and an effect switched by the user reach the layer.
  SKSETTRACKPOS(GetDlgItem(w, 3), 75);
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(3, 0), 75);
  SKSETCHECK(GetDlgItem(w, 16), 1);
  Press(w, 16);
  heard = BassEffects();
  EXPECT_EQ(heard.bands[2], 75);
  EXPECT_TRUE(heard.echo);
  // Gone: the file holds what was shown, and the layer no longer reads the window.
  DestroyWindow(w);
  EXPECT_EQ(jorvel::FxWindow(), nullptr);
  EXPECT_EQ(dir.Read("qAudioFX.cfg"), "0|50|75|50|50|50|50|50|50|90|1|0|0|1|0|1|1");
  EXPECT_EQ(BASSUPDATEECHO(0), kBassErrorNotAvail);
  EXPECT_TRUE(BassEffects().echo);  // what was on stays on
}

TEST_F(FxWindow, ResetPutsTheBarsAt50AndClearsOnOffAndResetEverywhere) {
  dir.Write("qAudioFX.cfg", "0|10|20|30|40|60|70|80|90|100|1|0|1|0|0|0|0");
  HWND w = Make();
  ASSERT_NE(w, nullptr);
  // Reset unchecked does nothing.
  Press(w, 12);
  EXPECT_EQ(jorvel::FxWindowControls()[1], 10);
  SKSETCHECK(GetDlgItem(w, 12), 1);
  Press(w, 12);
  jorvel::FxControls shown = jorvel::FxWindowControls();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(shown[i], 50) << i;
  EXPECT_EQ(shown[10], 0);
  EXPECT_EQ(shown[11], 0);
  EXPECT_EQ(shown[12], 1);  // the reverb stays
  audio::EffectSettings heard = BassEffects();
  EXPECT_FALSE(heard.equaliser);
  for (int band : heard.bands) EXPECT_EQ(band, 50);
  EXPECT_TRUE(heard.reverb);
  DestroyWindow(w);
  EXPECT_EQ(dir.Read("qAudioFX.cfg"), "50|50|50|50|50|50|50|50|50|50|0|0|1|0|0|0|0");
}

TEST_F(FxWindow, AShortLineSetsTheMissingControlsTo0AndNoFileLeavesThemFlat) {
  HWND w = Make();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(jorvel::FxWindowControls(), jorvel::DefaultFxControls());
  DestroyWindow(w);
  dir.Write("qAudioFX.cfg", "70|60|1");
  w = Make();
  ASSERT_NE(w, nullptr);
  jorvel::FxControls shown = jorvel::FxWindowControls();
  EXPECT_EQ(shown[0], 70);
  EXPECT_EQ(shown[1], 60);
  EXPECT_EQ(shown[2], 1);
  for (int i = 3; i < jorvel::kFxControlCount; ++i) EXPECT_EQ(shown[i], 0) << i;
}

TEST_F(FxWindow, BesideAPaneInTheTopLeftCornerItStaysOnTheScreenAndCommand53ShowsAndHidesIt) {
  jorvel::ToggleFxWindow(setup);
  HWND w = jorvel::FxWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindowVisible(w));
  RECT r, area = SKGETWORKAREA();
  GetWindowRect(w, &r);
  EXPECT_GE(r.left, area.left);
  EXPECT_GE(r.top, area.top);
  EXPECT_LE(r.right, area.right);
  EXPECT_LE(r.bottom, area.bottom);
  EXPECT_GT(r.right - r.left, 200);  // room for ten bars
  EXPECT_GT(r.bottom - r.top, 100);
  // Every control the layer reads is there, and its texts.
  for (int id = 1; id <= 17; ++id) EXPECT_NE(GetDlgItem(w, id), nullptr) << id;
  char text[16] = {};
  GetWindowTextA(GetDlgItem(w, 11), text, sizeof text);
  EXPECT_STREQ(text, "On/Off");
  GetWindowTextA(GetDlgItem(w, 17), text, sizeof text);
  EXPECT_STREQ(text, "Rotate");
  EXPECT_EQ(GetDlgItem(w, 99), nullptr);  // no help picture
  jorvel::ToggleFxWindow(setup);
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(jorvel::FxWindow(), w);
  // The container's close request closes it.
  SendMessageA(w, WM_COMMAND, 32196, 0);
  EXPECT_TRUE(PumpUntil([w] { return !IsWindow(w); }, 2s));
  EXPECT_TRUE(warnings.empty()) << warnings;
}

}  // namespace
