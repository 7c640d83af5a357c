// What a slide keeps in its side files besides the picture: the transition effect (".sfx")
// and the display time (".tim"), and the effect numbers that the slide show maker and the
// media player share. Portable.
#pragma once
#include <string>
#include <string_view>

namespace dunmere {

// The side-file kinds of a slide, as the side-file rule spells their extensions.
inline constexpr const char* kTextSideFile = "kwd";
inline constexpr const char* kTimeSideFile = "tim";
inline constexpr const char* kSoundSideFile = "wav";
inline constexpr const char* kEffectSideFile = "sfx";
// True for "kwd", "tim", "wav" and "sfx" (any case, with or without the dot).
bool IsSlideSideFileKind(std::string_view extension);

// Effect numbers: 2000 + 1000 x group + index, group and index counted from 0.
inline constexpr int kFirstEffectId = 2000;
inline constexpr int kPluginGroup = 15;
inline constexpr int kAutomaticPluginEffect = 17000;  // the plug-in chooses
inline constexpr int kNoEffect = 18000;
int EffectId(int group, int index);
int EffectGroup(int id);
int EffectIndex(int id);
// Effects of the transition plug-in: 17000 up to, but not including, 18000.
bool IsPluginEffect(int id);

// The ".sfx" side file: the effect number, "|", and the effect list's entry unchanged.
std::string FormatEffectFile(int id, const std::string& listEntry);
struct EffectChoice {
  bool valid = false;  // a number before the "|"
  int id = 0;
  std::string listEntry;
};
EffectChoice ParseEffectFile(std::string_view text);

// A display time in whole seconds (milliseconds / 1000, rounded half up).
int WholeSeconds(int milliseconds);

}  // namespace dunmere
