// The suite's command message: a 32-bit command code and one text carried by WM_COPYDATA.
// wParam = text length n, dwData = code, cbData = n + 1, lpData = the text and a zero byte.
#pragma once
#include <windows.h>

#include <string>

#include "imaging/copydata_text.h"

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
