#include "editing.h"

#include <windows.h>

#include <string>
#include <vector>

#include "boxes.h"
#include "controls/thesaurus.h"
#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "lumbric/media.h"
#include "lumbric/records.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"

namespace lumbric {

namespace {

int KeyWidth() { return App().fields.empty() ? 8 : App().fields[0].width; }

// The archive's first media library: data folder + base name + "001" + ".B01".
std::string Library() {
  std::string name = App().baseName;
  qBtMmName(name, 1);
  return App().dataFolder + name + ".B01";
}

void ShowFound(int rc, int record) {
  if (rc == 0) {
    ShowRecord(record);
  } else if (rc != kBtNoKey) {
    ErrorBox(SKWINERR(rc));
  }
}

// Words of the topic slots that their boxes lack go into every box, and the thesaurus
// is saved from them.
void AddNewTopicWords(const std::vector<std::string>& values) {
  Lumbric& a = App();
  std::vector<HWND> boxes = TopicBoxes();
  bool added = false;
  const std::string none = fileio::Trim(Ui(6));
  for (size_t i = 0; i < a.fields.size() && i < values.size(); ++i) {
    if (!(a.fields[i].flag == 1 || a.fields[i].flag == 10) || !a.controls[i]) continue;
    std::string word = fileio::Trim(values[i]);
    if (word.empty() || word == none) continue;
    if (SendMessageA(a.controls[i], CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(word.c_str())) != CB_ERR) continue;
    for (HWND box : boxes) SendMessageA(box, CB_ADDSTRING, 0, LPARAM(word.c_str()));
    added = true;
  }
  if (added && !boxes.empty()) SAVETHESAURUS(boxes.front(), 0);
}

}  // namespace

bool RefusedWhileLocked() {
  if (!App().locked) return false;
  MessageBeep(MB_ICONHAND);
  ErrorBox(Ui(50), Ui(1));
  return true;
}

void GoTo(Step step) {
  Lumbric& a = App();
  // No record file yet: nothing to walk, and no empty index made for it.
  if (!fileio::Exists(a.RecordFile())) return;
  std::string current = FieldControl(1) ? SkGetCtlText(FieldControl(1)) : a.key;
  std::string key;
  int record = 0;
  int rc = StepKey(a.RecordFile(), KeyWidth(), step, current, key, record);
  ShowFound(rc, record);
}

void GoToTypedKey() {
  Lumbric& a = App();
  HWND field = FieldControl(1);
  if (!field || !fileio::Exists(a.RecordFile())) return;
  std::string key = TypedKey(SkGetCtlText(field), KeyWidth());
  if (key.empty()) return;
  SKSETCTLTEXT(field, key);
  int record = 0;
  if (FindKey(a.RecordFile(), KeyWidth(), key, record) == 0) ShowRecord(record);
}

void SaveShown() {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  if (a.recordNumber < 2 || fileio::Trim(a.key).empty()) return;
  std::vector<std::string> values = ReadForm();
  // The key is the record's, whatever the field says now.
  values[0] = a.key;
  FormCheck check = CheckFormValues(values, a.fields, a.topicSlots, Ui(6), DbDayFirstDates());
  if (!check.ok) {
    MessageBeep(MB_ICONHAND);
    if (check.invalidField) {
      HWND caption = a.captions[size_t(check.invalidField - 1)];
      ErrorBox((caption ? SkGetCtlText(caption) : std::string()) + " " + values[size_t(check.invalidField - 1)]);
      SetFocus(FieldControl(check.invalidField));
    } else {
      ErrorBox(Ui(7));
      SetFocus(FieldControl(db::FieldFirstTopic()));
    }
    return;
  }
  if (!a.thesaurusCheck || SKGETCHECK(a.thesaurusCheck)) AddNewTopicWords(values);
  int fileNumber = 0, ok = 0;
  int rc = DBOPENF(a.RecordFile(), fileNumber, ok);
  if (ok) {
    SKCURSORWAIT();
    rc = SAVERECORD(a.RecordFile(), fileNumber, a.recordNumber, values, a.fields);
    SKFCLOSE(fileNumber);
  } else if (rc == 0) {
    rc = kDbErrInvalidHandle;
  }
  if (rc != 0) {
    ErrorBox(SKWINERR(rc));
    return;
  }
  InfoBox(Ui(10), Ui(9));
}

void DeleteShown() {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  if (a.recordNumber < 2 || fileio::Trim(a.key).empty()) return;
  if (!Ask(Ui(30), Ui(51))) return;
  std::vector<std::string> values = ReadForm();
  values[0] = a.key;
  int fileNumber = 0, ok = 0;
  int rc = DBOPENF(a.RecordFile(), fileNumber, ok);
  if (!ok) {
    ErrorBox(SKWINERR(rc != 0 ? rc : kDbErrInvalidHandle));
    return;
  }
  SKCURSORWAIT();
  rc = DELETERECORD(a.RecordFile(), fileNumber, a.recordNumber, values, a.fields);
  std::string failed;
  if (rc == 0) {
    for (const std::string& item : RecordMediaItems(a.key, values[3])) {
      std::string name = item;
      qBtMmText(name, 1);
      int removed = qBtMmLib(Library(), a.settings.workFolder + item, -3);
      if (removed != 0) {
        rc = removed;
        failed = item;
        break;
      }
    }
  }
  SKFCLOSE(fileNumber);
  if (rc != 0) {
    ErrorBox((failed.empty() ? std::string() : failed + "|") + SKWINERR(rc));
    if (failed.empty()) return;
  }
  const std::string deleted = a.key;
  ClearForm();
  std::string key;
  int record = 0;
  int found = KeyBefore(a.RecordFile(), KeyWidth(), deleted, key, record);
  if (found == kBtNoKey) found = StepKey(a.RecordFile(), KeyWidth(), Step::First, "", key, record);
  ShowFound(found, record);
}

void CopyMediaOut() {
  Lumbric& a = App();
  if (fileio::Trim(a.key).empty()) return;
  std::vector<std::string> values = ReadForm();
  int copied = 0;
  std::string failed;
  SKCURSORWAIT();
  int rc = EXTRACTRECORDMEDIA(Library(), a.settings.workFolder, a.key, fileio::Trim(values[3]), copied, failed);
  if (rc != 0) {
    ErrorBox((failed.empty() ? a.settings.workFolder : failed) + "|" + SKWINERR(rc));
    return;
  }
  std::string text = Ui(48);
  size_t hash = text.find('#');
  if (hash != std::string::npos) text.replace(hash, 1, std::to_string(copied));
  InfoBox(Ui(1), text);
}

}  // namespace lumbric
