#include "jorvel/mixer_volume.h"

namespace jorvel {

namespace {

// One unsigned value of the control: read, or written from value.
bool ControlValue(HMIXER mixer, const MIXERCONTROLA& control, DWORD& value, bool write) {
  MIXERCONTROLDETAILS_UNSIGNED detail{value};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = control.dwControlID;
  details.cChannels = 1;
  details.cbDetails = sizeof detail;
  details.paDetails = &detail;
  HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(mixer);
  MMRESULT rc = write
                    ? mixerSetControlDetails(object, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                    : mixerGetControlDetailsA(object, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
  if (rc != MMSYSERR_NOERROR) return false;
  value = detail.dwValue;
  return true;
}

bool SpeakerVolumeControl(HMIXER mixer, MIXERCONTROLA& control) {
  return GETMIXERCONTROL(mixer, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_VOLUME, control);
}

}  // namespace

HMIXER OpenFirstMixer() {
  HMIXER mixer = nullptr;
  if (mixerGetNumDevs() == 0 || mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return nullptr;
  return mixer;
}

bool GETMIXERCONTROL(HMIXER mixer, DWORD componentType, DWORD controlType, MIXERCONTROLA& record) {
  if (!mixer) return false;
  MIXERLINEA line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = componentType;
  if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line,
                        MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
    return false;
  MIXERCONTROLA found{};
  found.cbStruct = sizeof found;
  MIXERLINECONTROLSA controls{};
  controls.cbStruct = sizeof controls;
  controls.dwLineID = line.dwLineID;
  controls.dwControlType = controlType;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof found;
  controls.pamxctrl = &found;
  if (mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &controls,
                            MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
    return false;
  record = found;
  return true;
}

int GETMIXERVOLUME(HMIXER mixer) {
  MIXERCONTROLA control{};
  DWORD value = 0;
  if (!SpeakerVolumeControl(mixer, control) || !ControlValue(mixer, control, value, false)) return 0;
  return PercentOfMixerValue(value);
}

bool SETMIXERVOLUME(HMIXER mixer, int percent) {
  MIXERCONTROLA control{};
  DWORD value = MixerValueOfPercent(percent);
  return SpeakerVolumeControl(mixer, control) && ControlValue(mixer, control, value, true);
}

}  // namespace jorvel
