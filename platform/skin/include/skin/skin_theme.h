// The skin: colours, fonts, metrics and pictures of the suite's look, read from a skin
// file (".sks"), optionally through a skin list (".skl"). The formats are described in
// docs/skin-files.md. Portable.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct SkinFont {
  std::string face = "Tahoma";
  int points = 8;
  bool bold = false;
  bool italic = false;
};

// Colour slots 101 to 119 (as 0x00BBGGRR colour references) and metrics 1 to 7.
enum SkinColourSlot {
  kSkinFirstColour = 101,
  kSkinControlText = 101,
  kSkinSelectionBack = 102,
  kSkinSelectionText = 103,
  kSkinControlBack = 104,
  kSkinWindowBack = 105,
  kSkinCaptionBack = 106,
  kSkinCaptionText = 107,
  kSkinInactiveCaptionBack = 108,
  kSkinInactiveCaptionText = 109,
  kSkinButtonFace = 110,
  kSkinButtonText = 111,
  kSkinTextShadow = 112,
  kSkinText = 113,
  kSkinMenuBack = 114,
  kSkinMenuText = 115,
  kSkinHotBack = 116,
  kSkinDisabledText = 117,
  kSkinEdgeDark = 118,
  kSkinEdgeLight = 119,
  kSkinLastColour = 119,
};

enum SkinMetric {
  kSkinCaptionHeight = 1,   // caption strip, top border included
  kSkinMenuBarHeight = 2,
  kSkinStatusHeight = 3,
  kSkinLeftBorder = 4,
  kSkinRightBorder = 5,
  kSkinBottomBorder = 6,
  kSkinCaptionButton = 7,   // width and height of a caption button
};

// A child of a players' pane as the skin places it: its picture and a place per style
// index (1 to 8; the last place serves the indexes after it).
struct SkinPanelChild {
  std::string picture;  // full path
  std::vector<std::pair<int, int>> places;
};

struct SkinTheme {
  std::string name = "Standard";
  std::string file;     // the skin file it was read from, "" for the built-in skin
  std::string folder;   // that file's folder with its final "\"
  uint32_t colours[kSkinLastColour - kSkinFirstColour + 1] = {};
  int metrics[8] = {};  // [1] .. [7]
  SkinFont captionFont;
  SkinFont defaultFont;
  int minWidth = 320;
  int minHeight = 200;
  std::string credit;   // the engine's credit line for about boxes
  std::map<int, std::string> pictures;  // picture element number -> picture file (full path)
  std::map<std::string, std::string> strings;  // named texts of the skin (SKLOADSTRING), keys in lower case
  std::map<int, SkinPanelChild> panelChildren;  // [panel]: element number -> picture, x, y pairs

  uint32_t Colour(int slot) const;
  int Metric(int number) const;
};

// The built-in skin, used when no skin file can be read.
SkinTheme DefaultSkin();

struct SkinError {
  int line = 0;
  std::string message;
};

// Parses the text of a skin file over the values already in theme.
void ParseSkinText(const std::string& text, SkinTheme& theme, std::vector<SkinError>& errors);
// The skin file a skin list names (its first line that is not a comment), resolved
// against the list's folder; "" when there is none.
std::string ParseSkinList(const std::string& text, const std::string& listFolder);

// Loads the skin for SKINITENGINE: a ".skl" list names the skin file; a ".sks" is the skin
// itself; when a list or skin file is missing, its twin with the other extension beside it
// is tried, then the built-in skin. Faults are reported through ReportSkinError.
SkinTheme LoadSkin(const std::string& path);

// Where the skin places a panel child in a style index (1 to 8): its picture and place;
// false when the skin does not place it.
bool SkinPanelPlace(const SkinTheme& theme, int id, int styleIndex, std::string& picture, int& x, int& y);

// Parses "#RRGGBB" or "r,g,b" into a colour reference; false when malformed.
bool ParseSkinColour(const std::string& text, uint32_t& colour);
