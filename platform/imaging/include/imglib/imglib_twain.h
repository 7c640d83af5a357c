// Scanning through the system's TWAIN source manager ("TWAINDSM.DLL", or "TWAIN_32.DLL"
// in a 32-bit program): is there a source, let the user choose one, acquire pages. Each
// page arrives as an imaging bitmap through the caller's callback. Windows only.
#pragma once
#include <windows.h>

#include "imglib/imglib.h"

// Called once per page with the page's bitmap (the callback frees it when it is done);
// an answer other than kSuccess ends the acquisition.
using TwainPageCallback = int (*)(ImgBitmap* bitmap, void* userData);

// 1 when a source manager is installed and knows at least one source, else 0.
int L_IsTwainAvailable(HWND window);
// Shows the source manager's dialog in which the user picks the source to use; kSuccess
// when one was picked, kFailure when none was (or there is no source manager).
int L_TwainSelect(HWND window);
// Acquires pages from the chosen (or default) source with its own dialog, the window's
// messages running meanwhile; bitmap is the caller's work bitmap, handed to the callback
// for each page. flags are kept for callers that pass them. kSuccess when the source was
// used (also when the user cancelled before the first page), else a failure.
int L_TwainAcquireExt(HWND window, ImgBitmap* bitmap, int flags, TwainPageCallback callback, void* userData);
// Ends the session with the source manager that select and acquire opened.
int L_TwainCloseSession(HWND window);
