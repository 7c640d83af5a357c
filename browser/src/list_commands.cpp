#include "list_commands.h"

#include "fileio/paths.h"
#include "filelist.h"
#include "kelmor/file_commands.h"
#include "kelmor/file_listing.h"
#include "launcher.h"
#include "state.h"

namespace kelmor {

void SelectAllFiles() {
  BrowserState& b = App();
  LRESULT count = SendMessageA(b.fileList, LB_GETCOUNT, 0, 0);
  if (count > 0 && SendMessageA(b.fileList, LB_GETSELCOUNT, 0, 0) < count)
    SendMessageA(b.fileList, LB_SETSEL, TRUE, -1);
}

void InvertFileSelection() {
  BrowserState& b = App();
  int count = int(SendMessageA(b.fileList, LB_GETCOUNT, 0, 0));
  if (count <= 0) return;
  std::vector<int> inverted = InvertedSelection(count, SelectedEntries(b.fileList));
  SendMessageA(b.fileList, WM_SETREDRAW, FALSE, 0);
  SendMessageA(b.fileList, LB_SETSEL, FALSE, -1);
  for (int index : inverted) SendMessageA(b.fileList, LB_SETSEL, TRUE, index);
  SendMessageA(b.fileList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(b.fileList, nullptr, TRUE);
}

void SelectNone(HWND list) {
  if (list && SendMessageA(list, LB_GETSELCOUNT, 0, 0) > 0) SendMessageA(list, LB_SETSEL, FALSE, -1);
}

void PlaySelectedSounds(HWND list) {
  BrowserState& b = App();
  if (!list) return;
  std::string text;
  for (int index : SelectedEntries(list)) {
    std::string entry = fileio::Trim(ListEntryText(list, index));
    std::string path = list == b.fileList ? CURRENTFOLDER() + EntryFileName(entry) : entry;
    if (HandsOverType(path, Ui(65))) text += path + "|";
  }
  if (text.empty()) return;
  text.pop_back();
  HandToAudioProgram(text);
}

}  // namespace kelmor
