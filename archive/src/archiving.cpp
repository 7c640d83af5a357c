#include "archiving.h"

#include <windows.h>

#include "boxes.h"
#include "commands.h"
#include "controls/thesaurus.h"
#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "grilton/filing.h"
#include "pictures.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"

namespace grilton {

namespace {

void FocusField(int field) {
  if (HWND w = FieldControl(field)) SetFocus(w);
}

// New words of the topic fields: added to every box and saved when the archive allows
// it (the file of UI entry 77 exists), else refused.
bool TakeNewWords() {
  Grilton& a = App();
  std::vector<int> unlisted = UnlistedTopics();
  if (unlisted.empty()) return true;
  bool allowed = !a.thesaurusAddFile.empty() && fileio::Exists(a.thesaurusAddFile);
  if (!allowed) {
    ResetTopic(unlisted.front());
    WarningBox(Ui(78));
    FocusField(unlisted.front());
    return false;
  }
  for (int field : unlisted) {
    char word[256] = {};
    GetWindowTextA(FieldControl(field), word, sizeof word);
    AddTopicWord(fileio::Trim(word));
  }
  SAVETHESAURUS(FieldControl(unlisted.front()), 0);
  return true;
}

// The form checked as filing needs it; the values to file, or false after a message.
bool CheckedValues(std::vector<std::string>& values) {
  Grilton& a = App();
  values = ReadForm();
  FormCheck check = CheckForm(a.fields, values, Ui(6), DbDayFirstDates());
  if (check.problem == FormProblem::BadDate) {
    WarningBox(a.titles[size_t(check.field - 1)] + " " + values[size_t(check.field - 1)]);
    FocusField(check.field);
    return false;
  }
  if (!TakeNewWords()) return false;
  if (check.problem == FormProblem::NoTopic) {
    WarningBox(Ui(7));
    FocusField(12);
    return false;
  }
  return true;
}

// What stopped a filing before its items were stored, named as precisely as the files
// allow: a counter that holds no number, a record file that cannot be filed into.
std::string FailureText(const FilingResult& r) {
  Grilton& a = App();
  if (r.stage == FilingStage::NoKey) {
    const std::string counter = a.place.CounterFile();
    std::string text;
    if (fileio::ReadWholeFile(counter, text) == 0) {
      text = fileio::Trim(text.substr(0, text.find_first_of("\r\n")));
      if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return counter + ": the key counter does not hold a number, so no key can be taken from it.";
      return counter + ": the next key no longer fits the key pattern \"" + a.place.keyPattern + "\".";
    }
  }
  if (r.stage == FilingStage::RecordFailed) {
    std::string problem;
    if (db::CheckRecordFile(a.place.RecordFile(), a.fields, problem) != 0 && !problem.empty()) return problem;
  }
  return SKWINERR(r.code);
}

bool FileWith(const std::vector<std::string>& values) {
  Grilton& a = App();
  FilingRequest request;
  request.picturePath = CurrentPicture();
  request.values = values;
  request.fields = a.fields;
  request.topicSlots = a.topicSlots;
  request.plannedDocument = PlannedDocument();
  SKCURSORWAIT();
  FilingResult r = FilePicture(a.place, request);
  SKCURSORSTD();
  switch (r.stage) {
    case FilingStage::Done:
      DropCurrentPicture();
      return true;
    case FilingStage::StoreFailed:
      WarningBox(r.failedFile + "|" + SKWINERR(r.code) + " " + (r.code == kDbRefused ? Ui(12) : std::string()));
      return false;
    default:
      WarningBox(Ui(13) + "|" + FailureText(r));
      return false;
  }
}

}  // namespace

bool FileCurrentPicture() {
  if (CurrentPicture().empty()) return false;
  std::vector<std::string> values;
  if (!CheckedValues(values)) return false;
  return FileWith(values);
}

void FileWholeList() {
  Grilton& a = App();
  if (a.pictures.empty() || !AskYesNo(Ui(61))) return;
  std::vector<std::string> values;
  if (!SelectPicture(0) && a.current != 0) return;
  if (!CheckedValues(values)) return;
  while (!a.pictures.empty()) {
    // Each picture keeps its own name, extension and picture facts.
    std::vector<std::string> mine = ReadForm();
    for (size_t f = 9; f < values.size(); ++f) mine[f] = values[f];
    mine[2] = values[2];
    if (!FileWith(mine)) break;
    if (a.pictures.empty() || !EscapeCheck(Ui(43))) break;
  }
  if (a.status) SetWindowTextA(a.status, "");
}

}  // namespace grilton
