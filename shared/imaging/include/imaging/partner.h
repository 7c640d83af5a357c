// The one rule by which every program finds or starts a partner program of the suite and
// brings it to the front. Partners are addressed by their main window's class.
#pragma once
#include <windows.h>

#include <string>

#include "imaging/partner_entry.h"
#include "imaging/suite_classes.h"

// How long a started partner has to show its window.
constexpr DWORD kPartnerStartMs = 2000;

// Looks the class up; when there is no window, starts the program (show state 5) and polls
// for the window with Sleep(0) until it exists or kPartnerStartMs have passed. A partner that
// had to be started gets startedCode (kCodeStarted; the disc burner kCodeBurnerStarted) with
// the empty text, unless it is kCodeNone. started reports whether it was started. Returns
// the window or null.
HWND FindOrStartPartner(const std::string& program, const std::string& className, int startedCode,
                        bool* started = nullptr);
// Restores an iconic window, brings it to the top and to the foreground.
void BringPartnerToFront(HWND window);
// The single instance of a program whose mutex bears its main window's class. Returns the
// mutex when this copy is the first; otherwise null, after bringing the running copy's window
// to the front: it is waited for (draining this copy's queue) until it appears, the running
// copy's mutex is gone, or waitMs have passed.
HANDLE TakeSingleInstanceMutex(const char* className, DWORD waitMs);

// Opens a document in the help viewer of a partner entry ("program file,window class"):
// when the viewer's program file is found (SKFINDF), a running viewer is brought to the
// front and gets kCodeOpen with the document, else the viewer is started with the document
// and "," as its command line; without the viewer the shell opens the document (in folder).
void OpenInHelpViewer(HWND owner, const std::string& viewerEntry, const std::string& document,
                      const std::string& folder);

// Sends kCodeClose with the empty text to every running program of suite list entries
// first to last.
void BroadcastClose(int first, int last);
