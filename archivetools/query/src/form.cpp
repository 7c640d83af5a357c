#include "form.h"

#include <algorithm>

#include "controls/controls_host.h"
#include "controls/listbox.h"
#include "db/archive.h"
#include "ostrel/command_ids.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace ostrel {

namespace {

constexpr int kRowHeight = 26;
constexpr int kFieldHeight = 22;
constexpr int kMaxTitleWidth = 160;
constexpr int kKindDate = 4;
constexpr int kDateColumns = 10;

int TextWidth(const std::string& text) {
  int w = 0, h = 0;
  SKGETTEXTEXTENT(SKDEFAULTFONT(), text, w, h);
  return w;
}

// Pixels of an input: a character width per column, within limits.
int InputWidth(const DBFIELD& f) {
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(SKDEFAULTFONT(), space, height);
  const int columns = f.kind == kKindDate ? kDateColumns : f.width;
  return std::clamp(std::max(7, space + 2) * (columns + 1), 40, 150);
}

std::string Text(HWND w) { return w ? SkGetCtlText(w) : std::string(); }

// The captions of the fields after the topic slots (text, flag, thesaurus, user,
// document, sound, layered picture).
constexpr int kFirstTailTitle = 72;

}  // namespace

void BUILDQUERYFORM(HWND parent, int x, int y, int width, int height) {
  Ostrel& a = App();
  db::TopicSlots slots = db::ParseTopicSlots(Ui(59));
  const int n = a.topicSlots = slots.count;
  a.fields = db::ArchiveFields(n, 2000, 1);
  a.titles.assign(a.fields.size(), "");
  for (int f = 1; f <= 11; ++f) a.titles[size_t(f - 1)] = Ui(1 + f);
  std::vector<std::string> topics =
      db::ReadTopicTitles(a.dataFolder + a.baseName + ".TIT", n, slots.titlePrefix);
  for (int k = 1; k <= n; ++k) a.titles[size_t(10 + k)] = topics[size_t(k - 1)];
  for (int f = db::FieldFreeText(n); f <= int(a.fields.size()); ++f)
    a.titles[size_t(f - 1)] = Ui(kFirstTailTitle + f - db::FieldFreeText(n));

  a.panel = SKLISTBOX(WS_EX_CONTROLPARENT, parent, WS_CHILD | WS_VISIBLE | WS_VSCROLL, x, y, width, height, nullptr,
                      int32_t(a.fields.size()), kRowHeight);
  ControlsHost host;
  host.mainWindow = a.frame;
  host.windowProc = WNDPROC;
  host.fields = a.fields;
  host.dataFolder = a.dataFolder;
  host.thesaurusName = a.settings.thesaurus;
  host.TakeUiEntries(a.strings);
  SetControlsHost(host);

  int titleWidth = 0;
  for (const std::string& t : a.titles) titleWidth = std::max(titleWidth, TextWidth(t) + 6);
  CREATEINPUTFIELDS(std::min(titleWidth, kMaxTitleWidth));
}

void CREATEINPUTFIELDS(int titleWidth) {
  Ostrel& a = App();
  HWND holder = a.panel ? a.panel : a.clientHolder;
  a.rows.assign(a.fields.size(), {});
  for (size_t i = 0; i < a.fields.size(); ++i) {
    const DBFIELD& f = a.fields[i];
    const int field = int(i) + 1;
    const int rowY = int(i) * kRowHeight + 2;
    FormRow& row = a.rows[i];
    row.caption = CreateWindowExA(0, "STATIC", a.titles[i].c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 4,
                                  rowY + 3, titleWidth - 4, kFieldHeight - 4, holder, nullptr, a.instance, nullptr);
    SendMessageA(row.caption, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
    const int columns = f.kind == kKindDate ? kDateColumns : f.width;
    const int w = InputWidth(f);
    row.value = SKINPUT(holder, "", titleWidth, rowY, w, kFieldHeight, kFieldIdBase + field, columns);
    row.high = SKINPUT(holder, "", titleWidth + w + 6, rowY, w, kFieldHeight, kHighIdBase + field, columns);
    a.fields[i].control = reinterpret_cast<intptr_t>(row.value);
    a.fields[i].label = reinterpret_cast<intptr_t>(row.caption);
  }
}

std::vector<FormEntry> ReadQueryForm() {
  Ostrel& a = App();
  std::vector<FormEntry> form(a.rows.size());
  for (size_t i = 0; i < a.rows.size(); ++i) form[i] = {Text(a.rows[i].value), Text(a.rows[i].high)};
  return form;
}

void FillQueryForm(const std::vector<FormEntry>& form) {
  Ostrel& a = App();
  for (size_t i = 0; i < a.rows.size(); ++i) {
    const FormEntry entry = i < form.size() ? form[i] : FormEntry{};
    if (a.rows[i].value) SKSETCTLTEXT(a.rows[i].value, entry.value);
    if (a.rows[i].high) SKSETCTLTEXT(a.rows[i].high, entry.high);
  }
}

int FieldOfControl(int id) {
  const int count = int(App().fields.size());
  if (id > kFieldIdBase && id <= kFieldIdBase + count) return id - kFieldIdBase - 1;
  if (id > kHighIdBase && id <= kHighIdBase + count) return id - kHighIdBase - 1;
  return -1;
}

void FocusField(size_t field) {
  Ostrel& a = App();
  if (field < a.rows.size() && a.rows[field].value) SetFocus(a.rows[field].value);
}

}  // namespace ostrel
