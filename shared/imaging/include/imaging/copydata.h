// The suite's command message: a 32-bit command code and one text carried by WM_COPYDATA.
// wParam = text length n, dwData = code, cbData = n + 1, lpData = the text and a zero byte.
#pragma once
#include <windows.h>

#include <string>

#include "imaging/copydata_text.h"

// The suite's command codes: one number means one thing in every program that handles it.
// A program answers every code with 1, also those it does not act on.
enum SuiteCode : int {
  kCodeNone = 0,              // no command: a WM_COPYDATA without its structure; no started code
  kCodeStarted = 1,           // started by a suite program (empty text)
  kCodeSetPartner = 2,        // media browser: "program file,window class" that gets its file lists
  kCodeOpen = 3,              // a "|" list of files to open (the help viewer: one document)
  kCodeAttachedSound = 4,     // media player: "sound file|numbers": play it beside the current item
  kCodeShowKeywords = 5,      // media player: menu option 407 (show the keywords) on
  kCodeEnlargedView = 6,      // media player: menu option 411 (enlarged view in a show) on
  kCodePressPlay = 7,         // media player: press the play button if it shows
  kCodePause = 8,             // audio player and spectrum display: pause
  kCodeResume = 9,            // audio player: start or resume
  kCodeClose = 10,            // close
  kCodeFileType1 = 11,        // media browser: select entry code - 11 of the file-type list
  kCodeFileType2 = 12,
  kCodeFileType3 = 13,
  kCodeFileType4 = 14,
  kCodeFileType5 = 15,
  kCodeFileType6 = 16,
  kCodeSpectrumTick = 17,     // players to the spectrum display (empty text)
  kCodeHandOver = 18,         // a second start's argument list to the running player
  kCodeSlideShow = 19,        // media player: slide-show mode on; the text is the default picture time
  kCodeBurnerStarted = 19,    // the disc burner gets this in place of kCodeStarted
  kCodeRecordShow = 20,       // media player in record mode: "width,height,frames per second,window"
  kCodeRecordingCounts = 21,  // slide show maker: three comma-separated counts after a recording
  kCodeFileWritten = 22,      // media browser: a file was written in the folder in the text
  kCodeGoToFolder = 23,       // media browser: go to the folder in the text
  kCodeBurnNewList = 24,      // disc burner (empty text): after the job name, before the files (code 3)
  kCodeBurnJobName = 25,      // disc burner: the job's name
  kCodeBurnJob = 26,          // media player: "file list|name", for the disc burner when it closes
};

// How long a sender waits for a receiver's window procedure before it goes on. Receivers
// answer at once and defer long work (WM_USER+3), so only a hung receiver reaches it.
constexpr UINT kSendCopyDataTimeoutMs = 30000;

// Sends a command message and waits for the receiver; returns its answer, 0 when the
// window does not exist or did not answer within the time limit.
LRESULT SENDCOPYDATA(HWND target, int code, const std::string& text);
// Unpacks a received WM_COPYDATA: returns the command code (0 without a structure) and
// puts the text into text.
int GETCOPYDATA(std::string& text, WPARAM wParam, LPARAM lParam);

// For tests: the time limit of SENDCOPYDATA in milliseconds (0 restores the default).
void SetSendCopyDataTimeout(UINT milliseconds);

// The private message a receiver posts to itself before it opens a received list.
constexpr UINT kMsgOpenReceived = WM_USER + 3;
// The repaint request: wParam = the window, lParam = the erase flag.
constexpr UINT kMsgRepaint = WM_USER + 0x58;
