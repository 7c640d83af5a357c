// The thesaurus editor's rules that need no window: the key a word is filed under, the
// title with the word count, the warnings' texts and the window's layout. Portable.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "controls/box_rect.h"

// The key of a word in a topic index: upper case, blank-padded or cut to the width.
std::string TopicKey(std::string_view word, int width);
// The title with every "#" replaced by the word count.
std::string TitleWithCount(std::string_view title, int count);
// The text without the blanks at its end.
std::string WithoutTrailingBlanks(std::string_view text);
// The warning of a word that a record uses: the word without its trailing blanks followed
// by the host's text (UI entry 15).
std::string WordInUseMessage(std::string_view word, std::string_view inUseText);
// The warning of a word whose use could not be checked: the word, the index file and why.
std::string CannotCheckMessage(std::string_view word, std::string_view indexFile, std::string_view reason);
// The warning of a list that could not be read or saved: the file and why.
std::string FileFailureMessage(std::string_view file, std::string_view reason);

// What the window measured: the button labels in the caption font, that font's blank
// width and character height, and the width of the longest word (as many "W" as a word
// may have letters) in the default font.
struct ThesaurusMeasures {
  std::vector<int> labelWidths;
  int spaceWidth = 4;
  int charHeight = 13;
  int wordWidth = 0;
  int maxClientWidth = 0;  // the screen's room for the client area (0: no limit)
};

struct ThesaurusLayout {
  int clientWidth = 0;
  int clientHeight = 0;
  BoxRect wordBox;
  std::vector<BoxRect> buttons;  // in label order
};

inline constexpr int kThesaurusClientHeight = 227;

// Buttons as wide as the widest label and two blanks (+ 6), one character (+ 6) high, in
// a centred row at y 203 with 4 pixels between them; the word box above them at (4, 4),
// 194 high; the client area as wide as the row or the longest word, 227 high.
ThesaurusLayout ComputeThesaurusLayout(const ThesaurusMeasures& m);
