#include "sound.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <array>
#include <vector>

#include "boxes.h"
#include "commands.h"
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

namespace dunmere {

namespace {

HMIXER gMixer = nullptr;

// ---- Recorder ----------------------------------------------------------------------------------

constexpr int kBufferCount = 16;
constexpr DWORD kBufferBytes = 1024;

struct Recorder {
  HWAVEIN device = nullptr;
  HMMIO file = nullptr;
  MMCKINFO riff{};
  MMCKINFO data{};
  std::array<WAVEHDR, kBufferCount> headers{};
  std::vector<std::vector<char>> buffers;
  bool prepared = false;
  bool recording = false;
  bool shortWrite = false;
  std::string target;  // the slide's wav side file
  std::string temp;    // the file being written: beside the target, replacing it at the end
  std::array<char, kBufferBytes> level{};
};

Recorder gRec;

void EnableButton(int id, bool on) {
  if (HWND b = GetDlgItem(App().clientHolder, id)) EnableWindow(b, on ? TRUE : FALSE);
}

bool CreateWaveFile(const std::string& path, const WAVEFORMATEX& format) {
  std::string name = path;
  gRec.file = mmioOpenA(name.data(), nullptr, MMIO_CREATE | MMIO_WRITE | MMIO_ALLOCBUF);
  if (!gRec.file) return false;
  gRec.riff = MMCKINFO{};
  gRec.riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  MMCKINFO fmt{};
  fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
  bool ok = mmioCreateChunk(gRec.file, &gRec.riff, MMIO_CREATERIFF) == MMSYSERR_NOERROR &&
            mmioCreateChunk(gRec.file, &fmt, 0) == MMSYSERR_NOERROR &&
            mmioWrite(gRec.file, reinterpret_cast<const char*>(&format), LONG(sizeof format)) == LONG(sizeof format) &&
            mmioAscend(gRec.file, &fmt, 0) == MMSYSERR_NOERROR;
  gRec.data = MMCKINFO{};
  gRec.data.ckid = mmioFOURCC('d', 'a', 't', 'a');
  ok = ok && mmioCreateChunk(gRec.file, &gRec.data, 0) == MMSYSERR_NOERROR && mmioFlush(gRec.file, 0) == 0;
  return ok;
}

void CloseWaveFile() {
  if (!gRec.file) return;
  gRec.data.dwFlags |= MMIO_DIRTY;
  mmioAscend(gRec.file, &gRec.data, 0);
  mmioAscend(gRec.file, &gRec.riff, 0);
  mmioClose(gRec.file, 0);
  gRec.file = nullptr;
}

void WriteBuffer(WAVEHDR& header) {
  if (!gRec.file || header.dwBytesRecorded == 0) return;
  LONG want = LONG(header.dwBytesRecorded);
  LONG wrote = mmioWrite(gRec.file, header.lpData, want);
  header.dwBytesRecorded = 0;
  if (wrote < want) gRec.shortWrite = true;
}

// Frees the device, the buffers and the file; whatever was started.
void ReleaseRecorder() {
  if (gRec.device) {
    waveInStop(gRec.device);
    waveInReset(gRec.device);
    // Buffers handed back by the reset still hold sound: it goes into the file first.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, MM_WIM_DATA, MM_WIM_DATA, PM_REMOVE)) {
      auto* header = reinterpret_cast<WAVEHDR*>(msg.lParam);
      if (reinterpret_cast<HWAVEIN>(msg.wParam) == gRec.device && header) WriteBuffer(*header);
    }
    if (gRec.prepared)
      for (auto& h : gRec.headers) waveInUnprepareHeader(gRec.device, &h, sizeof h);
    waveInClose(gRec.device);
  }
  gRec.device = nullptr;
  gRec.prepared = false;
  CloseWaveFile();
  gRec.buffers.clear();
  gRec.recording = false;
}

bool OpenWaveIn(HWND window, const WAVEFORMATEX& format) {
  UINT count = waveInGetNumDevs();
  for (UINT i = 0; i < count; ++i) {
    WAVEINCAPSA caps{};
    if (waveInGetDevCapsA(i, &caps, sizeof caps) != MMSYSERR_NOERROR) continue;
    HWAVEIN device = nullptr;
    if (waveInOpen(&device, i, &format, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) == MMSYSERR_NOERROR) {
      gRec.device = device;
      return true;
    }
  }
  return false;
}

bool QueueBuffers() {
  gRec.buffers.assign(kBufferCount, std::vector<char>(kBufferBytes, 0));
  for (int i = 0; i < kBufferCount; ++i) {
    WAVEHDR& h = gRec.headers[size_t(i)];
    h = WAVEHDR{};
    h.lpData = gRec.buffers[size_t(i)].data();
    h.dwBufferLength = kBufferBytes;
    if (waveInPrepareHeader(gRec.device, &h, sizeof h) != MMSYSERR_NOERROR) return false;
    gRec.prepared = true;
    if (waveInAddBuffer(gRec.device, &h, sizeof h) != MMSYSERR_NOERROR) return false;
  }
  return true;
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

bool Recording() { return gRec.recording; }

void UpdateSoundButtons() {
  State& s = App();
  bool sound = !s.wavFile.empty() && SKFILESIZE(s.wavFile) >= 0;
  EnableButton(kPlaySoundButton, sound && !gRec.recording);
  EnableButton(kDeleteSoundButton, sound && !gRec.recording);
  EnableButton(kRecordButton, !s.wavFile.empty() && !gRec.recording);
  EnableButton(kStopButton, gRec.recording);
}

void PlaySlideSound() {
  State& s = App();
  PlaySoundA(nullptr, nullptr, 0);
  if (!s.wavFile.empty() && SKFILESIZE(s.wavFile) >= 0)
    PlaySoundA(s.wavFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void StartRecording() {
  State& s = App();
  if (gRec.recording) return;
  if (CurrentSlide() < 0 || s.wavFile.empty()) {
    MESSAGEBOX(Ui(54));
    return;
  }
  PlaySoundA(nullptr, nullptr, 0);
  CaptureFormat f = CaptureFormatFor(s.quality);
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = WORD(f.channels);
  format.nSamplesPerSec = DWORD(f.samplesPerSecond);
  format.wBitsPerSample = WORD(f.bitsPerSample);
  format.nBlockAlign = WORD(f.blockAlign);
  format.nAvgBytesPerSec = DWORD(f.averageBytesPerSecond);
  format.cbSize = 0;
  // The narration goes into a new file beside the old one, which stays until the
  // recording has ended well: a device that fails to start loses nothing.
  gRec.target = s.wavFile;
  gRec.temp = s.wavFile + ".rec~";
  gRec.shortWrite = false;
  gRec.level.fill(0);
  SKKILLFILE(gRec.temp);
  bool ok = OpenWaveIn(s.frame, format) && QueueBuffers() && CreateWaveFile(gRec.temp, format);
  MMRESULT started = ok ? waveInStart(gRec.device) : MMRESULT(MMSYSERR_ERROR);
  if (!ok || started != MMSYSERR_NOERROR) {
    ReleaseRecorder();
    SKKILLFILE(gRec.temp);
    MESSAGEBOX(SKWINERR(ok ? int(started) : int(ERROR_DEVICE_NOT_AVAILABLE)));
    UpdateSoundButtons();
    return;
  }
  gRec.recording = true;
  UpdateSoundButtons();
}

void StopRecording() {
  State& s = App();
  bool was = gRec.device != nullptr;
  ReleaseRecorder();
  UpdateSoundButtons();
  if (!was) return;
  if (SKFILESIZE(gRec.temp) < 0) return;
  int64_t old = SKFILESIZE(gRec.target);
  if (fileio::MoveFileReplacing(gRec.temp, gRec.target) != fileio::kOk) {
    SKKILLFILE(gRec.temp);
    return;
  }
  if (old >= 0) s.show -= Tally{old, 1};
  s.show += Tally{SKFILESIZE(gRec.target), 1};
  ShowTotal();
  UpdateSoundButtons();
  PostMessageA(s.frame, kMsgRepaint, reinterpret_cast<WPARAM>(s.slideList), 0);
  NOTIFYSUITE(gRec.target);
}

void DeleteSlideSound() {
  PlaySoundA(nullptr, nullptr, 0);
  if (!gRec.recording) DeleteSideFile(App().wavFile);
  UpdateSoundButtons();
}

void OnWaveData(LPARAM lParam) {
  auto* header = reinterpret_cast<WAVEHDR*>(lParam);
  if (!gRec.recording || !header || !gRec.device) return;
  WriteBuffer(*header);
  if (gRec.shortWrite) {
    // The disk is full: the recording ends with what was written.
    PostMessageA(App().frame, WM_COMMAND, kStopButton, 0);
    MESSAGEBOX(ReplaceAll(Ui(53), "@", gRec.target));
    return;
  }
  std::copy(header->lpData, header->lpData + std::min<DWORD>(kBufferBytes, header->dwBufferLength), gRec.level.begin());
  waveInAddBuffer(gRec.device, header, sizeof *header);
}

void EndSound() {
  PlaySoundA(nullptr, nullptr, 0);
  if (gRec.device) StopRecording();
}

}  // namespace dunmere
