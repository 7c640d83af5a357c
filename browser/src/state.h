// The media browser's program-wide state: what start-up fixes, the main window and its
// controls, and the values that the window procedure and the commands share. Main thread
// only.
#pragma once
#include <windows.h>

#include <string>

#include "filetypes.h"
#include "partner_rules.h"
#include "skin/ui_text.h"

// The browser's main window class, also the name of its single-instance mutex.
inline constexpr const char* kBrowserClass = "SKMBROWSER";

// Restart requests, read once after the message loop.
enum RestartState : int {
  kNoRestart = 0,
  kRestartAfterDrive = 2,  // start again with "USBDETECTED"
  kRestartPlain = -1,      // start again without argument
};

struct BrowserState {
  HINSTANCE instance = nullptr;

  // Identity, fixed at start.
  std::string exePath;        // full path of the running program
  std::string programFolder;  // with its final "\"
  std::string programName;    // file name without extension ("kelmor")
  std::string basePath;       // exePath without the extension
  std::string uiFile;         // basePath + ".SYS"
  std::string title;          // UI entry 1
  std::string skinFile;
  int thumbnailSize = 96;
  std::string workingFolder;  // with its final "\"
  std::string workingFile;    // working folder + UI entry 24 + UI entry 25

  MenuTable menus;
  StringTable strings{std::string()};
  HMENU menuBar = nullptr;

  // Start-up and end.
  bool startByDrive = false;
  int restartState = kNoRestart;
  HANDLE mutex = nullptr;
  HICON icon = nullptr;
  HBITMAP miniled = nullptr;
  ULONG_PTR gdiplusToken = 0;

  // Partners.
  PartnerName partnerOverride;   // from command code 2
  bool burnerInstalled = false;  // the program of command 212 exists

  // Windows.
  HWND frame = nullptr;
  HWND clientHolder = nullptr;
  HWND menuHolder = nullptr;
  HWND status = nullptr;
  HWND fileTypeBox = nullptr;
  HWND favouritesBox = nullptr;
  HWND folderTree = nullptr;
  HWND fileList = nullptr;
  HWND collectionList = nullptr;
  HWND optionCheck = nullptr;
  HWND lastFocus = nullptr;  // the control that had the keyboard when the browser was left

  // Values the commands share.
  FileTypes fileTypes;
  int currentFileType = -1;
  std::string filterChoice;   // the filter in force; written to the settings at close
  std::string currentFolder;  // with its final "\"
  int hintOff = 0;            // settings field 8
  int markers = 0;            // settings field 9, the option of command 408
  bool rightButtonFlag = false;
};

BrowserState& Browser();

// UI entry n of the browser's string table ("" when the file has none).
const std::string& Ui(int n);
