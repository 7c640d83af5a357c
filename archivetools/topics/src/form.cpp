#include "form.h"

#include <algorithm>

#include "controls/controls_host.h"
#include "controls/listbox.h"
#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "lumbric/command_ids.h"
#include "lumbric/form_rules.h"
#include "mainwindow.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "boxes.h"
#include "state.h"
#include "wndproc.h"

namespace lumbric {

namespace {

constexpr int kRowHeight = 26;
constexpr int kFieldHeight = 22;
constexpr int kCaptionWidth = 92;
constexpr int kColumnWidth = 282;
constexpr int kFormRight = 578;
constexpr int kPanelMargin = 8;
constexpr int kProgressLeft = 587;
constexpr int kProgressBottom = 22;
constexpr int16_t kKindDate = 4;

bool IsTopic(const DBFIELD& f) { return f.flag == 1 || f.flag == 10; }

// Pixels of a field's control: a character width per column, within the column.
int ControlWidth(const DBFIELD& f, int room) {
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(SKDEFAULTFONT(), space, height);
  int perChar = std::max(7, space + 2);
  int columns = f.kind == kKindDate ? 10 : f.width;
  return std::clamp(perChar * (columns + 1), 24, room);
}

HWND Caption(HWND parent, const std::string& text, int x, int y, int width) {
  HWND w = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS,
                           x, y + 3, width, kFieldHeight - 4, parent, nullptr, App().instance, nullptr);
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  return w;
}

// The captions of the fields that are not topic slots: UI entries 70 .. 80 for fields 1
// to 11, 81 .. 88 for the fields after the slots.
std::string FixedTitle(int field, int n) {
  if (field <= 11) return Ui(69 + field);
  return Ui(81 + field - db::FieldFreeText(n));
}

void SetText(int field, const std::string& text) {
  if (HWND w = FieldControl(field)) SKSETCTLTEXT(w, text);
}

std::string Text(HWND w) { return w ? SkGetCtlText(w) : std::string(); }

}  // namespace

void PrepareFields() {
  Lumbric& a = App();
  db::TopicSlots slots = db::ParseTopicSlots(Ui(59));
  a.topicSlots = slots.count;
  SYSTEMTIME t;
  GetLocalTime(&t);
  a.fields = db::ArchiveFields(a.topicSlots, t.wYear, t.wMonth, int32_t(SKGETSYSCOLOR(113)),
                               int32_t(SKGETSYSCOLOR(112)));
}

HWND FieldControl(int field) {
  Lumbric& a = App();
  if (field < 1 || size_t(field) > a.controls.size()) return nullptr;
  return a.controls[size_t(field - 1)];
}

std::vector<HWND> TopicBoxes() {
  Lumbric& a = App();
  std::vector<HWND> boxes;
  for (size_t i = 0; i < a.fields.size() && i < a.controls.size(); ++i)
    if (IsTopic(a.fields[i]) && a.controls[i]) boxes.push_back(a.controls[i]);
  return boxes;
}

void UpdateControlsHost() {
  Lumbric& a = App();
  ControlsHost host;
  host.mainWindow = a.frame;
  host.windowProc = WNDPROC;
  host.fields = a.fields;
  host.dataFolder = a.dataFolder;
  host.thesaurusName = a.settings.thesaurus;
  host.TakeUiEntries(a.strings);
  host.archiveName = a.baseName;
  SetControlsHost(host);
}

HWND ADDINPUTFIELD(HWND parent, const DBFIELD& f, int fieldNumber, int x, int y, int width) {
  const int id = kFieldIdBase + fieldNumber;
  if (IsTopic(f)) {
    HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, x, y,
                               width, 200, parent, reinterpret_cast<HMENU>(INT_PTR(id)), App().instance, nullptr);
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
    SendMessageA(box, CB_LIMITTEXT, WPARAM(f.width), 0);
    return box;
  }
  const bool range = f.flag == 2 && f.minimum < f.maximum;
  const int length = f.kind == kKindDate ? 10 : f.width;
  HWND field = SKINPUT(parent, "", x, y, width, kFieldHeight, id, length, range ? f.minimum : 0,
                       range ? f.maximum : 0);
  if (field) SetWindowLongPtrA(field, GWL_STYLE, GetWindowLongPtrA(field, GWL_STYLE) | WS_TABSTOP);
  return field;
}

void BUILDLAYOUT(HWND parent, int x, int y) {
  Lumbric& a = App();
  const int n = a.topicSlots;
  const size_t count = a.fields.size();
  if (count < size_t(db::FieldLayered(n))) return;
  a.controls.assign(count, nullptr);
  a.captions.assign(count, nullptr);
  a.titles.assign(count, "");
  std::vector<std::string> topics = db::ReadTopicTitles(a.TitleFile(), n, db::ParseTopicSlots(Ui(59)).titlePrefix);
  for (int f = 1; f <= int(count); ++f) {
    bool topic = f >= db::FieldFirstTopic() && f < db::FieldFreeText(n);
    a.titles[size_t(f - 1)] = topic ? topics[size_t(f - db::FieldFirstTopic())] : FixedTitle(f, n);
  }
  // The fields that are not topic slots, two a row; the free text takes a whole row.
  int rowY = y, column = 0;
  auto place = [&](int f, bool wide) {
    if (wide && column) {
      column = 0;
      rowY += kRowHeight;
    }
    const int cx = x + column * kColumnWidth;
    const int room = wide ? kFormRight - cx - kCaptionWidth : kColumnWidth - kCaptionWidth - 8;
    const DBFIELD& field = a.fields[size_t(f - 1)];
    a.captions[size_t(f - 1)] = Caption(parent, a.titles[size_t(f - 1)], cx, rowY, kCaptionWidth - 4);
    a.controls[size_t(f - 1)] = ADDINPUTFIELD(parent, field, f, cx + kCaptionWidth, rowY, ControlWidth(field, room));
    if (wide || ++column == 2) {
      column = 0;
      rowY += kRowHeight;
    }
  };
  for (int f = 1; f <= 11; ++f) place(f, false);
  place(db::FieldFreeText(n), true);
  for (int f = db::FieldFlag(n); f <= int(count); ++f) place(f, false);
  if (column) rowY += kRowHeight;
  rowY += 6;

  // The topic slots, one a row, in the list panel that takes the rest of the form.
  RECT client;
  GetClientRect(parent, &client);
  const int rightMargin = std::max<int>(kPanelMargin, client.right - kFormRight);
  a.topicPanel = SKLISTBOX(WS_EX_CONTROLPARENT, parent, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, x, rowY,
                           rightMargin, kPanelMargin, nullptr, n, kRowHeight, ListSizing::FromParent);
  HWND panel = a.topicPanel ? a.topicPanel : parent;
  const int px = a.topicPanel ? 2 : x, top = a.topicPanel ? 0 : rowY;
  for (int k = 1; k <= n; ++k) {
    const int f = db::FieldFirstTopic() + k - 1;
    const int py = top + (k - 1) * kRowHeight;
    a.captions[size_t(f - 1)] = Caption(panel, a.titles[size_t(f - 1)], px, py, 2 * kCaptionWidth - 8);
    a.controls[size_t(f - 1)] = ADDINPUTFIELD(panel, a.fields[size_t(f - 1)], f, px + 2 * kCaptionWidth, py,
                                              ControlWidth(a.fields[size_t(f - 1)], 300));
  }
  for (size_t i = 0; i < count; ++i) {
    a.fields[i].control = reinterpret_cast<intptr_t>(a.controls[i]);
    a.fields[i].label = reinterpret_cast<intptr_t>(a.captions[i]);
  }
  // Enter in the key field looks the typed number up.
  if (HWND keyField = FieldControl(1)) SKSETKEYBOARDHOOK(keyField, a.frame);
  UpdateControlsHost();
}

void BuildForm() {
  Lumbric& a = App();
  // The start command is queued before the form's fields exist: the window shows before
  // the form is built, and a command that a user or a partner posts once the fields are
  // there must come after it, as when the form was complete before the window showed.
  PostMessageA(a.frame, WM_COMMAND, WPARAM(kCmdStart & 0xFFFF), 0);
  a.hasCounter = fileio::Exists(a.CounterFile());
  a.hasRecords = fileio::Exists(a.RecordFile());
  a.locked = fileio::Exists(a.PasswordFile());
  HWND parent = a.clientHolder;
  CreateButtons(parent);
  RECT client;
  GetClientRect(parent, &client);
  a.progress = SKPROGRESS32(parent, kProgressLeft, client.bottom - kProgressBottom, 135, 14, kProgressBar);
  BUILDLAYOUT(parent, 8, 8);
}

void LayoutForm() {
  Lumbric& a = App();
  if (!a.clientHolder) return;
  RECT client;
  GetClientRect(a.clientHolder, &client);
  if (a.topicPanel) {
    RECT r;
    GetWindowRect(a.topicPanel, &r);
    MapWindowPoints(nullptr, a.clientHolder, reinterpret_cast<POINT*>(&r), 2);
    const int right = std::min<int>(kFormRight, client.right - kPanelMargin);
    SetWindowPos(a.topicPanel, nullptr, 0, 0, std::max<int>(1, right - r.left),
                 std::max<int>(1, client.bottom - kPanelMargin - r.top), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (a.progress)
    SetWindowPos(a.progress, nullptr, kProgressLeft, client.bottom - kProgressBottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The form's frame line runs along the bottom.
  InvalidateRect(a.clientHolder, nullptr, TRUE);
}

void ClearForm() {
  Lumbric& a = App();
  for (size_t f = 1; f <= a.controls.size(); ++f) SetText(int(f), "");
  a.recordNumber = 0;
  a.key.clear();
}

bool ShowRecord(int record) {
  Lumbric& a = App();
  std::vector<std::string> values;
  int rc = ReadRecordValues(a.RecordFile(), record, a.fields, values);
  if (rc != 0 && rc != kDbErrInvalidParameter) {
    ErrorBox(Ui(20) + "|" + SKWINERR(rc));
    return false;
  }
  const char separator = DbDayFirstDates() ? '/' : '-';
  for (size_t i = 0; i < a.fields.size() && i < values.size(); ++i) {
    const DBFIELD& f = a.fields[i];
    HWND w = a.controls[i];
    if (!w) continue;
    std::string value = f.kind == kKindDate ? db::DateToDisplay(values[i], DbDayFirstDates(), separator) : values[i];
    if (IsTopic(f)) {
      LRESULT at = value.empty() ? CB_ERR : SendMessageA(w, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(value.c_str()));
      if (at != CB_ERR) {
        SendMessageA(w, CB_SETCURSEL, WPARAM(at), 0);
        continue;
      }
      SendMessageA(w, CB_SETCURSEL, WPARAM(-1), 0);
    }
    SKSETCTLTEXT(w, value);
  }
  a.recordNumber = record;
  a.key = values.empty() ? std::string() : values[0];
  return true;
}

std::vector<std::string> ReadForm() {
  Lumbric& a = App();
  std::vector<std::string> values(a.fields.size());
  for (size_t i = 0; i < values.size() && i < a.controls.size(); ++i) values[i] = Text(a.controls[i]);
  return values;
}

std::vector<std::string> TopicTitles() {
  Lumbric& a = App();
  std::vector<std::string> titles;
  for (size_t i = 0; i < a.fields.size() && i < a.captions.size(); ++i)
    if (IsTopic(a.fields[i])) titles.push_back(Text(a.captions[i]));
  return titles;
}

}  // namespace lumbric
