#include "commands.h"

#include <windows.h>

#include "form.h"
#include "mainwindow.h"
#include "ostrel/conditions.h"
#include "queries.h"
#include "searches.h"
#include "skin/sk_controls.h"
#include "skin/sk_menu.h"
#include "state.h"

namespace ostrel {

namespace {

constexpr int kFocusNotification = EN_SETFOCUS;

void OnFieldFocus(int field) {
  Ostrel& a = App();
  a.focusField = field;
  const DBFIELD& f = a.fields[size_t(field)];
  SetUpRadios(f.kind, f.spare);
}

void OnRadio(int op) {
  Ostrel& a = App();
  if (a.focusField < 0 || size_t(a.focusField) >= a.fields.size()) return;
  a.fields[size_t(a.focusField)].spare = uint8_t(op);
}

void OnThesaurusChoice() {
  Ostrel& a = App();
  LRESULT at = SendMessageA(a.thesaurusBox, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return;
  char name[MAX_PATH] = {};
  if (SendMessageA(a.thesaurusBox, CB_GETLBTEXTLEN, WPARAM(at), 0) >= LRESULT(sizeof name)) return;
  SendMessageA(a.thesaurusBox, CB_GETLBTEXT, WPARAM(at), LPARAM(name));
  a.settings.thesaurus = name;
  FillWordList();
}

// A word of the list goes into the field that had the focus last.
void OnWordChosen() {
  Ostrel& a = App();
  LRESULT at = SendMessageA(a.wordList, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR || a.focusField < 0) return;
  LRESULT length = SendMessageA(a.wordList, LB_GETTEXTLEN, WPARAM(at), 0);
  if (length < 0) return;
  std::string word(size_t(length) + 1, '\0');
  SendMessageA(a.wordList, LB_GETTEXT, WPARAM(at), LPARAM(word.data()));
  word.resize(size_t(length));
  SKSETCTLTEXT(a.rows[size_t(a.focusField)].value, word);
  FocusField(size_t(a.focusField));
}

}  // namespace

void OnCommand(int id, int notification) {
  Ostrel& a = App();
  if (int field = FieldOfControl(id); field >= 0) {
    if (notification == kFocusNotification) OnFieldFocus(field);
    return;
  }
  if (id > kRadioBase && id <= kRadioBase + kOperatorCount) {
    if (notification == BN_CLICKED) OnRadio(id - kRadioBase);
    return;
  }
  if (id == kCmdSearch) {
    if (a.searching) a.stopRequested = true;
    else RunQuery();
    return;
  }
  // One thing at a time while a search runs.
  if (a.searching) return;
  switch (id) {
    case kThesaurusBox:
      if (notification == CBN_SELCHANGE) OnThesaurusChoice();
      break;
    case kWordList:
      if (notification == LBN_DBLCLK) OnWordChosen();
      break;
    case kCmdSave:
      SaveQuery();
      break;
    case kCmdLoad:
      LoadQuery();
      break;
    case kCmdDelete:
      DeleteQuery();
      break;
    case kCmdFreeText:
      RunFreeText();
      break;
    case kCmdEmptyResult:
      EmptyResultCommand();
      break;
    case kCmdStatistics:
      ShowStatistics();
      break;
    case kCmdHelp:
      ShowHelp();
      break;
    case kCmdPassOverMarked:
      a.passOverMarked = !a.passOverMarked;
      if (HMENU popup = SKPOPUPHANDLE(kCmdPassOverMarked / 100))
        CheckMenuItem(popup, UINT(kCmdPassOverMarked), MF_BYCOMMAND | (a.passOverMarked ? MF_CHECKED : MF_UNCHECKED));
      break;
    default:
      break;
  }
}

}  // namespace ostrel
