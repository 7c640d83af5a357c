#include "commands.h"

#include "collection.h"
#include "detail_filler.h"
#include "filelist.h"
#include "folders.h"
#include "imaging/copydata.h"
#include "kelmor/partner_rules.h"
#include "kelmor/command_table.h"
#include "catalogue.h"
#include "file_moves.h"
#include "index_sheets.h"
#include "launcher.h"
#include "list_commands.h"
#include "mainwindow.h"
#include "picture_commands.h"
#include "program_commands.h"
#include "sound_commands.h"
#include "skin/sk_controls.h"
#include "skin/ui_text.h"
#include "state.h"
#include "transforms.h"
#include "wallpaper.h"
#include "web_pages.h"

namespace kelmor {

namespace {

std::vector<std::string> CollectionPaths() { return EntryPaths(ListEntries(App().collectionList)); }

// The hand-over button: the collection list goes to the partner; the browser then steps aside.
void HandCollectionToPartner() {
  BrowserState& b = App();
  std::vector<std::string> paths = CollectionPaths();
  LAUNCHSUITEAPP(JoinPaths(paths));
  if (!paths.empty()) ShowWindow(b.frame, SW_MINIMIZE);
}

// The disc burner's command hands the collection list to the burner even when it is empty
// (the burner then opens with an empty job); its button does so only with files in the list.
void HandCollectionToBurner(bool evenWhenEmpty) {
  std::vector<std::string> paths = CollectionPaths();
  if (paths.empty() && !evenWhenEmpty) return;
  HandToDiscBurner(paths);
}

// With the option "hand over at once", every file chosen in the list goes to the partner
// while the browser keeps the front and the keyboard.
void FileListSelectionChanged() {
  BrowserState& b = App();
  if (!b.optionCheck || !SKGETCHECK(b.optionCheck) || CURRENTFOLDER().empty()) return;
  int current = GETCURSELLISTBOX(b.fileList);
  if (current < 0 || current >= int(SendMessageA(b.fileList, LB_GETCOUNT, 0, 0))) return;
  HWND focus = GetFocus();
  LAUNCHSUITEAPP(CURRENTFOLDER() + EntryFileName(ListEntryText(b.fileList, current)));
  SetForegroundWindow(b.frame);
  if (focus && IsWindow(focus)) SetFocus(focus);
  SendMessageA(b.fileList, LB_SETSEL, TRUE, current);
}

}  // namespace

void ChooseFileType(int index) {
  BrowserState& b = App();
  if (index < 0 || size_t(index) >= b.fileTypes.filters.size()) return;
  int shown = int(SendMessageA(b.fileTypeBox, CB_GETCURSEL, 0, 0));
  int previous = b.currentFileType;
  if (index == shown && index == previous) return;
  StopListInfo();
  if (index != shown) SendMessageA(b.fileTypeBox, CB_SETCURSEL, WPARAM(index), 0);
  FILLFILELIST(CURRENTFOLDER(), b.fileTypes.filters[size_t(index)]);
  // Leaving the thumbnails: the whole window is drawn again with the rows.
  if (previous == kThumbnailFileType) PostMessageA(b.frame, kMsgRepaint, reinterpret_cast<WPARAM>(b.frame), 0);
  b.currentFileType = index;
}

void OnCommand(HWND, int id, int notification, LPARAM lParam) {
  BrowserState& b = App();
  std::string actionText = id >= kFirstMenuCommand ? SKMACTE(id, b.menus) : std::string();
  switch (CommandAction(id, actionText)) {
    case BrowserAction::kClose:
      PostMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
      return;
    case BrowserAction::kFileTypeBox:
      if (notification == CBN_SELCHANGE) ChooseFileType(int(SendMessageA(b.fileTypeBox, CB_GETCURSEL, 0, 0)));
      return;
    case BrowserAction::kFavouritesBox:
      if (notification == CBN_SELCHANGE) OnFavouriteChosen();
      return;
    case BrowserAction::kFolderTree:
      OnFolderTreeCommand(notification, lParam);
      return;
    case BrowserAction::kFileList:
      if (notification == LBN_SELCHANGE) FileListSelectionChanged();
      return;
    case BrowserAction::kAddToCollection:
      AddToCollection(false);
      return;
    case BrowserAction::kAddCurrent:
      AddToCollection(true);
      return;
    case BrowserAction::kWebAddress:
      AskWebAddress();
      return;
    case BrowserAction::kHelp:
      ShowHelp();
      return;
    case BrowserAction::kRemoveFromCollection:
      RemoveFromCollection();
      return;
    case BrowserAction::kEmptyCollection:
      EmptyCollection();
      return;
    case BrowserAction::kLoadList:
      LoadCollectionList();
      return;
    case BrowserAction::kSaveList:
      SaveCollectionList();
      return;
    case BrowserAction::kHandCollectionOver:
      HandCollectionToPartner();
      return;
    case BrowserAction::kHandSelectionToPartner:
      HandSelectionToPartner();
      return;
    case BrowserAction::kWallpaper:
      WallpaperCommand();
      return;
    case BrowserAction::kMarkers:
      ToggleMarkers();
      return;
    case BrowserAction::kSheetNames:
      ToggleMenuCheck(id);
      return;
    case BrowserAction::kDiscBurnerCommand:
      HandCollectionToBurner(true);
      return;
    case BrowserAction::kBurnerButton:
      HandCollectionToBurner(false);
      return;
    case BrowserAction::kSelectAll:
      SelectAllFiles();
      return;
    case BrowserAction::kInvertSelection:
      InvertFileSelection();
      return;
    case BrowserAction::kSelectNone:
      SelectNone(b.fileList);
      return;
    case BrowserAction::kCollectionSelectNone:
      SelectNone(b.collectionList);
      return;
    case BrowserAction::kPlayFiles:
      PlaySelectedSounds(b.fileList);
      return;
    case BrowserAction::kPlayCollection:
      PlaySelectedSounds(b.collectionList);
      return;
    case BrowserAction::kOpenInEditor:
      OpenInAssociatedPrograms();
      return;
    case BrowserAction::kTransform:
      StartTransformBatch(id);
      return;
    case BrowserAction::kResize:
      ResizeSelectedPictures();
      return;
    case BrowserAction::kConvert:
      ConvertSelectedPictures();
      return;
    case BrowserAction::kRenameSeries:
      RenameSelectedAsSeries();
      return;
    case BrowserAction::kSkin:
      ChooseSkin(id);
      return;
    case BrowserAction::kProgram:
      RunProgramCommand(id);
      return;
    case BrowserAction::kDocument:
      SHELLOPEN(actionText);
      return;
    case BrowserAction::kNewFolder:
      NewFolderInTree();
      return;
    case BrowserAction::kRenameFolder:
      RenameFolderInTree();
      return;
    case BrowserAction::kDeleteFolder:
      DeleteFolderInTree();
      return;
    case BrowserAction::kWebPages:
      MakeWebPages(id);
      return;
    case BrowserAction::kDeleteFiles:
      DeleteSelectedFiles();
      return;
    case BrowserAction::kCopyFiles:
      CopySelectedFiles(false);
      return;
    case BrowserAction::kMoveFiles:
      CopySelectedFiles(true);
      return;
    case BrowserAction::kCatalogue:
      CatalogueCommand(id);
      return;
    case BrowserAction::kIndexSheets:
      INDEXSHEETS(id);
      return;
    case BrowserAction::kConvertSounds:
      ConvertSounds(id);
      return;
    case BrowserAction::kNone:
      return;
  }
}

}  // namespace kelmor
