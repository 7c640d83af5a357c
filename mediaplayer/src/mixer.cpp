// The output volume through the WinMM mixer (not the audio layer): the volume slider, mute
// and unmute. A machine without a mixer reads 0 and refuses every change.
#include "bars.h"
#include "media.h"
#include "state.h"
#include "win/speaker_volume.h"

namespace falcet {

int GETMIXERVOLUME() {
  DWORD value = 0;
  if (!win::ReadSpeakerVolume(App().mixer, value)) return 0;
  return int((100 * value + 65535 / 2) / 65535);
}

bool SETMIXERVOLUME(int percent) {
  percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  return win::WriteSpeakerVolume(App().mixer, DWORD(percent) * 655);
}

void SETVOLUME(int percent) { SETMIXERVOLUME(percent); }

void MUTEVOLUME() {
  Player& p = App();
  SwapControls(kUnmuteButton, kMuteButton);
  p.mutedVolume = GETMIXERVOLUME();
  SETMIXERVOLUME(0);
  SetSliderPosition(kVolumeSlider, 0);
  EnableControl(kVolumeSlider, false);
}

void UNMUTEVOLUME() {
  Player& p = App();
  SwapControls(kMuteButton, kUnmuteButton);
  int volume = p.mutedVolume ? p.mutedVolume : 50;
  SetSliderPosition(kVolumeSlider, volume);
  SETMIXERVOLUME(volume);
  EnableControl(kVolumeSlider, true);
}

}  // namespace falcet
