#include "sound.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "boxes.h"
#include "commands.h"
#include "dunmere/narration.h"
#include "dunmere/ui_rules.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "jorvel/mixer_volume.h"
#include "partners.h"
#include "sidefiles.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "slides.h"
#include "state.h"
#include "win/raii.h"

namespace dunmere {

namespace {

HMIXER gMixer = nullptr;

void EnableButton(int id, bool on) {
  if (HWND b = GetDlgItem(App().clientHolder, id)) EnableWindow(b, on ? TRUE : FALSE);
}

// The volume bar: a track bar from 0 to 100 % on the skin's background.
HWND CreateVolumeTrackBar(HWND parent, int id) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  HWND w = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0, 0, 100, 20,
                           parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  SendMessageA(w, TBM_SETRANGEMIN, FALSE, 0);
  SendMessageA(w, TBM_SETRANGEMAX, TRUE, 100);
  SendMessageA(w, TBM_SETPAGESIZE, 0, 10);
  SKSETCOLOR(w, SKGETSYSCOLOR(kSkinWindowBack), SKGETSYSCOLOR(kSkinText));
  return w;
}

}  // namespace

// ---- Volume ----------------------------------------------------------------------------------

void OpenMixer() {
  if (gMixer) return;
  gMixer = jorvel::OpenFirstMixer();
}

void CloseMixer() {
  if (gMixer) mixerClose(gMixer);
  gMixer = nullptr;
}

void CREATEVOLUMEBAR(int id, const std::string& tip, int showState) {
  State& s = App();
  if (!s.clientHolder || GetDlgItem(s.clientHolder, id)) return;
  s.volumeBar = CreateVolumeTrackBar(s.clientHolder, id);
  if (!s.volumeBar) return;
  if (std::optional<int> volume = jorvel::GETMIXERVOLUME(gMixer)) SKSETTRACKPOS(s.volumeBar, *volume);
  SKBUTTONTIP(s.volumeBar, tip);
  ShowWindow(s.volumeBar, showState);
}

void CALLBACK VOLUMETIMERPROC(HWND, UINT, UINT_PTR, DWORD) {
  // Without a mixer the bar is left where the user puts it.
  if (!App().volumeBar) return;
  if (std::optional<int> volume = jorvel::GETMIXERVOLUME(gMixer)) SKSETTRACKPOS(App().volumeBar, *volume);
}

void VolumeBarMoved() {
  if (App().volumeBar) jorvel::SETMIXERVOLUME(gMixer, SKGETTRACKPOS(App().volumeBar));
}

// ---- Slide sound ----------------------------------------------------------------------------

namespace {

NarrationRecorder& Recorder() {
  static NarrationRecorder recorder;
  return recorder;
}

SoundClip& Clip() {
  static SoundClip clip;
  return clip;
}

void RepaintLevel() {
  if (App().levelDisplay) InvalidateRect(App().levelDisplay, nullptr, FALSE);
}

}  // namespace

bool Recording() { return Recorder().Recording(); }

void UpdateSoundButtons() {
  State& s = App();
  bool recording = Recording();
  bool sound = !s.wavFile.empty() && SKFILESIZE(s.wavFile) >= 0;
  EnableButton(kPlaySoundButton, sound && !recording);
  EnableButton(kDeleteSoundButton, sound && !recording);
  EnableButton(kRecordButton, !s.wavFile.empty() && !recording);
  EnableButton(kStopButton, recording);
}

void PlaySlideSound() {
  State& s = App();
  Clip().Free();
  if (!s.wavFile.empty() && SKFILESIZE(s.wavFile) >= 0 && Clip().Load(s.frame, s.wavFile)) Clip().Play();
}

void StartRecording() {
  State& s = App();
  if (Recording()) return;
  if (CurrentSlide() < 0 || s.wavFile.empty()) {
    MESSAGEBOX(Ui(54));
    return;
  }
  Clip().Free();
  // The narration goes into a new file beside the old one, which stays until the
  // recording has ended well: a device that fails to start loses nothing.
  int failure = Recorder().Start(s.frame, s.wavFile, s.quality, MakeWaveInDevice());
  if (failure != 0) {
    MESSAGEBOX(SKWINERR(failure == int(ERROR_CANNOT_MAKE) ? failure : int(ERROR_DEVICE_NOT_AVAILABLE)));
    UpdateSoundButtons();
    return;
  }
  UpdateSoundButtons();
  RepaintLevel();
}

void StopRecording() {
  State& s = App();
  std::string target = Recorder().Target();
  int64_t old = Recording() ? SKFILESIZE(target) : -1;
  bool placed = Recorder().Stop();
  UpdateSoundButtons();
  RepaintLevel();
  if (!placed) return;
  if (old >= 0) s.show -= Tally{old, 1};
  s.show += Tally{SKFILESIZE(target), 1};
  ShowTotal();
  UpdateSoundButtons();
  PostMessageA(s.frame, kMsgRepaint, reinterpret_cast<WPARAM>(s.slideList), 0);
  NOTIFYSUITE(target);
}

void DeleteSlideSound() {
  Clip().Free();
  if (!Recording()) DeleteSideFile(App().wavFile);
  UpdateSoundButtons();
}

void OnWaveData(WPARAM device, LPARAM header) {
  switch (Recorder().OnData(device, header)) {
    case NarrationRecorder::Data::kDiskFull:
      // The disk is full: the recording ends with what was written.
      PostMessageA(App().frame, WM_COMMAND, kStopButton, 0);
      MESSAGEBOX(ReplaceAll(Ui(53), "@", Recorder().Target()));
      break;
    case NarrationRecorder::Data::kWritten:
      RepaintLevel();
      break;
    case NarrationRecorder::Data::kNotMine:
      break;
  }
}

void PaintLevelDisplay(HWND window) {
  win::PaintDC dc(window);
  RECT r;
  GetClientRect(window, &r);
  DrawNarrationLevel(dc, r, Recording() ? Recorder().Level() : NarrationLevel{});
}

void EndSound() {
  Clip().Free();
  if (Recording()) StopRecording();
}

}  // namespace dunmere
