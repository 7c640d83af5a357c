#include "commands.h"

#include "collection.h"
#include "detail_filler.h"
#include "filelist.h"
#include "folders.h"
#include "imaging/copydata.h"
#include "kelmor/partner_rules.h"
#include "launcher.h"
#include "mainwindow.h"
#include "program_commands.h"
#include "skin/sk_controls.h"
#include "skin/ui_text.h"
#include "state.h"
#include "transforms.h"
#include "wallpaper.h"

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

bool In(int id, int first, int last) { return id >= first && id <= last; }

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
  if (id >= kFirstMenuCommand && SKMACTE(id, b.menus) == "END") {
    PostMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  switch (id) {
    case kFileTypeBox:
      if (notification == CBN_SELCHANGE) ChooseFileType(int(SendMessageA(b.fileTypeBox, CB_GETCURSEL, 0, 0)));
      return;
    case kFavouritesBox:
      if (notification == CBN_SELCHANGE) OnFavouriteChosen();
      return;
    case kFolderTree:
      OnFolderTreeCommand(notification, lParam);
      return;
    case kFileList:
      if (notification == LBN_SELCHANGE) FileListSelectionChanged();
      return;
    case kAddButton:
    case kAddToCollectionCommand:
      AddToCollection(false);
      return;
    case kAddCurrentButton:
    case kAddCurrentCommand:
      AddToCollection(true);
      return;
    case kWebButton:
      AskWebAddress();
      return;
    case kHelpButton:
    case kHelpCommand:
    case kCollectionHelpCommand:
      ShowHelp();
      return;
    case kRemoveButton:
    case kRemoveFromCollectionCommand:
      RemoveFromCollection();
      return;
    case kEmptyButton:
    case kEmptyCollectionCommand:
      EmptyCollection();
      return;
    case kHandOverButton:
      HandCollectionToPartner();
      return;
    case kHandToPartnerCommand:
    case kCollectionHandToPartnerCommand:
      HandSelectionToPartner();
      return;
    case kWallpaperCommand:
      WallpaperCommand();
      return;
    case kMarkersCommand:
      ToggleMarkers();
      return;
    case kSheetNamesCommand:
      ToggleMenuCheck(id);
      return;
    case kDiscBurnerCommand:
      HandCollectionToBurner(true);
      return;
    case kBurnerButton:
      HandCollectionToBurner(false);
      return;
    default:
      break;
  }
  // The resize asks for the new size in the size box first; the flip, mirror and rotations
  // start at once.
  if (In(id, kTransformFlip, kTransformRotateRight)) StartTransformBatch(id);
  else if (In(id, kFirstSkinCommand, kLastSkinCommand)) ChooseSkin(id);
  else if (In(id, kFirstProgramCommand, kLastProgramCommand) || In(id, kFirstToolCommand, kLastToolCommand))
    RunProgramCommand(id);
  else if (In(id, kFirstDocumentCommand, kLastDocumentCommand)) SHELLOPEN(SKMACTE(id, b.menus));
}

}  // namespace kelmor
