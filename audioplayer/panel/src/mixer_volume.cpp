#include "jorvel/mixer_volume.h"

#include <commctrl.h>

#include "skin/sk_controls.h"

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

void ShowInPlace(HWND shown, HWND hidden) {
  if (hidden) ShowWindow(hidden, SW_HIDE);
  if (shown) ShowWindow(shown, SW_SHOW);
}

struct VolumeTimer {
  UINT_PTR id = 0;
  void (*step)() = nullptr;
};

// The timer is a thread timer of the main thread, as the players run it.
VolumeTimer& Timer() {
  static VolumeTimer timer;
  return timer;
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

std::optional<int> GETMIXERVOLUME(HMIXER mixer) {
  MIXERCONTROLA control{};
  DWORD value = 0;
  if (!SpeakerVolumeControl(mixer, control) || !ControlValue(mixer, control, value, false)) return std::nullopt;
  return PercentOfMixerValue(value);
}

bool SETMIXERVOLUME(HMIXER mixer, int percent) {
  MIXERCONTROLA control{};
  DWORD value = MixerValueOfPercent(percent);
  return SpeakerVolumeControl(mixer, control) && ControlValue(mixer, control, value, true);
}

void MixerVolume::Open() {
  if (!mixer_) mixer_ = OpenFirstMixer();
}

void MixerVolume::Close() {
  if (mixer_) mixerClose(mixer_);
  mixer_ = nullptr;
}

void MixerVolume::Mute() {
  memory_.Remember(Read());
  Write(0);
}

int MixerVolume::Unmute() {
  int volume = memory_.Restored();
  Write(volume);
  return volume;
}

std::optional<int> MixerVolume::VolumeForNewBar() {
  std::optional<int> volume = Read();
  if (volume == 0) {
    volume = memory_.Restored();
    Write(*volume);
  }
  return volume;
}

void SETVOLUME(MixerVolume& mixer, int percent) { mixer.Write(percent); }

void SyncVolumeBar(const MixerVolume& mixer, HWND bar) {
  if (!bar) return;
  if (std::optional<int> volume = mixer.Read()) SKSETTRACKPOS(bar, *volume);
}

void MUTEVOLUME(MixerVolume& mixer, const VolumeControls& controls) {
  ShowInPlace(controls.unmuteButton, controls.muteButton);
  mixer.Mute();
  if (controls.bar) {
    SKSETTRACKPOS(controls.bar, 0);
    EnableWindow(controls.bar, FALSE);
  }
}

void UNMUTEVOLUME(MixerVolume& mixer, const VolumeControls& controls) {
  ShowInPlace(controls.muteButton, controls.unmuteButton);
  int volume = mixer.Memory().Restored();
  if (controls.bar) SendMessageA(controls.bar, TBM_SETPOS, TRUE, volume);
  mixer.Unmute();
  if (controls.bar) EnableWindow(controls.bar, TRUE);
}

void StartVolumeTimer(void (*step)()) {
  KILLVOLUMETIMER();
  Timer().step = step;
  Timer().id = SetTimer(nullptr, 0, 100, VOLUMETIMERPROC);
}

void KILLVOLUMETIMER() {
  VolumeTimer& t = Timer();
  if (t.id) KillTimer(nullptr, t.id);
  t.id = 0;
}

bool VolumeTimerRunning() { return Timer().id != 0; }

void CALLBACK VOLUMETIMERPROC(HWND, UINT, UINT_PTR id, DWORD) {
  VolumeTimer& t = Timer();
  if (id == t.id && t.step) t.step();
}

}  // namespace jorvel
