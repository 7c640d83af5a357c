#include "collection.h"

#include <algorithm>

#include "boxes.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "imaging/gdiplus_helpers.h"
#include "kelmor/file_commands.h"
#include "kelmor/file_listing.h"
#include "kelmor/partner_rules.h"
#include "mainwindow.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

namespace {

// The horizontal extent follows the longest entry.
void WidenExtent(HWND list) {
  TextMeasure measure(list);
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) measure.Add(ListEntryText(list, i));
  SendMessageA(list, LB_SETHORIZONTALEXTENT, WPARAM(measure.Widest() + 8), 0);
}

}  // namespace

void AddToCollection(bool currentOnly) {
  BrowserState& b = App();
  std::string folder = CURRENTFOLDER();
  if (!b.fileList || !b.collectionList || folder.empty()) return;
  std::vector<int> entries;
  if (currentOnly) {
    int current = GETCURSELLISTBOX(b.fileList);
    if (current >= 0 && current < int(SendMessageA(b.fileList, LB_GETCOUNT, 0, 0))) entries.push_back(current);
  } else {
    entries = SelectedEntries(b.fileList);
  }
  if (entries.empty()) return;
  int at = GETCURSELLISTBOX(b.collectionList);
  int count = int(SendMessageA(b.collectionList, LB_GETCOUNT, 0, 0));
  if (at < 0 || at > count) at = count;
  for (int index : entries) {
    std::string entry = " " + folder + EntryFileName(ListEntryText(b.fileList, index));
    SendMessageA(b.collectionList, LB_INSERTSTRING, WPARAM(at++), reinterpret_cast<LPARAM>(entry.c_str()));
  }
  WidenExtent(b.collectionList);
}

void RemoveFromCollection() {
  BrowserState& b = App();
  std::vector<int> selected = SelectedEntries(b.collectionList);
  std::sort(selected.rbegin(), selected.rend());
  for (int index : selected) SendMessageA(b.collectionList, LB_DELETESTRING, WPARAM(index), 0);
  if (!selected.empty()) WidenExtent(b.collectionList);
}

void EmptyCollection() {
  BrowserState& b = App();
  if (SendMessageA(b.collectionList, LB_GETCOUNT, 0, 0) <= 0) return;
  if (QUESTIONBOX(Ui(30), Ui(29)) != 1) return;
  SendMessageA(b.collectionList, LB_RESETCONTENT, 0, 0);
  SendMessageA(b.collectionList, LB_SETHORIZONTALEXTENT, 0, 0);
}

void MoveCollectionEntries(bool up) {
  BrowserState& b = App();
  HWND list = b.collectionList;
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  std::vector<int> selected = SelectedEntries(list);
  if (selected.empty()) return;
  std::sort(selected.begin(), selected.end());
  // A block at the edge stays where it is.
  if ((up && selected.front() == 0) || (!up && selected.back() == count - 1)) return;
  if (!up) std::reverse(selected.begin(), selected.end());
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int index : selected) {
    std::string text = ListEntryText(list, index);
    SendMessageA(list, LB_DELETESTRING, WPARAM(index), 0);
    int to = up ? index - 1 : index + 1;
    SendMessageA(list, LB_INSERTSTRING, WPARAM(to), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, LB_SETSEL, TRUE, to);
  }
  SendMessageA(list, LB_SETCARETINDEX, WPARAM(selected.back() + (up ? -1 : 1)), FALSE);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void LoadCollectionList() {
  BrowserState& b = App();
  if (!b.collectionList) return;
  if (!fileio::PatternExists(b.workingFolder + "*" + Ui(25))) {
    QUESTIONBOX(Ui(23), "");
    return;
  }
  std::string name;
  int answer = AskListFile(Ui(27), Ui(33), name, 0);
  if (name.empty()) return;
  std::string file = b.workingFolder + name;
  if (answer == 2) {
    RECYCLEFILE(file, 0);
    return;
  }
  std::string bytes;
  if (answer != 1 || fileio::ReadWholeFile(file, bytes) != fileio::kOk) return;
  b.listFile = file;
  SendMessageA(b.collectionList, LB_RESETCONTENT, 0, 0);
  SendMessageA(b.collectionList, LB_SETHORIZONTALEXTENT, 0, 0);
  int added = 0;
  for (const auto& path : ParseListFile(bytes, b.programFolder)) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    std::string entry = " " + path;
    SendMessageA(b.collectionList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    ++added;
  }
  WidenExtent(b.collectionList);
  if (added == 0) {
    MESSAGEBOXICON(name + Ui(82));
    // Its files may only be on a drive that is unplugged now: the list can come back.
    RECYCLEFILE(file, 0);
  }
}

void SaveCollectionList() {
  BrowserState& b = App();
  if (!b.collectionList) return;
  std::vector<std::string> paths = EntryPaths(ListEntries(b.collectionList));
  if (paths.empty()) {
    QUESTIONBOX(Ui(26), "");
    return;
  }
  // The list loaded or saved last, else the working list's name (UI entries 24 and 25).
  std::string name = fileio::NameOf(b.listFile.empty() ? b.workingFile : b.listFile);
  if (AskListFile(Ui(31), Ui(32), name, 1) != 1) return;
  name = ListSaveName(name, Ui(25));
  if (name.empty()) return;
  std::string file = b.workingFolder + name + Ui(25);
  // Only a yes replaces a list: a question closed without an answer keeps it.
  if (fileio::Exists(file) && QUESTIONBOX(file + Ui(28), Ui(29)) != 1) return;
  b.listFile = file;
  // Written beside the old list and swapped in: a failed write keeps the old one.
  if (int rc = fileio::WriteFileReplacing(file, ListFileText(paths)); rc != fileio::kOk)
    MESSAGEBOXICON(file + "||" + SKWINERR(rc));
}

}  // namespace kelmor
