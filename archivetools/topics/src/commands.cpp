#include "commands.h"

#include <windows.h>

#include "boxes.h"
#include "closing.h"
#include "controls/thesaurus.h"
#include "db/archive.h"
#include "editing.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "lock.h"
#include "mainwindow.h"
#include "skin/sk_boxes.h"
#include "skin/sk_menu.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "tools.h"
#include "topic_titles.h"

namespace lumbric {

namespace {

void Start() {
  Lumbric& a = App();
  InvalidateRect(a.frame, nullptr, TRUE);
  LOADTHESAURUS();
  if (HWND key = FieldControl(1)) SetFocus(key);
}

void ReloadThesaurus() {
  Lumbric& a = App();
  UpdateControlsHost();
  LOADTHESAURUS();
  if (a.recordNumber >= 2) ShowRecord(a.recordNumber);
}

void NewThesaurus(int command) {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  std::string name;
  if (SKINPUTBOX(a.frame, SKCAPTIONFONT(), Ui(18), Ui(17), "", name, SkBoxStyle::Input(a.icon, 20)) != 1) return;
  name = fileio::Trim(name);
  if (name.empty()) return;
  if (int rc = SKVALIDNAME(name); rc != 0) {
    ErrorBox(name + "|" + SKWINERR(rc), MenuText(command));
    return;
  }
  name = fileio::ToUpper(SKCRUNCH(SKCRUNCH(name, "./\\:;, "), " --   _"));
  if (name.empty()) return;
  const std::string path = a.dataFolder + name + ".THM";
  if (!fileio::Exists(path)) {
    int rc = fileio::WriteFileReplacing(path, "");
    if (rc != 0) {
      ErrorBox(path + "|" + SKWINERR(rc), MenuText(command));
      return;
    }
  }
  FillThesaurusBox();
}

void EditThesaurus(int command) {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  std::string title = Ui(38);
  size_t at = title.find('@');
  if (at != std::string::npos) title.replace(at, 1, a.settings.thesaurus);
  RUNTHESAURUS(MenuText(command) + " - " + title, Ui(39), 40);
  FillThesaurusBox();
  ReloadThesaurus();
}

void EditTopicTitles(int command) {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  std::vector<std::string> current = TopicTitles();
  std::string titles;
  for (size_t i = 0; i < current.size(); ++i) titles += (i ? "|" : "") + current[i];
  const std::string before = titles;
  if (TOPICTITLEBOX(a.frame, MenuText(command), titles) != 1) return;
  std::vector<std::string> parts;
  SKSPLITS(titles, "|", parts);
  if (fileio::Exists(a.TitleFile())) SKKILLFILE(a.TitleFile());
  int rc = db::WriteTopicTitles(a.TitleFile(), parts);
  if (rc != 0) {
    ErrorBox(a.TitleFile() + "|" + SKWINERR(rc));
    return;
  }
  if (titles != before && Ask(Ui(30), Ui(37))) {
    a.restart = true;
    PostMessageA(a.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
}

void ThesaurusChosen() {
  Lumbric& a = App();
  char name[256] = {};
  LRESULT at = SendMessageA(a.thesaurusBox, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return;
  SendMessageA(a.thesaurusBox, CB_GETLBTEXT, WPARAM(at), LPARAM(name));
  a.settings.thesaurus = name;
  ReloadThesaurus();
}

}  // namespace

void OnCommand(int id, int notification) {
  Lumbric& a = App();
  if (id > 0 && SKMACTE(id, a.menus) == "END") {
    OnSysClose();
    return;
  }
  switch (id) {
    case kCmdStart:
      Start();
      break;
    case kCmdSave:
      SaveShown();
      break;
    case kCmdDelete:
      DeleteShown();
      break;
    case kCmdFirst:
      GoTo(Step::First);
      break;
    case kCmdLast:
      GoTo(Step::Last);
      break;
    case kCmdPrevious:
      GoTo(Step::Previous);
      break;
    case kCmdNext:
      GoTo(Step::Next);
      break;
    case kCmdMedia:
      CopyMediaOut();
      break;
    case kCmdLock:
      ToggleLock();
      break;
    case kThesaurusBox:
      if (notification == CBN_SELENDOK) ThesaurusChosen();
      break;
    case kCmdNewThesaurus:
      NewThesaurus(id);
      break;
    case kCmdEditThesaurus:
      EditThesaurus(id);
      break;
    case kCmdTopicTitles:
      EditTopicTitles(id);
      break;
    case kCmdSetPassword:
      SETPASSWORD(id);
      break;
    case kCmdStatistics:
      ShowStatistics(id);
      break;
    case kCmdHelp:
      ShowHelp();
      break;
    case kCmdRebuildIndex:
      RebuildIndexes(id);
      break;
    case kCmdLibraryIndexes:
    case kCmdCompactLibraries:
      RunMaintenance(id);
      break;
    case kCmdExportThesaurus:
      ExportCurrentThesaurus();
      break;
    case kCmdExportRecords:
      ExportRecords(id);
      break;
    case kCmdEmptyWorkFolder:
      EmptyWorkFolder();
      break;
    default:
      break;
  }
}

}  // namespace lumbric
