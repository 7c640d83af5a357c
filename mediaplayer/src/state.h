// The media player's program-wide state: what start-up fixes, the windows and menus, the
// item list, the slide show, the hand-over, the medium and the attached sound, the timers.
// Main thread only.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <string>
#include <vector>

#include "falcet/item_lists.h"
#include "falcet/player_rules.h"
#include "falcet/settings_line.h"
#include "imaging/suite_classes.h"
#include "multimedia/l_mm.h"
#include "skin/ui_text.h"

namespace falcet {

// The main window's class, also the name of the single-instance mutex, is kClassPlayer
// (imaging/suite_classes.h); its partners are addressed by their kClass... names there.
// The player's other windows:
inline constexpr const char* kViewClass = "QPLAYERVIEW";      // the picture and video window
inline constexpr const char* kPictureClass = "SKCTL";         // the picture area
inline constexpr const char* kZoomClass = "SKZOOM";           // the enlarged view of a slide show
inline constexpr const char* kBarClass = "QPLAYERBAR";        // the control bar
inline constexpr const char* kPopupClass = "QPLAYERPOPUP";    // the backdrop pop-up
inline constexpr const char* kWebClass = "QPLAYERWEB";        // the web panel

// Which control bar shows (and what kind of item is open).
enum BarKind : int { kBarNone = 0, kBarWeb = 1, kBarVideo = 2, kBarPicture = 4, kBarSound = 8 };

// Controls of the bars, by command number.
enum ControlId : int {
  kIndexPage1 = 48, kIndexPage2 = 49, kIndexPage3 = 50,
  kPlayButton = 51, kPauseButton = 52, kEffectsButton = 53, kSpectrumButton = 54,
  kPreviousButton = 55, kNextButton = 56, kRestartButton = 57,
  kMuteButton = 61, kUnmuteButton = 62, kSnapshotButton = 63, kRefreshButton = 64,
  kLargerButton = 65, kSmallerButton = 66, kOpenButton = 67, kPrintButton = 68, kWebStopButton = 69,
  kNoticeButton = 70, kStopButton = 71, kCopyButton = 72, kRestartButton2 = 73, kHelpButton = 74,
  kVolumeSlider = 76, kPositionSlider = 77, kRepeatButton = 78,
  kFirstControl = 48, kLastControl = 78,
};

// Identifiers of the player's own child windows (none of them a control number).
enum WindowId : int { kViewId = 1001, kPictureId = 1002, kBarId = 1003, kWebId = 1004, kWebTextId = 1005 };

// Private messages.
enum PlayerMessage : UINT {
  kMsgRecorderNotice1 = 0x7EA,  // the window recorder's three notices
  kMsgRecorderNotice2 = 0x7ED,
  kMsgRecorderNotice3 = 0x7EC,
};

// The player tick: timer 1 of the main window.
inline constexpr UINT_PTR kTickTimer = 1;

// Which library holds the current medium.
enum class Holder { kNone, kAudio, kClip };

struct MediaState {
  Holder holder = Holder::kNone;
  HMMCLIP clip = nullptr;
  bool video = false;
  int64_t start = 0, end = 0;  // the marked range, milliseconds
  int mmState = 0;             // 1 stopped, 2 paused, 3 playing (from the clip's events)
  bool clipEnded = false;      // the clip played its range to the end
  bool levelsOn = false;       // the level meter saw a level
  int videoWidth = 0, videoHeight = 0;
};

// The sound attached to a picture or a show.
struct AttachedSound {
  int holder = 0;              // 0 none, 1 multimedia clip, 2 audio channel
  uint32_t channel = 0;
  HMMCLIP clip = nullptr;
  int volume = 0, pan = 0;
  std::vector<std::string> entries;
  size_t next = 0;             // the entry that plays after the current one
  UINT_PTR timer = 0;
};

struct Player {
  HINSTANCE instance = nullptr;

  // Identity, fixed at start.
  std::string exePath;
  std::string programFolder;  // with its final "\"
  std::string programBase;    // the executable's path without its extension
  std::string programFile;    // "falcet.exe"
  std::string uiFile;
  std::string commandLine;    // the start list; later the last hand-over
  bool recordMode = false;
  HICON icon = nullptr;
  MenuTable menus;
  StringTable strings{std::string()};
  std::string options;        // UI entry 49, changed by single-video mode and show lists
  HANDLE mutex = nullptr;
  ULONG_PTR gdiplusToken = 0;

  // Settings.
  std::string settingsPath;
  PlayerSettings settings;
  int sizeItem = 307;
  int returnSizeItem = 0;     // the size item Escape goes back to
  bool topMost = false;

  // Windows and menus.
  HWND frame = nullptr;
  HWND clip = nullptr;        // the client panel "SKCLIP"
  HWND menuBar = nullptr;
  HWND status = nullptr;
  HWND view = nullptr;        // the picture and video window
  HWND pictureArea = nullptr; // "SKCTL"
  HWND zoom = nullptr;        // "SKZOOM"
  HWND popup = nullptr;       // the backdrop
  HWND bar = nullptr;
  HWND web = nullptr;
  HMENU popup1 = nullptr, popup3 = nullptr, popup4 = nullptr;
  std::array<HWND, kLastControl + 1> controls{};

  // The item list.
  std::string itemList;
  std::string timeList;
  int itemCount = 0;
  int currentIndex = 0;
  std::string currentItem;
  std::string showItem;          // a show list named on the command line
  std::string autorunItem;       // the start item of AUTORUN.INF (single-video mode)
  std::string showFolder;        // the folder of the show list being read ("" for none)
  ShowItems showHeader;
  bool singleVideo = false;
  bool restartRequested = false;
  int barKind = kBarNone;        // the bar that shows
  int itemKind = kBarNone;       // 1 web, 2 media, 4 picture
  int mediumKind = 0;            // 2 video, 8 sound
  HANDLE dialUp = nullptr;       // a connection the player dialled

  // Command messages and the slide show.
  bool startedBySuite = false;
  bool slideShowFlag = false;
  int defaultPictureTime = 0;
  int slideState = 0;            // 0 off, 1 running, 2 enlarged view
  int slideVariant = 0;
  bool zoomFlag = false;
  int stepDirection = 2;         // 1 back, 2 forward
  int stepInterval = 0;
  std::string burnJob;
  HandOver handOver;
  std::string pendingList;

  // The window recorder.
  int recorderMode = 0;          // 0 off, 1 recording, 2 done
  int recordRate = 0;
  int recordWidth = 0, recordHeight = 0;
  HWND reportWindow = nullptr;
  int recorderCounts[3] = {0, 0, 0};
  HMODULE recorder = nullptr;

  // Media.
  MediaState media;
  AttachedSound attached;
  bool pausedAudioPlayer = false;
  bool startedBrowser = false;
  bool startedSpectrum = false;

  // Timers: the player tick is timer 1 of the main window; the others are thread timers
  // whose procedure is WNDPROC.
  bool tickRunning = false;
  UINT_PTR volumeTimer = 0;
  UINT_PTR handOverTimer = 0;
  UINT_PTR slideTimer = 0;
  UINT_PTR stepTimer = 0;

  // Mixer.
  HMIXER mixer = nullptr;
  int mutedVolume = 0;           // the volume remembered by a mute (0: none)
  int volumeBeforeStart = -1;    // the mixer's volume before option field 14 set it

  // The picture view.
  std::string picturePath;
  std::string keywordText, soundSideFile, documentSideFile, effectText;
  int displayTime = 0;
  int effectNumber = 0;
};

// A function a loaded library exports, as its type (null when it has none).
template <typename T>
T Export(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

Player& App();
// UI entry n ("" when the file has none).
const std::string& Ui(int n);
// Option field n of UI entry 49 as a number.
int Option(int field);
// Whether a file (not a folder) is there.
bool IsExistingFile(const std::string& path);
// Field n (from 1) of the comma-separated UI entry, trimmed ("" when it has fewer fields).
std::string UiField(int entry, int field);

}  // namespace falcet
