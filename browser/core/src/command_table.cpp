#include "kelmor/command_table.h"

#include "kelmor/command_ids.h"

namespace kelmor {

namespace {

bool In(int id, int first, int last) { return id >= first && id <= last; }

BrowserAction ControlAction(int id) {
  switch (id) {
    case kFileTypeBox: return BrowserAction::kFileTypeBox;
    case kFavouritesBox: return BrowserAction::kFavouritesBox;
    case kFolderTree: return BrowserAction::kFolderTree;
    case kFileList: return BrowserAction::kFileList;
    case kAddButton:
    case kAddToCollectionCommand: return BrowserAction::kAddToCollection;
    case kAddCurrentButton:
    case kAddCurrentCommand: return BrowserAction::kAddCurrent;
    case kWebButton: return BrowserAction::kWebAddress;
    case kHelpButton:
    case kHelpCommand:
    case kCollectionHelpCommand: return BrowserAction::kHelp;
    case kRemoveButton:
    case kRemoveFromCollectionCommand: return BrowserAction::kRemoveFromCollection;
    case kEmptyButton:
    case kEmptyCollectionCommand: return BrowserAction::kEmptyCollection;
    case kLoadButton:
    case kLoadListCommand: return BrowserAction::kLoadList;
    case kSaveButton:
    case kSaveListCommand: return BrowserAction::kSaveList;
    case kHandOverButton: return BrowserAction::kHandCollectionOver;
    case kHandToPartnerCommand:
    case kCollectionHandToPartnerCommand: return BrowserAction::kHandSelectionToPartner;
    case kWallpaperCommand: return BrowserAction::kWallpaper;
    case kMarkersCommand: return BrowserAction::kMarkers;
    case kSheetNamesCommand: return BrowserAction::kSheetNames;
    case kDiscBurnerCommand: return BrowserAction::kDiscBurnerCommand;
    case kBurnerButton: return BrowserAction::kBurnerButton;
    case kSelectAllCommand: return BrowserAction::kSelectAll;
    case kInvertSelectionCommand: return BrowserAction::kInvertSelection;
    case kSelectNoneCommand: return BrowserAction::kSelectNone;
    case kCollectionSelectNoneCommand: return BrowserAction::kCollectionSelectNone;
    case kPlayFilesCommand: return BrowserAction::kPlayFiles;
    case kPlayCollectionCommand: return BrowserAction::kPlayCollection;
    case kOpenInEditorCommand: return BrowserAction::kOpenInEditor;
    case kTransformResize: return BrowserAction::kResize;
    case kConvertCommand: return BrowserAction::kConvert;
    case kRenameSeriesCommand: return BrowserAction::kRenameSeries;
    case kNewFolderCommand: return BrowserAction::kNewFolder;
    case kRenameFolderCommand: return BrowserAction::kRenameFolder;
    case kDeleteFolderCommand: return BrowserAction::kDeleteFolder;
    case kDeleteButton:
    case kDeleteFilesCommand: return BrowserAction::kDeleteFiles;
    case kCopyFilesCommand: return BrowserAction::kCopyFiles;
    case kMoveFilesCommand: return BrowserAction::kMoveFiles;
    default: return BrowserAction::kNone;
  }
}

}  // namespace

BrowserAction CommandAction(int id, const std::string& actionText) {
  if (id >= kFirstMenuCommand && actionText == "END") return BrowserAction::kClose;
  if (BrowserAction a = ControlAction(id); a != BrowserAction::kNone) return a;
  if (In(id, kTransformFlip, kTransformRotateRight)) return BrowserAction::kTransform;
  if (In(id, kFirstSkinCommand, kLastSkinCommand)) return BrowserAction::kSkin;
  if (In(id, kFirstProgramCommand, kLastProgramCommand) || In(id, kFirstToolCommand, kLastToolCommand))
    return BrowserAction::kProgram;
  if (In(id, kFirstDocumentCommand, kLastDocumentCommand)) return BrowserAction::kDocument;
  if (In(id, kFirstWebPagesCommand, kLastWebPagesCommand)) return BrowserAction::kWebPages;
  if (In(id, kFirstCatalogueCommand, kLastCatalogueCommand)) return BrowserAction::kCatalogue;
  if (In(id, kFirstSheetCommand, kLastSheetCommand) || id == kOneSheetCommand ||
      In(id, kFirstCopiesSheetCommand, kLastCopiesSheetCommand))
    return BrowserAction::kIndexSheets;
  if (In(id, kFirstCdCommand, kLastCdCommand) || In(id, kFirstSoundFileCommand, kLastSoundFileCommand))
    return BrowserAction::kConvertSounds;
  return BrowserAction::kNone;
}

}  // namespace kelmor
