// The slide show maker's program-wide state: what start-up fixes, the main window and its
// controls, the show (its name, music and header numbers), the running totals, the cut
// slides, the received lists and the option values of the menus. Main thread only; the
// thumbnail walk (thumbs.h) reads the list and the frame and hands its results over by
// sent messages.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/program_start.h"
#include "imaging/suite_classes.h"
#include "skin/ui_text.h"
#include "win/raii.h"

namespace dunmere {

// The main window's class, also how a second start finds the running copy, is
// kClassSlideMaker (imaging/suite_classes.h).
// The class of the preview pane, a child window of the main window's procedure.
inline constexpr const char* kPreviewClass = "SKSLIDEPREVIEW";
// The class of the level display, another child of the main window's procedure.
inline constexpr const char* kLevelClass = "SKSLIDELEVEL";

using WNDPROC_TYPE = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

// A slide held by the cut command for a later paste.
struct HeldSlide {
  std::string path;
  LPARAM itemData = 0;  // its thumbnail (0: none yet)
};

// Bytes and files of a part of the show.
struct Tally {
  int64_t bytes = 0;
  int files = 0;
  Tally& operator+=(const Tally& o) {
    bytes += o.bytes;
    files += o.files;
    return *this;
  }
  Tally& operator-=(const Tally& o) {
    bytes -= o.bytes;
    files -= o.files;
    return *this;
  }
};

// The identity (instance, program folder with its final "\", name, UI text file) is fixed
// at start.
struct State : startup::ProgramIdentity {
  std::string skinFile;  // the skin list or ".sks" file the program started with
  MenuTable menus;
  StringTable strings{std::string()};
  HICON icon = nullptr;
  win::Bitmap miniled;  // the side-file marks of the slide list
  UINT_PTR volumeTimer = 0;

  // The window's placement from the settings.
  int windowLeft = 0, windowTop = 0, windowWidth = 0, windowHeight = 0;

  // Windows.
  HWND frame = nullptr;
  HWND clientHolder = nullptr;
  HWND menuHolder = nullptr;
  HWND status = nullptr;
  HWND groupBox = nullptr;
  HWND effectList = nullptr;
  HWND textField = nullptr;
  HWND slideList = nullptr;
  HWND preview = nullptr;
  HWND totalLabel = nullptr;
  HWND musicLabel = nullptr;
  HWND progress = nullptr;
  HWND volumeBar = nullptr;
  HWND levelDisplay = nullptr;
  int rowHeight = 48;
  WNDPROC_TYPE listProcedure = nullptr;  // the slide list's own procedure

  // The show.
  std::string showName;    // "" until named
  std::string showFolder;  // with its final "\"
  std::string showFolderSetting;  // as the settings file holds it ("@path@" kept)
  std::string musicList;   // full path, "" for none
  int optionOne = 0, optionTwo = 0, optionThree = 0;
  int groupValue = 0;
  int textFileNumber = 0;
  int defaultTime = 4000;
  int modeFlag = 0;
  int quality = 0;
  std::string outputSize;  // "w,h" of the chosen output entry
  int framesPerSecond = 3;
  std::string textSetting;
  int furtherSetting = 0;
  std::string videoFolder;  // where the last video was copied to

  // Running totals.
  Tally show;    // pictures and their side files
  Tally music;   // the music list's sounds
  Tally fixed;   // player files, skin folder, extra folder

  // The current slide and its side files ("" when it has none).
  std::string currentSlide;
  std::string kwdFile, wavFile, sfxFile;

  // Cut slides waiting for a paste.
  std::vector<HeldSlide> held;
  Tally heldTally;

  // Lists of pictures that code 3 brought, opened once the sender is free.
  startup::ReceivedLists received;

  // The counts of the media player's last recording (code 21).
  std::string recordedCounts;
  bool videoRecording = false;

  // Slide list helpers.
  bool skipNextErase = false;
  int lastHoverIndex = -1;
  int lastPercent = -1;
  bool building = false;
};

State& App();
// UI entry n ("" when the file has none).
const std::string& Ui(int n);

// The total of the show as a build counts it.
inline int64_t RunningTotal() { return App().show.bytes + App().music.bytes + App().fixed.bytes; }

}  // namespace dunmere
