// The audio player's program-wide state: who it is, its windows, the lists, the medium,
// the partners it started, the timers. Main thread only.
#pragma once
#include <windows.h>

#include <string>

#include "imaging/program_start.h"
#include "imaging/received_lists.h"
#include "jorvel/medium.h"
#include "jorvel/mixer_volume.h"
#include "jorvel/play_list.h"
#include "jorvel/settings_line.h"
#include "media.h"
#include "skin/ui_text.h"
#include "win/raii.h"

namespace jorvel {

// The pane's two looks: idle, and with the title strip and the VU window while a sound is
// open.
enum PaneMode : int { kPaneIdle = 2, kPaneSound = 8 };

// The paths and the instance (startup::ProgramIdentity) are fixed at start.
struct Jorvel : startup::ProgramIdentity {
  std::string commandLine;
  HICON icon = nullptr;
  MenuTable menus;
  StringTable strings{std::string()};
  win::Mutex mutex;  // the single instance's
  MixerVolume mixer;
  bool mixerOpened = false;  // the mixer opens once, after the first pane shows

  // Settings.
  std::string settingsPath;
  AudioSettings settings;
  std::string configFolder;  // GETCONFIGFOLDER's, once asked

  // Windows: the hidden main window owns the pane, which shows everything.
  HWND frame = nullptr;
  HWND pane = nullptr;
  HWND marquee = nullptr;
  HWND animation = nullptr;
  int paneMode = kPaneIdle;

  // The lists: the start list (later the last hand-over), the play list, the hand-over.
  std::string startList;
  bool reopen = false;  // commands 57, 73, 101: the loop opens the start list again
  PlayList playList;
  startup::HandOver handOver;
  UINT_PTR handOverTimer = 0;
  startup::ReceivedLists received;  // lists of command messages, opened on kMsgOpenReceived
  std::string soundTypes;           // UI entry 88 as ".ext.ext."

  // Partners and connections.
  bool startedBySuite = false;
  bool startedBrowser = false;
  bool startedSpectrum = false;
  HANDLE dialUp = nullptr;
  bool repeat = true;  // drives the repeat check button, cleared by command 78

  // The medium.
  BassLayer layer;
  Medium medium{layer};
  bool itemReady = false;   // the item is a sound type: play and pause act
  bool tickRunning = false;
  bool levelsSeen = false;  // the meter showed a level since the item opened
};

Jorvel& App();
// UI entry n ("" when the file has none).
const std::string& Ui(int n);
// A control of the pane by its command number; null without a pane or such a control.
HWND Control(int id);
// The window that owns the player's boxes: the pane, else the main window.
HWND BoxOwner();

}  // namespace jorvel
