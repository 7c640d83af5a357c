// The commands of the menus, the control panel and the tool buttons.
#include "commands.h"

#include <windows.h>
#include <commctrl.h>

#include "boxes.h"
#include "bravik/box_rules.h"
#include "bravik/object_rules.h"
#include "bravik/picture_rules.h"
#include "canvas.h"
#include "effects.h"
#include "capture.h"
#include "export.h"
#include "fontbox.h"
#include "fileio/paths.h"
#include "objects.h"
#include "partner.h"
#include "picture.h"
#include "print.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "toolbox.h"
#include "win/raii.h"
#include "zoombox.h"

namespace bravik {
namespace {

void AddItems(std::vector<int>& ids, int menu, int firstItem, int lastItem) {
  for (int item = firstItem; item <= lastItem; ++item) ids.push_back(MenuCommand(menu, item));
}

// The commands that work on a picture; the colour menu's from its item firstColourItem.
std::vector<int> PictureCommands(int firstColourItem) {
  std::vector<int> ids;
  AddItems(ids, kMenuColours, firstColourItem, 14);
  AddItems(ids, kMenuPicture, 1, 8);
  for (int menu : {kMenuEffects, kMenuEmboss, kMenuRelief}) AddItems(ids, menu, 1, 8);
  ids.insert(ids.end(), {kCmdResize, kCmdSelectArea, kCmdRedEye});
  return ids;
}

void StepInList(int id) {
  ToolState& t = App();
  EndCanvasModes();
  if (t.list.Empty()) return;
  if (!CHECKSAVE()) {
    ShowListPosition();  // the track bar goes back to the picture that stays
    return;
  }
  if (id == kButtonPrevious) t.list.Previous();
  else if (id == kButtonNext) t.list.Next();
  else t.list.GoTo(int(SendMessageA(t.trackBar, TBM_GETPOS, 0, 0)));
  t.currentFile = t.list.Current();
  if (!t.currentFile.empty()) t.currentFolder = fileio::FolderOf(t.currentFile);
  ShowListPosition();
  OPENPICTURE();
}

void Reload() {
  EndCanvasModes();
  if (!CHECKSAVE()) return;
  OPENPICTURE();
}

void NewPicture() {
  ToolState& t = App();
  std::string file;
  int width = 0, height = 0;
  SetEffectDefaults(kBoxNewPicture);
  if (RUNTOOLBOX(file, PlainCaption(SKGETMENUSTRING(kCmdNewPicture)), width, height, 0, kBoxNewPicture) <= 1 ||
      !SizeAllowed(width, height))
    return;
  if (!CHECKSAVE()) return;
  int newWidth = width, newHeight = height;
  win::MemoryDC memory;
  {
    win::WindowDC screen(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    if (MemoryLimit(bits, width, height, t.memoryWidth, t.memoryHeight, SKOSVERSION(), newWidth, newHeight)) {
      width = newWidth;
      height = newHeight;
    }
    memory = win::MemoryDC(screen, width, height);
  }
  if (!memory) {
    ErrorBox(t.tempCopy + Ui(58));
    return;
  }
  SKFILLRECT(memory, 0, 0, width, height, RGB(255, 255, 255));
  LoadMadePicture(memory, 0, 0, width, height, true);
}

void DeleteCurrentFile() {
  ToolState& t = App();
  if (t.currentFile.empty()) return;
  if (AskBox(t.currentFile + "||" + Ui(16)) != 1) return;
  std::string deleted = t.currentFile;
  SKKILLFILE(deleted);
  if (t.loadedFile.empty()) {
    t.currentFile.clear();
    int colours = 0;
    LOADPICTURE("", colours);
    PICTUREINFO();
    return;
  }
  if (!fileio::EqualsNoCase(t.loadedFile, deleted) && !fileio::EqualsNoCase(t.loadedFile, t.conversionPath))
    SKKILLFILE(t.loadedFile);
  t.list.RemoveCurrent();
  t.currentFile = t.list.Current();
  t.modified = 0;
  OPENPICTURE();
}

bool EnsurePicture() {
  if (App().pictureWidth > 0) return true;
  NewPicture();
  return App().pictureWidth > 0;
}

// The fill style popup at a tool button: kCmdFillOutline to kCmdFillOpen, or 0 when it
// closed without a choice.
int ChooseFillStyle(int toolId) {
  ToolState& t = App();
  HMENU popup = SKPOPUPHANDLE(kMenuFill);
  if (!popup) return kCmdFillOutline;
  bool closedFigures = toolId == kCmdNewEllipse || toolId == kCmdNewRectangle;
  EnableMenuItem(popup, kCmdFillOpen, MF_BYCOMMAND | (closedFigures ? MF_GRAYED : MF_ENABLED));
  RECT r{};
  if (HWND button = GetDlgItem(t.controlPanel, toolId)) GetWindowRect(button, &r);
  int choice = int(TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY |
                                               TPM_LEFTBUTTON,
                                    r.left, r.bottom, t.frame, nullptr));
  EnableMenuItem(popup, kCmdFillOpen, MF_BYCOMMAND | MF_ENABLED);
  return choice;
}

void NewShapeTool(int id) {
  ToolState& t = App();
  if (!EnsurePicture()) return;
  int kind = id - kCmdNewText + layer::kText;
  int style = kCmdFillOpen - kFillStyleBase;
  if (id != kCmdNewArrow) {
    int choice = ChooseFillStyle(id);
    if (choice < kCmdFillOutline || choice > kCmdFillOpen) return;
    style = choice - kFillStyleBase;
  }
  if (ObjectLimitReached(ObjectCount() + 1)) {
    ErrorBox(Ui(57));
    return;
  }
  FontBoxParams& p = FONTBOXPARAMS();
  p.kindAndStyle = uint32_t(kind) | (uint32_t(style) << 16);
  if (DRAWBOX(t.frame, UiField(46, 1)) != 2) return;
  StartShapeDrawing(kind, style);
}

void ChooseUnderlay() {
  ToolState& t = App();
  std::string filter = Ui(45).empty() ? std::string("BMP|*.BMP") : Ui(45);
  std::string chosen;
  if (PickFiles(PlainCaption(SKGETMENUSTRING(kCmdChooseUnderlay)), filter, false, chosen) == 2 && !chosen.empty()) {
    if (chosen.back() == '|') chosen.pop_back();
    t.underlayFile = chosen;
  }
}

}  // namespace

std::vector<int> CommandsGreyedAtStart() { return PictureCommands(1); }

std::vector<int> CommandsOfAPicture() {
  std::vector<int> ids = PictureCommands(3);
  ids.push_back(kCmdColourSpare);
  return ids;
}

void OnCommand(int id) {
  ToolState& t = App();
  if (SKMACTE(id, t.menus) == "END") {
    PostMessageA(t.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  // Every command ends a shape being drawn and gives the objects back their states.
  EraseRubberBand();
  t.drawKind = 0;
  t.drawPoints.clear();
  ObjectsMessage(kObjRestoreStates);
  SKCURSORSTD();
  SetWindowTextA(t.status, "");
  if (int box = BoxIndex(id)) {
    SetEffectDefaults(box);
    MENUTOOL(id, box);
    return;
  }
  switch (id) {
    case kButtonPrevious:
    case kButtonNext:
    case kTrackList:
      StepInList(id);
      return;
    case kButtonFullView:
      ShowFullView();
      return;
    case kButtonReload:
      Reload();
      return;
    case kHelpButton:
    case kCmdHelp:
      ShowHelp();
      return;
    case kCmdOpen:
      PEERANDPICK();
      return;
    case kCmdNewPicture:
      NewPicture();
      return;
    case kCmdPrint:
      PrintPicture();
      return;
    case kCmdSave:
      SaveCurrent();
      return;
    case kCmdSaveAs:
      SaveAs();
      return;
    case kCmdDeleteFile:
      DeleteCurrentFile();
      return;
    case kCmdZoomWindow:
      CREATEZOOMBOX(PlainCaption(SKGETMENUSTRING(kCmdZoomWindow)));
      return;
    case kCmdChooseUnderlay:
      ChooseUnderlay();
      return;
    case kCmdUnderlay:
      UnderlayPicture();
      return;
    case kCmdCopy:
      CopyToClipboard();
      return;
    case kCmdPaste:
      PasteFromClipboard();
      return;
    case kCmdSelectArea:
      EndCanvasModes();
      if (t.pictureWidth <= 0) return;
      t.selectionMode = true;
      for (HWND w : QENUMOBJECT(t.canvas, 0)) EnableWindow(w, FALSE);
      return;
    case kCmdRedEye:
      EndCanvasModes();
      if (t.pictureWidth <= 0) return;
      StartRedEyeMode();
      if (!t.zoomBox) CREATEZOOMBOX(PlainCaption(SKGETMENUSTRING(kCmdZoomWindow)));
      return;
    case kCmdNewText:
      if (EnsurePicture()) NewTextObject();
      return;
    case kCmdNewEllipse: case kCmdNewRectangle: case kCmdNewCurve: case kCmdNewArrow: case kCmdNewPolyline:
      NewShapeTool(id);
      return;
    case kCmdShowAll: case kCmdMergeAll: case kCmdMergeAllShow: case kCmdHideAll: case kCmdLockAll:
    case kCmdUnlockAll: case kCmdDeleteAll:
      ObjectsMessage(UINT(kObjShowAll + id - kCmdShowAll));
      return;
    case kCmdCaptureScreen: case kCmdCaptureActive: case kCmdCaptureClicked:
      CapturePicture(id);
      return;
    case kCmdCrop:
      CropToSelection();
      return;
    case kCmdEndSelection:
      EndCanvasModes();
      return;
    default:
      if (id >= kCmdReliefFirst && id <= kCmdReliefLast) EFFECTPREVIEW(id);
      return;
  }
}

}  // namespace bravik
