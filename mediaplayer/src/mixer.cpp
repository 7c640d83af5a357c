// The output volume through the WinMM mixer (not the audio layer): the volume slider, mute
// and unmute. A machine without a mixer reads nothing and refuses every change.
#include "bars.h"
#include "jorvel/mixer_volume.h"
#include "media.h"
#include "state.h"

namespace falcet {

void SETVOLUME(int percent) { jorvel::SETMIXERVOLUME(App().mixer, percent); }

void MUTEVOLUME() {
  Player& p = App();
  SwapControls(kUnmuteButton, kMuteButton);
  p.mutedVolume = jorvel::GETMIXERVOLUME(p.mixer).value_or(0);
  jorvel::SETMIXERVOLUME(p.mixer, 0);
  SetSliderPosition(kVolumeSlider, 0);
  EnableControl(kVolumeSlider, false);
}

void UNMUTEVOLUME() {
  Player& p = App();
  SwapControls(kMuteButton, kUnmuteButton);
  int volume = p.mutedVolume ? p.mutedVolume : 50;
  SetSliderPosition(kVolumeSlider, volume);
  jorvel::SETMIXERVOLUME(p.mixer, volume);
  EnableControl(kVolumeSlider, true);
}

}  // namespace falcet
