// The picture tool's rules that need no window: save filters, the status and caption
// texts, the keyword side file, the memory limit, scrolling and the printed page.
// Portable.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace bravik {

// Bits of the modified state: set and cleared, never toggled.
enum ModifiedFlag : int {
  kModifiedContent = 1,  // the picture changed (or has no file of its own)
  kModifiedRedEye = 2,   // red-eye touch-ups are on the picture
  kModifiedObjects = 4,  // objects were created, edited, moved or deleted
};

// The save filter of an opened picture: "*" + the upper-cased extension with its dot
// ("*.JPG"); "" when the file name has no ".".
std::string SaveFilterFor(std::string_view path);
// The save-as dialog's pattern: "*.BMP" for an empty filter or "*.*", "*.PNG" for "*.GIF"
// (GIF is not written), else the filter.
std::string SaveAsPattern(std::string_view saveFilter);

// The status text of a picture: " name w xh " (name lower-cased); a shrunk picture adds
// shrunkText with "#" replaced by the unshrunk width and "@" by its height; a picture
// with a colour count above 0 adds coloursText with "#" replaced by the count.
std::string PictureStatusText(std::string_view fileName, int width, int height, bool shrunk, int unshrunkWidth,
                              int unshrunkHeight, int colours, std::string_view shrunkText,
                              std::string_view coloursText);

// The keyword side file of a picture: its path before the last "." + ".KWD"; "" when
// the file name has no ".".
std::string KeywordFilePath(std::string_view picturePath);
// What the picture tool shows of a keyword file: the text before its first zero byte
// (status line) and the trimmed text after its last zero byte (caption).
struct KeywordTexts {
  std::string status;
  std::string caption;
};
KeywordTexts ReadKeywordTexts(std::string_view bytes);

// The memory limit of old systems (version below 500): a picture whose memory,
// (bits / 8) x max(width, canvas width) x max(height, canvas height), exceeds 16,000,000
// bytes is shrunk by the factor bytes / 16,000,000 in each direction (rounded, at least
// 1 pixel). False when no shrinking is needed.
bool MemoryLimit(int displayBits, int width, int height, int canvasWidth, int canvasHeight, int osVersion,
                 int& newWidth, int& newHeight);

// A scroll position limited to 0 .. content - client.
int ClampScroll(int position, int content, int client);
// The new position of a scroll bar request (SB_* code as a number: 0 line up, 1 line
// down, 2 page up, 3 page down, 4 thumb position, 5 thumb track, 6 top, 7 bottom): a
// line is 5 pixels, a page 50.
int ScrollRequest(int code, int thumb, int position, int content, int client);

// The printed page: the picture scaled to fill the page inside its margins (landscape
// pages 60 at the sides, portrait ones 15 at the sides and 60 at the top and bottom),
// then centred on the page, so that the margins on opposite sides are even. False for an
// empty picture or a page without room.
struct PrintPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
bool PlacePrintedPicture(int horzSizeMm, int vertSizeMm, int horzRes, int vertRes, int pictureWidth,
                         int pictureHeight, PrintPlacement& placement);

// Reads "width x height" (any non-digits between the two numbers): false unless both are
// between 1 and 9999.
bool ParseSizeText(std::string_view text, int& width, int& height);

// The grey of a colour reference (0x00BBGGRR): g = (19595 r + 38470 g + 7471 b) >> 16.
uint32_t GRAYCOLOR(uint32_t colour);

}  // namespace bravik
