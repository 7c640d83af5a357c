// The layered picture file (".qmf") beside a picture: a reduced JPEG copy of the
// picture, one text line per text or shape object, then a fixed 284-byte trailer that
// ends with "0100QMF". Reader and writer share this code. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imglib/raster.h"

namespace layer {

constexpr size_t kTrailerSize = 284;
constexpr size_t kNameSize = 260;
constexpr size_t kMaxTextBytes = 1024;   // the writer's object record bounds the content
constexpr size_t kMaxPoints = 256;
constexpr size_t kMaxFontBytes = 127;
constexpr char kTextBar = 24;            // a "|" inside a text is stored as this byte

enum Kind : int { kText = 1, kEllipse = 2, kRectangle = 3, kCurve = 4, kArrow = 5, kPolyline = 6 };

struct Point {
  int16_t x = 0;
  int16_t y = 0;
  bool operator==(const Point&) const = default;
};

// One object, as the picture tool keeps it. Text and font hold the real text (with "|"
// and line breaks); the encoding takes care of the file's separators.
struct Object {
  int kind = kText;
  int style = 1;
  std::string text;             // kind 1
  std::vector<Point> points;    // kinds 2 to 6: offsets from (x, y)
  std::string reserved1;        // kept by the picture tool, ignored by renderers
  std::string font;
  int size = 0;                 // texts: em size in pixels; shapes: pen width
  int formatFlags = 0;          // GDI+ string format flags of a text
  uint32_t colour = 0xFF000000; // ARGB
  int shadow = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int visible = 1;
  int number = 1;
  int option = 0;
  std::string reserved2;
};

struct Trailer {
  std::string name;     // the picture's file name (cut to 260 bytes when written)
  int32_t width = 0;    // the picture's size before the reduction
  int32_t height = 0;
  int32_t colours = 0;
  uint8_t bitsPerPixel = 24;
  int32_t pictureLength = 0;  // P: the JPEG block's length and the object block's offset
};

// The 284 trailer bytes.
std::string EncodeTrailer(const Trailer& trailer);
// Reads a trailer; false when the bytes are not 284 long or do not end with "QMF".
bool DecodeTrailer(std::string_view bytes, Trailer& trailer);

// One object's line: the 18 fields joined by "|", without the line end. A text's "|"
// becomes byte 24 and a line break inside it a lone LF (so the line stays one line);
// texts, the font name and the reserved texts are cut to the record's limits.
std::string EncodeObject(const Object& object);
// Reads a line; missing fields read as 0 or empty, the count is bounded by the record's
// limits and by the content actually present.
Object DecodeObject(std::string_view line);

// The whole file from its parts.
std::string BuildFile(std::string_view jpeg, const std::vector<Object>& objects, const Trailer& trailer);

// What a reader gets from a file.
struct Contents {
  Trailer trailer;
  std::string_view picture;     // the JPEG block (inside the given bytes)
  std::vector<Object> objects;
};
// Parses a whole file by the reading rule. False when it is no layered file: 3 bytes or
// less, not ending in "QMF", a trailer offset outside the file. An object block without
// room (length below 1) gives no objects.
bool ParseFile(std::string_view bytes, Contents& contents);

// Reads a layered file with the skin engine's file calls: the trailer and the object
// lines, never the JPEG block. path: the side file itself. False as ParseFile.
bool ReadFile(const std::string& path, Trailer& trailer, std::vector<Object>& objects);
// The layered file for a picture path or for the side file's own path (".qmf" in any
// letter case).
std::string LayerPathFor(const std::string& path);

// The writing rule of the picture tool: deletes the old layered file; without objects
// (or with an empty path) that is all. Otherwise the picture is reduced to fit a square
// of thumbnailSide (never enlarged), encoded as JPEG with quality factor 2 and written
// with the object lines and the trailer. A failed write leaves no file behind. Returns
// true when a file was written.
bool WriteFile(const std::string& picturePath, const imglib::Raster& picture, const std::vector<Object>& objects,
               int thumbnailSide);

}  // namespace layer
