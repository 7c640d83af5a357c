// The control bars on the player's pane: which controls each bar makes, in which order,
// with which tip and style; the pane's mode; where a docked pane goes; and the compact form
// of the main window. Portable.
#pragma once
#include <vector>

namespace falcet {

// Which control bar shows (and what kind of item is open).
enum BarKind : int { kBarNone = 0, kBarWeb = 1, kBarVideo = 2, kBarPicture = 4, kBarSound = 8 };

enum BarControlKind : int { kImageButton = 1, kTrackBar = 2, kCheckButton = 3 };

struct BarControl {
  int id = 0;        // 0: the volume step (the slider follows the mixer) at this place
  int kind = kImageButton;
  int tip = 0;       // UI entry of the tip
  int tipField = 0;  // field of a "|" tip entry (0: the whole entry)
  bool shown = true;
  int style = 0;     // the element's style (0: the bar's)
};

// The controls of a bar (web, video, sound or picture) in the order they are made.
std::vector<BarControl> BarPlan(int barKind);
// The style with which a bar's controls look up their elements (a sound's media bar is 2).
int BarStyle(int barKind);
// The mode the pane of a bar is built with (the media bar's: the medium kind).
int PaneModeOf(int barKind);

// Option field 5: below 32 the pane floats; else the corner of the main window it keeps
// (33 top-left, 34 top-right, 40 bottom-left, any other bottom-right).
bool PaneDocked(int dockField);
struct PanePoint {
  int x = 0, y = 0;
};
PanePoint DockedPanePlace(int dockField, int frameLeft, int frameTop, int frameRight, int frameBottom, int paneWidth,
                          int paneHeight);

// The compact form of the main window while no video shows.
enum class CompactForm {
  kNone,       // full screen: the window stays as it is
  kMarked,     // pane layout with a docked pane: only marked
  kOffScreen,  // pane layout with a floating pane: the window goes off the screen
  kShrunk,     // the skin's compact size
};
CompactForm CompactFormFor(bool fullScreen, bool paneLayout, int dockField);

}  // namespace falcet
