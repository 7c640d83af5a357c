// The close of the player (WM_SYSCOMMAND SC_CLOSE): the burn job goes to the disc burner,
// the medium and the timers stop, the settings are written and the partners are told.
#include "closing.h"

#include "bars.h"
#include "falcet/player_rules.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "items.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "settings.h"
#include "skin/sk_system.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "wndproc.h"

namespace falcet {

namespace {

constexpr int kBurnerEntry = 9;

void HandOverBurnJob() {
  Player& p = App();
  if (p.burnJob.empty()) return;
  BurnJob job = ParseBurnJob(p.burnJob);
  // A burner that had to be started gets code 19 first; one that does not come up within
  // the partner time gets nothing.
  HWND burner =
      FindOrStartPartner(p.programFolder + SuiteProgram(kBurnerEntry), SuiteClass(kBurnerEntry), kCodeBurnerStarted);
  if (!burner) return;
  SENDCOPYDATA(burner, kCodeBurnJobName, job.name);
  SENDCOPYDATA(burner, kCodeBurnNewList, "");
  SENDCOPYDATA(burner, kCodeOpen, job.files);
  p.burnJob.clear();
}

}  // namespace

void OnSysClose() {
  Player& p = App();
  LeaveEnlargedVideo();
  // A recording ended from outside (the close button, Escape, code 10) is finished, so
  // that its file holds what was recorded.
  if (p.recorderMode == 1) StopRecorder();
  HandOverBurnJob();
  StopAttachedSound();
  if (p.dialUp) SKRASHANGUP(p.dialUp);
  p.dialUp = nullptr;
  KillPlayerTick();
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  KillThreadTimer(p.handOverTimer);
  KillThreadTimer(p.volumeTimer);
  SetStatusText("");
  STOPMEDIA();
  CLOSEMEDIA();
  if (p.view) ShowWindow(p.view, SW_HIDE);
  LeaveSlideShow();
  HideWebPanel();
  WriteSettings();
  if (HWND browser = FindWindowA(kClassBrowser, nullptr)) {
    if (p.startedBrowser) SENDCOPYDATA(browser, kCodeClose, "");
    else if (p.startedBySuite && IsIconic(browser)) ShowWindow(browser, SW_RESTORE);
  }
  if (p.startedSpectrum)
    if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) SENDCOPYDATA(spectrum, kCodeClose, "");
  ResumeAudioPlayer();
  PostQuitMessage(0);
}

void RemoveTemporaryFiles() {
  Player& p = App();
  fileio::RemoveFile(p.basePath + ".LOG");
  fileio::RemoveFile(SKGETTEMPPATH() + p.programName + ".g2b");
}

}  // namespace falcet
