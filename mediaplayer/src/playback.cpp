// A medium from the outside: its start with titles and the player tick, the stop command,
// the position slider, play and pause; and the two timers that follow it.
#include <windows.h>
#include <commctrl.h>

#include "audio/bass.h"
#include "bars.h"
#include "jorvel/vu_meter.h"
#include "boxes.h"
#include "commands.h"
#include "falcet/command_line.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "items.h"
#include "jorvel/mixer_volume.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "wndproc.h"

namespace falcet {

namespace {

// The result of a medium whose data is damaged or cut short (the imaging library's).
constexpr int kMediumCutShort = -7;

// The failure's reason: the one given, else the one UI entry 91 has for the layer's answer.
int Failed(const std::string& file, int result, const std::string& reason = "") {
  // The window comes back from its compact form, so the box is not left beside a strip.
  LeaveCompactForm();
  WarningBox(MediumFailureText(Ui(12), file, result,
                               reason.empty() ? FailureReason(Ui(91), App().media.failure) : reason));
  return result;
}

// A WAVE file whose header claims more sound than the file holds (4 GiB in a file of one
// second) would play what it holds and then end the list as if it were whole, closing the
// player without a word: it is named with what is wrong instead. The reason, or "".
std::string WaveCutShort(const std::string& file) {
  if (!EndsWithNoCase(file, ".wav")) return {};
  fileio::File f;
  if (f.Open(file, fileio::Access::Read, fileio::Share::DenyNone) != fileio::kOk) return {};
  std::string head(64 * 1024, '\0');
  size_t count = 0;
  if (f.Read(head.data(), head.size(), count) != fileio::kOk) return {};
  head.resize(count);
  int64_t size = f.Size();
  WaveClaim claim = CheckWaveClaim(head, size < 0 ? 0 : uint64_t(size));
  if (!claim.cutShort) return {};
  std::string text = Ui(92);
  for (auto [mark, value] : {std::pair{'@', claim.claimed}, std::pair{'#', claim.held}}) {
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
      std::string number = std::to_string(value);
      text.replace(at, 1, number);
      at += number.size() - 1;
    }
  }
  return text;
}

}  // namespace

void StartPlayerTick() {
  Player& p = App();
  if (p.tickRunning || !p.frame) return;
  // Old systems get a faster tick (0.7 x 100 ms).
  UINT period = SKOSVERSION() < 300 ? 70 : 100;
  p.tickRunning = SetTimer(p.frame, kTickTimer, period, PLAYERTICK) != 0;
}

void StartVolumeTimer() {
  Player& p = App();
  if (!p.volumeTimer) p.volumeTimer = SetTimer(nullptr, 0, 100, VOLUMETIMERPROC);
}

void KillPlayerTick() {
  Player& p = App();
  if (p.frame) KillTimer(p.frame, kTickTimer);
  p.tickRunning = false;
}

int SHOWMEDIAINFO(const std::string& file) {
  Player& p = App();
  App().media.failure.clear();
  if (file.empty()) return Failed(file, -8);
  KillThreadTimer(p.volumeTimer);
  WebPanelGivesWay(kBarVideo);
  if (p.pictureArea) ShowWindow(p.pictureArea, SW_HIDE);
  KillPlayerTick();
  SetStatusText("");
  CLOSEMEDIA();
  if (SKINSET(Option(kOptBars), kBarVideo)) SetSliderPosition(kPositionSlider, 0);
  if (std::string reason = WaveCutShort(file); !reason.empty()) return Failed(file, kMediumCutShort, reason);
  int opened = OPENMEDIA(p.view, file, 0);
  if (opened != 1 && opened != 2) return Failed(file, opened);
  if (p.media.holder == Holder::kAudio) MakeEffectsWindow();
  LAYOUTCONTROLS();
  int played = PLAYMEDIA(0, 0);
  if (played != 1) {
    CLOSEMEDIA();
    return Failed(file, played);
  }
  StartPlayerTick();
  std::string name = fileio::NameOf(file);
  SetTitle(Ui(1) + " - " + name);
  SetStatusText("");
  if (p.marquee && IsWindow(p.marquee)) {
    // A sound's own title, when it carries one, is what the strip shows.
    std::string title = name;
    if (p.media.holder == Holder::kAudio) {
      std::string music = BASSMUSICNAME(), stream = BASSSTREAMNAME();
      if (!music.empty()) title = music;
      else if (!stream.empty()) title = stream;
    }
    SetWindowTextA(p.marquee, title.c_str());
  }
  SwapControls(kPauseButton, kPlayButton);
  StopWaitingAnimation();
  return opened;
}

void STOPANDCLOSE() {
  Player& p = App();
  LeaveEnlargedVideo();
  if (p.recorderMode == 1) StopRecorder();
  KillPlayerTick();
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  SetStatusText("");
  SetTitle(Ui(1));
  STOPMEDIA();
  CLOSEMEDIA();
  if (p.view) ShowWindow(p.view, SW_HIDE);
  LeaveSlideShow();
  p.media.levelsOn = false;
  jorvel::FadeLevelMeter();
  SwapControls(kPlayButton, kPauseButton);
  p.itemList.clear();
  p.timeList.clear();
  p.itemCount = 0;
  p.currentIndex = 0;
  PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SEEKTO(int percent) {
  Player& p = App();
  if (percent > 100) percent = 100;
  if (p.barKind == kBarPicture && p.itemCount > 1) {
    p.currentIndex = IndexAtPercent(percent, p.itemCount);
    OPENITEM(ItemAt(p.itemList, p.currentIndex));
    if (p.slideState == 1 && p.zoom) InvalidateRect(p.zoom, nullptr, FALSE);
    return;
  }
  if (percent == GETMEDIASTATE()) return;
  int64_t target = PercentTarget(percent, p.media.start, p.media.end);
  bool wasActive = ISMEDIAACTIVE();
  char caption[1024] = {};
  GetWindowTextA(p.frame, caption, sizeof caption);
  // A DVD's video object is not moved in.
  if (EndsWithNoCase(caption, ".vob")) return;
  RESUMEMEDIA();
  SEEKMEDIA(target);
  if (!wasActive) PAUSEMEDIA();
}

void PlayOrResume() {
  Player& p = App();
  if (p.barKind == kBarPicture) {
    // The picture bar's play button starts the slide show.
    StartSlideShow(kMenuAutomaticShow);
    return;
  }
  if (p.media.holder == Holder::kNone) return;
  SwapControls(kPauseButton, kPlayButton);
  RESUMEMEDIA();
  StartPlayerTick();
}

void PauseMedium() {
  Player& p = App();
  if (p.barKind == kBarPicture) {
    LeaveSlideShow();
    return;
  }
  if (p.media.holder == Holder::kNone) return;
  SwapControls(kPlayButton, kPauseButton);
  KillPlayerTick();
  PAUSEMEDIA();
}

void CALLBACK VOLUMETIMERPROC(HWND, UINT, UINT_PTR, DWORD) {
  // With a start volume of its own the player leaves the slider where it put it.
  if (Option(kOptStartVolume) >= 0) return;
  if (std::optional<int> volume = jorvel::GETMIXERVOLUME(App().mixer)) SetSliderPosition(kVolumeSlider, *volume);
}

void CALLBACK PLAYERTICK(HWND, UINT, UINT_PTR, DWORD) {
  Player& p = App();
  VOLUMETIMERPROC(nullptr, 0, 0, 0);
  int percent = GETMEDIASTATE();
  if (percent < 100) {
    if (ISMEDIAACTIVE()) SetSliderPosition(kPositionSlider, percent);
  } else {
    SetSliderPosition(kPositionSlider, 100);
    int index = 0;
    switch (AtItemEnd(p.currentIndex, p.itemCount, RepeatChecked(), index)) {
      case EndAction::kNext:
        NextItem();
        break;
      case EndAction::kRepeat: {
        p.currentIndex = index;
        std::string item = ItemAt(p.itemList, p.currentIndex);
        OPENITEM(item.empty() ? p.itemList : item);
        break;
      }
      case EndAction::kClose:
        // The last item of the list has been played: the player closes itself.
        KillPlayerTick();
        PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
  }
  if (p.media.holder == Holder::kAudio) {
    uint32_t level = BASSCHANNELGETLEVEL();
    if (level != 0xFFFFFFFFu && level != 0) p.media.levelsOn = true;
    // The meter moves once a level was seen (a sound that starts silent stays dark).
    if (p.media.levelsOn) jorvel::DrawChannelLevel(level == 0xFFFFFFFFu ? 0 : level);
  }
  if (p.marquee && IsWindow(p.marquee)) SendMessageA(p.marquee, WM_TIMER, 0, 0);
  if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) SENDCOPYDATA(spectrum, kCodeSpectrumTick, "");
}

}  // namespace falcet
