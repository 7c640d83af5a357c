// The player's arithmetic and small decisions, apart from its windows: stepping through the list, positions in percent, what happens at
// the end of an item, display times, the recorder's rate, the fit of a picture, the
// effect cycle and the command texts it receives. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace falcet {

// ---- Stepping ----------------------------------------------------------------------------------
// The next and previous index of a list of count items (1-based), wrapping around.
int NextIndex(int index, int count);
int PreviousIndex(int index, int count);
// The item that a position slider at percent (above 100 counts as 100) stands for in a
// list of count items: percent / 100 x count rounded, within 1 to count.
int IndexAtPercent(int percent, int count);
// Where the position slider stands for item index of count: index / count in percent.
int ListPercent(int index, int count);
// Where the position slider stands for a picture list: 50 / count rounded; 0 for none.
int PictureSliderPosition(int count);

// ---- Positions ------------------------------------------------------------------------------------
// Position in percent of the range start..end, rounded, within 0 to 100; a medium that has
// ended is at 100; a range of no length gives 0.
int MediaPercent(int64_t position, int64_t start, int64_t end, bool ended);
// The position that a percent stands for in the range, rounded.
int64_t PercentTarget(int percent, int64_t start, int64_t end);

// What the player tick does when an item has reached its end.
enum class EndAction { kNext, kRepeat, kClose };
// index: current (1-based); count: items (0 or 1 for a single item); repeat: the repeat
// button. newIndex receives the index to open for kRepeat.
EndAction AtItemEnd(int index, int count, bool repeat, int& newIndex);

// ---- Pictures -------------------------------------------------------------------------------------
// A picture's display time: its "tim" side file when there is one, else the show's default;
// below 1000 ms it is 4000 ms.
int DisplayTime(bool hasTimFile, int timValue, int defaultTime);
// The enlarging fit of menu item 409: the picture scaled to the area keeping its aspect
// ratio (also when that enlarges it), centred. Empty sizes give an empty result.
struct Fit {
  int x = 0, y = 0, width = 0, height = 0;
};
Fit EnlargingFit(int width, int height, int areaWidth, int areaHeight);

// The window size items of menu 3; the one in force decides the video's size.
enum SizeItem : int {
  kSizeHalf = 303, kSizeNormal = 304, kSizeOneAndAHalf = 305, kSizeDouble = 306,
  kSizeFillWindow = 307, kSizeFullScreen = 308,
};
// Scrolling the picture view at full size (menu item 401): the position after a scroll
// bar's request (the SB_ codes: 0/1 a line of 50 pixels up or down, 2/3 a page, 4/5 the
// thumb, 6/7 the ends), kept between 0 and the part of the picture beyond the view.
constexpr int kScrollLine = 50;
int ScrollPosition(int code, int current, int thumb, int view, int content);
// Where a picture that is narrower (or lower) than the view starts: centred, else at the
// scroll position's negative.
int ScrolledOrigin(int position, int view, int content);

constexpr bool IsSizeItem(int item) { return item >= kSizeHalf && item <= kSizeFullScreen; }

// Where a video of w x h goes in an area for a window size item: 303 half, 304 native,
// 305 one and a half, 306 double size (each centred), 307 and 308 the whole area. With
// fitToArea (menu item 301) a video that does not fit, and always with 307 or 308, is
// scaled to fit keeping its aspect ratio and centred; without it, it is cut to the area.
// A video without a size gets the whole area.
Fit VideoPlacement(int sizeItem, bool fitToArea, int w, int h, int areaX, int areaY, int areaWidth, int areaHeight);

// The transition effects of UI entry 84: the text after its first blank, comma-separated
// numbers; "a-b" stands for every number from a to b. Handed out in turn, from the first
// again after the last; 0 when the list is empty.
class EffectCycle {
 public:
  explicit EffectCycle(const std::string& entry);
  int Next();
  size_t Size() const { return effects_.size(); }

 private:
  std::vector<int> effects_;
  size_t next_ = 0;
};

// Where a picture of w x h is printed on a page of pageWidth x pageHeight device units: a
// portrait page (narrower than high in millimetres) keeps 15 units left and right and 60
// top and bottom, a landscape one 60 and 0; the picture is scaled to fit inside the margins
// and placed at the centred position moved right and down by the margins.
Fit PrintPlacement(int pageWidth, int pageHeight, bool portrait, int w, int h);

// The file a video snapshot is saved as: the chosen name with the extension ".bmp" (a
// name without one gets it added; dots in the folders stay).
std::string SnapshotTarget(const std::string& chosen);

// ---- Command texts -----------------------------------------------------------------------------------
// Code 20: "width,height,rate,window". Needs at least two fields. Width and height are
// taken within 0 to kLargestRecordSide, so that the frame around them stays a size a
// window can have.
constexpr int kLargestRecordSide = 16384;
struct RecordSetup {
  int innerWidth = 0, innerHeight = 0;  // the fields + 4
  int rate = 0;                          // as given; RecorderRate makes it usable
  uintptr_t reportWindow = 0;            // a window handle written as a decimal number
};
bool ParseRecordSetup(const std::string& text, RecordSetup& setup);
// Frames per second of a recording: at most 30, and 3 for anything below 1.
int RecorderRate(int rate);

// Code 4: "sound|number|number[|...]".
struct AttachedSoundRequest {
  std::string file;
  int volume = 0;
  int pan = 0;
};
AttachedSoundRequest ParseAttachedSound(const std::string& text);

// Code 26: "file list|job name".
struct BurnJob {
  std::string files;
  std::string name;
};
BurnJob ParseBurnJob(const std::string& text);

// The multimedia state after an event of the imaging library: 7 stopped (1), 8 paused
// (2), 6 and 9 playing (3); other events leave it.
int StateAfterEvent(int state, int event);

// The warning after a medium failed: UI entry 12 with every "#" replaced by the result,
// followed by the file name (a "#" in the name stays), and on a line of its own what is
// wrong with it when that is known.
std::string MediumFailureText(const std::string& entry12, const std::string& fileName, int result,
                              const std::string& reason = "");
// What a failure says about the medium: the text of its "key=text" field in the
// "|"-separated reasons entry ("" when the entry has none for it). The key names the layer
// and its answer: "s" and the audio layer's error for sounds, "m" and the imaging
// library's status for the other media ("s41", "m-7").
std::string FailureReason(const std::string& reasons, const std::string& key);

// A RIFF WAVE file whose "data" chunk claims more bytes than the file holds after it: the
// claimed and the held bytes. head: the file's first bytes (its chunks up to "data").
struct WaveClaim {
  bool cutShort = false;
  uint64_t claimed = 0, held = 0;
};
WaveClaim CheckWaveClaim(const std::string& head, uint64_t fileSize);

// The recorder's status: UI entry 77 with every "@" replaced by count1 and "#" by count2.
std::string RecorderStatusText(const std::string& entry77, int count1, int count2);

}  // namespace falcet
