#include "commands.h"

#include "boxes.h"
#include "build.h"
#include "controls/buildbox.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "imaging/copydata.h"
#include "imaging/partner_entry.h"
#include "mainwindow.h"
#include "partners.h"
#include "preview.h"
#include "showfile.h"
#include "sidefiles.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "slides.h"
#include "sound.h"
#include "state.h"
#include "thumbs.h"

namespace dunmere {

namespace {

struct OptionGroup {
  CommandGroup commands;
  int* value;
};

std::vector<OptionGroup> OptionGroups() {
  State& s = App();
  return {{kRecordingQualities, &s.quality},
          {kGroupValues, &s.groupValue},
          {kDefaultTimes, &s.defaultTime},
          {kModes, &s.modeFlag},
          {kFrameRates, &s.framesPerSecond}};
}

int ActionNumber(int command) { return fileio::LeadingNumber(SKMACTE(command, App().menus)); }

void CheckItem(int command, bool on) {
  if (HMENU popup = SKPOPUPHANDLE(command / 100))
    CheckMenuItem(popup, UINT(command), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// Qualities, group values, default times, modes, frame rates: the group's value is the
// chosen entry's action text as a number; the check mark moves from the entry of the old
// value.
bool ChooseOption(int command) {
  for (const auto& g : OptionGroups()) {
    if (!g.commands.Holds(command)) continue;
    for (int c = g.commands.first; c <= g.commands.last; ++c) {
      if (App().menus.FindItem(c) && ActionNumber(c) == *g.value) {
        CheckItem(c, false);
        break;
      }
    }
    CheckItem(command, true);
    *g.value = ActionNumber(command);
    if (g.value == &App().modeFlag && *g.value != 0) *g.value = -1;
    return true;
  }
  return false;
}

void ChooseOutputSize(int command) {
  State& s = App();
  for (int c = kOutputSizes.first; c <= kOutputSizes.last; ++c) CheckItem(c, false);
  CheckItem(command, true);
  s.outputSize = SKMACTE(command, s.menus);
  ShowTitle();
}

void PlaySelectedSlides() {
  std::vector<std::string> paths = SelectedPaths();
  if (paths.empty()) {
    MESSAGEBOX(Ui(22));
    return;
  }
  std::string list;
  for (const auto& p : paths) list += (list.empty() ? "" : "|") + p;
  RUNSUITEPROGRAM(list, 1);
}

// A word about handing pictures over, then the media browser.
void GetPicturesFromBrowser() {
  State& s = App();
  if (SKFINDF(ParsePartnerEntry(Ui(15)).program).empty()) {
    MESSAGEBOX(Ui(28));
    return;
  }
  uint32_t mask = 0;
  BUILDBOX(s.frame, SKCAPTIONFONT(), Ui(1), ReplaceAll(Ui(65), "''", "\""), "", "", mask, ProgramBuildBoxStyle());
  SwitchToBrowser(kCodeFileType4);
}

// Commands that change the show or its files wait while a build runs.
bool Blocked(int id) {
  if (!App().building) return false;
  return id != kSlideList && id != kEffectGroupBox && id != kEffectList && id != kVolumeBar;
}

}  // namespace

void CheckOptionGroups() {
  State& s = App();
  for (const auto& g : OptionGroups()) {
    for (int c = g.commands.first; c <= g.commands.last; ++c) {
      if (!s.menus.FindItem(c)) continue;
      bool on = ActionNumber(c) == *g.value;
      CheckItem(c, on);
      if (on) break;
    }
  }
  for (int c = kOutputSizes.first; c <= kOutputSizes.last; ++c) {
    bool on = !s.outputSize.empty() && SKMACTE(c, s.menus) == s.outputSize;
    CheckItem(c, on);
  }
}

void OnCommand(int id, int notification) {
  State& s = App();
  if (Blocked(id)) return;
  if (SKMACTE(id, s.menus) == "END") {
    StopScan();
    SendMessageA(s.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  switch (id) {
    case kEffectGroupBox:
      if (notification == CBN_SELCHANGE) LOADLISTFILE();
      return;  // no walk for a choice in a box
    case kEffectList:
      return;
    case kTextField:
      return;
    case kSlideList:
      if (notification == LBN_SELCHANGE) ShowCurrentSlide();
      break;
    case kApplyEffectButton: GiveCurrentSlideEffect(); break;
    case kPreviewButton: PreviewTransition(); break;
    case kDeleteEffectButton: DeleteCurrentEffect(); break;
    case kSaveTextButton: SaveCurrentText(); break;
    case kDeleteTextButton: DeleteCurrentText(); break;
    case kPlayButton: PlaySelectedSlides(); break;
    case kPlaySoundButton: PlaySlideSound(); break;
    case kRecordButton: StartRecording(); break;
    case kStopButton: StopRecording(); break;
    case kDeleteSoundButton: DeleteSlideSound(); break;
    case kVolumeBar: VolumeBarMoved(); return;
    case kCmdNewShow: NewShow(); break;
    case kCmdOpenShow: OpenShow(); break;
    case kCmdSaveShow: SaveShow(); break;
    case kCmdBuildShow: BuildShow(); break;
    case kCmdPicturesFromBrowser: GetPicturesFromBrowser(); break;
    case kCmdChooseMusic: ChooseMusic(); break;
    case kCmdNoMusic: ClearMusic(); break;
    case kCmdHelp: ShowHelp(); break;
    case kCmdRemoveSlides: RemoveSelectedSlides(); break;
    case kCmdEffectToSelected: GiveSelectedSlidesEffect(); break;
    case kCmdSelectAll: SelectAllSlides(); break;
    case kCmdInvertSelection: InvertSelection(); break;
    case kCmdSelectNone: SelectNoSlides(); break;
    case kCmdCut: CutSlides(); break;
    case kCmdPaste: PasteSlides(); break;
    case kCmdOpenBrowser: SwitchToBrowser(kCodeFileType5); break;
    case kCmdDeleteTexts: case kCmdDeleteSounds: case kCmdDeleteEffects: case kCmdDeleteTimes:
      DeleteSelectedSideFiles(id);
      break;
    default:
      if (kDisplayTimes.Holds(id)) SetDisplayTime(id);
      else if (kOutputSizes.Holds(id)) ChooseOutputSize(id);
      else ChooseOption(id);
      break;
  }
  STARTSCANTHREAD();
}

}  // namespace dunmere
