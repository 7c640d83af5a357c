// The pane description a skin brings for the players' panes (its skin string "POPUPPANE"
// names the file, a numbered string file): entry 1 the pane pictures, one per style index;
// entry 2 a comma list whose field id - 47 gives, for a control or element id (48 and up),
// the number k of the entry that describes it (k + 2; 0: absent); that entry is a name, the
// element's picture, then x, y pairs, one per style index (the last pair serves the
// styles after it). The format is in docs/skin-files.md. Portable.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "skin/ui_text.h"

namespace jorvel {

// The position (1 to 8) of a style value among 1, 2, 4 ... 128; the value is limited to 1
// to 128 first and a value between two of them counts as the lower.
int STYLEINDEX(int style);

// The first id entry 2 describes.
constexpr int kFirstPaneElement = 48;

// The pane's elements that are no controls.
enum PaneElementId : int {
  kPositionThumb = 79,
  kVolumeThumb = 80,
  kAnimationElement = 81,
  kVuElement = 82,
  kMarqueeElement = 83,
};
// The entry 2 field that switches the level meter (0: dark).
constexpr int kMeterSwitchField = 35;

struct PaneElementPlace {
  std::string picture;  // full path ("@path@" expanded), "" when the entry names none
  int x = 0, y = 0;
};

class PaneDescription {
 public:
  PaneDescription() = default;
  // strings as SKREADSTR read them; "@path@" stands for programFolder.
  PaneDescription(StringTable strings, std::string programFolder);

  // Whether the table has the two entries every pane needs.
  bool Complete() const;
  // The pane picture for a style value (its index's field of entry 1), trimmed, in lower
  // case, "@path@" expanded; "" when there is none.
  std::string PanePicture(int style) const;
  // Field n (from 1) of entry 2 as a number; 0 when missing.
  int Field(int n) const;
  // An element's picture and place in a style; none when the element is absent (its field
  // 0 or missing, or its entry missing).
  std::optional<PaneElementPlace> Element(int id, int style) const;

 private:
  std::string Expand(const std::string& path) const;

  StringTable strings_{std::string()};
  std::string programFolder_;
};

}  // namespace jorvel
