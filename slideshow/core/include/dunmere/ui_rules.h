// The slide show maker's texts and small readings of its UI text entries: singular and
// plural forms, the slide information line, the counters, placement triples, the effect
// groups (their entries and the recording formats are the library's: dunmere/effect_choice.h,
// dunmere/narration_format.h).
// Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dunmere/effect_choice.h"
#include "dunmere/narration_format.h"

namespace dunmere {

// Every occurrence of what replaced by with.
std::string ReplaceAll(std::string text, const std::string& what, const std::string& with);
// Field n (from 1) of a text split at separator; "" when there is none.
std::string FieldOf(const std::string& text, const std::string& separator, int n);

// An entry "singular|plural": the singular for 1 (and -1), else the plural; an entry
// without "|" serves both.
std::string NumberForm(const std::string& entry, int64_t number);
// SHOWCOUNTERS: the slide count (decimal, no blanks) followed by the count's form of the entry.
std::string CountersText(int slides, const std::string& entry4);
// UI entry 52 ("#" replaced by the time in whole seconds), in the form for that number.
std::string TimePrefix(const std::string& entry52, int milliseconds);
// The slide information line: name, " " width, " x", " " height, " (", bits, entry 44,
// the size with thousands separators, entry 45; with a non-empty time text the time
// prefix goes in front.
std::string SlideInfoText(const std::string& fileName, int width, int height, int bits, int64_t size,
                          const std::string& entry44, const std::string& entry45, const std::string& timePrefix);
// After a time command: the status text after its last ">" (blanks trimmed), with a new
// time prefix in front.
std::string StatusAfterTimeCommand(const std::string& status, const std::string& prefix);
// The summary of a build (UI entry 78): "@" the target, "#" the slides, "$" the size.
std::string BuildSummary(const std::string& entry78, const std::string& target, int slides, int64_t bytes);

// The build box's check boxes (UI entry 60) ask in the media player's terms; the show's
// header carries the values as the player reads them: option three set shows the slide
// texts, option one at 0 shows the slides in the enlarged view. Option two means nothing to
// the player and has no check box; it keeps its value.
enum BuildBoxCheck : uint32_t {
  kCheckSlideTexts = 1,    // the first check box
  kCheckEnlargedView = 2,  // the second
};
// The check states that the header options stand for (the box's presets).
uint32_t BuildBoxChecks(int optionOne, int optionThree);
// The header options that the box's check states ask for.
void OptionsFromBuildBox(uint32_t checks, int& optionOne, int& optionThree);

// A placement triple of PLACEPANELCHILD: entry n holds "flag,x,y" triples, one per placement.
struct Placement {
  bool hidden = false;
  int x = 0;
  int y = 0;
};
// Placement k (0 counts as 1); fewer triples than needed take the last one; a flag "H" (any
// case) hides. An empty entry gives a visible child at 0, 0.
Placement PlacementOf(const std::string& entry, int k);

// The effect groups of UI entry 40: "name 1,file 1,name 2,file 2,...".
std::vector<std::string> EffectGroupNames(const std::string& entry40);
// The list file of the group at position g (from 0): field 2 x (g + 1).
std::string EffectListFile(const std::string& entry40, int group);

}  // namespace dunmere
