// The two watcher threads: the folder change watcher of the current folder (file names and
// last writes, no subtree) and the drive watcher (folder names on the fixed drives, whole
// subtrees). Each ends through its own manual-reset event, and stopping one waits for its
// thread. The threads only post messages to the frame; the main thread refreshes the list
// and rebuilds the folder tree.
#pragma once
#include <windows.h>

namespace kelmor {

// Starts the folder change watcher of the current folder unless one runs or the folder is
// on a CD-ROM drive.
void STARTWATCH();
// Ends the folder change watcher and waits for its thread.
void STOPWATCH();
// Starts the drive watcher once (the first fill does).
void StartDriveWatch();
// Ends the drive watcher and waits for its thread (closing).
void StopDriveWatch();

// The frame's side: a watcher saw a change (kMsgFolderChanged, kMsgDrivesChanged) or the
// timer that lets a burst of changes settle ran out.
void OnFolderChanged(WPARAM generation);
void OnDrivesChanged();
bool OnWatchTimer(UINT_PTR timer);

}  // namespace kelmor
