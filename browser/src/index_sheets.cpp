#include "index_sheets.h"

#include <windows.h>

#include "boxes.h"
#include "file_batch.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "folders.h"
#include "imaging/thumbnails.h"
#include "imglib/imglib.h"
#include "kelmor/file_listing.h"
#include "kelmor/file_operations.h"
#include "kelmor/index_pages.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "transforms.h"
#include "win/raii.h"

namespace kelmor {

namespace {

constexpr int kNameTries = 10000;

// One page bitmap with the device context that draws into it.
class SheetPage {
 public:
  SheetPage(int width, int height) {
    if (L_CreateBitmap(&bitmap_, width, height, 24) == imglib::kSuccess) dc_ = L_CreateLeadDC(&bitmap_);
  }
  ~SheetPage() {
    if (dc_) L_DeleteLeadDC(dc_);
    L_FreeBitmap(&bitmap_);
  }
  SheetPage(const SheetPage&) = delete;
  SheetPage& operator=(const SheetPage&) = delete;
  bool Ok() const { return dc_ != nullptr; }
  HDC Dc() const { return dc_; }
  const ImgBitmap& Bitmap() const { return bitmap_; }

 private:
  ImgBitmap bitmap_{};
  HDC dc_ = nullptr;
};

void DrawPicture(HDC dc, const std::string& path, int x, int y, const SheetLayout& sheet) {
  int width = 0, height = 0, colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  win::Bitmap thumb(LOADTHUMB(path, sheet.cellWidth, sheet.cellHeight, width, height, colours, bits, hasLayer, 0));
  if (!thumb) return;
  int left = 0, top = 0, fitWidth = 0, fitHeight = 0;
  SKICONISE(width, height, sheet.cellWidth, sheet.cellHeight, left, top, fitWidth, fitHeight);
  win::CompatibleDC source(dc);
  win::SelectObj select(source, thumb.Get());
  BitBlt(dc, x + left, y + top, fitWidth, fitHeight, source, 0, 0, SRCCOPY);
}

// The name in black with a white outline, centred at the bottom of the cell.
void DrawName(HDC dc, const std::string& name, int x, int y, const SheetLayout& sheet) {
  static const POINT kOutline[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, 1}};
  RECT box{x + 5, y + sheet.cellHeight - 21, x + 5 + sheet.cellWidth - 10, y + sheet.cellHeight - 2};
  UINT format = DT_SINGLELINE | DT_BOTTOM | DT_CENTER | DT_NOPREFIX;
  SetTextColor(dc, RGB(255, 255, 255));
  for (const POINT& p : kOutline) {
    RECT moved = box;
    OffsetRect(&moved, p.x, p.y);
    DrawTextA(dc, name.c_str(), int(name.size()), &moved, format);
  }
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, name.c_str(), int(name.size()), &box, format);
}

// The next free page name; "" when the user stopped or the names ran out.
std::string NextPagePath(const std::string& target, std::string& name, int& tries) {
  while (tries++ < kNameTries) {
    SKSEQUENCE(name);
    std::string path = target + name + ".bmp";
    if (PUMPMESSAGEBOX(1) != 0) return {};
    if (!fileio::Exists(path)) return path;
  }
  return {};
}

}  // namespace

int SHEETNAMESON() {
  BrowserState& b = App();
  HMENU menu = b.menuBar;
  DWORD previous = CheckMenuItem(menu, kSheetNamesCommand, MF_BYCOMMAND | MF_CHECKED);
  if (previous == DWORD(-1)) return 0;
  CheckMenuItem(menu, kSheetNamesCommand, MF_BYCOMMAND | (previous & MF_CHECKED));
  return (previous & MF_CHECKED) ? -1 : 0;
}

void INDEXSHEETS(int command) {
  BrowserState& b = App();
  SheetKind kind = SheetKindOf(command);
  if (kind == SheetKind::kNone || b.makingSheets || SelectedEntries(b.fileList).empty()) return;
  std::string current = CURRENTFOLDER(), target = current;
  if (OnCdRom(current)) {
    MESSAGEBOXICON(Ui(63));
    target = SKGETTEMPPATH();
    if (!AskTargetFolder(Ui(47), target)) return;
  }
  bool intoCurrent = SameComparableFolder(target, current);
  bool names = SHEETNAMESON() != 0;
  std::string lastAdded;
  {
    FileBatch batch(b.makingSheets);
    if (!batch.Started()) return;
    const std::string& folder = batch.Folder();
    const std::vector<std::string>& pictures = batch.Names();
    GridLayout grid = ParseGridLayout(SKMACTE(command, b.menus));
    SheetLayout sheet = ComputeSheetLayout(PageAreaFor(GetSystemMetrics(SM_CXSCREEN), grid.divisor), grid);
    int count = SheetPictureCount(kind, int(pictures.size()), grid);
    int pages = SheetPageCount(kind, int(pictures.size()), grid);
    std::string pageName = kIndexFirstName;
    int tries = 0;
    bool reported = false, stop = false;
    win::Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    for (int page = 1; page <= pages && !stop; ++page) {
      SheetPage bitmap(sheet.pageWidth, sheet.BitmapHeight());
      if (!bitmap.Ok()) break;
      HDC dc = bitmap.Dc();
      RECT all{0, 0, sheet.pageWidth, sheet.BitmapHeight()};
      FillRect(dc, &all, white.Get());
      win::SelectObj font(dc, SKDEFAULTFONT());
      win::SelectObj hollow(dc, GetStockObject(NULL_BRUSH));
      SetBkMode(dc, TRANSPARENT);
      for (int row = 1; row <= grid.rows && !stop; ++row) {
        for (int column = 1; column <= grid.columns; ++column) {
          if (PUMPMESSAGEBOX(1) != 0) {
            stop = true;
            break;
          }
          int cell = (page - 1) * grid.PerPage() + (row - 1) * grid.columns + (column - 1);
          int picture = SheetPictureAt(kind, cell, count);
          CellCorner corner = SheetCellCorner(sheet, row, column);
          if (picture >= 0) {
            const std::string& name = pictures[size_t(picture)];
            if (kind != SheetKind::kCopies || row == 1) MarkEntry(folder, name, true);
            DrawPicture(dc, folder + name, corner.x, corner.y, sheet);
          }
          RoundRect(dc, corner.x, corner.y, corner.x + sheet.cellWidth, corner.y + sheet.cellHeight, 0, 0);
          if (picture >= 0 && names) DrawName(dc, pictures[size_t(picture)], corner.x, corner.y, sheet);
        }
      }
      // A page the user stopped in is not saved.
      if (stop) break;
      if (kind == SheetKind::kPages) {
        std::string footer = SheetFooter(target, page, pages);
        RECT r{0, sheet.gridHeight + 3, sheet.pageWidth - 1, sheet.gridHeight + 21};
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextA(dc, footer.c_str(), int(footer.size()), &r, DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX);
      }
      GdiFlush();
      std::string path = NextPagePath(target, pageName, tries);
      if (path.empty()) break;
      if (L_SaveBitmap(path, &bitmap.Bitmap(), imglib::kFormatBmp, 24, 0) != imglib::kSuccess) {
        // Reported once; the run goes on with the next page.
        if (!reported) MESSAGEBOXICON(path + "||" + SKWINERR(ERROR_CANNOT_MAKE));
        reported = true;
        continue;
      }
      if (intoCurrent && SameFolder(folder, b.currentFolder)) {
        std::string entry = FileListEntry(fileio::ToLower(pageName + ".bmp"));
        if (SendMessageA(b.fileList, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str())) == LB_ERR)
          SendMessageA(b.fileList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        lastAdded = fileio::ToLower(pageName + ".bmp");
      }
    }
    if (!lastAdded.empty()) {
      MarkEntry(folder, lastAdded, true);
      MarkEntry(folder, lastAdded, false);
    }
  }
  if (!intoCurrent) GoToFolder(target, true);
}

}  // namespace kelmor
