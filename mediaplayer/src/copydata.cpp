// The command messages that the suite's programs send to the player.
#include "copydata.h"

#include <algorithm>

#include "audio/bass.h"
#include "bars.h"
#include "falcet/command_line.h"
#include "falcet/item_lists.h"
#include "fileio/fields.h"
#include "imaging/copydata.h"
#include "imaging/program_start.h"
#include "items.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace falcet {

namespace {

// Code 20: the player sizes itself for the recording, stands top-most at the top of the
// screen with input disabled, and opens the built show list.
void SetUpRecording(const std::string& text) {
  Player& p = App();
  RecordSetup setup;
  if (!ParseRecordSetup(text, setup)) return;
  p.recordMode = true;
  p.recordWidth = setup.innerWidth;
  p.recordHeight = setup.innerHeight;
  p.recordRate = setup.rate;
  p.reportWindow = reinterpret_cast<HWND>(setup.reportWindow);  // a handle sent as a number
  int width = setup.innerWidth + SKGETSYSTEMMETRICS(4) + SKGETSYSTEMMETRICS(5);
  int height = setup.innerHeight + SKGETSYSTEMMETRICS(1) + SKGETSYSTEMMETRICS(6);
  int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  SetWindowPos(p.frame, HWND_TOPMOST, left, 0, width, height, SWP_SHOWWINDOW);
  // Clicks and keys must not step the show being recorded; the frame itself stays enabled,
  // so that its close button (and Escape) can always end a window that stands top-most over
  // everything.
  if (p.clip) EnableWindow(p.clip, FALSE);
  OPENITEM(BuiltShowList());
  // A show without a slide never starts its recording: nothing to wait for.
  if (p.itemCount == 0) PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Code 4: the sound attached to the show (or the picture) plays and the medium pauses.
void AttachSound(const std::string& text) {
  Player& p = App();
  StopAttachedSound();
  if (BASSAVAILABLE())
    for (int option : {6, 4, 5}) BASSSETCONFIG(option, 100);
  AttachedSoundRequest request = ParseAttachedSound(text);
  if (request.file.empty()) return;
  std::string base = p.showFolder.empty() ? p.programFolder : p.showFolder;
  PlayAttachedList(request, base);
  if (uint32_t channel = BASSCURRENTCHANNEL()) BASSCHANNELPAUSE(channel);
  PAUSEMEDIA();
}

}  // namespace

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  Player& p = App();
  std::string text;
  int code = GETCOPYDATA(text, wParam, lParam);
  switch (code) {
    case kCodeBurnJob:
      p.burnJob = text;
      break;
    case kCodeClose:
      PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case kCodeStarted:
      p.startedBySuite = true;
      p.slideShowFlag = false;
      break;
    case kCodeSlideShow:
      p.slideShowFlag = true;
      p.startedBySuite = false;
      p.defaultPictureTime = fileio::LeadingNumber(text);
      break;
    case kCodeRecordShow:
      SetUpRecording(text);
      break;
    case kCodeAttachedSound:
      AttachSound(text);
      break;
    case kCodeShowKeywords:
      if (!MenuChecked(kMenuKeywords)) PostMessageA(p.frame, WM_COMMAND, kMenuKeywords, 0);
      break;
    case kCodeEnlargedView:
      if (!MenuChecked(kMenuEnlargedView)) SendMessageA(p.frame, WM_COMMAND, kMenuEnlargedView, 0);
      break;
    case kCodePressPlay:
      if (ControlVisible(kPlayButton) || !HasBars()) PostMessageA(p.frame, WM_COMMAND, kPlayButton, 0);
      break;
    case kCodeHandOver:
      p.handOver.Add(text);
      if (!p.handOverTimer) p.handOverTimer = StartThreadTimer(100);
      break;
    default:
      // Code 3 and every code the player has no meaning for: a list to open, once the
      // sender has been let go.
      return startup::QueueReceivedList(p.frame, p.received, text);
  }
  return 1;
}

void OnHandOverTimer() {
  Player& p = App();
  KillThreadTimer(p.handOverTimer);
  std::string list = p.handOver.Take(p.commandLine);
  p.commandLine = list;
  SENDCOPYDATA(p.frame, kCodeOpen, list);
}

void OpenReceivedLists() {
  // A newer list replaces one that has not been opened yet.
  App().received.OpenNewest([](const std::string& received) {
    // A single play list stands for its items.
    std::string list = ItemCount(received) == 1 ? ListOfName(received) : received;
    if (IsWebPageName(list)) LeaveSlideShow();
    OpenList(list, true);
  });
}

}  // namespace falcet
