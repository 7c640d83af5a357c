#include "commands.h"

#include "closing.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "hessam/command_ids.h"
#include "hessam/texts.h"
#include "imaging/partner.h"
#include "pick/folder_tree.h"
#include "print.h"
#include "shows.h"
#include "skin/skin.h"
#include "state.h"
#include "strip.h"
#include "wndproc.h"
#include "zoom.h"

namespace hessam {
namespace {

constexpr UINT kStartDelayMs = 200;

void OpenHelp(const std::string& document) {
  BrowserState& b = App();
  OpenInHelpViewer(b.frame, Ui(13), document, b.programFolder);
}

// The folder's listing from its search mask; the tree shows the folder too.
void ListFolder(const std::string& folder) {
  BrowserState& b = App();
  b.displayName = FolderDisplayName(folder);
  b.searchMask = SearchMask(folder);
  STARTFOLDERSCAN();
}

// The tree chose a folder (code 2).
void OnFolderTree(WORD code) {
  BrowserState& b = App();
  if (code != kFolderTreeSelChanged || b.treeQuiet || !b.folderTree) return;
  char path[260] = {};
  SendMessageA(b.folderTree, kFolderTreeGetPath, sizeof path, reinterpret_cast<LPARAM>(path));
  if (!path[0]) return;
  ListFolder(path);
}

bool IsEndCommand(int id) { return id > 0 && SKMACTE(id, App().menus) == "END"; }

}  // namespace

void OnStartTimer(UINT_PTR id) {
  BrowserState& b = App();
  if (id != b.startTimer) return;
  KillTimer(nullptr, b.startTimer);
  b.startTimer = 0;
  if (!b.pictures.empty()) return;
  std::string fromLine = CommandLineFolder(b.commandLine);
  if (!fromLine.empty()) b.currentFolder = fromLine;
  else if (fileio::Exists(b.programFolder + "AUTORUN.INF")) b.currentFolder = b.programFolder;
  b.currentFolder = fileio::WithTrailingSeparator(b.currentFolder);
  if (b.folderTree) {
    // The tree shows the start folder without listing it a second time.
    b.treeQuiet = true;
    FolderTreeSelect(b.folderTree, fileio::WithoutTrailingSeparator(b.currentFolder));
  }
  b.treeQuiet = false;
  ListFolder(b.currentFolder);
  if (b.pictureStrip) SetFocus(b.pictureStrip);
}

void OnCommand(HWND, WPARAM wParam, LPARAM) {
  BrowserState& b = App();
  int id = LOWORD(wParam);
  switch (id) {
    case kCmdStart:
      UpdateWindow(b.frame);
      SetFocus(b.frame);
      b.startTimer = SetTimer(nullptr, 0, kStartDelayMs, StartTimerProc);
      return;
    case kCmdFirstFour:
    case kCmdOneBack:
    case kCmdOneForward:
    case kCmdLastFour:
      PageStrip(id);
      return;
    case kCmdPrint:
    case kCmdPreview:
    case kCmdPrinterSetup:
      OnPrintCommand(id);
      return;
    case kCmdHelp:
    case kCmdHelpMenu: {
      char exe[MAX_PATH] = {};
      GetModuleFileNameA(nullptr, exe, sizeof exe);
      OpenHelp(fileio::FolderOf(exe) + Ui(40));
      return;
    }
    case kFolderTree:
      OnFolderTree(HIWORD(wParam));
      return;
    case kCmdPictureButton:
      OpenHelp(Ui(14));
      return;
    case kCmdSlideShow:
      SlideShow();
      return;
    case kCmdTiledShow:
    case kCmdTiledShow2:
      TiledShow(id);
      return;
    case kCmdNamesOn:
    case kCmdNamesOff:
      SetFileNames(id == kCmdNamesOn);
      return;
    default:
      break;
  }
  if (id >= ZoomSelectionCommand(1) && id <= ClearSelectionCommand(4)) {
    int n = (id - 5) / 2;
    if (id % 2 == 1) ZoomSelection(n);
    else ClearSelection(n);
    return;
  }
  if (IsEndCommand(id)) SendMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace hessam
