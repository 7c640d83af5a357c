// What a slide keeps in its side files besides the picture: the transition effect (".sfx")
// and the display time (".tim"); the effect numbers that the slide show maker and the
// media player share are in the library (dunmere/effect_choice.h). Portable.
#pragma once
#include <string>
#include <string_view>

#include "dunmere/effect_choice.h"

namespace dunmere {

// The side-file kinds of a slide, as the side-file rule spells their extensions.
inline constexpr const char* kTextSideFile = "kwd";
inline constexpr const char* kTimeSideFile = "tim";
inline constexpr const char* kSoundSideFile = "wav";
inline constexpr const char* kEffectSideFile = "sfx";
// True for "kwd", "tim", "wav" and "sfx" (any case, with or without the dot).
bool IsSlideSideFileKind(std::string_view extension);

// A display time in whole seconds (milliseconds / 1000, rounded half up).
int WholeSeconds(int milliseconds);

}  // namespace dunmere
