// The window recorder: a running slide show in record mode is written into a video file
// by the plug-in morvane.dll from the program folder. The plug-in exports four functions:
//   int WINAPI MVINIT(HWND window, const MvFormat* format, const char* outputFile)
//   int WINAPI MVSTART(DWORD fourcc)
//   int WINAPI MVSTOP()
//   int WINAPI MVEND()
// and posts the notices 0x7EA, 0x7ED and 0x7EC to the window while it records. Without the
// plug-in nothing is recorded.
#include "bars.h"
#include "falcet/player_rules.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "mainwindow.h"
#include "media.h"
#include "morvane/morvane.h"
#include "state.h"

namespace falcet {

namespace {

constexpr const char* kPlugin = "morvane.dll";


// The controls that stay still while a recording runs.
void EnableCommandControls(bool on) {
  for (int id : {kPreviousButton, kNextButton, kOpenButton, kPrintButton, kMuteButton, kUnmuteButton, kCopyButton,
                 kPlayButton, kPauseButton, kHelpButton})
    EnableControl(id, on);
}

}  // namespace

void StartRecorder() {
  Player& p = App();
  if (p.recorderMode == 1) return;
  if (!p.recorder) {
    if (!fileio::Exists(p.programFolder + kPlugin)) return;
    p.recorder = LoadProgramLibrary(kPlugin);
    if (!p.recorder) return;
  }
  auto init = Export<MvInitProc>(p.recorder, "MVINIT");
  auto start = Export<MvStartProc>(p.recorder, "MVSTART");
  if (!init || !start) return;
  std::string output = p.programFolder + p.programName + ".avi";
  fileio::RemoveFile(output);
  RECT client{};
  GetClientRect(p.frame, &client);
  MvFormat format{};
  format.framesPerSecond = RecorderRate(p.recordRate);
  format.soundRate = 22050;
  format.soundBits = 16;
  format.picture.biSize = sizeof format.picture;
  format.picture.biWidth = client.right;
  format.picture.biHeight = client.bottom;
  format.picture.biPlanes = 1;
  format.picture.biBitCount = 24;
  if (init(p.frame, &format, output.c_str()) == 0) return;
  if (start(mmioStringToFOURCCA("cscd", 0)) == 0) return;
  p.recorderMode = 1;
  EnableCommandControls(false);
}

void StopRecorder() {
  Player& p = App();
  if (p.recorderMode != 1) return;
  if (auto stop = Export<MvStopProc>(p.recorder, "MVSTOP")) stop();
  if (auto end = Export<MvEndProc>(p.recorder, "MVEND")) end();
  p.recorderMode = 2;
  EnableCommandControls(true);
  STOPMEDIA();
  CLOSEMEDIA();
}

void ReportRecording() {
  Player& p = App();
  // The program that asked for the recording waits for the counts, also when no plug-in
  // could record anything (then they are all 0).
  if ((p.recorder || p.recordMode) && p.reportWindow && IsWindow(p.reportWindow))
    SENDCOPYDATA(p.reportWindow, kCodeRecordingCounts,
                 std::to_string(p.recorderCounts[0]) + "," + std::to_string(p.recorderCounts[1]) + "," +
                     std::to_string(p.recorderCounts[2]));
  p.recorder.Reset();
}

void OnRecorderNotice(UINT message) {
  Player& p = App();
  int slot = message == kMsgRecorderNotice1 ? 0 : message == kMsgRecorderNotice2 ? 1 : 2;
  if (!p.recorder) return;
  p.recorderCounts[slot] += 1;
  if (slot < 2) SetStatusText(RecorderStatusText(Ui(77), p.recorderCounts[0], p.recorderCounts[1]));
}

}  // namespace falcet
