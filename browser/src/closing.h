// Closing the media browser: the settings written from the window's normal position, the
// message loop ended, and the temporary files removed once it has ended.
#pragma once

namespace kelmor {

// WM_SYSCOMMAND SC_CLOSE: the worker threads end, the settings are written and the message
// loop ends.
void OnSysClose();
// The temporary files the browser leaves behind while it runs (after the message loop).
void RemoveTemporaryFiles();

}  // namespace kelmor
