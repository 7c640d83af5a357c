#include "form.h"

#include <algorithm>

#include "controls/controls_host.h"
#include "controls/listbox.h"
#include "db/archive.h"
#include "fileio/paths.h"
#include "imaging/thumbnails.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "skin/skin_theme.h"
#include "state.h"
#include "win/raii.h"
#include "wndproc.h"

namespace grilton {

namespace {

constexpr int kRowHeight = 26;
constexpr int kMaxCaptionWidth = 140;
constexpr int kFieldHeight = 22;
constexpr int kTopicRows = 3;

struct Today {
  int year, month, day;
};

Today Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay};
}

int TextWidth(const std::string& text) {
  int w = 0, h = 0;
  SKGETTEXTEXTENT(SKDEFAULTFONT(), text, w, h);
  return w;
}

// Pixels of a field's control: a character width per column, within limits.
int ControlWidth(const DBFIELD& f) {
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(SKDEFAULTFONT(), space, height);
  int perChar = std::max(7, space + 2);
  return std::clamp(perChar * (f.width + 1), 40, 380);
}

HWND Caption(HWND parent, const std::string& text, int x, int y, int width) {
  HWND w = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, x, y + 3, width,
                           kFieldHeight - 4, parent, nullptr, App().instance, nullptr);
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  return w;
}

HWND Input(HWND parent, const DBFIELD& f, int field, int x, int y) {
  int minimum = f.flag == 2 ? f.minimum : 0, maximum = f.flag == 2 ? f.maximum : 0;
  int width = f.kind == 4 ? ControlWidth(DBFIELD{.width = 10}) : ControlWidth(f);
  return SKINPUT(parent, "", x, y, width, kFieldHeight, kFieldIdBase + field, f.kind == 4 ? 10 : f.width, minimum,
                 maximum);
}

void SetFieldText(int field, const std::string& text) {
  if (HWND w = FieldControl(field)) SetWindowTextA(w, text.c_str());
}

std::string FieldText(int field) {
  HWND w = FieldControl(field);
  if (!w) return {};
  char buffer[512] = {};
  GetWindowTextA(w, buffer, sizeof buffer);
  return buffer;
}

bool IsTopic(int field) {
  const DBFIELD& f = App().fields[size_t(field - 1)];
  return f.flag == 1 || f.flag == 10;
}

}  // namespace

HWND FieldControl(int field) {
  Grilton& a = App();
  if (field < 1 || size_t(field) > a.form.size()) return nullptr;
  return a.form[size_t(field - 1)].control;
}

void UpdateControlsHost() {
  Grilton& a = App();
  ControlsHost host;
  host.mainWindow = a.frame;
  host.windowProc = WNDPROC;
  host.fields = a.fields;
  host.dataFolder = a.place.dataFolder;
  host.thesaurusName = a.settings.thesaurus;
  host.TakeUiEntries(a.strings);
  SetControlsHost(host);
}

void LayoutForm(int right) {
  Grilton& a = App();
  if (a.fields.empty()) return;
  const int field = db::FieldFreeText(a.topicSlots);
  HWND control = FieldControl(field);
  if (!control) return;
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  const int width = std::max(ControlWidth(a.fields[size_t(field - 1)]), right - int(r.left));
  SetWindowPos(control, nullptr, 0, 0, width, int(r.bottom - r.top), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BuildForm(HWND parent, int x, int y) {
  Grilton& a = App();
  db::TopicSlots slots = db::ParseTopicSlots(Ui(36));
  const int n = a.topicSlots = slots.count;
  Today today = Now();
  a.fields = db::ArchiveFields(n, today.year, today.month, int32_t(SKGETSYSCOLOR(113)), int32_t(SKGETSYSCOLOR(112)));
  a.form.assign(a.fields.size(), {});
  a.titles.assign(a.fields.size(), "");
  for (int f = 1; f <= 11; ++f) a.titles[size_t(f - 1)] = Ui(24 + f);
  std::vector<std::string> topics = db::ReadTopicTitles(a.place.TitleFile(), n, slots.titlePrefix);
  for (int k = 1; k <= n; ++k) a.titles[size_t(10 + k)] = topics[size_t(k - 1)];
  a.titles[size_t(db::FieldFreeText(n) - 1)] = Ui(39);
  a.titles[size_t(db::FieldFlag(n) - 1)] = Ui(40);
  a.titles[size_t(db::FieldSound(n) - 1)] = Ui(41);

  // The caption column: the widest caption of the fields that begin a row.
  std::vector<int> rowStarts = {1, 2, 4, 7, 10, db::FieldFreeText(n)};
  for (int k = 1; k <= n; ++k) rowStarts.push_back(11 + k);
  int captionWidth = 0;
  for (int f : rowStarts) captionWidth = std::max(captionWidth, TextWidth(a.titles[size_t(f - 1)]) + 2);
  captionWidth = std::min(captionWidth, kMaxCaptionWidth);

  const std::vector<std::vector<int>> rows = {{1}, {2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11}};
  int rowY = y;
  auto place = [&](int field, int& cx, bool first) {
    FormField& ff = a.form[size_t(field - 1)];
    const std::string& title = a.titles[size_t(field - 1)];
    if (first) {
      ff.caption = Caption(parent, title, x, rowY, captionWidth);
      cx = x + captionWidth;
    } else {
      int w = TextWidth(title);
      ff.caption = Caption(parent, title, cx + 8, rowY, w + 2);
      cx += 8 + w + 4;
    }
    ff.control = Input(parent, a.fields[size_t(field - 1)], field, cx, rowY);
    RECT r;
    GetWindowRect(ff.control, &r);
    cx += r.right - r.left;
  };
  for (const auto& row : rows) {
    int cx = 0;
    for (size_t i = 0; i < row.size(); ++i) place(row[i], cx, i == 0);
    rowY += kRowHeight;
  }
  // The topic fields, one a row, in a scrolling panel three rows high.
  RECT holder;
  GetClientRect(parent, &holder);
  int panelWidth = captionWidth + ControlWidth(a.fields[11]) + 24;
  a.topicPanel = SKLISTBOX(WS_EX_CONTROLPARENT, parent, WS_CHILD | WS_VISIBLE | WS_VSCROLL, x, rowY, panelWidth,
                           kTopicRows * kRowHeight, nullptr, n, kRowHeight);
  for (int k = 1; k <= n; ++k) {
    int field = 11 + k;
    FormField& ff = a.form[size_t(field - 1)];
    HWND panel = a.topicPanel ? a.topicPanel : parent;
    int py = a.topicPanel ? (k - 1) * kRowHeight : rowY + (k - 1) * kRowHeight;
    int px = a.topicPanel ? 2 : x;
    ff.caption = Caption(panel, a.titles[size_t(field - 1)], px, py, captionWidth - 2);
    ff.control = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                 px + captionWidth - 2, py, ControlWidth(a.fields[11]), 200, panel,
                                 reinterpret_cast<HMENU>(INT_PTR(kFieldIdBase + field)), a.instance, nullptr);
    SendMessageA(ff.control, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
    SendMessageA(ff.control, CB_LIMITTEXT, WPARAM(a.fields[size_t(field - 1)].width), 0);
  }
  rowY += a.topicPanel ? kTopicRows * kRowHeight + 4 : n * kRowHeight;
  int cx = 0;
  place(db::FieldFreeText(n), cx, true);
  rowY += kRowHeight;
  {
    FormField& ff = a.form[size_t(db::FieldFlag(n) - 1)];
    ff.control = SKCHECKBUTTON(parent, a.titles[size_t(db::FieldFlag(n) - 1)], x + captionWidth, rowY,
                               TextWidth(a.titles[size_t(db::FieldFlag(n) - 1)]) + 30, kFieldHeight,
                               kFieldIdBase + db::FieldFlag(n));
  }
  rowY += kRowHeight;
  cx = 0;
  place(db::FieldDocument(n), cx, true);
  SendMessageA(FieldControl(db::FieldDocument(n)), EM_SETREADONLY, TRUE, 0);
  a.form[size_t(db::FieldThesaurus(n) - 1)].control = a.thesaurusBox;
  // The tab order: the date, the flag, year and month, the topics, the free text.
  HWND previous = nullptr;
  for (HWND w : {FieldControl(3), FieldControl(db::FieldFlag(n)), FieldControl(10), FieldControl(11), a.topicPanel,
                 FieldControl(db::FieldFreeText(n))}) {
    if (!w) continue;
    SetWindowLongPtrA(w, GWL_STYLE, GetWindowLongPtrA(w, GWL_STYLE) | WS_TABSTOP);
    SetWindowPos(w, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = w;
  }
  for (size_t i = 0; i < a.fields.size(); ++i) {
    a.fields[i].control = reinterpret_cast<intptr_t>(a.form[i].control);
    a.fields[i].label = reinterpret_cast<intptr_t>(a.form[i].caption);
  }
  UpdateControlsHost();
}

void ClearForm() {
  Grilton& a = App();
  for (size_t f = 1; f <= a.form.size(); ++f) {
    if (int(f) == db::FieldThesaurus(a.topicSlots)) continue;
    if (int(f) == db::FieldFlag(a.topicSlots)) {
      if (HWND w = FieldControl(int(f))) SKSETCHECK(w, 0);
      continue;
    }
    SetFieldText(int(f), "");
  }
}

void FillForm(const std::string& picturePath) {
  Grilton& a = App();
  const int n = a.topicSlots;
  ClearForm();
  std::string key = PlannedKey(a.place);
  SetFieldText(1, key);
  PictureNameFields names = NameFieldsOf(picturePath);
  SetFieldText(2, names.name);
  Today today = Now();
  SetFieldText(3, FilingDate(today.year, today.month, today.day, DbDayFirstDates(), SkDateSeparator()));
  SetFieldText(4, names.extension);
  int width = 0, height = 0, colours = 1, hasLayer = 0;
  uint8_t bits = 0;
  // Information only: no bitmap comes back.
  win::Bitmap none(LOADTHUMB(picturePath, 0, 0, width, height, colours, bits, hasLayer, 0));
  SetFieldText(5, std::to_string(int(bits)));
  SetFieldText(6, std::to_string(colours > 0 ? colours : -1));
  SetFieldText(7, std::to_string(width));
  SetFieldText(8, std::to_string(height));
  SetFieldText(9, std::to_string(std::max<int64_t>(0, SKFILESIZE(picturePath))));
  SetFieldText(10, std::to_string(today.year));
  SetFieldText(11, std::to_string(today.month));
  for (int k = 1; k <= n; ++k) SetFieldText(11 + k, Ui(6));
  if (!key.empty()) {
    SetFieldText(db::FieldDocument(n), DocumentItem(key));
    SetFieldText(db::FieldSound(n), SoundItem(key));
  }
}

std::vector<std::string> ReadForm() {
  Grilton& a = App();
  const int n = a.topicSlots;
  std::vector<std::string> values(a.fields.size());
  for (size_t f = 1; f <= values.size(); ++f) values[f - 1] = FieldText(int(f));
  if (HWND flag = FieldControl(db::FieldFlag(n))) values[size_t(db::FieldFlag(n) - 1)].assign(SKGETCHECK(flag) ? 1 : 0, 'X');
  values[size_t(db::FieldThesaurus(n) - 1)] = a.settings.thesaurus;
  return values;
}

std::string PlannedDocument() { return FieldText(db::FieldDocument(App().topicSlots)); }
std::string WorkDocument() { return WorkDocumentPath(App().place.workFolder, PlannedDocument()); }
std::string WorkSound() { return WorkSoundPath(App().place.workFolder, PlannedDocument()); }

bool AnyTopic() {
  Grilton& a = App();
  for (int k = 1; k <= a.topicSlots; ++k) {
    std::string t = fileio::Trim(FieldText(11 + k));
    if (!t.empty() && t != fileio::Trim(Ui(6))) return true;
  }
  return false;
}

std::vector<int> UnlistedTopics() {
  Grilton& a = App();
  std::vector<int> unlisted;
  for (int k = 1; k <= a.topicSlots; ++k) {
    int field = 11 + k;
    std::string t = fileio::Trim(FieldText(field));
    if (t.empty() || t == fileio::Trim(Ui(6))) continue;
    if (SendMessageA(FieldControl(field), CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(t.c_str())) == CB_ERR)
      unlisted.push_back(field);
  }
  return unlisted;
}

void AddTopicWord(const std::string& word) {
  Grilton& a = App();
  for (int k = 1; k <= a.topicSlots; ++k)
    if (HWND box = FieldControl(11 + k)) SendMessageA(box, CB_ADDSTRING, 0, LPARAM(word.c_str()));
}

void ResetTopic(int field) {
  if (IsTopic(field)) SetFieldText(field, Ui(6));
}

}  // namespace grilton
