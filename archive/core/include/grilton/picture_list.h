// The archive's picture list: which files of a folder it lists, and the names of scanned
// pages. Portable.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace grilton {

// The picture types the imaging library reads, upper-cased and framed by dots.
inline constexpr const char* kPictureTypes =
    ".JPG.CMP.GIF.TIF.BMP.ICO.CUR.PCX.PCC.DCX.PCD.WMF.PSD.PNG.TGA.EPS.RAS.WPG.PCT.MAC.IMG.MSP.EMF.JPEG.G2B.I2B.FPX.";

// True when the extension (without its dot, any case) is one of kPictureTypes.
bool IsPictureType(std::string_view extension);

struct ListingHooks {
  // Width and height of a picture as the imaging library reports them; false when it
  // cannot read it. Not asked for ".GIF" files, which always count.
  std::function<bool(const std::string& path, int& width, int& height)> pictureSize;
  // Called between files with the running count; false stops the listing.
  std::function<bool(int count)> between;
};

// Every file of the pattern ("C:\dir\*.*") that is a picture type and, but for ".GIF"
// files, has a size above 0, with its full path, in name order; folders are skipped.
std::vector<std::string> ListPictures(const std::string& pattern, const ListingHooks& hooks);

// Scanned pages: the scan folder is the program folder + "TWAIN\"; its counter
// "QORTWAIN.CPT" gives the page names ("TWN00001"); a page is saved as that name + ".jpg".
std::string ScanFolder(const std::string& programFolder);
// The next page's path (the counter moves on), "" when the counter cannot be used.
std::string NextScanPage(const std::string& scanFolder);

// The strip of four frames: the list index its first frame shows after a strip command
// (1 first, 2 back, 5 forward, 6 last), or -1 when the command does nothing: 1 and 2 only
// when the strip has moved, 5 only when a picture follows the last frame, 6 only when more
// than four pictures exist and the last is not shown.
int StripFirstAfter(int command, int first, int count);
// The picture under the slide frame: the frame's index in the strip, within the list (-1
// for an empty list).
int PictureUnderFrame(int first, int frame, int count);

// A top-level window as the source-dialog finder sees it.
struct TopWindow {
  bool ownWindow = false;   // one the archive made itself: its frame, holders, boxes
  bool childOfMain = false; // its parent (owner) is the archive's main window
  std::string text;
};
// The scanner source's own dialog: never a window of the archive itself; a window owned
// by the main window with a caption, or one whose caption (trimmed, any case) is one of
// the "|"-separated captions of UI entry 82.
bool IsSourceDialog(const TopWindow& window, std::string_view knownCaptions);

}  // namespace grilton
