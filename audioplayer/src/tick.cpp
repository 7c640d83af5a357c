#include "tick.h"

#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "jorvel/command_ids.h"
#include "jorvel/mixer_volume.h"
#include "jorvel/vu_meter.h"
#include "player.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "state.h"
#include "transport.h"

namespace jorvel {

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;
// Older systems (SKOSVERSION below 300) tick faster.
constexpr UINT kOldSystemTickMs = 70;

void SyncVolume() { SyncVolumeBar(App().mixer, Control(kVolumeBar)); }

void FollowLevels() {
  Jorvel& p = App();
  uint32_t level = p.medium.IsOpen() ? p.layer.Level() : MediaLayer::kNotPlaying;
  if (level != MediaLayer::kNotPlaying && level != 0) p.levelsSeen = true;
  if (p.levelsSeen) DrawChannelLevel(level);
}

}  // namespace

bool RepeatOn() {
  if (HWND check = Control(kRepeatCheck)) return SKGETCHECK(check) != 0;
  return App().repeat;
}

void StartTick() {
  Jorvel& p = App();
  if (p.tickRunning || !p.frame) return;
  p.tickRunning = SetTimer(p.frame, kTickTimer, SKOSVERSION() < 300 ? kOldSystemTickMs : kTickMs, PLAYERTICK) != 0;
}

void StopTick() {
  Jorvel& p = App();
  if (p.frame) KillTimer(p.frame, kTickTimer);
  p.tickRunning = false;
}

void StartVolumeSync() { StartVolumeTimer(SyncVolume); }

void CALLBACK PLAYERTICK(HWND, UINT, UINT_PTR, DWORD) {
  Jorvel& p = App();
  SyncVolume();
  int percent = p.medium.GETMEDIASTATE();
  if (p.medium.ISMEDIAACTIVE() == 1 && percent < 100) {
    if (HWND bar = Control(kPositionBar)) SKSETTRACKPOS(bar, percent);
  } else if (percent == 100) {
    std::string item;
    switch (p.playList.AtItemEnd(RepeatOn(), item)) {
      case PlayList::EndStep::kNext:
        SendMessageA(p.frame, WM_COMMAND, kNextButton, 0);
        break;
      case PlayList::EndStep::kAgain:
        OpenListItem(item);
        break;
      case PlayList::EndStep::kNothing:
        break;
    }
  }
  // The tick may have closed the program meanwhile (a box, a stop).
  if (!p.frame || !IsWindow(p.frame)) return;
  FollowLevels();
  if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) SENDCOPYDATA(spectrum, kCodeSpectrumTick, "");
  if (p.marquee && IsWindow(p.marquee)) SendMessageA(p.marquee, WM_TIMER, 0, 0);
}

}  // namespace jorvel
