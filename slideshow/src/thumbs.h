// The thumbnail cache of the slide list: one worker thread loads a thumbnail for every
// slide that had none when it started (a copy of their paths); the main thread attaches
// each one to its entry (the entry's item data is the thumbnail's bitmap), keeps the
// records and joins the worker when it has posted its end.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace dunmere {

// What the cache knows of a slide's picture.
struct ThumbInfo {
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  int colours = 0;
  int64_t size = 0;
  uint8_t bits = 0;
};

// The message by which the walk posts a loaded thumbnail to the main window (lParam: the
// result, which the main window owns from then on).
constexpr UINT kMsgAttachThumb = WM_USER + 0x60;

// The walk's end (wParam: its generation): the main window joins it, puts its own title
// back and walks the slides added meanwhile.
constexpr UINT kMsgRestoreTitle = WM_USER + 0x61;

// Starts a walk; a walk that runs already is followed by another when it is done.
void STARTSCANTHREAD();
// Asks a running walk to stop at its next entry (the abort flag).
void StopScan();
// Stops the walk and waits until it has ended; what it posted is dropped.
void WaitForScan(DWORD milliseconds);
// Deletes every thumbnail and empties the cache.
void FREETHUMBS();
// Deletes one thumbnail (an entry's item data) from the cache.
void DeleteThumb(LPARAM itemData);
// The record of an entry's item data; false when it has none.
bool FindThumb(LPARAM itemData, ThumbInfo& info);
// The main window's handling of kMsgAttachThumb and of kMsgRestoreTitle.
LRESULT AttachThumb(LPARAM message);
void OnScanDone(WPARAM generation);

}  // namespace dunmere
