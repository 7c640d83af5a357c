// The media browser's program-wide state: what start-up fixes, the main window and its
// controls, and the values that the window procedure and the commands share. Main thread
// only.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <thread>
#include <unordered_set>

#include "imaging/program_start.h"
#include "imaging/suite_classes.h"
#include "kelmor/details_table.h"
#include "kelmor/file_listing.h"
#include "kelmor/filetypes.h"
#include "kelmor/partner_rules.h"
#include "kelmor/transform_rules.h"
#include "kelmor/tree_pacer.h"
#include "skin/ui_text.h"
#include "win/gdiplus_session.h"
#include "win/raii.h"

namespace kelmor {

// The browser's main window class, also the name of its single-instance mutex, is
// kClassBrowser (imaging/suite_classes.h).

// Private messages of the browser's own windows. The repaint request (WM_USER+0x58) is
// kMsgRepaint of imaging/copydata.h.
enum BrowserMessage : UINT {
  kMsgTransformStep = WM_USER + 0x5A,   // one file of a transform batch (transforms.cpp)
  kMsgThumbnailMade = WM_USER + 0x5B,   // lParam: a ThumbnailResult the main thread takes over
  kMsgFillerDone = WM_USER + 0x5C,      // wParam: the generation of the detail filler that ended
  kMsgFolderChanged = WM_USER + 0x5D,   // wParam: the generation of the folder watcher that saw it
  kMsgDrivesChanged = WM_USER + 0x5E,   // the drive watcher saw folders come or go
  kMsgRebuildTree = WM_USER + 0x5F,     // build the folder tree again (after a rename or move)
};

// Timers of the frame: changes come in bursts, the list and the tree follow once it settled.
enum BrowserTimer : UINT_PTR {
  kTimerRefreshList = 0x4B01,
  kTimerRebuildTree = 0x4B02,
};

struct FillJob;  // detail_filler.cpp

// A worker thread that ends when its event is set (the folder and the drive watcher).
struct WatchThread {
  win::Handle stopEvent;  // manual reset
  std::thread thread;
  int generation = 0;
};

// Restart requests, read once after the message loop.
enum RestartState : int {
  kNoRestart = 0,
  kRestartAfterDrive = 2,  // start again with "USBDETECTED"
  kRestartPlain = -1,      // start again without argument
};

// The identity (instance, exePath, programFolder with its final "\", programName "kelmor",
// basePath, uiFile) is fixed at start.
struct BrowserState : startup::ProgramIdentity {
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
  win::Mutex mutex;
  HICON icon = nullptr;
  HBITMAP miniled = nullptr;
  win::GdiplusSession gdiplus;

  // Partners.
  PartnerEntry partnerOverride;  // from command code 2
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

  // The file list (filelist.cpp, detail_filler.cpp, watchers.cpp). Main thread only: the
  // worker threads post their results.
  bool thumbnailLayout = false;       // the file-type box shows its fifth entry
  FileListRule listRule;              // the rule of the last fill, also used by refreshes
  uint64_t lastFillTime = 0;          // system time (file time) of the last fill or refresh
  int widestEntry = 0;                // pixels, outside the thumbnail layout
  DetailsTable details;               // the made thumbnails
  std::unordered_set<std::string> thumbFailed;  // entries whose picture gave no thumbnail
  std::shared_ptr<FillJob> fillJob;   // the detail filler's work (at most one at a time)
  std::thread fillThread;
  int fillGeneration = 0;
  WatchThread folderWatch;
  WatchThread driveWatch;
  TreeRebuildPacer treePacer;         // the pace of the drive watcher's tree rebuilds
  bool refreshPending = false;
  int hoverEntry = -1;                // the entry whose details the status line shows
  ::WNDPROC fileListProc = nullptr;     // the list's own procedure under LISTSUBCLASSPROC

  // Folders and drives (folders.cpp, devices.cpp).
  std::string rememberedFolder;       // the current folder of a drive that went
  bool selectingInTree = false;       // the browser selects in the tree itself: no code 2 handling
  HTREEITEM treePopupNode = nullptr;  // the folder the tree's popup menu was opened for
  HTREEITEM renameNode = nullptr;     // the folder a rename was started for
  HTREEITEM editedNode = nullptr;     // the folder whose label is being edited

  // Menus and boxes.
  win::Brush listBrush;               // background of the boxes' drop-down lists

  // Picture transforms (transforms.cpp).
  TransformBatch batch;
  int batchFlag = 0;                  // lParam of the last step: not 0 while files follow
  bool batchRunning = false;
  int nextBatchId = 1;
  SizeChoice sizeChoice;              // the resize box's last accepted values

  // Picture and file commands (picture_commands.cpp, collection.cpp).
  bool converting = false;            // a conversion (710) runs
  bool renaming = false;              // a renaming (711) runs
  bool makingPages = false;           // web pages (901 to 907) are written
  bool makingSheets = false;          // index sheets (801 to 807, 1400 to 1499) are made
  bool deleting = false;              // a delete (7, 105, the Delete key) runs
  bool copying = false;               // a copy or move (106, 107) runs
  bool convertingSounds = false;      // a sound conversion (1201 to 1304) runs
  std::string lastTarget;             // the last target folder of a copy or move
  bool closing = false;               // the settings are written: nothing is started again
  std::string listFile;               // the current collection list file, "" for none
};

BrowserState& App();

// UI entry n of the browser's string table ("" when the file has none).
const std::string& Ui(int n);

}  // namespace kelmor
