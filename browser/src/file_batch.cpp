#include "file_batch.h"

#include "boxes.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "kelmor/file_listing.h"
#include "kelmor/modal_boxes.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"
#include "watchers.h"

namespace kelmor {

FileBatch::FileBatch(bool& busy) : busy_(busy) {
  BrowserState& b = App();
  folder_ = CURRENTFOLDER();
  for (int index : SelectedEntries(b.fileList)) names_.push_back(EntryFileName(ListEntryText(b.fileList, index)));
  if (names_.empty() || folder_.empty()) return;
  busy_ = true;
  b.batchFlag = 1;
  STOPWATCH();
  oldCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  started_ = true;
}

FileBatch::~FileBatch() {
  if (!started_) return;
  BrowserState& b = App();
  SetCursor(oldCursor_ ? oldCursor_ : LoadCursor(nullptr, IDC_ARROW));
  b.batchFlag = 0;
  if (!b.closing) STARTWATCH();
  UpdateFileListStatus();
  busy_ = false;
}

int EntryIndex(const std::string& folder, const std::string& name) {
  BrowserState& b = App();
  if (!b.fileList || !SameFolder(folder, b.currentFolder)) return -1;
  std::string entry = FileListEntry(name);
  LRESULT index = SendMessageA(b.fileList, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  return index == LB_ERR ? -1 : int(index);
}

void ShowInStatus(const std::string& text) {
  if (HWND status = App().status) SetWindowTextA(status, text.c_str());
}

void MarkEntry(const std::string& folder, const std::string& name, bool selected) {
  int index = EntryIndex(folder, name);
  if (index >= 0) SendMessageA(App().fileList, LB_SETSEL, selected ? TRUE : FALSE, index);
}

bool OnCdRom(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':') return false;
  return GetDriveTypeA(folder.substr(0, 2).append("\\").c_str()) == DRIVE_CDROM;
}

bool AskTargetFolder(const std::string& buttons, std::string& folder) {
  BrowserState& b = App();
  TargetBoxTexts texts{Ui(1), Ui(49), Ui(32)};
  int answer = RUNTARGETBOX(b.frame, buttons, folder, texts);
  if ((answer != 1 && answer != 2) || fileio::Trim(folder).empty()) return false;
  folder = fileio::WithTrailingSeparator(fileio::Trim(folder));
  if (OnCdRom(folder)) {
    MESSAGEBOXICON(SKWINERR(ERROR_WRITE_FAULT));
    return false;
  }
  if (answer == 2 || !SKEXIST(folder + "*.*")) {
    if (int error = SKMAKEDIR(folder); error != 0) {
      MESSAGEBOXICON(folder + "||" + SKWINERR(error));
      return false;
    }
  }
  return true;
}

}  // namespace kelmor
