#include "file_moves.h"

#include <windows.h>

#include "boxes.h"
#include "file_batch.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "imaging/gdiplus_helpers.h"
#include "kelmor/file_commands.h"
#include "kelmor/file_listing.h"
#include "kelmor/file_operations.h"
#include "skin/skin.h"
#include "state.h"
#include "transforms.h"

namespace kelmor {

namespace {

constexpr int kPictureFileType = 4;

SideFileRule CurrentSideFileRule() {
  BrowserState& b = App();
  SideFileRule rule;
  if (b.fileTypes.filters.size() > size_t(kPictureFileType)) rule.pictureFilter = b.fileTypes.filters[kPictureFileType];
  rule.sides = SideFileExtensions(Ui(50));
  return rule;
}

// The long form of a folder, so that a short name and its long name compare equal.
std::string LongFolder(const std::string& folder) {
  char buffer[MAX_PATH * 2] = {};
  DWORD n = GetLongPathNameA(folder.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : folder;
}

void RemoveListEntry(HWND list, const std::string& entry) {
  for (;;) {
    LRESULT at = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    if (at == LB_ERR) return;
    SendMessageA(list, LB_DELETESTRING, WPARAM(at), 0);
  }
}

// A file that went: out of the collection list and, while its folder is shown, out of the
// file list.
void FileGone(const std::string& folder, const std::string& path) {
  BrowserState& b = App();
  RemoveListEntry(b.collectionList, " " + path);
  int index = EntryIndex(folder, fileio::NameOf(path));
  if (index < 0) return;
  ForgetThumbnail(index);
  SendMessageA(b.fileList, LB_DELETESTRING, WPARAM(index), 0);
}

}  // namespace

void DeleteSelectedFiles() {
  BrowserState& b = App();
  if (b.deleting) return;
  if (CurrentFolderOnCdRom()) {
    MESSAGEBOXICON(SKWINERR(ERROR_WRITE_FAULT));
    return;
  }
  if (SelectedEntries(b.fileList).empty()) {
    QUESTIONBOX(Ui(22), "");
    return;
  }
  if (QUESTIONBOX(Ui(41), Ui(29)) != 1) return;
  SideFileRule rule = CurrentSideFileRule();
  FileBatch batch(b.deleting);
  if (!batch.Started()) return;
  const std::string& folder = batch.Folder();
  bool firstError = true;
  for (const auto& name : batch.Names()) {
    std::string path = folder + name;
    MarkEntry(folder, name, true);
    std::vector<std::string> went;
    int result = RecycleWithSideFiles(path, rule, [&](const std::vector<std::string>& paths) {
      went = paths;
      return RECYCLEFILES(paths, 0);
    });
    if (result == 0) {
      for (const auto& p : went) FileGone(folder, p);
    } else {
      MarkEntry(folder, name, false);
      if (firstError && result != 2) {
        firstError = false;
        MESSAGEBOXICON(path + "||" + SKWINERR(result));
      }
    }
  }
}

void CopySelectedFiles(bool move) {
  BrowserState& b = App();
  if (b.copying || SelectedEntries(b.fileList).empty()) return;
  std::string target = b.lastTarget.empty() ? CURRENTFOLDER() : b.lastTarget;
  if (!AskTargetFolder(Ui(move ? 48 : 47), target)) return;
  b.lastTarget = target;
  std::string current = CURRENTFOLDER();
  // A source is never its own destination, whatever the case or form of the names.
  if (SameComparableFolder(LongFolder(target), LongFolder(current))) return;
  SideFileRule rule = CurrentSideFileRule();
  FileBatch batch(b.copying);
  if (!batch.Started()) return;
  const std::string& folder = batch.Folder();
  bool firstError = true;
  for (const auto& name : batch.Names()) {
    if (PUMPMESSAGEBOX(1) != 0) break;
    std::string source = folder + name;
    MarkEntry(folder, name, true);
    ShowInStatus(source);
    std::vector<std::string> sides = rule.ExistingSides(source);
    TransferResult r = TransferWithSideFiles(source, target, move, rule);
    if (r.error != 0) {
      if (firstError) {
        firstError = false;
        MESSAGEBOXICON(SKWINERR(r.error) + "||" + source);
      }
      continue;
    }
    if (move && r.sourceRemoved) {
      FileGone(folder, source);
      for (const auto& side : sides)
        if (!fileio::Exists(side)) FileGone(folder, side);
    } else {
      int index = EntryIndex(folder, name);
      if (index >= 0) ForgetThumbnail(index);
      MarkEntry(folder, name, false);
    }
  }
}

}  // namespace kelmor
