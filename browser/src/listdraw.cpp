#include "listdraw.h"

#include "celldraw.h"
#include "kelmor/command_ids.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace kelmor {

namespace {

constexpr UINT kRowHeight = 16;

bool IsBrowserList(UINT type, UINT id) {
  return (type == ODT_LISTBOX && (id == kFileList || id == kCollectionList)) ||
         (type == ODT_COMBOBOX && id == kFileTypeBox);
}

std::string EntryText(const DRAWITEMSTRUCT& item) {
  bool combo = item.CtlType == ODT_COMBOBOX;
  LRESULT length = SendMessageA(item.hwndItem, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, item.itemID, 0);
  if (length <= 0) return {};
  std::string text(size_t(length) + 1, '\0');
  LRESULT got = SendMessageA(item.hwndItem, combo ? CB_GETLBTEXT : LB_GETTEXT, item.itemID, LPARAM(text.data()));
  text.resize(got > 0 ? size_t(got) : 0);
  return text;
}

}  // namespace

bool OnMeasureItem(MEASUREITEMSTRUCT& item) {
  if (!IsBrowserList(item.CtlType, item.CtlID)) return false;
  item.itemHeight = kRowHeight;
  return true;
}

bool OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (!IsBrowserList(item.CtlType, item.CtlID)) return false;
  if (item.CtlID == kFileList && item.CtlType == ODT_LISTBOX && App().thumbnailLayout && item.itemID != UINT(-1)) {
    DrawThumbnailCell(item, EntryText(item));
    return true;
  }
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  COLORREF back = SKGETSYSCOLOR(selected ? kSkinSelectionBack : kSkinControlBack);
  COLORREF text = SKGETSYSCOLOR(selected ? kSkinSelectionText : kSkinControlText);
  win::Brush brush(CreateSolidBrush(back));
  FillRect(item.hDC, &item.rcItem, brush.Get());
  if (item.itemID != UINT(-1)) {
    std::string entry = EntryText(item);
    win::SelectObj font(item.hDC, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, text);
    RECT r = item.rcItem;
    r.left += 2;
    DrawTextA(item.hDC, entry.c_str(), int(entry.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

}  // namespace kelmor
