#include "controls/controls_host.h"

namespace {

ControlsHost& Host() {
  static ControlsHost host;
  return host;
}

// Entry 3 is each program's own (the archive's delete question, the topic editor's about
// text): the editor's warnings have entries 15 and 16 of their own.
constexpr int kEntryInUse = 15;
constexpr int kEntryWarningCaption = 16;
constexpr int kEntryTitle = 1;
constexpr int kEntryMessageCaption = 10;
constexpr int kEntryArchiveName = 21;
constexpr uint8_t kTopicFlag = 1;

}  // namespace

void ControlsHost::TakeUiEntries(const StringTable& strings) {
  warningCaption = UiEntry(strings, kEntryWarningCaption);
  if (warningCaption.empty()) warningCaption = UiEntry(strings, kEntryTitle);
  messageCaption = UiEntry(strings, kEntryMessageCaption);
  inUseText = UiEntry(strings, kEntryInUse);
  archiveName = UiEntry(strings, kEntryArchiveName);
}

void SetControlsHost(const ControlsHost& host) { Host() = host; }

const ControlsHost& CurrentControlsHost() { return Host(); }

std::vector<HWND> TopicComboBoxes(const std::vector<DBFIELD>& fields) {
  std::vector<HWND> boxes;
  for (const DBFIELD& f : fields) {
    if (f.flag == kTopicFlag && f.control != 0) boxes.push_back(reinterpret_cast<HWND>(f.control));
  }
  return boxes;
}
