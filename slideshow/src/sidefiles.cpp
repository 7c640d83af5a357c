#include "sidefiles.h"

#include <windows.h>

#include "boxes.h"
#include "commands.h"
#include "dunmere/side_data.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/side_files.h"
#include "partners.h"
#include "preview.h"
#include "skin/sk_controls.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "slides.h"
#include "state.h"

namespace dunmere {

namespace {

// The slide list redraws its side-file marks.
void RepaintMarks() {
  if (App().slideList) PostMessageA(App().frame, kMsgRepaint, reinterpret_cast<WPARAM>(App().slideList), 0);
}

}  // namespace

int WriteSideFile(const std::string& path, const std::string& text) {
  if (path.empty()) return fileio::kErrInvalidName;
  State& s = App();
  int64_t old = SKFILESIZE(path);
  int rc = fileio::WriteFileReplacing(path, text);
  if (rc != fileio::kOk) return rc;
  if (old >= 0) s.show -= Tally{old, 1};
  s.show += Tally{int64_t(text.size()), 1};
  ShowTotal();
  RepaintMarks();
  NOTIFYSUITE(path);
  return rc;
}

bool DeleteSideFile(const std::string& path, bool countInTotal) {
  if (path.empty()) return false;
  int64_t old = SKFILESIZE(path);
  if (old < 0 || SKKILLFILE(path) != 0) return false;
  if (countInTotal) {
    App().show -= Tally{old, 1};
    ShowTotal();
  }
  RepaintMarks();
  NOTIFYSUITE(path);
  return true;
}

void GiveCurrentSlideEffect() {
  State& s = App();
  int id = ChosenEffectId();
  if (s.sfxFile.empty() || id < 0) return;
  WriteSideFile(s.sfxFile, FormatEffectFile(id, ChosenEffectEntry()));
}

void DeleteCurrentEffect() { DeleteSideFile(App().sfxFile); }

void SaveCurrentText() {
  State& s = App();
  if (s.kwdFile.empty() || !s.textField) return;
  std::string text = SkGetCtlText(s.textField);
  // An empty text leaves no empty side file behind.
  if (text.empty()) DeleteSideFile(s.kwdFile);
  else WriteSideFile(s.kwdFile, text);
}

void DeleteCurrentText() {
  State& s = App();
  DeleteSideFile(s.kwdFile);
  if (s.textField) SetWindowTextA(s.textField, "");
}

void GiveSelectedSlidesEffect() {
  std::vector<std::string> paths = SelectedPaths();
  int id = ChosenEffectId();
  if (paths.empty() || id < 0) return;
  if (PROGRAMBOX(Ui(61), Ui(70)) != 1) return;
  std::string text = FormatEffectFile(id, ChosenEffectEntry());
  for (const auto& p : paths) WriteSideFile(SideFilePath(p, kEffectSideFile, SideFileNoDot::kNone), text);
}

void DeleteSelectedSideFiles(int command) {
  std::string action = SKMACTE(command, App().menus);
  std::string name = fileio::Trim(FieldOf(action, ",", 1));
  std::string extension = fileio::Trim(FieldOf(action, ",", 2));
  // Only a slide's own side files: an action text naming another extension (the picture's
  // own) deletes nothing.
  std::vector<std::string> paths = SelectedPaths();
  if (!IsSlideSideFileKind(extension) || paths.empty()) return;
  if (PROGRAMBOX(ReplaceAll(Ui(81), "@", name), Ui(70)) == 1) {
    for (const auto& p : paths) {
      std::string side = SideFilePath(p, extension, SideFileNoDot::kNone);
      if (!side.empty() && SKKILLFILE(side) == 0) NOTIFYSUITE(side);
    }
    if (App().slideList) PostMessageA(App().frame, kMsgRepaint, reinterpret_cast<WPARAM>(App().slideList), 0);
  }
  ShowCurrentSlide();
}

void SetDisplayTime(int command) {
  State& s = App();
  if (HMENU popup = SKPOPUPHANDLE(kTimeMenu)) {
    for (int c = kDisplayTimes.first; c <= kDisplayTimes.last; ++c)
      CheckMenuItem(popup, UINT(c), MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(popup, UINT(command), MF_BYCOMMAND | MF_CHECKED);
  }
  std::string value = fileio::Trim(SKMACTE(command, s.menus));
  for (const auto& p : SelectedPaths()) {
    std::string tim = SideFilePath(p, kTimeSideFile, SideFileNoDot::kNone);
    if (tim.empty()) continue;
    if (command == kCmdDefaultDisplayTime || value.empty()) DeleteSideFile(tim);
    else WriteSideFile(tim, value);
  }
  std::string prefix =
      command == kCmdDefaultDisplayTime ? std::string() : TimePrefix(Ui(52), fileio::LeadingNumber(value));
  SetStatus(StatusAfterTimeCommand(StatusText(), prefix));
}

}  // namespace dunmere
