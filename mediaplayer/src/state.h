// The media player's program-wide state: who it is, the windows and menus, the item list,
// the slide show, the hand-over, the medium and the attached sound, the timers.
// Main thread only.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <string>
#include <vector>

#include "commands.h"
#include "falcet/bar_rules.h"
#include "falcet/item_lists.h"
#include "falcet/player_rules.h"
#include "falcet/settings_line.h"
#include "imaging/program_start.h"
#include "imaging/suite_classes.h"
#include "multimedia/l_mm.h"
#include "skin/ui_text.h"
#include "win/gdiplus_session.h"
#include "win/raii.h"

struct IDispatch;

namespace falcet {

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
  std::string failure;         // the last failure's key ("s41", "m-7"; FailureReason)
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

// The paths and the instance (startup::ProgramIdentity) are fixed at start.
struct Player : startup::ProgramIdentity {
  std::string commandLine;    // the start list; later the last hand-over
  bool recordMode = false;
  HICON icon = nullptr;
  MenuTable menus;
  StringTable strings{std::string()};
  std::string options;        // UI entry 49, changed by single-video mode and show lists
  win::Mutex mutex;           // the single instance's
  win::GdiplusSession gdiplus;

  // Settings.
  std::string settingsPath;
  PlayerSettings settings;
  int sizeItem = kSizeFillWindow;
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
  HWND web = nullptr;          // the web panel, parent of the browser controls
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
  bool buildingBar = false;      // the bar's controls are being made (the skin engine pumps)
  int paneLeft = -1, paneTop = -1;  // the pane's place, kept when a bar is built anew
  bool compact = false, offScreen = false;  // the compact form of the main window
  RECT compactRect{};            // the window before it shrank
  POINT compactOrigin{};         // its client origin before it went off the screen
  HWND marquee = nullptr;        // the title strip over a sound's pane
  bool videoEnlarged = false;    // the video plays over the whole screen (size item 308)
  HWND hiddenTaskbar = nullptr;  // the taskbar the enlarged view hid
  int itemKind = kBarNone;       // 1 web, 2 media, 4 picture
  int mediumKind = 0;            // 2 video, 8 sound
  HANDLE dialUp = nullptr;       // a connection the player dialled

  // The web panel's browser controls (the ActiveX host's; null while not made).
  IDispatch* contentControl = nullptr;
  IDispatch* indexControl = nullptr;
  bool creatingControl = false;  // a control is being made (the host pumps meanwhile)
  bool indexEvent = false;       // an event of the index page is being handled
  bool indexBeside = false;      // the panel shows only the index column, beside a medium or a picture
  bool webHost = false;          // the ActiveX host started
  std::string documentItem;      // the last spreadsheet shown in the web panel

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
  startup::HandOver handOver;
  startup::ReceivedLists received;  // lists of command messages, opened on kMsgOpenReceived

  // The window recorder.
  int recorderMode = 0;          // 0 off, 1 recording, 2 done
  int recordRate = 0;
  int recordWidth = 0, recordHeight = 0;
  HWND reportWindow = nullptr;
  int recorderCounts[3] = {0, 0, 0};
  win::Module recorder;

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
  int scrollX = 0, scrollY = 0;  // the full-size picture's scroll position (menu item 401)
  std::string keywordText, soundSideFile, documentSideFile, effectText;
  int displayTime = 0;
  int effectNumber = 0;          // the picture's transition: its sfx, or the next of UI entry 84
  int effectStep = 0, effectTime = 0;  // the plug-in's step and time from the sfx
};

// A library of the program folder ("nadrix.dll"), loaded while the owner lives; empty
// when it is missing or does not load.
win::Module LoadProgramLibrary(const std::string& name);
// A function a loaded library exports, as its type (null when it has none).
template <typename T>
T Export(const win::Module& module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module.Get(), name)));
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
