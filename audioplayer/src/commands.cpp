#include "commands.h"

#include "effects.h"
#include "jorvel/mixer_volume.h"
#include "partners.h"
#include "skin/ui_text.h"
#include "state.h"
#include "transport.h"

namespace jorvel {

namespace {

VolumeControls VolumeControlsOfPane() { return {Control(kVolumeBar), Control(kMuteButton), Control(kUnmuteButton)}; }

}  // namespace

bool OnCommand(int id, LPARAM value) {
  Jorvel& p = App();
  if (SKMACTE(id, p.menus) == "END") {
    SendMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }
  switch (id) {
    case kPlayButton:
      RESUMEPLAYER();
      break;
    case kPauseButton:
      PAUSEPLAYER();
      break;
    case kSpectrumButton:
      ToggleSpectrum();
      break;
    case kPreviousButton:
      PREVIOUSITEM();
      break;
    case kNextButton:
      NEXTITEM();
      break;
    case kRestartButton:
    case kRestartItem:
    case kRestartCommand:
      p.reopen = true;
      break;
    case kMuteButton:
      MUTEVOLUME(p.mixer, VolumeControlsOfPane());
      break;
    case kUnmuteButton:
      UNMUTEVOLUME(p.mixer, VolumeControlsOfPane());
      break;
    case kOpenButton:
    case kOpenItem:
      OPENFILES();
      break;
    case kStopButton:
      STOPPLAYER();
      break;
    case kHelpButton:
      ShowHelp();
      break;
    case kVolumeBar:
      SETVOLUME(p.mixer, int(value));
      break;
    case kPositionBar:
      SEEKPERCENT(int(value));
      break;
    case kRepeatCheck:
      p.repeat = false;
      break;
    case kEffectsButton:
      ToggleEffectsWindow();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace jorvel
