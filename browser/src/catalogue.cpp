#include "catalogue.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "boxes.h"
#include "controls/info_popup.h"
#include "fileio/fields.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imglib/imglib.h"
#include "kelmor/catalogue.h"
#include "kelmor/partner_rules.h"
#include "skin/sk_draw.h"
#include "skin/sk_files.h"
#include "skin/sk_msgbox.h"
#include "skin/sk_shell.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace kelmor {

namespace {

// The pump and the status line run every few milliseconds rather than per file: a drive
// of a hundred thousand files is not held up by its own progress.
constexpr DWORD kPumpEveryMs = 40;
constexpr size_t kWriteChunk = 64 * 1024;

bool ListFolder(const std::string& folder, std::vector<WalkEntry>& entries) {
  WIN32_FIND_DATAA data;
  win::FindHandle find(FindFirstFileA((folder + "*.*").c_str(), &data));
  if (!find || find.Get() == INVALID_HANDLE_VALUE) {
    find.Release();
    return false;
  }
  do {
    WalkEntry e;
    e.name = data.cFileName;
    e.attributes = data.dwFileAttributes;
    e.size = int64_t(uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
    entries.push_back(std::move(e));
  } while (FindNextFileA(find.Get(), &data));
  // By name, whatever order the file system keeps: the same drive gives the same catalogue.
  std::sort(entries.begin(), entries.end(),
            [](const WalkEntry& a, const WalkEntry& b) { return _stricmp(a.name.c_str(), b.name.c_str()) < 0; });
  return true;
}

// A folder's volume and file index: the same folder reached through a junction or a link
// has the same identity.
std::string FolderIdentity(const std::string& folder) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  win::Handle h(
      CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h || h.Get() == INVALID_HANDLE_VALUE) {
    h.Release();
    return {};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h.Get(), &info)) return {};
  if (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0) return {};
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
         std::to_string(info.nFileIndexLow);
}

std::string FirstBytes(const std::string& path, size_t count) {
  int handle = 0;
  if (SKFOPEN(path, 0, 4, handle) != 0) return {};
  std::string bytes(count, '\0');
  SKFGET(handle, bytes);
  SKFCLOSE(handle);
  return bytes;
}

// Whether a file goes into the catalogue, with its picture size when it has one.
bool ProbeFile(const std::string& path, int command, const std::string& scanList, int& width, int& height) {
  width = height = 0;
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('\\', dot) != std::string::npos) return false;
  std::string extension = SKUCASE(path.substr(dot));
  bool match = false;
  if (command >= 405 && InExtensionList(kImagingPictureList, extension)) {
    if (extension == ".GIF") {
      std::string version;
      ISGIFFILE(path, width, height, version);
    } else {
      ImgFileInfo info;
      if (L_FileInfo(path, &info) == imglib::kSuccess) width = info.width, height = info.height;
    }
    match = width > 0 && height > 0;
    if (!match) width = height = 0;
  }
  if (!match) match = InExtensionList(scanList, extension);
  if (!match) return false;
  return KeepsDoubtfulMatch(extension, NeedsFirstBytes(extension) ? FirstBytes(path, 4) : std::string());
}

class CatalogueFile {
 public:
  explicit CatalogueFile(const std::string& path) {
    SKKILLFILE(path);
    error_ = SKFOPEN(path, 1, 2, handle_);
    if (error_ == 0) error_ = SKFPUT(handle_, std::string(kCatalogueHeaderWidth, ' ') + "\r\n\r\n");
  }
  ~CatalogueFile() { SKFCLOSE(handle_); }
  int Error() const { return error_; }
  void Line(const std::string& line) {
    buffer_ += line;
    if (buffer_.size() >= kWriteChunk) Flush();
  }
  void Flush() {
    if (buffer_.empty() || !handle_) return;
    lastWriteFailed_ = SKFPUT(handle_, buffer_) != 0;
    buffer_.clear();
  }
  // The header over the reserved blanks, unless the last write failed.
  void Header(const std::string& header) {
    Flush();
    if (!lastWriteFailed_ && handle_) SKFPUTAT(handle_, 0, header);
  }

 private:
  int handle_ = 0;
  int error_ = 0;
  bool lastWriteFailed_ = false;
  std::string buffer_;
};

void ShowCatalogue(const std::string& path) {
  BrowserState& b = App();
  PartnerEntry viewer = ParsePartnerEntry(Ui(44));
  std::string program =
      viewer.program.empty() ? std::string() : SKFINDF(ProgramInFolder(viewer.program, b.programFolder));
  if (!program.empty() && !viewer.className.empty()) {
    if (HWND window = FindWindowA(viewer.className.c_str(), nullptr)) {
      if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
      BringPartnerToFront(window);
      SENDCOPYDATA(window, kCodeOpen, path);
    } else {
      SKSHELL(program + " " + path + "," + b.skinFile, SW_SHOW, 0);
    }
    return;
  }
  ShellExecuteA(b.frame, "open", path.c_str(), nullptr, fileio::WithoutTrailingSeparator(b.programFolder).c_str(),
                SW_SHOW);
}

}  // namespace

HWND INFOSTATIC(HWND owner, const std::string& text) {
  if (text.empty()) return nullptr;
  // The browser's popups cast a shadow where the system draws one; a class another part
  // registered first is used as it is.
  if (!SKCHECKCLASS(kInfoPopupClass)) {
    UINT shadow = SKOSVERSION() > 500 ? CS_DROPSHADOW : 0;
    if (!win::RegisterClassOnce({.name = kInfoPopupClass, .procedure = SKSTATICPAINT,
                                 .style = CS_HREDRAW | CS_VREDRAW | shadow}))
      return nullptr;
  }
  return SKSTATIC(owner, text);
}

std::string SCANFOLDERINFO(char driveLetter, const std::string& infoText, int64_t& count, int64_t& total,
                           int command, const std::string& catalogueName) {
  BrowserState& b = App();
  count = 0;
  total = 0;
  int k = command - 400;
  if (Ui(15).empty() || k < 1 || size_t(k) > b.fileTypes.filters.size()) return {};
  std::string scanList = CatalogueExtensionList(b.fileTypes.filters[size_t(k - 1)]);
  std::string path = b.programFolder + catalogueName;
  SKCURSORWAIT();
  CatalogueFile file(path);
  if (file.Error() != 0) {
    SKCURSORSTD();
    total = -1;
    MESSAGEBOXICON(path + "||" + SKWINERR(file.Error()));
    return {};
  }
  int collecting = CatalogueCollects(command, fileio::LeadingNumber(Ui(75))) ? 0 : -1;
  bool collect = false;
  HWND popup = INFOSTATIC(b.frame, infoText);
  DWORD lastPump = GetTickCount();
  FolderWalker walker;
  walker.list = ListFolder;
  walker.identity = FolderIdentity;
  walker.found = [&](const std::string& folder, const WalkEntry& entry) {
    int width = 0, height = 0;
    std::string found = folder + entry.name;
    bool showNow = GetTickCount() - lastPump >= kPumpEveryMs;
    if (IsCatalogueFile(entry.attributes) && ProbeFile(found, command, scanList, width, height)) {
      ++count;
      if (collecting == 0) {
        collecting = -1;
        if (SendMessageA(b.collectionList, LB_GETCOUNT, 0, 0) > 0) {
          collect = QUESTIONBOX(Ui(74), Ui(29)) == 1;
          if (collect) SendMessageA(b.collectionList, LB_RESETCONTENT, 0, 0);
        } else {
          collect = true;
        }
      }
      total += entry.size;
      file.Line(CatalogueLine(width, height, entry.size, found));
      if (showNow) SetWindowTextA(b.status, found.c_str());
      if (collect) {
        std::string item = " " + found;
        SendMessageA(b.collectionList, LB_INSERTSTRING, WPARAM(count - 1), reinterpret_cast<LPARAM>(item.c_str()));
      }
    }
    if (!showNow) return true;
    lastPump = GetTickCount();
    if (WAITMESSAGEBOX(Ui(72)) != 0) {
      total = -1;
      return false;
    }
    return true;
  };
  // The collection list is drawn once at the end, not once per file found.
  SendMessageA(b.collectionList, WM_SETREDRAW, FALSE, 0);
  bool complete = WalkFolders(std::string(1, driveLetter) + ":\\", walker);
  SendMessageA(b.collectionList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(b.collectionList, nullptr, TRUE);
  std::vector<std::string> fields = fileio::SplitFields(SKMACTE(command, b.menus), ',');
  fields.resize(3);
  if (complete) file.Header(CatalogueHeader(driveLetter, fields[2], count, total));
  if (popup && IsWindow(popup)) DestroyWindow(popup);
  SetWindowTextA(b.status, "");
  SKCURSORSTD();
  return total < 1 ? std::string() : path;
}

void CatalogueCommand(int command) {
  BrowserState& b = App();
  const MenuItem* item = b.menus.FindItem(command);
  std::string caption = item ? item->caption : std::string();
  while (!caption.empty() && caption.back() == ' ') caption.pop_back();
  caption = SKCRUNCH(caption, "&");
  std::string list = SKUCASE(SKDSKLIST());
  while (!list.empty() && (list[0] == 'A' || list[0] == 'B')) list.erase(0, 1);
  std::string drives, buttons;
  for (char letter : list) {
    if (letter < 'A' || letter > 'Z' || !SKEXIST(std::string(1, letter) + ":\\*.*")) continue;
    drives += letter;
    buttons += std::string(1, letter) + ":|";
  }
  std::string cancel = Ui(39);
  size_t bar = cancel.find('|');
  buttons = bar == std::string::npos ? buttons.substr(0, buttons.empty() ? 0 : buttons.size() - 1)
                                     : buttons.substr(0, buttons.size() - 1) + cancel.substr(bar);
  if (drives.empty()) return;
  SkBoxStyle style = SkBoxStyle::Skinned(nullptr, kSkBoxQuestion);
  int answer = SKMSGBOX(b.frame, SKCAPTIONFONT(), caption, Ui(71), buttons, style);
  if (answer < 1 || answer > int(drives.size())) return;
  char letter = drives[size_t(answer - 1)];
  std::vector<std::string> fields = fileio::SplitFields(SKMACTE(command, b.menus), ',');
  fields.resize(3);
  std::string name = fields[0];
  for (size_t at = name.find('@'); at != std::string::npos; at = name.find('@', at + 1)) name.replace(at, 1, 1, letter);
  int64_t count = 0, total = 0;
  std::string result = SCANFOLDERINFO(letter, fields[1], count, total, command, name);
  if (!result.empty()) {
    ShowCatalogue(result);
  } else if (total != -1) {
    SKMSGBOX(b.frame, SKCAPTIONFONT(), caption, Ui(73), "",
             SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION), kSkBoxWarning));
  }
}

}  // namespace kelmor
