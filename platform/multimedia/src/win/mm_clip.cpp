#include <windows.h>
#include <mmsystem.h>
#include <digitalv.h>

#include <algorithm>
#include <set>

#include "audio/bass.h"
#include "imglib/status.h"
#include "multimedia/clip_range.h"
#include "multimedia/l_mm.h"
#include "video_frames.h"
#include "win/window_class.h"

struct MmClip {
  enum class Kind { kEmpty, kAudio, kMci };
  Kind kind = Kind::kEmpty;
  uint32_t channel = 0;     // audio layer channel
  MCIDEVICEID device = 0;   // media control device
  bool video = false;
  HWND window = nullptr;    // where the video shows
  int32_t markStart = 0, markEnd = 0;
  mm::ClipRange range;      // of the last play
  int volume = 100;
  bool playing = false;     // as far as the calls and notices tell
  bool paused = false;
  std::string file;         // what was loaded
};

namespace {

using imglib::kFailure;
using imglib::kFileNotFound;
using imglib::kInvalidParameter;
using imglib::kSuccess;
using imglib::kUnsupported;

constexpr const char* kNoticeClass = "MMCLIPNOTICE";
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 50;

struct Layer {
  std::set<MmClip*> clips;
  MmEventCallback callback = nullptr;
  void* userData = nullptr;
  HWND notices = nullptr;  // receives the media control's notices; polls the sounds
};

Layer& L() {
  static Layer layer;
  return layer;
}

bool Valid(HMMCLIP clip) { return clip && L().clips.count(clip); }

void Fire(MmClip* clip, int event) {
  if (L().callback) L().callback(clip, event, L().userData);
}

MCIERROR Mci(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* params) {
  return mciSendCommandA(device, message, flags, reinterpret_cast<DWORD_PTR>(params));
}

int32_t MciStatus(MCIDEVICEID device, DWORD item, bool* ok = nullptr) {
  MCI_STATUS_PARMS p{};
  p.dwItem = item;
  MCIERROR e = Mci(device, MCI_STATUS, MCI_STATUS_ITEM, &p);
  if (ok) *ok = e == 0;
  return e ? 0 : int32_t(p.dwReturn);
}

int32_t LengthOf(MmClip* c) {
  if (c->kind == MmClip::Kind::kAudio) return int32_t(BASSUSECHANNELGETLENGTH(c->channel));
  if (c->kind == MmClip::Kind::kMci) return MciStatus(c->device, MCI_STATUS_LENGTH);
  return 0;
}

int32_t PositionOf(MmClip* c) {
  if (c->kind == MmClip::Kind::kAudio) return int32_t(BASSUSECHANNELGETPOSITION(c->channel));
  if (c->kind == MmClip::Kind::kMci) return MciStatus(c->device, MCI_STATUS_POSITION);
  return 0;
}

// The marked range once the clip's length is known.
void UpdateRange(MmClip* c) { c->range = mm::NormalizeRange(c->markStart, c->markEnd, LengthOf(c)); }

void Ended(MmClip* c) {
  c->playing = false;
  c->paused = false;
  Fire(c, kMmEventEnd);
  Fire(c, kMmEventStopped);
}

// Whether a clip that was playing has come to its end. The media control's own notice is
// not enough: a pause ends the play command that asked for it, and a resumed play asks
// for none, so the device's mode is what tells.
bool HasEnded(MmClip* c) {
  if (!c->playing || c->paused) return false;
  if (c->kind == MmClip::Kind::kAudio) return BASSUSECHANNELISACTIVE(c->channel) == 0;
  if (c->kind == MmClip::Kind::kMci) {
    int32_t mode = MciStatus(c->device, MCI_STATUS_MODE);
    return mode != MCI_MODE_PLAY && mode != MCI_MODE_SEEK && mode != MCI_MODE_PAUSE;
  }
  return false;
}

void CheckEnds() {
  std::set<MmClip*> clips = L().clips;  // a callback may free clips
  for (MmClip* c : clips)
    if (L().clips.count(c) && HasEnded(c)) Ended(c);
}

LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case MM_MCINOTIFY:
      CheckEnds();
      return 0;
    case WM_TIMER:
      if (wParam == kPollTimer) CheckEnds();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND NoticeWindow() {
  Layer& l = L();
  if (l.notices && IsWindow(l.notices)) return l.notices;
  bool registered = win::RegisterClassOnce({.name = kNoticeClass, .procedure = NoticeProc, .cursor = nullptr});
  l.notices = registered ? CreateWindowExA(0, kNoticeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           GetModuleHandleA(nullptr), nullptr)
                         : nullptr;
  if (l.notices) SetTimer(l.notices, kPollTimer, kPollMs, nullptr);
  return l.notices;
}

void Close(MmClip* c) {
  if (c->kind == MmClip::Kind::kAudio) BASSCLOSECHANNEL(c->channel);
  if (c->kind == MmClip::Kind::kMci) {
    Mci(c->device, MCI_STOP, MCI_WAIT, nullptr);
    Mci(c->device, MCI_CLOSE, MCI_WAIT, nullptr);
  }
  c->kind = MmClip::Kind::kEmpty;
  c->channel = 0;
  c->device = 0;
  c->video = false;
  c->playing = c->paused = false;
}

void ApplyVolume(MmClip* c) {
  if (c->kind == MmClip::Kind::kAudio) BASSCHANNELSETATTRIBUTES(c->channel, -1, c->volume, -101);
  if (c->kind == MmClip::Kind::kMci) {
    MCI_DGV_SETAUDIO_PARMSA p{};
    p.dwItem = MCI_DGV_SETAUDIO_VOLUME;
    p.dwValue = DWORD(c->volume * 10);  // the device's scale is 0 to 1000
    // Devices without a sound track, or without volume control, refuse; nothing to do then.
    Mci(c->device, MCI_SETAUDIO, MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE | MCI_WAIT, &p);
  }
}

// Shows the video in a window.
int ShowIn(MmClip* c, HWND window) {
  if (c->kind != MmClip::Kind::kMci || !c->video) return kSuccess;
  MCI_DGV_WINDOW_PARMSA p{};
  p.hWnd = window;
  if (Mci(c->device, MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, &p) != 0) return kFailure;
  c->window = window;
  return kSuccess;
}

int PlayFrom(MmClip* c, int32_t from) {
  if (c->kind == MmClip::Kind::kAudio) {
    if (BASSPLAY(from, c->range.end, c->channel) != kBassOk) return kFailure;
  } else {
    MCI_PLAY_PARMS p{};
    p.dwCallback = reinterpret_cast<DWORD_PTR>(NoticeWindow());
    p.dwFrom = DWORD(from);
    p.dwTo = DWORD(c->range.end);
    DWORD flags = MCI_NOTIFY | MCI_FROM | (c->range.end > 0 ? MCI_TO : 0);
    if (Mci(c->device, MCI_PLAY, flags, &p) != 0) return kFailure;
  }
  c->playing = true;
  c->paused = false;
  return kSuccess;
}

}  // namespace

int L_MMSetEventCallback(MmEventCallback callback, void* userData) {
  L().callback = callback;
  L().userData = userData;
  return kSuccess;
}

int L_MMInit(HMMCLIP* clip) {
  if (!clip) return kInvalidParameter;
  *clip = new MmClip;
  L().clips.insert(*clip);
  NoticeWindow();
  return kSuccess;
}

int L_MMFree(HMMCLIP* clip) {
  if (!clip || !Valid(*clip)) return kInvalidParameter;
  MmClip* c = *clip;
  Close(c);
  L().clips.erase(c);
  Fire(c, kMmEventFreed);
  delete c;
  *clip = nullptr;
  return kSuccess;
}

int L_MMLoad(HMMCLIP clip, const std::string& file) {
  if (!Valid(clip)) return kInvalidParameter;
  Close(clip);
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return kFileNotFound;
  clip->file = file;
  // The audio layer first: it plays without a sound card.
  uint32_t channel = 0;
  if (BASSOPEN(file, 0, &channel) == kBassOk) {
    clip->kind = MmClip::Kind::kAudio;
    clip->channel = channel;
  } else {
    MCI_OPEN_PARMSA p{};
    p.lpstrElementName = file.c_str();
    if (Mci(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &p) != 0) return kUnsupported;
    clip->kind = MmClip::Kind::kMci;
    clip->device = p.wDeviceID;
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    Mci(clip->device, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set);
    bool ok = false;
    clip->video = MciStatus(clip->device, MCI_DGV_STATUS_HWND, &ok) != 0 && ok;
    if (!clip->video) {
      MCI_GETDEVCAPS_PARMS caps{};
      caps.dwItem = MCI_GETDEVCAPS_HAS_VIDEO;
      clip->video = Mci(clip->device, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &caps) == 0 && caps.dwReturn;
    }
  }
  UpdateRange(clip);
  ApplyVolume(clip);
  if (clip->window) ShowIn(clip, clip->window);
  Fire(clip, kMmEventLoaded);
  return kSuccess;
}

int L_MMSetPlayExt(HMMCLIP clip, HWND window, unsigned flags) {
  if (!Valid(clip)) return kInvalidParameter;
  if (!(flags & kMmPlayInWindow)) return kSuccess;
  clip->window = window;
  return ShowIn(clip, window);
}

int L_MMSetParentWin(HMMCLIP clip, HWND window) {
  if (!Valid(clip)) return kInvalidParameter;
  int r = ShowIn(clip, window);
  if (r == kSuccess) L_MMAdjustWin(clip, window);
  return r;
}

int L_MMAdjustWin(HMMCLIP clip, HWND window) {
  if (!Valid(clip)) return kInvalidParameter;
  if (clip->kind != MmClip::Kind::kMci || !clip->video) return kUnsupported;
  RECT r{};
  GetClientRect(window ? window : clip->window, &r);
  MCI_DGV_PUT_PARMS p{};
  p.rc = RECT{0, 0, r.right, r.bottom};  // left, top, width, height
  if (Mci(clip->device, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, &p) != 0) return kFailure;
  return kSuccess;
}

int L_MMPaint(HMMCLIP clip, HDC dc) {
  if (!Valid(clip)) return kInvalidParameter;
  if (clip->kind != MmClip::Kind::kMci || !clip->video) return kUnsupported;
  MCI_DGV_UPDATE_PARMS p{};
  p.hDC = dc;
  return Mci(clip->device, MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_WAIT, &p) == 0 ? kSuccess : kFailure;
}

int L_MMCopyFrames(HMMCLIP clip, int32_t position, int count) {
  if (!Valid(clip) || count != 1 || position < 0) return kInvalidParameter;
  if (clip->kind != MmClip::Kind::kMci || !clip->video) return kUnsupported;
  std::string dib;
  if (!mm::ReadVideoFrame(clip->file, position, dib)) return kFailure;
  return mm::PutDibOnClipboard(dib) ? kSuccess : kFailure;
}

int L_MMGetVideoSize(HMMCLIP clip, int* width, int* height) {
  if (!Valid(clip) || !width || !height) return kInvalidParameter;
  *width = *height = 0;
  if (clip->kind != MmClip::Kind::kMci || !clip->video) return kUnsupported;
  MCI_DGV_RECT_PARMS p{};
  if (Mci(clip->device, MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, &p) != 0) return kFailure;
  *width = p.rc.right;  // MCI rectangles hold the width and height in right and bottom
  *height = p.rc.bottom;
  return kSuccess;
}

int L_MMMarkClip(HMMCLIP clip, int32_t start, int32_t end) {
  if (!Valid(clip)) return kInvalidParameter;
  clip->markStart = start;
  clip->markEnd = end;
  UpdateRange(clip);
  return kSuccess;
}

int L_MMPlay(HMMCLIP clip) {
  if (!Valid(clip)) return kInvalidParameter;
  if (clip->kind == MmClip::Kind::kEmpty) return kFailure;
  UpdateRange(clip);
  int r = PlayFrom(clip, clip->range.start);
  if (r == kSuccess) Fire(clip, kMmEventPlaying);
  return r;
}

int L_MMPause(HMMCLIP clip) {
  if (!Valid(clip)) return kInvalidParameter;
  if (!clip->playing || clip->paused) return kSuccess;
  if (clip->kind == MmClip::Kind::kAudio) BASSCHANNELPAUSE(clip->channel);
  else if (Mci(clip->device, MCI_PAUSE, MCI_WAIT, nullptr) != 0) return kFailure;
  clip->paused = true;
  Fire(clip, kMmEventPaused);
  return kSuccess;
}

int L_MMResume(HMMCLIP clip) {
  if (!Valid(clip)) return kInvalidParameter;
  if (clip->kind == MmClip::Kind::kEmpty) return kFailure;
  if (clip->playing && !clip->paused) return kSuccess;
  int r = kSuccess;
  if (clip->kind == MmClip::Kind::kAudio && clip->playing) {
    BASSCHANNELRESUME(clip->channel);
    clip->paused = false;
  } else {
    // A stopped clip, or a device that cannot resume, plays on from where it stands.
    // (A device that was moved while paused stands stopped and must play anew.)
    bool resumed = clip->kind == MmClip::Kind::kMci && clip->paused &&
                   MciStatus(clip->device, MCI_STATUS_MODE) == MCI_MODE_PAUSE &&
                   Mci(clip->device, MCI_RESUME, MCI_WAIT, nullptr) == 0;
    if (resumed) {
      clip->paused = false;
    } else {
      int32_t at = mm::ClampToRange(PositionOf(clip), clip->range);
      if (clip->range.end > 0 && at >= clip->range.end) at = clip->range.start;
      r = PlayFrom(clip, at);
    }
  }
  if (r == kSuccess) Fire(clip, kMmEventResumed);
  return r;
}

int L_MMStop(HMMCLIP clip) {
  if (!Valid(clip)) return kInvalidParameter;
  if (clip->kind == MmClip::Kind::kAudio) BASSCHANNELSTOP(clip->channel);
  if (clip->kind == MmClip::Kind::kMci) Mci(clip->device, MCI_STOP, MCI_WAIT, nullptr);
  clip->playing = clip->paused = false;
  Fire(clip, kMmEventStopped);
  return kSuccess;
}

int L_MMSetCurrentPos(HMMCLIP clip, int32_t position) {
  if (!Valid(clip)) return kInvalidParameter;
  if (clip->kind == MmClip::Kind::kEmpty) return kFailure;
  int32_t at = mm::ClampToRange(position, clip->range);
  if (clip->kind == MmClip::Kind::kAudio) {
    // The channel keeps playing or paused.
    if (BASSUSECHANNELSETPOSITION(clip->channel, at) != kBassOk) return kFailure;
  } else {
    bool wasPlaying = clip->playing && !clip->paused;
    MCI_SEEK_PARMS p{};
    p.dwTo = DWORD(at);
    if (Mci(clip->device, MCI_SEEK, MCI_TO | MCI_WAIT, &p) != 0) return kFailure;
    // Seeking stops the device: a playing clip plays on from there.
    if (wasPlaying && PlayFrom(clip, at) != kSuccess) return kFailure;
  }
  // Any other clip (paused, stopped or ended) waits paused at the new position.
  if (!clip->playing || clip->paused) clip->playing = clip->paused = true;
  Fire(clip, kMmEventSeeked);
  return kSuccess;
}

int L_MMGetCurrentPos(HMMCLIP clip, int32_t* position) {
  if (!Valid(clip) || !position) return kInvalidParameter;
  *position = PositionOf(clip);
  return kSuccess;
}

int L_MMGetLength(HMMCLIP clip, int32_t* length) {
  if (!Valid(clip) || !length) return kInvalidParameter;
  *length = LengthOf(clip);
  return kSuccess;
}

int L_MMIsPlaying(HMMCLIP clip) {
  if (!Valid(clip)) return 0;
  if (clip->kind == MmClip::Kind::kAudio) return BASSUSECHANNELISACTIVE(clip->channel) == 1 ? 1 : 0;
  if (clip->kind == MmClip::Kind::kMci) return MciStatus(clip->device, MCI_STATUS_MODE) == MCI_MODE_PLAY ? 1 : 0;
  return 0;
}

int L_MMSetVolume(HMMCLIP clip, int volume) {
  if (!Valid(clip)) return kInvalidParameter;
  clip->volume = std::clamp(volume, 0, 100);
  ApplyVolume(clip);
  Fire(clip, kMmEventVolume);
  return kSuccess;
}
