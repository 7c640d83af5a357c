// The slide show and the tiled show: their settings from the menu's action texts, the
// tiles of the screen, the walk through the picture list and the decisions of SHOWPUMP on
// the keyboard and mouse messages it takes. Portable.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

#include "hessam/print_layout.h"

namespace hessam {

// The slide show's display time: the action text read as a number of milliseconds (at
// least 0).
int SlideTime(std::string_view actionText);

// A tiled show's "columns,rows,milliseconds": exactly three comma-separated values, the
// counts at least 1 and the time at least 0; anything else gives 4, 4 and 3000.
struct TiledShowSettings {
  int columns = 4;
  int rows = 4;
  int timeMs = 3000;
};
TiledShowSettings ParseTiledShow(std::string_view actionText);

// The screen's tiles, numbered row by row from the top left from 1: tile width = screen
// width / columns and height = screen height / rows (integer division).
struct Tiles {
  int columns = 1;
  int rows = 1;
  int width = 0;
  int height = 0;
  int Count() const { return columns * rows; }
  Box Tile(int n) const;
  // The tile under a point of the screen; 0 for none (beyond the last column or row).
  int TileAt(int x, int y) const;
};
Tiles MakeTiles(const TiledShowSettings& settings, int screenWidth, int screenHeight);

// One step of a show through its picture list.
struct ShowStep {
  enum Kind {
    kShow,     // show picture number in tile (1 in the slide show)
    kMissing,  // the picture's file is gone: passed, the tile does not advance
    kStay,     // a list of one picture already shown: it stays
    kEnd,      // a whole round of the list passed without a picture: the show ends
  };
  Kind kind = kEnd;
  int number = 0;           // the list number (1 to count)
  int tile = 0;             // kShow: the tile it takes
  bool screenFull = false;  // kShow: the screen's last tile: the show waits after it
  bool warn = false;        // kMissing: the show's first missing picture; later ones pass quietly
};

// Takes the list from its first picture round and round (after the last comes the first).
// A missing picture is passed; once every entry of the list has been passed in a row
// without one shown, the show ends instead of going round for ever.
class ShowPlan {
 public:
  ShowPlan(int count, int tilesPerScreen);
  ShowStep Step(const std::function<bool(int number)>& exists);

 private:
  int count_;
  int tiles_;
  int next_ = 1;     // the list number the next step takes
  int tile_ = 1;     // the tile the next shown picture takes
  int missedInRow_ = 0;
  bool warned_ = false;
  bool shownOnce_ = false;
};

// What SHOWPUMP does with a message it takes.
enum class PumpAction { kNone, kStop, kTogglePause, kToggleMark };
enum class ShowKind { kSlide, kTiled };

// The keyboard side of SHOWPUMP: Space never stops, its key-up toggles the pause; any other
// key going down stops. A key-up other than Space's changes nothing: the key-up of the key
// (or the menu's Alt) that chose the show comes after the show started, and a key pressed
// during the show already stopped it with its key-down. For the same reason a key-down
// whose previous-state bit (bit 30 of keyData) is set is the auto-repeat of a key held down
// since before the show, and changes nothing. Other keyboard messages (characters, system
// keys) stop.
PumpAction KeyboardAction(unsigned message, unsigned key, uint32_t keyData);

// The mouse side of SHOWPUMP: moves and the right button's down change nothing, its up
// toggles the pause; in the slide show every other mouse message stops; in the tiled show
// the left button's up toggles a mark, the middle button's up stops and the rest change
// nothing.
PumpAction MouseAction(ShowKind kind, unsigned message);

}  // namespace hessam
