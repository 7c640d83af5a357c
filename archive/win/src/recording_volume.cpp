#include "grilton/recording_volume.h"

#include <algorithm>
#include <vector>

#include "jorvel/mixer_volume.h"

namespace grilton {

namespace {

struct LineChoice {
  RecordingVolumeLine line;
  DWORD componentType;
};

constexpr LineChoice kChoices[] = {
    {RecordingVolumeLine::kWaveIn, MIXERLINE_COMPONENTTYPE_DST_WAVEIN},
    {RecordingVolumeLine::kMicrophone, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE},
    {RecordingVolumeLine::kSpeakers, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS},
};

bool VolumeControl(HMIXER mixer, RecordingVolumeLine& line, MIXERCONTROLA& control) {
  for (const LineChoice& c : kChoices)
    if (jorvel::GETMIXERCONTROL(mixer, c.componentType, MIXERCONTROL_CONTROLTYPE_VOLUME, control)) {
      line = c.line;
      return true;
    }
  line = RecordingVolumeLine::kNone;
  return false;
}

// The control's channels as the mixer keeps them: one value for a uniform control.
DWORD Channels(HMIXER mixer, const MIXERCONTROLA& control) {
  if (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) return 1;
  MIXERLINEA line{};
  line.cbStruct = sizeof line;
  // The control's own line is not named in MIXERCONTROLA: ask by the control's id.
  MIXERLINECONTROLSA byId{};
  byId.cbStruct = sizeof byId;
  byId.dwControlID = control.dwControlID;
  byId.cControls = 1;
  MIXERCONTROLA again{};
  again.cbStruct = sizeof again;
  byId.cbmxctrl = sizeof again;
  byId.pamxctrl = &again;
  if (mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &byId,
                            MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYID) != MMSYSERR_NOERROR)
    return 1;
  line.dwLineID = byId.dwLineID;
  if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_LINEID) !=
      MMSYSERR_NOERROR)
    return 1;
  return std::max<DWORD>(1, line.cChannels);
}

bool Details(HMIXER mixer, const MIXERCONTROLA& control, std::vector<MIXERCONTROLDETAILS_UNSIGNED>& values,
             bool write) {
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = control.dwControlID;
  details.cChannels = DWORD(values.size());
  details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
  details.paDetails = values.data();
  auto object = reinterpret_cast<HMIXEROBJ>(mixer);
  return (write ? mixerSetControlDetails(object, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                : mixerGetControlDetailsA(object, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE)) ==
         MMSYSERR_NOERROR;
}

}  // namespace

RecordingVolumeLine ChooseRecordingVolumeLine(HMIXER mixer) {
  RecordingVolumeLine line;
  MIXERCONTROLA control{};
  VolumeControl(mixer, line, control);
  return line;
}

std::optional<int> ReadRecordingVolume(HMIXER mixer) {
  RecordingVolumeLine line;
  MIXERCONTROLA control{};
  if (!VolumeControl(mixer, line, control)) return std::nullopt;
  std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(Channels(mixer, control));
  if (!Details(mixer, control, values, false)) return std::nullopt;
  // The bar shows the loudest channel.
  DWORD loudest = 0;
  for (const auto& v : values) loudest = std::max(loudest, v.dwValue);
  return jorvel::PercentOfMixerValue(loudest);
}

bool WriteRecordingVolume(HMIXER mixer, int percent) {
  RecordingVolumeLine line;
  MIXERCONTROLA control{};
  if (!VolumeControl(mixer, line, control)) return false;
  std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(Channels(mixer, control),
                                                   MIXERCONTROLDETAILS_UNSIGNED{jorvel::MixerValueOfPercent(percent)});
  return Details(mixer, control, values, true);
}

}  // namespace grilton
