// The media layer: one current medium, through the audio layer for the sounds of UI entry
// 88 and through a multimedia clip for everything else.
#include "media.h"

#include "audio/bass.h"
#include "bars.h"
#include "falcet/item_lists.h"
#include "imaging/copydata.h"
#include "imglib/status.h"
#include "jorvel/vu_meter.h"
#include "state.h"

namespace falcet {

namespace {

bool IsAudioLayerSound(const std::string& file) { return BASSAVAILABLE() && MatchesPatterns(file, Ui(88)); }

// The audio player pauses while the player plays a medium (code 8); code 9 later lets it
// go on, and only when we paused it.
void PauseAudioPlayer() {
  Player& p = App();
  if (HWND audio = FindWindowA(kClassAudioPlayer, nullptr)) {
    SENDCOPYDATA(audio, kCodePause, "");
    p.pausedAudioPlayer = true;
  }
}

void FlashWhenBehind() {
  Player& p = App();
  if (GetForegroundWindow() == p.frame) return;
  Sleep(50);
  FLASHWINFO f{sizeof f, p.frame, FLASHW_TRAY | FLASHW_TIMERNOFG, 3, 0};
  FlashWindowEx(&f);
}

}  // namespace

void ResumeAudioPlayer() {
  Player& p = App();
  if (p.pausedAudioPlayer)
    if (HWND audio = FindWindowA(kClassAudioPlayer, nullptr)) SENDCOPYDATA(audio, kCodeResume, "");
  p.pausedAudioPlayer = false;
}

int _leadevent(HMMCLIP clip, int event, void*) {
  Player& p = App();
  if (clip && clip == p.media.clip) {
    p.media.mmState = StateAfterEvent(p.media.mmState, event);
    if (event == kMmEventEnd) p.media.clipEnded = true;
    if (event == kMmEventPlaying || event == kMmEventSeeked) p.media.clipEnded = false;
  }
  return 1;
}

int OPENMEDIA(HWND window, const std::string& file, int) {
  Player& p = App();
  MediaState& m = p.media;
  m.levelsOn = false;
  jorvel::FadeLevelMeter();
  m.clipEnded = false;
  m.video = false;
  m.videoWidth = m.videoHeight = 0;
  m.failure.clear();
  int result = 0;
  if (IsAudioLayerSound(file)) {
    int rc = BASSOPEN(file, 0);
    if (rc == kBassOk) {
      m.holder = Holder::kAudio;
      result = 2;
    } else {
      result = -rc;
      m.failure = "s" + std::to_string(rc);
    }
  } else {
    HMMCLIP clip = nullptr;
    L_MMInit(&clip);
    int rc = L_MMLoad(clip, file);
    if (rc != imglib::kSuccess) {
      L_MMFree(&clip);
      result = rc;
      m.failure = "m" + std::to_string(rc);
    } else {
      m.holder = Holder::kClip;
      m.clip = clip;
      m.mmState = 1;
      if (window) {
        L_MMSetPlayExt(clip, window, kMmPlayInWindow);
        m.video = L_MMGetVideoSize(clip, &m.videoWidth, &m.videoHeight) == imglib::kSuccess;
        if (m.video) {
          if (!IsWindowVisible(p.frame)) ShowWindow(p.frame, SW_SHOW);
          L_MMAdjustWin(clip, window);
        }
      }
      result = 1;
    }
  }
  if (result > 0) PauseAudioPlayer();
  return result;
}

int PLAYMEDIA(int64_t a, int64_t b) {
  Player& p = App();
  MediaState& m = p.media;
  if (m.holder == Holder::kAudio) {
    if (int rc = BASSPLAY(a, b); rc != kBassOk) {
      m.holder = Holder::kNone;
      BASSCLOSE();
      m.failure = "s" + std::to_string(rc);
      return -99;
    }
    // The whole length is the played range.
    m.start = 0;
    m.end = BASSMEDIAGETLENGTH();
    return 1;
  }
  if (m.holder == Holder::kClip) {
    L_MMMarkClip(m.clip, int32_t(a), int32_t(b));
    int32_t length = 0;
    L_MMGetLength(m.clip, &length);
    m.start = a;
    m.end = b > 0 && b < length ? b : length;
    HWND front = GetForegroundWindow();
    int rc = L_MMPlay(m.clip);
    if (front && GetForegroundWindow() != front) SetForegroundWindow(front);
    if (rc != imglib::kSuccess) {
      m.failure = "m" + std::to_string(rc);
      return rc;
    }
    if (m.video) FlashWhenBehind();
    return 1;
  }
  return -8;
}

void CLOSEMEDIA() {
  MediaState& m = App().media;
  if (m.holder == Holder::kAudio) BASSCLOSE();
  if (m.clip) L_MMFree(&m.clip);
  m.clip = nullptr;
  m.holder = Holder::kNone;
  m.video = false;
  m.clipEnded = false;
  m.start = m.end = 0;
}

void PAUSEMEDIA() {
  MediaState& m = App().media;
  if (m.holder == Holder::kAudio) BASSPAUSE();
  if (m.holder == Holder::kClip) L_MMPause(m.clip);
}

void RESUMEMEDIA() {
  MediaState& m = App().media;
  if (m.holder == Holder::kAudio) BASSSTART();
  if (m.holder == Holder::kClip) L_MMResume(m.clip);
}

void STOPMEDIA() {
  MediaState& m = App().media;
  if (m.holder == Holder::kAudio) BASSSTOP();
  if (m.holder == Holder::kClip) L_MMStop(m.clip);
}

void SEEKMEDIA(int64_t position) {
  MediaState& m = App().media;
  if (m.holder == Holder::kAudio) BASSCHANNELSETPOSITION(position);
  if (m.holder == Holder::kClip) L_MMSetCurrentPos(m.clip, int32_t(position));
}

bool ISMEDIAACTIVE() {
  MediaState& m = App().media;
  if (m.holder == Holder::kAudio) return BASSCHANNELISACTIVE() == 1;
  if (m.holder == Holder::kClip) return L_MMIsPlaying(m.clip) == 1;
  return false;
}

int GETMEDIASTATE() {
  MediaState& m = App().media;
  if (m.holder == Holder::kAudio) {
    // A sound that is neither playing nor paused has ended: a finished file counts as its
    // end, so the list goes on.
    bool ended = BASSCHANNELISACTIVE() == 0;
    return MediaPercent(BASSCHANNELGETPOSITION(), m.start, m.end, ended);
  }
  if (m.holder == Holder::kClip) {
    int32_t position = 0;
    L_MMGetCurrentPos(m.clip, &position);
    return MediaPercent(position, m.start, m.end, m.clipEnded);
  }
  return 0;
}

bool MMSETVIDEO() {
  Player& p = App();
  MediaState& m = p.media;
  if (m.holder != Holder::kClip || !m.video) return false;
  return L_MMAdjustWin(m.clip, p.view) == imglib::kSuccess;
}

}  // namespace falcet
