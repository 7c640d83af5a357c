// The media browser's identifiers: the controls of its main window, its buttons (each
// caption and tip is the UI entry of the button's number), its menus and its menu commands
// (100 x menu number + item number). In the core, since the layout, the key rules and the
// menu rules use them as well as the window code. Portable.
#pragma once

namespace kelmor {

// Controls of the main window's client holder.
enum BrowserControl : int {
  kFileTypeBox = 1,
  kFavouritesBox = 2,
  kFileList = 3,
  kCollectionList = 4,
  kOptionCheck = 15,  // "hand over at once"
  kFolderTree = 32766,
};

// The buttons below the file list and below the collection list.
enum BrowserButton : int {
  kAddButton = 5,          // the selected files into the collection
  kAddCurrentButton = 6,   // the current file into the collection
  kDeleteButton = 7,
  kWebButton = 8,          // a web address for the partner
  kHelpButton = 9,         // captioned "?"
  kRemoveButton = 10,      // the selected entries out of the collection
  kEmptyButton = 11,
  kLoadButton = 12,
  kSaveButton = 13,
  kHandOverButton = 14,    // the collection list to the partner; the main window makes it last
  kBurnerButton = 95,      // only when the disc burner is installed
};

// Menus and popup menus by number.
enum BrowserMenu : int {
  kFileListPopup = 1,
  kCollectionPopup = 2,
  kSkinMenu = 3,
  kFolderPopup = 15,
};

// Commands from 100 on come from the menus; a command whose action text is "END" closes.
inline constexpr int kFirstMenuCommand = 100;

enum BrowserCommand : int {
  kHandToPartnerCommand = 101,          // the selected files to the partner
  kAddToCollectionCommand = 103,
  kAddCurrentCommand = 104,
  kDeleteFilesCommand = 105,
  kHelpCommand = 108,
  kWallpaperCommand = 110,
  kSelectAllCommand = 112,
  kInvertSelectionCommand = 113,
  kSelectNoneCommand = 114,
  kPlayFilesCommand = 116,              // the selected sound files to the audio program
  kRemoveFromCollectionCommand = 201,
  kEmptyCollectionCommand = 202,
  kLoadListCommand = 203,
  kSaveListCommand = 204,
  kCollectionHelpCommand = 205,
  kCollectionHandToPartnerCommand = 206,
  kCollectionSelectNoneCommand = 208,
  kPlayCollectionCommand = 210,
  kDiscBurnerCommand = 212,             // its action text names the burner's program and class
  kFirstSkinCommand = 301,              // one per skin, to 399
  kLastSkinCommand = 399,
  kMarkersCommand = 408,                // side-file markers on or off
  kFirstProgramCommand = 503,           // programs of the suite, with the selected files
  kLastProgramCommand = 509,
  kSheetNamesCommand = 809,             // the names option of the index sheets
  kFirstToolCommand = 1001,             // tools of the suite, with the selected files
  kWaitForCommandTool = 1004,           // started with " WAITFORCOMMAND"
  kCommaListTool = 1005,                // takes its files joined by ","
  kLastToolCommand = 1005,
  kFirstDocumentCommand = 1101,         // the action text opened with its associated program
  kLastDocumentCommand = 1199,
};

// The picture and file commands of the file list.
enum FileCommand : int {
  kCopyFilesCommand = 106,        // to a chosen folder, side files with their pictures
  kMoveFilesCommand = 107,
  kOpenInEditorCommand = 701,     // each file in the program Windows associates with it
  kConvertCommand = 710,          // to another picture type
  kRenameSeriesCommand = 711,     // to a numbered series, side files with their pictures
};

// Catalogues of a drive: file type 1 to 6 of the file-type box.
enum CatalogueCommand : int {
  kFirstCatalogueCommand = 401,
  kLastCatalogueCommand = 406,
};

// Index sheets and web pages of the selected pictures; the action text holds the grid.
enum SheetCommand : int {
  kFirstSheetCommand = 801,
  kLastSheetCommand = 807,
  kOneSheetCommand = 1400,
  kFirstCopiesSheetCommand = 1401,
  kLastCopiesSheetCommand = 1499,
  kFirstWebPagesCommand = 901,
  kLastWebPagesCommand = 907,
};

// Sound conversion: CD tracks (1201 to 1204) or sound files (1301 to 1304) to WAV, WMA
// or an outside encoder.
enum SoundCommand : int {
  kFirstCdCommand = 1201,
  kLastCdCommand = 1204,
  kFirstSoundFileCommand = 1301,
  kLastSoundFileCommand = 1304,
};

// The folder tree's popup menu.
enum FolderCommand : int {
  kNewFolderCommand = 1501,
  kRenameFolderCommand = 1502,
  kDeleteFolderCommand = 1503,
};

// The picture transforms of the file list.
enum TransformCommand : int {
  kTransformFlip = 703,         // top to bottom
  kTransformMirror = 704,       // left to right
  kTransformRotateLeft = 705,   // a quarter turn anticlockwise
  kTransformRotateRight = 706,  // a quarter turn clockwise
  kTransformResize = 707,
};

}  // namespace kelmor
