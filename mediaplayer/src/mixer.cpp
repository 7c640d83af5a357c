// The output volume through the WinMM mixer (not the audio layer): the volume slider, mute
// and unmute. A machine without a mixer reads 0 and refuses every change.
#include "bars.h"
#include "media.h"
#include "state.h"

namespace falcet {

namespace {

// The speaker line's volume control; false when the mixer has none.
bool VolumeControl(MIXERCONTROLA& control) {
  HMIXER mixer = App().mixer;
  if (!mixer) return false;
  MIXERLINEA line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
  if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line,
                        MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
    return false;
  MIXERLINECONTROLSA controls{};
  controls.cbStruct = sizeof controls;
  controls.dwLineID = line.dwLineID;
  controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof control;
  controls.pamxctrl = &control;
  control.cbStruct = sizeof control;
  return mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &controls,
                               MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR;
}

bool ControlValue(const MIXERCONTROLA& control, DWORD& value, bool set) {
  MIXERCONTROLDETAILS_UNSIGNED detail{value};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = control.dwControlID;
  details.cChannels = 1;
  details.cbDetails = sizeof detail;
  details.paDetails = &detail;
  HMIXEROBJ mixer = reinterpret_cast<HMIXEROBJ>(App().mixer);
  MMRESULT rc = set ? mixerSetControlDetails(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                    : mixerGetControlDetailsA(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
  if (rc != MMSYSERR_NOERROR) return false;
  value = detail.dwValue;
  return true;
}

}  // namespace

int GETMIXERVOLUME() {
  MIXERCONTROLA control{};
  DWORD value = 0;
  if (!VolumeControl(control) || !ControlValue(control, value, false)) return 0;
  return int((100 * value + 65535 / 2) / 65535);
}

bool SETMIXERVOLUME(int percent) {
  MIXERCONTROLA control{};
  if (!VolumeControl(control)) return false;
  percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  DWORD value = DWORD(percent) * 655;
  return ControlValue(control, value, true);
}

void SETVOLUME(int percent) { SETMIXERVOLUME(percent); }

void MUTEVOLUME() {
  Player& p = App();
  ShowControl(kUnmuteButton, true);
  ShowControl(kMuteButton, false);
  p.mutedVolume = GETMIXERVOLUME();
  SETMIXERVOLUME(0);
  SetSliderPosition(kVolumeSlider, 0);
  EnableControl(kVolumeSlider, false);
}

void UNMUTEVOLUME() {
  Player& p = App();
  ShowControl(kMuteButton, true);
  ShowControl(kUnmuteButton, false);
  int volume = p.mutedVolume ? p.mutedVolume : 50;
  SetSliderPosition(kVolumeSlider, volume);
  SETMIXERVOLUME(volume);
  EnableControl(kVolumeSlider, true);
}

}  // namespace falcet
