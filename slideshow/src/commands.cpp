// The commands of the slide show maker's menus, buttons and controls.
#include "boxes.h"
#include "build.h"
#include "controls/buildbox.h"
#include "fileio/fields.h"
#include "imaging/copydata.h"
#include "imaging/partner_entry.h"
#include "layout.h"
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
#include "ui_rules.h"
#include "wndproc.h"

namespace dunmere {

namespace {

struct OptionGroup {
  int first;
  int last;
  int* value;
};

std::vector<OptionGroup> OptionGroups() {
  State& s = App();
  return {{601, 612, &s.quality},
          {701, 709, &s.groupValue},
          {801, 812, &s.defaultTime},
          {901, 902, &s.modeFlag},
          {1101, 1199, &s.framesPerSecond}};
}

int ActionNumber(int command) { return fileio::LeadingNumber(SKMACTE(command, App().menus)); }

void CheckItem(int command, bool on) {
  if (HMENU popup = SKPOPUPHANDLE(command / 100))
    CheckMenuItem(popup, UINT(command), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// 601-612, 701-709, 801-812, 901/902, 1101-1199: the group's value is the chosen entry's
// action text as a number; the check mark moves from the entry of the old value.
bool ChooseOption(int command) {
  for (const auto& g : OptionGroups()) {
    if (command < g.first || command > g.last) continue;
    for (int c = g.first; c <= g.last; ++c) {
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
  for (int c = 1001; c <= 1014; ++c) CheckItem(c, false);
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

// Command 106: a word about handing pictures over, then the media browser.
void GetPicturesFromBrowser() {
  State& s = App();
  if (SKFINDF(ParsePartnerEntry(Ui(15)).program).empty()) {
    MESSAGEBOX(Ui(28));
    return;
  }
  BuildBoxStyle style;
  style.icon = s.icon;
  style.textColour = SKGETSYSCOLOR(113);
  style.secondColour = SKGETSYSCOLOR(112);
  style.layout = 6;
  style.flag = 0;
  style.textStyle = kTextRaised;
  uint32_t mask = 0;
  BUILDBOX(s.frame, SKCAPTIONFONT(), Ui(1), ReplaceAll(Ui(65), "''", "\""), "", "", mask, style);
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
    for (int c = g.first; c <= g.last; ++c) {
      if (!s.menus.FindItem(c)) continue;
      bool on = ActionNumber(c) == *g.value;
      CheckItem(c, on);
      if (on) break;
    }
  }
  for (int c = 1001; c <= 1014; ++c) {
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
    case 101: NewShow(); break;
    case 102: OpenShow(); break;
    case 103: SaveShow(); break;
    case 104: BuildShow(); break;
    case 106: GetPicturesFromBrowser(); break;
    case 107: ChooseMusic(); break;
    case 108: ClearMusic(); break;
    case 110: ShowHelp(); break;
    case 203: RemoveSelectedSlides(); break;
    case 204: GiveSelectedSlidesEffect(); break;
    case 205: SelectAllSlides(); break;
    case 206: InvertSelection(); break;
    case 207: SelectNoSlides(); break;
    case 209: CutSlides(); break;
    case 210: PasteSlides(); break;
    case 212: SwitchToBrowser(kCodeFileType5); break;
    case 214: case 215: case 216: case 217: DeleteSelectedSideFiles(id); break;
    default:
      if (id >= 501 && id <= 513) SetDisplayTime(id);
      else if (id >= 1001 && id <= 1014) ChooseOutputSize(id);
      else ChooseOption(id);
      break;
  }
  STARTSCANTHREAD();
}

}  // namespace dunmere
