// The transition effect of a slide: the effect numbers of the effect lists, the ".sfx"
// side file that holds a slide's choice, the entries of the effect list files, and which
// painter plays an effect with which values. Portable; the slide show maker's preview and
// the media player's slide show both decide through it.
#pragma once
#include <string>
#include <string_view>

namespace dunmere {

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

// An effect list entry: the display name and, for the plug-in group, step and time (its
// second and third ","-separated fields; 0 when missing).
struct EffectEntry {
  std::string name;
  int step = 0;
  int time = 0;
};
EffectEntry ParseEffectEntry(const std::string& line);

// A slide's transition as the side file gives it: "id|entry" as the slide show maker
// writes it (step and time from the entry), or "id,step,time".
struct SlideTransition {
  int id = 0;  // 0: none given (the player takes the next of its own effect list)
  int step = 0;
  int time = 0;
};
SlideTransition ParseSlideTransition(std::string_view sfxText);

// Which painter plays an effect.
enum class TransitionPainter {
  kPlain,    // no effect (18000) or one nobody knows: the picture is painted as it is
  kPlugin,   // the effects plug-in's "skEffect" with the plug-in's effect number
  kImaging,  // the imaging layer's effect painter with the effect number itself
};
struct TransitionPlan {
  TransitionPainter painter = TransitionPainter::kPlain;
  int effect = 0;  // the plug-in's effect number (id - 17000) or the painter's
  int step = 0;
  int time = 0;
};
// Processors slower than this get the plug-in's light automatic effect.
inline constexpr int kSlowProcessorMhz = 800;
// The plan for an effect number with the step and time of its entry; the automatic plug-in
// choice (17000) becomes effect -1 with step 50 and time 2000 below kSlowProcessorMhz,
// else effect 0 with step 1 and time 10.
TransitionPlan PlanTransition(int id, int step, int time, int processorMhz);

}  // namespace dunmere
