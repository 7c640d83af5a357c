#include "transport.h"

#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "jorvel/vu_meter.h"
#include "player.h"
#include "skin/sk_controls.h"
#include "state.h"
#include "tick.h"

namespace jorvel {

void AnimatePane(bool play) {
  if (HWND a = App().animation; a && IsWindow(a)) SendMessageA(a, play ? kSkAnimationPlay : kSkAnimationStop, 0, 0);
}

void SwapButtons(int shown, int hidden) {
  if (HWND w = Control(hidden)) ShowWindow(w, SW_HIDE);
  if (HWND w = Control(shown)) ShowWindow(w, SW_SHOW);
}

void FadeMeterWhenLit() {
  Jorvel& p = App();
  if (p.levelsSeen) FadeLevelMeter();
  p.levelsSeen = false;
}

void RESUMEPLAYER() {
  Jorvel& p = App();
  SwapButtons(kPauseButton, kPlayButton);
  if (!p.itemReady) return;
  p.medium.RESUMEMEDIA();
  StartTick();
  AnimatePane(true);
}

void PAUSEPLAYER() {
  Jorvel& p = App();
  if (!p.itemReady) return;
  SwapButtons(kPlayButton, kPauseButton);
  StopTick();
  p.medium.PAUSEMEDIA();
  AnimatePane(false);
  FadeMeterWhenLit();
  if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) SENDCOPYDATA(spectrum, kCodePause, "");
}

void PREVIOUSITEM() {
  std::string item = App().playList.Previous();
  if (!item.empty()) OpenListItem(item);
}

void NEXTITEM() {
  std::string item = App().playList.Next();
  if (!item.empty()) OpenListItem(item);
}

void STOPPLAYER() {
  Jorvel& p = App();
  StopTick();
  SetWindowTextA(p.frame, Ui(1).c_str());
  p.medium.STOPMEDIA();
  p.medium.CLOSEMEDIA();
  FadeLevelMeter();
  p.levelsSeen = false;
  SwapButtons(kPlayButton, kPauseButton);
  p.playList.Clear();
  PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SEEKPERCENT(int percent) { App().medium.SEEKPERCENT(percent); }

}  // namespace jorvel
