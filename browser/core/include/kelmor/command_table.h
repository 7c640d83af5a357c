// The media browser's command table: what each menu command, button and control does. The
// window code dispatches on the action; a test holds the shipped menus against it, so that
// no item of the UI text file is left without a handler. Portable.
#pragma once
#include <string>

namespace kelmor {

enum class BrowserAction {
  kNone,                  // not a command of the browser
  kClose,                 // an item whose action text is "END"
  kFileTypeBox,
  kFavouritesBox,
  kFolderTree,
  kFileList,
  kAddToCollection,
  kAddCurrent,
  kWebAddress,
  kHelp,
  kRemoveFromCollection,
  kEmptyCollection,
  kLoadList,
  kSaveList,
  kHandCollectionOver,
  kHandSelectionToPartner,
  kWallpaper,
  kMarkers,
  kSheetNames,
  kDiscBurnerCommand,
  kBurnerButton,
  kSelectAll,
  kInvertSelection,
  kSelectNone,
  kCollectionSelectNone,
  kPlayFiles,
  kPlayCollection,
  kOpenInEditor,
  kTransform,             // flip, mirror, rotations
  kResize,
  kConvert,
  kRenameSeries,
  kSkin,
  kProgram,
  kDocument,
  kNewFolder,
  kRenameFolder,
  kDeleteFolder,
  kWebPages,              // 901 to 907
  kDeleteFiles,           // the delete button and command
  kCopyFiles,
  kMoveFiles,
  kCatalogue,             // 401 to 406
  kIndexSheets,           // 801 to 807, 1400 to 1499
  kConvertSounds,         // 1201 to 1204, 1301 to 1304
};

// The action of a command identifier; actionText is the menu item's action text (an item
// whose text is "END" closes the browser, whatever its number).
BrowserAction CommandAction(int id, const std::string& actionText);

}  // namespace kelmor
