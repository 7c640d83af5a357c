// The thumbnail cache of the slide list: one worker thread walks the list and loads a
// thumbnail for every entry that has none; the main thread attaches each one to its entry
// (the entry's item data is the thumbnail's bitmap) and keeps the records.
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

// The message by which the walk hands a loaded thumbnail to the main window (lParam: the
// thumbnail, answered 1 when it was attached, 0 when the caller deletes it).
constexpr UINT kMsgAttachThumb = WM_USER + 0x60;

// The walk's request to put the main window's own title back when it has ended.
constexpr UINT kMsgRestoreTitle = WM_USER + 0x61;

// Starts a walk; a walk that runs already walks the list once more when it is done.
void STARTSCANTHREAD();
// Asks a running walk to stop at its next entry (the abort flag).
void StopScan();
// Stops the walk and waits until it has ended (running the messages it sends meanwhile).
void WaitForScan(DWORD milliseconds);
// Deletes every thumbnail and empties the cache.
void FREETHUMBS();
// Deletes one thumbnail (an entry's item data) from the cache.
void DeleteThumb(LPARAM itemData);
// The record of an entry's item data; false when it has none.
bool FindThumb(LPARAM itemData, ThumbInfo& info);
// The main window's handling of kMsgAttachThumb.
LRESULT AttachThumb(LPARAM message);

}  // namespace dunmere
