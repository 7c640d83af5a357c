#include "celldraw.h"

#include <algorithm>

#include "detail_filler.h"
#include "fileio/file.h"
#include "filelist.h"
#include "imaging/side_files.h"
#include "kelmor/cell_layout.h"
#include "kelmor/file_listing.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace kelmor {

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

int TextHeight(HDC dc) {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight;
}

// The entry's thumbnail: its item data, or one made now when the filler has not taken it.
HBITMAP Thumbnail(const DRAWITEMSTRUCT& item, const std::string& entry) {
  BrowserState& b = App();
  if (item.itemData) return reinterpret_cast<HBITMAP>(item.itemData);
  LRESULT data = SendMessageA(item.hwndItem, LB_GETITEMDATA, item.itemID, 0);
  if (data && data != LB_ERR) return reinterpret_cast<HBITMAP>(data);
  if (b.thumbFailed.count(entry) || !ClaimEntryForDrawing(int(item.itemID), entry)) return nullptr;
  HBITMAP bitmap = nullptr;
  PictureDetails details;
  if (!MakeThumbnail(CURRENTFOLDER() + EntryFileName(entry), b.thumbnailSize, bitmap, details)) {
    b.thumbFailed.insert(entry);
    return nullptr;
  }
  SendMessageA(item.hwndItem, LB_SETITEMDATA, item.itemID, reinterpret_cast<LPARAM>(bitmap));
  b.details.Add(reinterpret_cast<uintptr_t>(bitmap), details);
  return bitmap;
}

void DrawPicture(HDC dc, HBITMAP bitmap, const CellGeometry& g) {
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  win::CompatibleDC source(dc);
  win::SelectObj picture(source, bitmap);
  int oldMode = SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, g.picture.x, g.picture.y, g.picture.width, g.picture.height, source, 0, 0, bm.bmWidth, bm.bmHeight,
             SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

void DrawPlaceholder(HDC dc, const CellGeometry& g) {
  const CellRect& r = g.picture;
  int size = std::min(r.width, r.height) / 3;
  int x = r.x + (r.width - size) / 2, y = r.y + (r.height - size) / 2;
  SKDRAWRECT3D(dc, x, y, x + size, y + size, SKGETSYSCOLOR(118), SKGETSYSCOLOR(119));
}

// The markers of the side files beside the picture, and its display time.
void DrawSideFiles(HDC dc, const std::string& path, const CellGeometry& g) {
  BrowserState& b = App();
  if (b.miniled) {
    win::CompatibleDC leds(dc);
    win::SelectObj select(leds, b.miniled);
    for (int i = 0; i < 3; ++i) {
      std::string side = SideFilePath(path, kMarkedSideFiles[i], SideFileNoDot::kNone);
      if (side.empty() || GetFileAttributesA(side.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
      const CellRect& m = g.markers[i];
      SKTRANSBLT(dc, m.x, m.y, m.width, m.height, leds, kMarkerCell * kMarkerSize, 0, kMagenta);
    }
  }
  std::string tim = SideFilePath(path, "tim", SideFileNoDot::kNone);
  std::string text;
  if (!tim.empty() && fileio::FileSize(tim) > 0 && fileio::FileSize(tim) < 64) {
    std::string bytes;
    fileio::ReadWholeFile(tim, bytes);
    text = DisplayTimeText(bytes);
  }
  if (!text.empty()) {
    RECT r{g.time.x, g.time.y, g.time.x + g.time.width, g.time.y + g.time.height};
    DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_RIGHT | DT_TOP | DT_NOPREFIX);
  }
}

}  // namespace

void DrawThumbnailCell(const DRAWITEMSTRUCT& item, const std::string& entry) {
  BrowserState& b = App();
  const RECT& cell = item.rcItem;
  int w = cell.right - cell.left, h = cell.bottom - cell.top;
  if (w <= 0 || h <= 0) return;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  win::MemoryDC buffer(item.hDC, w, h);
  SKFILLRECT(buffer, 0, 0, w, h, SKGETSYSCOLOR(selected ? kSkinSelectionBack : kSkinControlBack));
  // A three-step raised frame.
  SKDRAWRECT3D(buffer, 0, 0, w - 1, h - 1, SKGETSYSCOLOR(119), SKGETSYSCOLOR(118));
  SKDRAWRECT3D(buffer, 1, 1, w - 2, h - 2, SKGETSYSCOLOR(119), SKGETSYSCOLOR(118));
  SKDRAWRECT3D(buffer, 2, 2, w - 3, h - 3, SKGETSYSCOLOR(118), SKGETSYSCOLOR(119));
  win::SelectObj font(buffer, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(buffer, TRANSPARENT);
  SetTextColor(buffer, SKGETSYSCOLOR(selected ? kSkinSelectionText : kSkinControlText));
  int textHeight = TextHeight(buffer);

  HBITMAP thumbnail = Thumbnail(item, entry);
  BITMAP bm{};
  if (thumbnail) GetObjectA(thumbnail, sizeof bm, &bm);
  CellGeometry g = ComputeCellGeometry(std::min(w, h), textHeight, thumbnail ? bm.bmWidth : 0, thumbnail ? bm.bmHeight : 0);
  if (thumbnail) DrawPicture(buffer, thumbnail, g);
  else DrawPlaceholder(buffer, g);

  std::string name = EntryFileName(entry);
  RECT nameRect{g.name.x, g.name.y, g.name.x + g.name.width, g.name.y + g.name.height};
  DrawTextA(buffer, name.c_str(), int(name.size()), &nameRect,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (b.markers && name.find('.') != std::string::npos) DrawSideFiles(buffer, CURRENTFOLDER() + name, g);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus{3, 3, w - 3, h - 3};
    DrawFocusRect(buffer, &focus);
  }
  BitBlt(item.hDC, cell.left, cell.top, w, h, buffer, 0, 0, SRCCOPY);
}

}  // namespace kelmor
