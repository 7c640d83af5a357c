// The system's output volume through the WinMM mixer (not through the audio library), as
// the audio player, the slide show maker, the media player and the archive show it on their
// volume bars: the percent scale, the mixer calls, the volume remembered by a mute, and the
// steps on a player's volume bar and mute buttons. The scale is portable; the rest exists
// only on Windows.
#pragma once
#include <cstdint>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#endif

namespace jorvel {

// The volume scale: percent p (limited to 0 to 100) is written as p x 655, so 100 % is
// 65500; a mixer value is read back as round(100 x value / 65535).
uint32_t MixerValueOfPercent(int percent);
int PercentOfMixerValue(uint32_t value);

// What a mute remembers and an unmute gives back: the volume before the mute; a mute that
// could not read the mixer remembers nothing, and an unmute without a remembered volume
// gives 50 %.
class MuteMemory {
 public:
  static constexpr int kDefaultVolume = 50;
  void Remember(std::optional<int> volume) { remembered_ = volume.value_or(0); }
  // The volume to go back to: the remembered one, else 50.
  int Restored() const { return remembered_ > 0 ? remembered_ : kDefaultVolume; }
  int Remembered() const { return remembered_; }

 private:
  int remembered_ = 0;  // 0: none
};

#ifdef _WIN32
// Mixer device 0, opened once at start-up; null on a system without a mixer. The caller
// closes it with mixerClose at exit (or owns it through MixerVolume).
HMIXER OpenFirstMixer();

// Fills record with the control of that type on the line of that component type; false
// (record as it was) when the mixer has no such line or control.
bool GETMIXERCONTROL(HMIXER mixer, DWORD componentType, DWORD controlType, MIXERCONTROLA& record);

// The volume of the speaker line in percent; none when it cannot be read (no mixer, no
// speaker volume control, a refused call), so that no caller takes a missing mixer for a
// silent one.
std::optional<int> GETMIXERVOLUME(HMIXER mixer);
// Sets the speaker line's volume; false when the mixer refused the value or has no such
// control.
bool SETMIXERVOLUME(HMIXER mixer, int percent);

// A program's mixer: opened at start-up, closed when the owner ends, with the volume a
// mute remembered.
class MixerVolume {
 public:
  MixerVolume() = default;
  ~MixerVolume() { Close(); }
  MixerVolume(const MixerVolume&) = delete;
  MixerVolume& operator=(const MixerVolume&) = delete;

  void Open();
  void Close();
  HMIXER Handle() const { return mixer_; }
  std::optional<int> Read() const { return GETMIXERVOLUME(mixer_); }
  bool Write(int percent) const { return SETMIXERVOLUME(mixer_, percent); }

  // A mute's mixer side: the volume is remembered and the mixer set to 0.
  void Mute();
  // An unmute's: the remembered volume (50 when none) goes back to the mixer; returned.
  int Unmute();
  // A volume bar being made: a mixer at 0 gets the remembered volume (or 50). The volume
  // the bar shows; none without a readable mixer.
  std::optional<int> VolumeForNewBar();
  const MuteMemory& Memory() const { return memory_; }

 private:
  HMIXER mixer_ = nullptr;
  MuteMemory memory_;
};

// A player's volume controls (null when it has none): the volume track bar and the mute
// and unmute buttons, of which one shows at a time.
struct VolumeControls {
  HWND bar = nullptr;
  HWND muteButton = nullptr;
  HWND unmuteButton = nullptr;
};

// SETVOLUME (the volume bar moved): the mixer takes the percent.
void SETVOLUME(MixerVolume& mixer, int percent);
// The volume sync step: the bar follows the mixer; a mixer that cannot be read leaves the
// bar where it is.
void SyncVolumeBar(const MixerVolume& mixer, HWND bar);
// MUTEVOLUME: the unmute button shows, the mixer goes to 0 (its volume remembered), the
// bar to 0 and disabled.
void MUTEVOLUME(MixerVolume& mixer, const VolumeControls& controls);
// UNMUTEVOLUME: the mute button shows, the remembered volume (or 50) goes to the bar and
// the mixer, the bar is enabled.
void UNMUTEVOLUME(MixerVolume& mixer, const VolumeControls& controls);

// The 100 ms volume timer: a thread timer whose procedure VOLUMETIMERPROC runs the step it
// was started with. One per thread; starting it again replaces the step.
void StartVolumeTimer(void (*step)());
// KILLVOLUMETIMER: stops it (nothing when it does not run).
void KILLVOLUMETIMER();
bool VolumeTimerRunning();
void CALLBACK VOLUMETIMERPROC(HWND window, UINT message, UINT_PTR id, DWORD time);
#endif

}  // namespace jorvel
