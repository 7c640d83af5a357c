// The pick dialog's texts in and out: the start path, the preset name, the name-to-path
// rule, the multi-selection result and the small text rules of its captions. Portable.
#pragma once
#include <string>
#include <vector>

#include "pick/pick_listing.h"

namespace pick {

// The start path split into its folder (with its final "\", or "") and its file pattern
// ("*.*" when it has none).
struct StartPath {
  std::string folder;
  std::string pattern;
};
StartPath SplitStartPath(const std::string& start);

// The search mask of a folder: the folder without trailing "\" followed by "\*.*", so
// that a drive root gives "C:\*.*" and never a doubled separator. "" gives "*.*".
std::string SearchMaskFor(const std::string& folder);
// The folder of a search mask, with its final "\".
std::string FolderOfMask(const std::string& mask);

// The in-text of the name argument: with a "|", the part before it is the preset result
// that the second button returns and the part after it the name text.
struct PresetName {
  bool hasPreset = false;
  std::string presetResult;
  std::string nameText;
};
PresetName SplitPresetName(const std::string& text);

// True for a name that is a URL the dialog hands back as typed ("ftp://", "http://",
// "https://", in any letter case).
bool IsUrl(const std::string& text);
// The name text handed back: a name that holds "\" or is a URL stays as it is, an empty
// one stays empty, any other name gets the folder in front.
std::string NameToPath(const std::string& folder, const std::string& text);

// The multi-selection result: folder + name + extension + "|" for each selected entry,
// in list order (so the text ends with "|"; "" when nothing is selected).
std::string JoinSelection(const std::string& folder, const std::vector<ListedName>& selected);

// The caption without a leading "#".
std::string CaptionText(const std::string& caption);
// Every "&" doubled, so that a static text shows it instead of taking it as a mnemonic.
std::string DoubleAmpersands(const std::string& text);

// The "|"-separated items of a text, with an empty last item left out ("a|b|" -> a, b).
std::vector<std::string> SplitItems(const std::string& text);

}  // namespace pick
