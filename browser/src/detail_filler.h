// The detail filler: a worker thread that makes the thumbnails of the file list while the
// thumbnail layout is on. It works on a copy of the entries taken when it starts and hands
// every thumbnail to the main thread by message; only the main thread touches the list and
// the details table. At most one filler runs: a new one stops the old one and waits for it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "kelmor/file_listing.h"
#include "win/raii.h"

namespace kelmor {

// Starts the filler over the entries without a thumbnail (only in the thumbnail layout).
void STARTLISTINFO();
// Sets the filler's stop flag and waits until its thread has ended.
void StopListInfo();

// A thumbnail the filler made, handed to the main thread with kMsgThumbnailMade.
struct ThumbnailResult {
  int generation = 0;
  int index = 0;          // the entry's index when the filler started
  int count = 0;          // the entries in the list then
  std::string entry;
  win::Bitmap bitmap;  // empty when the picture gave no thumbnail
  PictureDetails details;
};
// The main thread's side: takes the result over (kMsgThumbnailMade) or ends the filler's
// run (kMsgFillerDone).
void OnThumbnailMade(LPARAM result);
void OnFillerDone(WPARAM generation);

// Makes a thumbnail of a file fitted into size x size; false when the picture gives none.
bool MakeThumbnail(const std::string& path, int size, HBITMAP& bitmap, PictureDetails& details);
// The drawing of an entry that has no thumbnail yet: true when the caller may make it on the
// spot (the running filler has not taken it), which keeps the filler from making it again.
bool ClaimEntryForDrawing(int index, const std::string& entry);

}  // namespace kelmor
