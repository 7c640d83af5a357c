// The sound attached to a picture or a show: a music list (or one sound) that plays beside
// the main medium, entry after entry.
#include "audio/bass.h"
#include "falcet/command_line.h"
#include "falcet/item_lists.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imglib/status.h"
#include "media.h"
#include "state.h"
#include "wndproc.h"

namespace falcet {

namespace {

bool IsSound(const std::string& file) {
  return MatchesPatterns(file, Ui(88)) || MatchesPatterns(file, Ui(3));
}

void CloseAttached() {
  AttachedSound& a = App().attached;
  if (a.holder == 2) BASSCLOSECHANNEL(a.channel);
  if (a.holder == 1 && a.clip) L_MMFree(&a.clip);
  a.holder = 0;
  a.channel = 0;
  a.clip = nullptr;
}

}  // namespace

void PlayAttachedSound(const std::string& file) {
  AttachedSound& a = App().attached;
  CloseAttached();
  if (file.empty()) return;
  if (BASSAVAILABLE() && MatchesPatterns(file, Ui(88))) {
    uint32_t channel = 0;
    if (BASSOPEN(file, 0, &channel) == kBassOk && BASSPLAY(0, 0, channel) == kBassOk) {
      // A volume of 0 is what a missing number reads: the sound keeps its full volume.
      BASSCHANNELSETATTRIBUTES(channel, -1, a.volume > 0 ? a.volume : -1, -101);
      a.holder = 2;
      a.channel = channel;
      return;
    }
    if (channel) BASSCLOSECHANNEL(channel);
  }
  HMMCLIP clip = nullptr;
  L_MMInit(&clip);
  if (a.volume > 0) L_MMSetVolume(clip, a.volume);
  if (L_MMLoad(clip, file) == imglib::kSuccess && L_MMMarkClip(clip, 0, 0) == imglib::kSuccess &&
      L_MMPlay(clip) == imglib::kSuccess) {
    a.holder = 1;
    a.clip = clip;
    return;
  }
  L_MMFree(&clip);
}

void PlayAttachedList(const AttachedSoundRequest& request, const std::string& baseFolder) {
  Player& p = App();
  AttachedSound& a = p.attached;
  StopAttachedSound();
  a.volume = request.volume;
  a.pan = request.pan;
  a.entries.clear();
  a.next = 0;
  std::string file = fileio::ExpandPathMacros(request.file, {.programFolder = baseFolder});
  if (IsSound(file)) {
    // A sound named directly is a list of itself.
    if (IsExistingFile(file)) a.entries.push_back(file);
  } else {
    std::string text;
    if (fileio::ReadWholeFile(file, text) == fileio::kOk) a.entries = AttachedSoundEntries(text, baseFolder, IsExistingFile);
  }
  if (a.entries.empty()) return;
  PlayAttachedSound(a.entries[0]);
  a.next = 1;
  a.timer = StartThreadTimer(250);
}

void StopAttachedSound() {
  AttachedSound& a = App().attached;
  KillThreadTimer(a.timer);
  CloseAttached();
}

bool AttachedSoundPlaying() {
  AttachedSound& a = App().attached;
  if (a.holder == 2) return BASSUSECHANNELISACTIVE(a.channel) == 1;
  if (a.holder == 1) return L_MMIsPlaying(a.clip) == 1;
  return false;
}

void OnAttachedSoundTimer() {
  AttachedSound& a = App().attached;
  bool stillPlaying = false;
  if (a.holder == 2) stillPlaying = BASSUSECHANNELISACTIVE(a.channel) != 0;
  if (a.holder == 1 && a.clip) {
    int32_t position = 0, length = 0;
    L_MMGetCurrentPos(a.clip, &position);
    L_MMGetLength(a.clip, &length);
    stillPlaying = position < length && L_MMIsPlaying(a.clip);
  }
  if (stillPlaying || a.entries.empty()) return;
  // After the last entry the list starts again: a show's music plays as long as the show.
  if (a.next >= a.entries.size()) a.next = 0;
  PlayAttachedSound(a.entries[a.next++]);
}

void FadeAttachedSound(int milliseconds) {
  AttachedSound& a = App().attached;
  if (a.holder == 2 && BASSHANDLEINUSE(a.channel)) BASSCHANNELSLIDEATTRIBUTES(a.channel, -1, -2, -101, milliseconds);
}

}  // namespace falcet
