// The commands of the media browser's menus, buttons and controls.
#include "launcher.h"
#include "layout.h"
#include "mainwindow.h"
#include "menus.h"
#include "partner_rules.h"
#include "skin/ui_text.h"
#include "state.h"
#include "wndproc.h"

namespace {

std::vector<std::string> CollectionPaths() { return EntryPaths(ListEntries(Browser().collectionList)); }

// Button 14: the collection list goes to the partner; the browser then steps aside.
void HandCollectionToPartner() {
  BrowserState& b = Browser();
  std::vector<std::string> paths = CollectionPaths();
  LAUNCHSUITEAPP(JoinPaths(paths));
  if (!paths.empty()) ShowWindow(b.frame, SW_MINIMIZE);
}

// Command 212 hands the collection list to the disc burner even when it is empty (the
// burner then opens with an empty job); its button does so only with files in the list.
void HandCollectionToBurner(bool evenWhenEmpty) {
  std::vector<std::string> paths = CollectionPaths();
  if (paths.empty() && !evenWhenEmpty) return;
  HandToDiscBurner(paths);
}

void FileTypeChosen() {
  BrowserState& b = Browser();
  int chosen = int(SendMessageA(b.fileTypeBox, CB_GETCURSEL, 0, 0));
  if (chosen < 0 || chosen == b.currentFileType || size_t(chosen) >= b.fileTypes.filters.size()) return;
  b.currentFileType = chosen;
  b.filterChoice = b.fileTypes.filters[size_t(chosen)];
}

}  // namespace

void OnCommand(HWND, int id, int notification, HWND) {
  BrowserState& b = Browser();
  if (SKMACTE(id, b.menus) == "END") {
    PostMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  switch (id) {
    case kFileTypeBox:
      if (notification == CBN_SELCHANGE) FileTypeChosen();
      break;
    case 14:
      HandCollectionToPartner();
      break;
    case kDiscBurnerCommand:
      HandCollectionToBurner(true);
      break;
    case kBurnerButton:
      HandCollectionToBurner(false);
      break;
    default:
      break;
  }
}
