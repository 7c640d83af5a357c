#include "filelist.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "detail_filler.h"
#include "imaging/copydata.h"
#include "kelmor/file_listing.h"
#include "kelmor/filetypes.h"
#include "kelmor/layout.h"
#include "pick/pick.h"
#include "skin/skin.h"
#include "state.h"
#include "watchers.h"
#include "win/raii.h"

namespace kelmor {

namespace {

constexpr int kRowHeight = 16;
constexpr int kColumnPadding = 8;  // beside the widest name in a column of names

uint64_t Now() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The files of a folder that the rule lists, as list entries with their last write times.
std::vector<FoundFile> ScanFolder(const std::string& folder, const FileListRule& rule) {
  std::vector<FoundFile> found;
  if (folder.empty()) return found;
  std::string pattern = CurrentFolderText(folder) + rule.searchPattern;
  WIN32_FIND_DATAA data;
  win::FindHandle find(FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                        FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return found;
  do {
    if (!FileListed(data.cFileName, data.dwFileAttributes, rule)) continue;
    uint64_t written = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    found.push_back({FileListEntry(data.cFileName), written});
  } while (FindNextFileA(find.Get(), &data));
  return found;
}

namespace {

// Puts the entries in the sorted list's own order (its comparisons: the user's locale,
// case not counted), from one sort key each. Appended in that order they cost the list
// no comparisons, where adding them one by one costs each a search among those before
// it: with many thousands of files that search is most of the fill. False (nothing
// changed) when a key cannot be made.
bool SortAsTheListDoes(std::vector<FoundFile>& found) {
  std::vector<std::pair<std::string, size_t>> keys(found.size());
  for (size_t i = 0; i < found.size(); ++i) {
    const std::string& entry = found[i].entry;
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    int length = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, entry.c_str(), int(entry.size()), nullptr, 0);
    if (length <= 0) return false;
    keys[i].first.resize(size_t(length));
    if (LCMapStringA(LOCALE_USER_DEFAULT, kFlags, entry.c_str(), int(entry.size()), keys[i].first.data(), length) !=
        length)
      return false;
    keys[i].second = i;
  }
  // Sort keys compare as unsigned bytes, as std::string compares them.
  std::sort(keys.begin(), keys.end());
  std::vector<FoundFile> sorted;
  sorted.reserve(found.size());
  for (const auto& k : keys) sorted.push_back(std::move(found[k.second]));
  found = std::move(sorted);
  return true;
}

}  // namespace

bool MultiColumn(HWND list) { return (GetWindowLongPtrA(list, GWL_STYLE) & LBS_MULTICOLUMN) != 0; }

void SetColumnWidth(HWND list, int widest) {
  if (MultiColumn(list)) SendMessageA(list, LB_SETCOLUMNWIDTH, WPARAM(std::max(widest + kColumnPadding, 20)), 0);
  else SendMessageA(list, LB_SETHORIZONTALEXTENT, WPARAM(widest + kColumnPadding), 0);
}

void DeleteThumbnailOf(int index) {
  BrowserState& b = App();
  LRESULT data = SendMessageA(b.fileList, LB_GETITEMDATA, WPARAM(index), 0);
  if (data == 0 || data == LB_ERR) return;
  auto bitmap = static_cast<uintptr_t>(data);
  SendMessageA(b.fileList, LB_SETITEMDATA, WPARAM(index), 0);
  if (b.details.Remove(bitmap)) win::DeleteGdiObject(reinterpret_cast<HBITMAP>(bitmap));
}

}  // namespace

TextMeasure::TextMeasure(HWND list)
    : dc_(list), font_(dc_, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0))) {}

void TextMeasure::Add(const std::string& text) {
  SIZE size{};
  if (dc_.Get() && GetTextExtentPoint32A(dc_, text.c_str(), int(text.size()), &size))
    widest_ = std::max<int>(widest_, size.cx);
}

std::string CURRENTFOLDER() { return CurrentFolderText(App().currentFolder); }

std::string CurrentFilter() {
  BrowserState& b = App();
  int selected = b.fileTypeBox ? int(SendMessageA(b.fileTypeBox, CB_GETCURSEL, 0, 0)) : b.currentFileType;
  if (selected >= 0 && size_t(selected) < b.fileTypes.filters.size()) return b.fileTypes.filters[size_t(selected)];
  return b.filterChoice;
}

void FREETHUMBS() {
  BrowserState& b = App();
  for (uintptr_t bitmap : b.details.TakeAll()) win::DeleteGdiObject(reinterpret_cast<HBITMAP>(bitmap));
}

void FILLFILELIST(const std::string& folder, const std::string& filter) {
  BrowserState& b = App();
  if (!b.fileList) return;
  StartDriveWatch();
  int cell = b.thumbnailSize + 10;
  bool thumbnails = MultiColumn(b.fileList) && b.fileTypeBox &&
                    SendMessageA(b.fileTypeBox, CB_GETCURSEL, 0, 0) == kThumbnailFileType;
  StopListInfo();
  STOPWATCH();
  FREETHUMBS();
  b.thumbFailed.clear();
  b.hoverEntry = -1;
  b.thumbnailLayout = thumbnails;
  SendMessageA(b.fileList, LB_SETITEMHEIGHT, 0, thumbnails ? cell : kRowHeight);
  if (thumbnails) SendMessageA(b.fileList, LB_SETCOLUMNWIDTH, WPARAM(cell), 0);

  std::string filterList, extensions, chosen = filter;
  SKFILTERCHOICE(chosen, 1);
  SKPICKFILTER(filterList, 0);
  SKUSEFILTER(extensions, 0);
  b.filterChoice = filter;
  b.listRule = MakeFileListRule(filter, filterList, extensions);

  std::vector<FoundFile> found = ScanFolder(folder, b.listRule);
  SendMessageA(b.fileList, WM_SETREDRAW, FALSE, 0);
  SendMessageA(b.fileList, LB_RESETCONTENT, 0, 0);
  size_t bytes = 0;
  for (const FoundFile& f : found) bytes += f.entry.size() + 1;
  SendMessageA(b.fileList, LB_INITSTORAGE, WPARAM(found.size()), LPARAM(bytes));
  {
    TextMeasure measure(b.fileList);
    // In order, the entries are appended; otherwise the list places each itself.
    const UINT add = SortAsTheListDoes(found) ? LB_INSERTSTRING : LB_ADDSTRING;
    const WPARAM at = add == LB_INSERTSTRING ? WPARAM(-1) : 0;
    for (const FoundFile& f : found) {
      SendMessageA(b.fileList, add, at, reinterpret_cast<LPARAM>(f.entry.c_str()));
      if (!thumbnails) measure.Add(f.entry);
    }
    b.widestEntry = measure.Widest();
    if (!thumbnails) SetColumnWidth(b.fileList, b.widestEntry);
  }
  if (!found.empty()) {
    SendMessageA(b.fileList, LB_SETSEL, TRUE, 0);
    SendMessageA(b.fileList, LB_SETCARETINDEX, 0, FALSE);
  }
  SendMessageA(b.fileList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(b.fileList, nullptr, TRUE);
  b.lastFillTime = Now();
  STARTWATCH();
  UpdateFileListStatus();
  if (thumbnails) {
    if (b.folderTree) UpdateWindow(b.folderTree);
    PostMessageA(b.frame, kMsgRepaint, reinterpret_cast<WPARAM>(b.fileList), 1);
    STARTLISTINFO();
  }
}

void RefillFileList() { FILLFILELIST(CURRENTFOLDER(), CurrentFilter()); }

void RefreshFileList() {
  BrowserState& b = App();
  if (!b.fileList || b.currentFolder.empty()) return;
  std::vector<FoundFile> found = ScanFolder(CURRENTFOLDER(), b.listRule);
  int count = int(SendMessageA(b.fileList, LB_GETCOUNT, 0, 0));
  std::vector<std::string> listed;
  listed.reserve(size_t(std::max(0, count)));
  for (int i = 0; i < count; ++i) listed.push_back(ListEntryText(b.fileList, i));
  RefreshPlan plan = PlanRefresh(listed, found, b.lastFillTime);
  b.lastFillTime = Now();
  if (plan.Empty()) return;
  StopListInfo();
  SendMessageA(b.fileList, WM_SETREDRAW, FALSE, 0);
  auto find = [&b](const std::string& entry) {
    return int(SendMessageA(b.fileList, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str())));
  };
  for (const std::string& entry : plan.removed) {
    int index = find(entry);
    if (index == LB_ERR) continue;
    DeleteThumbnailOf(index);
    SendMessageA(b.fileList, LB_DELETESTRING, WPARAM(index), 0);
  }
  for (const std::string& entry : plan.stale) {
    int index = find(entry);
    if (index != LB_ERR) DeleteThumbnailOf(index);
    b.thumbFailed.erase(entry);
  }
  if (!plan.added.empty()) {
    TextMeasure measure(b.fileList);
    for (const std::string& entry : plan.added) {
      SendMessageA(b.fileList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
      b.thumbFailed.erase(entry);
      measure.Add(entry);
    }
    if (!b.thumbnailLayout && measure.Widest() > b.widestEntry) {
      b.widestEntry = measure.Widest();
      SetColumnWidth(b.fileList, b.widestEntry);
    }
  }
  b.hoverEntry = -1;
  SendMessageA(b.fileList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(b.fileList, nullptr, TRUE);
  UpdateFileListStatus();
  STARTLISTINFO();
}

void ClearFileList() {
  BrowserState& b = App();
  StopListInfo();
  STOPWATCH();
  FREETHUMBS();
  b.thumbFailed.clear();
  b.hoverEntry = -1;
  if (b.fileList) SendMessageA(b.fileList, LB_RESETCONTENT, 0, 0);
  if (b.status) SetWindowTextA(b.status, "");
}

void ForgetThumbnail(int index) {
  BrowserState& b = App();
  if (!b.fileList || index < 0) return;
  DeleteThumbnailOf(index);
  b.thumbFailed.erase(ListEntryText(b.fileList, index));
}

void UpdateFileListStatus() {
  BrowserState& b = App();
  if (!b.status || !b.fileList) return;
  int count = int(SendMessageA(b.fileList, LB_GETCOUNT, 0, 0));
  std::string text = FileListStatus(std::max(0, count), Ui(4), CURRENTFOLDER());
  SetWindowTextA(b.status, text.c_str());
}

std::string ListEntryText(HWND list, int index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (length == LB_ERR || length <= 0) return {};
  std::string text(size_t(length) + 1, '\0');
  LRESULT got = SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? size_t(got) : 0);
  return text;
}

std::vector<int> SelectedEntries(HWND list) {
  std::vector<int> out;
  LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
  if (count == LB_ERR) {  // a list with one selection
    LRESULT current = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (current != LB_ERR) out.push_back(int(current));
    return out;
  }
  if (count <= 0) return out;
  out.resize(size_t(count));
  LRESULT got = SendMessageA(list, LB_GETSELITEMS, WPARAM(count), reinterpret_cast<LPARAM>(out.data()));
  out.resize(got > 0 ? size_t(got) : 0);
  return out;
}

std::vector<std::string> SelectedFilePaths() {
  BrowserState& b = App();
  std::vector<std::string> paths;
  std::string folder = CURRENTFOLDER();
  if (folder.empty()) return paths;
  for (int index : SelectedEntries(b.fileList)) paths.push_back(folder + EntryFileName(ListEntryText(b.fileList, index)));
  return paths;
}

int GETCURSELLISTBOX(HWND list) {
  BrowserState& b = App();
  LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
  if (list == b.collectionList && SendMessageA(list, LB_GETSELCOUNT, 0, 0) <= 0)
    return int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) return int(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
  return int(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

LRESULT CALLBACK LISTSUBCLASSPROC(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  BrowserState& b = App();
  ::WNDPROC own = b.fileListProc ? b.fileListProc : DefWindowProcA;
  if (message == WM_MOUSEMOVE && b.thumbnailLayout && b.status) {
    LRESULT hit = CallWindowProcA(own, list, LB_ITEMFROMPOINT, 0, lParam);
    int index = HIWORD(hit) ? -1 : int(LOWORD(hit));
    if (index >= 0 && index != b.hoverEntry) {
      LRESULT data = CallWindowProcA(own, list, LB_GETITEMDATA, WPARAM(index), 0);
      const PictureDetails* details = data && data != LB_ERR ? b.details.Find(static_cast<uintptr_t>(data)) : nullptr;
      if (details) {
        b.hoverEntry = index;
        std::string text = HoverText(ListEntryText(list, index), *details, Ui(57), Ui(58), Ui(90));
        SetWindowTextA(b.status, text.c_str());
      }
    }
  } else if (message == WM_NCDESTROY && b.fileListProc) {
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.fileListProc));
  }
  return CallWindowProcA(own, list, message, wParam, lParam);
}

}  // namespace kelmor
