#include "recording.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstring>

#include "boxes.h"
#include "commands.h"
#include "display.h"
#include "dunmere/narration_format.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "pictures.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"

namespace grilton {

namespace {

// The text of a recorder's failure: a multimedia error's own text, else the Windows one.
std::string FailureText(int failure) {
  if (failure >= WAVERR_BASE || failure < 32) {
    char text[MAXERRORLENGTH] = {};
    if (waveInGetErrorTextA(MMRESULT(failure), text, sizeof text) == MMSYSERR_NOERROR && text[0]) return text;
  }
  return SKWINERR(failure);
}

}  // namespace

void PlayComment() {
  Grilton& a = App();
  std::string sound = WorkSound();
  if (a.recording || sound.empty() || !fileio::Exists(sound)) return;
  a.clip.Free();
  if (a.clip.Load(a.frame, sound)) a.clip.Play();
}

void RecordComment() {
  Grilton& a = App();
  std::string sound = WorkSound();
  if (a.recording || CurrentPicture().empty() || sound.empty()) return;
  SKKILLFILE(sound);
  a.clip.Free();
  a.recording = false;
  EnableSoundButtons();
  a.captureBytes = 0;
  a.captureBits = dunmere::CaptureFormatFor(a.settings.recordingChoice).bitsPerSample;
  int failure = a.recorder.Start(a.frame, sound, a.settings.recordingChoice, dunmere::MakeWaveInDevice());
  if (failure != 0) {
    WarningBox(FailureText(failure));
    EnableSoundButtons();
    return;
  }
  a.recording = true;
  EnableSoundButtons();
}

void StopRecording() {
  Grilton& a = App();
  if (!a.recording) return;
  a.recorder.Stop();
  a.recording = false;
  a.captureBytes = 0;
  RepaintRecordingDisplay();
  EnableSoundButtons();
}

void AbandonRecording() {
  Grilton& a = App();
  if (!a.recording) return;
  a.recorder.Abandon();
  a.recording = false;
}

void DeleteComment() {
  Grilton& a = App();
  if (!a.recording && !WorkSound().empty()) SKKILLFILE(WorkSound());
  EnableSoundButtons();
}

void OnWaveData(WPARAM device, LPARAM header) {
  Grilton& a = App();
  if (const auto* h = reinterpret_cast<const WAVEHDR*>(header); h && h->lpData) {
    // The display's copy: at most its 1024 bytes, whatever the buffer holds.
    size_t bytes = std::min<size_t>(h->dwBytesRecorded, a.captureCopy.size());
    std::memcpy(a.captureCopy.data(), h->lpData, bytes);
    a.captureBytes = bytes;
  }
  if (a.recorder.OnData(device, header) == dunmere::NarrationRecorder::Data::kDiskFull) {
    PostMessageA(a.frame, WM_COMMAND, kCmdStopRecording, 0);
    std::string text = Ui(72);
    size_t at = text.find('@');
    if (at != std::string::npos) text.replace(at, 1, fileio::NameOf(a.recorder.Target()));
    WarningBox(text);
  }
}

}  // namespace grilton
