#include "commands.h"

#include <windows.h>

#include <algorithm>

#include "grilton/recording_volume.h"
#include "archiving.h"
#include "boxes.h"
#include "closing.h"
#include "controls/thesaurus.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "documents.h"
#include "form.h"
#include "help.h"
#include "imaging/gdiplus_helpers.h"
#include "mainwindow.h"
#include "pictures.h"
#include "recording.h"
#include "scan.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_files.h"
#include "skin/sk_menu.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"

namespace grilton {

namespace {

int ActionNumber(int command) { return fileio::LeadingNumber(SKMACTE(command, App().menus)); }

void CheckItem(int command, bool on) {
  if (HMENU popup = SKPOPUPHANDLE(command / 100))
    CheckMenuItem(popup, UINT(command), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

HWND Control(int id) { return App().clientHolder ? GetDlgItem(App().clientHolder, id) : nullptr; }

void Enable(int id, bool on) {
  if (HWND w = Control(id)) EnableWindow(w, on ? TRUE : FALSE);
}

void Start() {
  Grilton& a = App();
  LOADTHESAURUS();
  if (!CurrentPicture().empty()) FillForm(CurrentPicture());
  Sleep(10);
  std::string line = fileio::Trim(a.commandLine);
  if (fileio::ToUpper(line) == "WAITFORCOMMAND") return;
  std::string folder = line.empty() ? a.settings.startFolder : fileio::UnquoteField(line);
  if (!folder.empty()) ListFolder(folder);
}

void ReloadThesaurus() {
  UpdateControlsHost();
  LOADTHESAURUS();
  if (!CurrentPicture().empty()) FillForm(CurrentPicture());
}

void DeletePicture() {
  std::string picture = CurrentPicture();
  if (picture.empty() || App().recording) return;
  if (!AskYesNo(Ui(3))) return;
  DiscardWorkFiles();
  RECYCLEFILE(picture, 0);
  DropCurrentPicture();
}

void NewThesaurus() {
  Grilton& a = App();
  std::string name;
  if (SKINPUTBOX(a.frame, SKCAPTIONFONT(), Ui(1), Ui(17), Ui(18), name, SkBoxStyle::Input(a.icon, 20)) != 1) return;
  name = fileio::Trim(name);
  if (name.empty()) return;
  if (int rc = SKVALIDNAME(name); rc != 0) {
    WarningBox(name + "|" + SKWINERR(rc));
    return;
  }
  name = fileio::ToUpper(SKCRUNCH(name, "./\\:;, ", " --   _"));
  std::string path = a.place.dataFolder + name + ".THM";
  if (!fileio::Exists(path)) {
    fileio::WriteFileReplacing(path, Ui(6) + "\r\n");
    if (FillThesaurusBox()) ReloadThesaurus();
  }
}

void ThesaurusChosen() {
  Grilton& a = App();
  char name[256] = {};
  LRESULT at = SendMessageA(a.thesaurusBox, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR || SendMessageA(a.thesaurusBox, CB_GETLBTEXTLEN, WPARAM(at), 0) >= LRESULT(sizeof name)) return;
  SendMessageA(a.thesaurusBox, CB_GETLBTEXT, WPARAM(at), LPARAM(name));
  // A choice is told twice (changed, then made): the second finds it in use.
  if (a.settings.thesaurus == name) return;
  a.settings.thesaurus = name;
  ReloadThesaurus();
}

// The editor's title names the thesaurus in use ("@") and counts its words ("#").
void EditThesaurus() {
  Grilton& a = App();
  std::string title = Ui(37).empty() ? Ui(1) : Ui(37);
  if (size_t at = title.find('@'); at != std::string::npos) title.replace(at, 1, a.settings.thesaurus);
  RUNTHESAURUS(title, Ui(38).empty() ? "Add|Delete|Close" : Ui(38), 40);
  LOADTHESAURUS();
  if (!CurrentPicture().empty()) FillForm(CurrentPicture());
}

void EditPicture() {
  Grilton& a = App();
  std::string picture = CurrentPicture();
  if (picture.empty()) return;
  std::string tool = SKFINDF(a.programFolder + "BRAVIK.EXE");
  if (tool.empty()) return;
  ShowWindow(a.frame, SW_MINIMIZE);
  SKSHELL(tool + " " + picture, SW_SHOW, 65535);
  ShowWindow(a.frame, SW_RESTORE);
  FillForm(picture);
  RefreshView();
}

}  // namespace

void CheckRecordingChoice() {
  Grilton& a = App();
  for (int c = kCmdRecordingFirst; c <= kCmdRecordingLast; ++c)
    if (a.menus.FindItem(c)) CheckItem(c, ActionNumber(c) == a.settings.recordingChoice);
}

void EnableSoundButtons() {
  Grilton& a = App();
  std::string sound = WorkSound();
  bool has = !sound.empty() && fileio::Exists(sound) && !a.recording;
  Enable(kCmdPlaySound, has);
  Enable(kCmdDeleteSound, has);
  Enable(kCmdRecord, !CurrentPicture().empty() && !a.recording);
  Enable(kCmdStopRecording, a.recording);
  EnableDocumentButtons();
}

void OnCommand(int id, int notification) {
  Grilton& a = App();
  if (id > 0 && SKMACTE(id, a.menus) == "END") {
    OnSysClose();
    return;
  }
  if (id >= kCmdRecordingFirst && id <= kCmdRecordingLast) {
    a.settings.recordingChoice = ActionNumber(id);
    CheckRecordingChoice();
    return;
  }
  switch (id) {
    case kCmdStart:
      Start();
      break;
    case kCmdFirst:
    case kCmdBack:
    case kCmdForward:
    case kCmdLast:
      StepStrip(id);
      break;
    case kCmdFile:
      FileCurrentPicture();
      break;
    case kCmdDelete:
      DeletePicture();
      break;
    case kCmdPlaySound:
      PlayComment();
      break;
    case kCmdRecord:
      RecordComment();
      break;
    case kCmdStopRecording:
      StopRecording();
      break;
    case kCmdDeleteSound:
      DeleteComment();
      break;
    case kCmdEditPicture:
      EditPicture();
      break;
    case kThesaurusBox:
      // Chosen with the mouse the box tells both; stepped through with the keys, only
      // the change.
      if (notification == kSelectionChanged || notification == CBN_SELCHANGE) ThesaurusChosen();
      break;
    case kVolumeBar:
      if (HWND bar = Control(kVolumeBar)) WriteRecordingVolume(a.mixer.Handle(), SKGETTRACKPOS(bar));
      break;
    case kCmdOpenDocument:
      OpenDocument();
      break;
    case kCmdAttachDocument:
      AttachDocument();
      break;
    case kCmdFileAll:
      FileWholeList();
      break;
    case kCmdHelp:
      ShowHelp();
      break;
    case kCmdNewThesaurus:
      NewThesaurus();
      break;
    case kCmdEditThesaurus:
      EditThesaurus();
      break;
    case kCmdScan:
      ScanPages();
      break;
    case kCmdSelectSource:
      SelectSource();
      break;
    default:
      break;
  }
}

}  // namespace grilton
