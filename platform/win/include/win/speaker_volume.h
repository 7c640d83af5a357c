// The master volume of the speakers through the WinMM mixer: the raw control value, 0 to
// 65535. A mixer without a speaker line or without its volume control refuses both.
#pragma once
#include <windows.h>
#include <mmsystem.h>

namespace win {

namespace detail {

inline bool SpeakerVolumeControl(HMIXER mixer, MIXERCONTROLA& control) {
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

inline bool SpeakerVolumeValue(HMIXER mixer, DWORD& value, bool set) {
  MIXERCONTROLA control{};
  if (!SpeakerVolumeControl(mixer, control)) return false;
  MIXERCONTROLDETAILS_UNSIGNED detail{value};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = control.dwControlID;
  details.cChannels = 1;
  details.cbDetails = sizeof detail;
  details.paDetails = &detail;
  HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(mixer);
  MMRESULT rc = set ? mixerSetControlDetails(object, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                    : mixerGetControlDetailsA(object, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
  if (rc != MMSYSERR_NOERROR) return false;
  value = detail.dwValue;
  return true;
}

}  // namespace detail

// Opens the first mixer of the machine; nullptr when it has none.
inline HMIXER OpenFirstMixer() {
  HMIXER mixer = nullptr;
  if (mixerGetNumDevs() == 0 || mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return nullptr;
  return mixer;
}

inline bool ReadSpeakerVolume(HMIXER mixer, DWORD& value) { return detail::SpeakerVolumeValue(mixer, value, false); }

inline bool WriteSpeakerVolume(HMIXER mixer, DWORD value) { return detail::SpeakerVolumeValue(mixer, value, true); }

}  // namespace win
