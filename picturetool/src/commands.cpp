// The commands of the menus, the control panel and the tool buttons.
#include <windows.h>
#include <commctrl.h>

#include "fileio/paths.h"
#include "bravik/object_rules.h"
#include "bravik/picture_rules.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "tool.h"
#include "toolbox.h"
#include "zoombox.h"

namespace bravik {
namespace {

constexpr int kFillStyleMenu = 12;

// The box index of the tool box commands (0 for other commands).
int BoxIndex(int id) {
  if (id >= 203 && id <= 212) return id - 202;
  if (id >= 601 && id <= 606) return id - 590;
  if (id >= 701 && id <= 708) return id - 684;
  if (id >= 301 && id <= 304) return id - 275;
  switch (id) {
    case 608: return 25;
    case 306: return 31;
    case 214: return 32;
    case 313: return 33;
    default: return 0;
  }
}

void StepInList(int id) {
  ToolState& t = Tool();
  EndCanvasModes();
  if (t.list.Empty()) return;
  CHECKSAVE();
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
  CHECKSAVE();
  OPENPICTURE();
}

void NewPicture() {
  ToolState& t = Tool();
  std::string file;
  int width = 0, height = 0;
  if (RUNTOOLBOX(file, PlainCaption(SKGETMENUSTRING(102)), width, height, 0, 34) <= 1 || width <= 0 || height <= 0)
    return;
  CHECKSAVE();
  int newWidth = width, newHeight = height;
  HDC screen = GetDC(nullptr);
  int bits = GetDeviceCaps(screen, BITSPIXEL);
  if (MemoryLimit(bits, width, height, t.memoryWidth, t.memoryHeight, SKOSVERSION(), newWidth, newHeight)) {
    width = newWidth;
    height = newHeight;
  }
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP white = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (!memory || !white) {
    if (memory) DeleteDC(memory);
    if (white) DeleteObject(white);
    ErrorBox(t.tempCopy + Ui(58));
    return;
  }
  HGDIOBJ old = SelectObject(memory, white);
  SKFILLRECT(memory, 0, 0, width, height, RGB(255, 255, 255));
  LoadMadePicture(memory, 0, 0, width, height, true);
  SelectObject(memory, old);
  DeleteObject(white);
  DeleteDC(memory);
}

void DeleteCurrentFile() {
  ToolState& t = Tool();
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
  if (Tool().pictureWidth > 0) return true;
  NewPicture();
  return Tool().pictureWidth > 0;
}

// The fill style popup at a tool button: 1201 to 1205, or 0 when it closed without a choice.
int ChooseFillStyle(int toolId) {
  ToolState& t = Tool();
  HMENU popup = SKPOPUPHANDLE(kFillStyleMenu);
  if (!popup) return 1201;
  bool closedFigures = toolId == 402 || toolId == 403;
  EnableMenuItem(popup, 1205, MF_BYCOMMAND | (closedFigures ? MF_GRAYED : MF_ENABLED));
  RECT r{};
  if (HWND button = GetDlgItem(t.controlPanel, toolId)) GetWindowRect(button, &r);
  int choice = int(TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY |
                                               TPM_LEFTBUTTON,
                                    r.left, r.bottom, t.frame, nullptr));
  EnableMenuItem(popup, 1205, MF_BYCOMMAND | MF_ENABLED);
  return choice;
}

void NewShapeTool(int id) {
  ToolState& t = Tool();
  if (!EnsurePicture()) return;
  int kind = id - 400;
  int style = 5;
  if (id != 405) {
    int choice = ChooseFillStyle(id);
    if (choice < 1201 || choice > 1205) return;
    style = choice - 1200;
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
  ToolState& t = Tool();
  std::string filter = Ui(45).empty() ? std::string("BMP|*.BMP") : Ui(45);
  std::string chosen;
  if (PickFiles(PlainCaption(SKGETMENUSTRING(216)), filter, false, chosen) == 2 && !chosen.empty()) {
    if (chosen.back() == '|') chosen.pop_back();
    t.underlayFile = chosen;
  }
}

}  // namespace

void OnCommand(int id) {
  ToolState& t = Tool();
  if (SKMACTE(id, t.menus) == "END") {
    PostMessageA(t.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  // Every command ends a shape being drawn and gives the objects back their states.
  EraseRubberBand();
  t.drawKind = 0;
  t.drawPoints.clear();
  ObjectsMessage(0x409);
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
    case 112:
      ShowHelp();
      return;
    case 101:
      PEERANDPICK();
      return;
    case 102:
      NewPicture();
      return;
    case 104:
      PrintPicture();
      return;
    case 106:
      SaveCurrent();
      return;
    case 107:
      SaveAs();
      return;
    case 108:
      DeleteCurrentFile();
      return;
    case 110:
      CREATEZOOMBOX(PlainCaption(SKGETMENUSTRING(110)));
      return;
    case 216:
      ChooseUnderlay();
      return;
    case 217:
    case 901: case 902: case 903: case 904: case 905: case 906: case 907: case 908:
      ApplyFixedEffect(id);
      return;
    case 308:
      CopyToClipboard();
      return;
    case 309:
      PasteFromClipboard();
      return;
    case 315:
      EndCanvasModes();
      if (t.pictureWidth <= 0) return;
      t.selectionMode = true;
      for (HWND w : QENUMOBJECT(t.canvas, 0)) EnableWindow(w, FALSE);
      return;
    case 317:
      EndCanvasModes();
      if (t.pictureWidth <= 0) return;
      StartRedEyeMode();
      if (!t.zoomBox) CREATEZOOMBOX(PlainCaption(SKGETMENUSTRING(110)));
      return;
    case 401:
      if (EnsurePicture()) NewTextObject();
      return;
    case 402: case 403: case 404: case 405: case 406:
      NewShapeTool(id);
      return;
    case 408: case 409: case 410: case 411: case 412: case 413: case 414:
      ObjectsMessage(UINT(0x402 + id - 408));
      return;
    case 801: case 802: case 803:
      CapturePicture(id);
      return;
    case 1001:
      CropToSelection();
      return;
    case 1002:
      EndCanvasModes();
      return;
    default:
      return;
  }
}

}  // namespace bravik
