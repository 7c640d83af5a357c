// The working picture: loading, opening, the save question, the picture information, the
// output copy and pictures made in memory.
#include "picture.h"

#include <windows.h>
#include <commctrl.h>

#include <string_view>

#include "boxes.h"
#include "bravik/picture_rules.h"
#include "canvas.h"
#include "commands.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "gif/gif_layer.h"
#include "imaging/picture_tables.h"
#include "imaging/thumbnails.h"
#include "imglib/imglib.h"
#include "objects.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "toolbox.h"
#include "win/raii.h"

namespace bravik {
namespace {

constexpr std::string_view kGdiplusLoadList = ".DIB.EMF.GIF.TIF.TIFF.WMF.";

// A picture file as a 24-bit imaging bitmap: GDI+ for its own list when it runs, the
// imaging layer for everything else (and when GDI+ fails).
bool LoadFileBitmap(const std::string& path, ImgBitmap* bitmap) {
  ToolState& t = App();
  if (t.gdiplus && ExtensionInList(path, kGdiplusLoadList)) {
    int width = 0, height = 0, kind = 0;
    PictureHandle picture = LOADGDIPPICTURE(path, width, height, kind);
    bool drawn = false;
    if (picture && width > 0 && height > 0 && L_CreateBitmap(bitmap, width, height, 24) == imglib::kSuccess) {
      if (HDC lead = L_CreateLeadDC(bitmap)) {
        SKFILLRECT(lead, 0, 0, width, height, RGB(255, 255, 255));  // under transparent parts
        DRAWPICTURE(lead, picture, 0, 0, width, height, kind, 0);
        L_DeleteLeadDC(lead);
        drawn = true;
      }
    }
    FREEGDIPIMAGE(picture, kind);
    if (drawn) return true;
    L_FreeBitmap(bitmap);
  }
  return L_LoadBitmap(path, bitmap, 24) == imglib::kSuccess;
}

void FillCanvasGrey() {
  ToolState& t = App();
  if (HDC mem = SKGETHDCMEMBMP(t.canvas)) SKFILLRECT(mem, 0, 0, t.memoryWidth, t.memoryHeight, kCanvasGrey);
}

// The GIF conversion of an opened GIF into the tool's conversion picture. A failed
// conversion leaves no conversion picture, so that no earlier picture shows instead.
void ConvertGif(const std::string& gifPath) {
  ToolState& t = App();
  gif::GifLockScope lock;
  SKKILLFILE(t.conversionPath);
  int width = 0, height = 0, colours = 0;
  HGLOBAL pixels = ImgDLLReadRGBFromGIF(gifPath, width, height, colours);
  if (!pixels) return;
  if (const void* p = GlobalLock(pixels)) {
    ImgDLLSaveRGBToBMP(t.conversionPath, p, width, height);
    GlobalUnlock(pixels);
  }
  GlobalFree(pixels);
}

}  // namespace

bool PrepareCanvasMemory(int width, int height) {
  ToolState& t = App();
  int needWidth = std::max(width, t.screenWidth), needHeight = std::max(height, t.screenHeight);
  if (!SKGETHDCMEMBMP(t.canvas) || t.memoryWidth < needWidth || t.memoryHeight < needHeight) {
    if (!SKCREATEMEMBMP(t.canvas, needWidth, needHeight)) {
      t.memoryWidth = t.memoryHeight = 0;
      return false;
    }
    t.memoryWidth = needWidth;
    t.memoryHeight = needHeight;
  }
  return true;
}

void ZOOMPICTURE(int mode) {
  ToolState& t = App();
  t.output.Reset();
  if (mode != 1) return;
  HDC canvasMemory = SKGETHDCMEMBMP(t.canvas);
  if (!canvasMemory) return;
  {
    win::WindowDC screen(nullptr);
    t.output = win::MemoryDC(screen, t.memoryWidth, t.memoryHeight);
  }
  if (!t.output) return;
  SKFILLRECT(t.output, 0, 0, t.output.Width(), t.output.Height(), kCanvasGrey);
  SetStretchBltMode(t.output, COLORONCOLOR);
  if (t.pictureWidth > 0 && t.pictureHeight > 0)
    BitBlt(t.output, 0, 0, t.pictureWidth, t.pictureHeight, canvasMemory, 0, 0, SRCCOPY);
}

HDC OutputDc() {
  ToolState& t = App();
  return t.output ? t.output.Get() : SKGETHDCMEMBMP(t.canvas);
}

void LOADPICTURE(const std::string& path, int& colours, bool keepObjects) {
  ToolState& t = App();
  imglib::BitmapOwner picture;
  colours = 0;
  bool loaded = !path.empty() && LoadFileBitmap(path, picture.Get());
  int width = 0, height = 0;
  t.shrunk = false;
  if (loaded) {
    width = picture->width;
    height = picture->height;
    ImgFileInfo info;
    colours = L_FileInfo(path, &info) == imglib::kSuccess ? info.colours : picture->colours;
    int bits = 32, newWidth = width, newHeight = height;
    if (win::WindowDC screen(nullptr); screen) bits = GetDeviceCaps(screen, BITSPIXEL);
    if (MemoryLimit(bits, width, height, t.memoryWidth, t.memoryHeight, SKOSVERSION(), newWidth, newHeight) &&
        L_SizeBitmap(picture.Get(), newWidth, newHeight, imglib::kSizeResample) == imglib::kSuccess) {
      t.shrunk = true;
      t.unshrunkWidth = width;
      t.unshrunkHeight = height;
      width = newWidth;
      height = newHeight;
    }
  }
  if (!PrepareCanvasMemory(width, height)) loaded = false, width = height = 0;
  t.pictureWidth = width;
  t.pictureHeight = height;
  t.colours = colours;
  FillCanvasGrey();
  if (loaded) L_PaintDC(SKGETHDCMEMBMP(t.canvas), picture.Get(), nullptr, nullptr, nullptr, nullptr, SRCCOPY);
  ZOOMPICTURE(1);
  if (!keepObjects) ObjectsMessage(kObjReadFile, path);
  UpdateScrollBars();
  ObjectsMessage(kObjRepaint);
}

void ENABLEMENUS() { EnableCommands(CommandsOfAPicture(), true); }

void EnableCommands(const std::vector<int>& commands, bool enable) {
  HMENU menu = App().mainMenu;
  if (!menu) return;
  for (int id : commands) EnableMenuItem(menu, UINT(id), MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void OPENPICTURE() {
  ToolState& t = App();
  t.loadedFile = t.currentFile;
  t.saveFilter = SaveFilterFor(t.currentFile);
  bool gif = t.saveFilter == "*.GIF";
  if (gif) {
    ConvertGif(t.currentFile);
    t.loadedFile = t.conversionPath;
  }
  ENABLEMENUS();
  t.redEye.clear();
  int colours = 0;
  LOADPICTURE(t.loadedFile, colours);
  t.modified = 0;
  if (gif) {
    ObjectsMessage(kObjReadFile, t.currentFile);
    ObjectsMessage(kObjRepaint);
  }
  if (t.zoomBox) REFRESHWINDOW(t.zoomBox, false);
  PICTUREINFO();
}

bool CHECKSAVE() {
  ToolState& t = App();
  std::string item = t.list.Current();
  if (!item.empty() && t.modified == 0 && t.pictureWidth > 0 && !SKEXIST(item)) {
    // The picture's file went away meanwhile: the picture lives on in the temporary copy.
    SKKILLFILE(t.tempLayer);
    if (SKSAVETOBMPFILE(OutputDc(), 0, 0, t.pictureWidth, t.pictureHeight, t.tempCopy) == 0) {
      t.modified |= kModifiedContent;
      t.currentFile.clear();
      t.loadedFile.clear();
    }
  }
  if (t.modified == 0) return true;
  switch (AskBox(Ui(31))) {
    case 1:
      // Saved: go on. A save that was cancelled or failed keeps the change on the screen.
      SendMessageA(t.frame, WM_COMMAND, kCmdSaveAs, 0);
      return t.modified == 0;
    case 2:
      return true;  // "No": the change is given up
    default:
      return false;  // the box closed without an answer: stay with the change
  }
}

void PICTUREINFO() {
  ToolState& t = App();
  std::string text = PictureStatusText(fileio::NameOf(t.currentFile), t.pictureWidth, t.pictureHeight, t.shrunk,
                                       t.unshrunkWidth, t.unshrunkHeight, t.colours, Ui(32), Ui(11));
  std::string caption = Ui(1), status = text;
  std::string keywords = KeywordFilePath(t.currentFile);
  std::string bytes;
  if (!keywords.empty() && SKEXIST(keywords) && fileio::ReadWholeFile(keywords, bytes) == fileio::kOk) {
    KeywordTexts k = ReadKeywordTexts(bytes);
    caption = "[" + k.caption + "] " + text;
    status = k.status;
  }
  SetWindowTextA(t.frame, caption.c_str());
  SetWindowTextA(t.status, status.c_str());
  if (!t.currentFolder.empty()) ShowListPosition();
}

void ShowListPosition() {
  ToolState& t = App();
  std::string label = t.list.Label();
  SetWindowTextA(t.listLabel, label.c_str());
  int width = 0, height = 0;
  SKGETTEXTEXTENT(SKDEFAULTFONT(), label, width, height);
  SetWindowPos(t.listLabel, nullptr, 0, 0, width + 5, 15, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  int count = std::max(1, t.list.Count());
  SendMessageA(t.trackBar, TBM_SETRANGE, TRUE, MAKELPARAM(1, count));
  SendMessageA(t.trackBar, TBM_SETPOS, TRUE, std::max(1, t.list.Index()));
}

void UpdateScrollBars() {
  ToolState& t = App();
  RECT client;
  GetClientRect(t.canvas, &client);
  t.scrollX = ClampScroll(t.scrollX, t.pictureWidth, client.right);
  t.scrollY = ClampScroll(t.scrollY, t.pictureHeight, client.bottom);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, t.pictureWidth - 1);
  si.nPage = UINT(client.right);
  si.nPos = t.scrollX;
  SetScrollInfo(t.canvas, SB_HORZ, &si, TRUE);
  si.nMax = std::max(0, t.pictureHeight - 1);
  si.nPage = UINT(client.bottom);
  si.nPos = t.scrollY;
  SetScrollInfo(t.canvas, SB_VERT, &si, TRUE);
  ObjectsScrolled();
}

bool WorkingCopy() {
  ToolState& t = App();
  if (t.pictureWidth <= 0 || t.pictureHeight <= 0) return false;
  SKKILLFILE(t.tempLayer);
  return SKSAVETOBMPFILE(OutputDc(), 0, 0, t.pictureWidth, t.pictureHeight, t.tempCopy) == 0;
}

void MENUTOOL(int command, int boxIndex) {
  ToolState& t = App();
  if (t.pictureWidth <= 0) return;
  // The box works on the picture as the user sees it, red-eye touches included; the objects
  // stay objects over its result.
  if (!WorkingCopy()) {
    ErrorBox(t.tempCopy + Ui(58));
    return;
  }
  std::string title = PlainCaption(SKGETMENUSTRING(command));
  std::string file = t.tempCopy;
  int width = 0, height = 0;
  ToolBoxParams& p = TOOLBOXPARAMS();
  if (RUNTOOLBOX(file, title, width, height, p.value, boxIndex) > 1 && !file.empty()) {
    int colours = 0;
    t.redEye.clear();  // their pixels are part of the result now
    LOADPICTURE(file, colours, true);
    t.modified |= kModifiedContent;
    PICTUREINFO();
  }
}

void OpenReceivedList(const std::string& list) {
  ToolState& t = App();
  if (!CHECKSAVE()) return;
  t.list.Assign(list);
  t.currentFile = t.list.Current();
  if (!t.currentFile.empty()) t.currentFolder = fileio::FolderOf(t.currentFile);
  OPENPICTURE();
}

bool LoadMadePicture(HDC source, int x, int y, int width, int height, bool insertIntoList) {
  ToolState& t = App();
  if (!source || width <= 0 || height <= 0) return false;
  SKKILLFILE(t.tempLayer);
  int error = SKSAVETOBMPFILE(source, x, y, width, height, t.tempCopy);
  if (error != 0) {
    ErrorBox(t.tempCopy + Ui(58) + SKWINERR(error));
    return false;
  }
  // A picture made in memory while the temporary copy is shown replaces it: both would be
  // the same file.
  if (insertIntoList && !fileio::EqualsNoCase(t.list.Current(), t.tempCopy)) {
    t.list.InsertAfterCurrent(t.tempCopy);
  }
  if (insertIntoList) {
    t.currentFile = t.tempCopy;
    t.saveFilter = SaveFilterFor(t.tempCopy);
  }
  t.loadedFile = t.tempCopy;
  t.redEye.clear();
  ENABLEMENUS();
  int colours = 0;
  LOADPICTURE(t.tempCopy, colours);
  t.modified |= kModifiedContent;
  PICTUREINFO();
  return true;
}

}  // namespace bravik
