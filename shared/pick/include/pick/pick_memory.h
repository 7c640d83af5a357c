// The values the pick library remembers for the whole process (start file, last file,
// filter choice, filter list, extension filter, thumbnail extensions) and its one-shot
// switches (multi-selection, no-iconise). Portable; the exported SK functions work on the
// one instance that Memory() returns. Safe to call from any thread.
#pragma once
#include <mutex>
#include <string>

namespace pick {

enum class Kept { kStartFile, kLastFile, kFilterChoice, kFilterList, kExtensionFilter, kThumbExtensions, kCount };
enum class Switch { kMultiSelection, kNoIconise, kCount };

class PickMemory {
 public:
  // Keeps a text as it is given; the filter list and the extension filter are brought
  // into their normal forms first (see NormalFilterList, NormalExtensionFilter).
  void Keep(Kept which, const std::string& text);
  std::string Get(Kept which) const;
  // The one-shot switch rule: when the switch is armed, the call disarms it and answers -1;
  // otherwise it takes flag (not 0 arms it) and answers 0.
  int OneShot(Switch which, int flag);
  // A number the library keeps (the thumbnail switch); answers the previous value.
  int SetThumbnails(int on);
  // Forgets everything (start of the process; tests).
  void Reset();

 private:
  mutable std::mutex mutex_;
  std::string texts_[int(Kept::kCount)];
  int switches_[int(Switch::kCount)] = {};
  int thumbnails_ = 0;
};

PickMemory& Memory();

}  // namespace pick
