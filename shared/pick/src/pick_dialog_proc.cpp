// The pick dialog's window procedure (DIRLISTPROC), its keyboard filter (DLDIALOGMESSAGE),
// the filling of its file list and the drawing of its lists and background.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "pick/folder_tree.h"
#include "pick/pick.h"
#include "pick/pick_memory.h"
#include "pick/pick_result.h"
#include "pick_dialog_internal.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace pick_dialog {
namespace {

std::string ControlText(HWND control) { return control ? SkGetCtlText(control) : std::string(); }

// The list's selection moved (by the user or by the dialog itself): the result path and
// the path label follow it. The name field does not: a name comes from the caller, the
// user's typing or a double click, never from a selection the user may not have made (a
// save with an empty name would otherwise replace the first file of the folder).
void OnListSelection() {
  DialogState& d = Dialog();
  LRESULT index = d.multiSelection ? SendMessageA(d.list, LB_GETCARETINDEX, 0, 0) : SendMessageA(d.list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || index < 0 || size_t(index) >= d.names.size()) return;
  if (d.multiSelection && SendMessageA(d.list, LB_GETSEL, WPARAM(index), 0) <= 0) return;
  const pick::ListedName& entry = d.names[size_t(index)];
  std::string path = d.folder + entry.shown;
  d.resultExtension = entry.extension;
  if (path != d.resultPath) {
    d.resultPath = path;
    if (d.pathLabel) SetWindowTextA(d.pathLabel, (" " + pick::DoubleAmpersands(path + entry.extension)).c_str());
  }
}

void Close(int button) {
  DialogState& d = Dialog();
  if (d.closing) return;
  d.closingButton = button;
  d.closing = true;
  if (d.owner) EnableWindow(d.owner, TRUE);
  PostQuitMessage(0);
}

std::vector<pick::ListedName> SelectedNames() {
  DialogState& d = Dialog();
  std::vector<pick::ListedName> picked;
  LRESULT count = SendMessageA(d.list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return picked;
  std::vector<int> indexes(static_cast<size_t>(count));
  count = SendMessageA(d.list, LB_GETSELITEMS, WPARAM(count), reinterpret_cast<LPARAM>(indexes.data()));
  indexes.resize(size_t(std::max<LRESULT>(0, count)));
  std::sort(indexes.begin(), indexes.end());
  for (int i : indexes)
    if (i >= 0 && size_t(i) < d.names.size()) picked.push_back(d.names[size_t(i)]);
  return picked;
}

// A button other than the first: take the results and close.
void Collect(int button) {
  DialogState& d = Dialog();
  if (button == 2 && d.hasPreset) {
    d.resultPath = d.presetResult;
    d.resultExtension.clear();
  }
  ShowPath();
  if (d.multiSelection) d.result = pick::JoinSelection(d.folder, SelectedNames());
  else d.result = d.resultPath.empty() ? std::string() : d.resultPath + d.resultExtension;
  if (d.nameField) d.nameText = ControlText(d.nameField);
  Close(button);
}

void PressButton(int button) {
  if (button == 1) Close(1);
  else Collect(button);
}

void OnListDoubleClick() {
  DialogState& d = Dialog();
  LRESULT index = d.multiSelection ? SendMessageA(d.list, LB_GETCARETINDEX, 0, 0) : SendMessageA(d.list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || index < 0 || size_t(index) >= d.names.size()) return;
  if (d.multiSelection) {
    // The double-clicked entry alone is picked.
    SendMessageA(d.list, LB_SETSEL, FALSE, -1);
    SendMessageA(d.list, LB_SETSEL, TRUE, index);
  }
  OnListSelection();
  d.nameText = d.names[size_t(index)].shown;
  if (d.nameField) SetWindowTextA(d.nameField, d.nameText.c_str());
  d.multiSelection = false;
  Collect(2);
}

void OnTreeChosen() {
  DialogState& d = Dialog();
  std::string path = FolderTreeSelectedPath(d.tree);
  if (path.empty()) return;  // the desktop: no folder of its own to list
  d.folder = fileio::WithTrailingSeparator(path);
  d.searchMask = pick::SearchMaskFor(path);
  if (!d.ready) return;
  FillList();
  ShowPath();
}

void OnFilterChosen() {
  DialogState& d = Dialog();
  LRESULT index = SendMessageA(d.filterBox, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR || index == d.filterIndex || size_t(index) >= d.filters.size()) return;
  d.filterIndex = int(index);
  d.pattern = d.filters[size_t(index)].patterns;
  FillList();
  ShowPath();
  SKBUTTONTIP(d.filterBox, pick::FilterTip(d.pattern));
}

void OnCommand(WPARAM wParam) {
  DialogState& d = Dialog();
  int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id >= kFirstButtonId && id < kFirstButtonId + int(d.buttons.size())) {
    if (code == BN_CLICKED) PressButton(id - kFirstButtonId + 1);
    return;
  }
  switch (id) {
    case kTreeId:
      if (code == kFolderTreeSelChanged) OnTreeChosen();
      break;
    case kListId:
      if (code == LBN_SELCHANGE) OnListSelection();
      else if (code == LBN_DBLCLK) OnListDoubleClick();
      break;
    case kFilterId:
      if (code == CBN_SELCHANGE) OnFilterChosen();
      break;
    default:
      break;
  }
}

void MeasureItem(MEASUREITEMSTRUCT& m) {
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(SKDEFAULTFONT(), space, height);
  m.itemHeight = UINT(std::max(12, height + 3));
}

void DrawItem(const DRAWITEMSTRUCT& di) {
  if (di.CtlType != ODT_LISTBOX && di.CtlType != ODT_COMBOBOX) return;
  bool selected = (di.itemState & ODS_SELECTED) != 0;
  COLORREF back = SKGETSYSCOLOR(selected ? kSkinSelectionBack : kSkinControlBack);
  COLORREF text = SKGETSYSCOLOR(selected ? kSkinSelectionText : kSkinControlText);
  RECT r = di.rcItem;
  SKFILLRECT(di.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, back);
  if (int(di.itemID) >= 0) {
    bool list = di.CtlType == ODT_LISTBOX;
    UINT lengthMessage = list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
    UINT textMessage = list ? LB_GETTEXT : CB_GETLBTEXT;
    LRESULT n = SendMessageA(di.hwndItem, lengthMessage, di.itemID, 0);
    std::string item(size_t(std::max<LRESULT>(0, n)) + 1, '\0');
    n = SendMessageA(di.hwndItem, textMessage, di.itemID, reinterpret_cast<LPARAM>(item.data()));
    item.resize(size_t(std::max<LRESULT>(0, n)));
    win::SelectObj font(di.hDC, SKDEFAULTFONT());
    SetBkMode(di.hDC, TRANSPARENT);
    SetTextColor(di.hDC, text);
    RECT tr{r.left + 3, r.top, r.right, r.bottom};
    DrawTextA(di.hDC, item.c_str(), int(item.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  }
  if ((di.itemState & ODS_FOCUS) && !(di.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(di.hDC, &r);
}

// The control of the dialog that holds a window (the tree's inner tree view belongs to
// the tree control).
HWND OwningControl(HWND dialog, HWND window) {
  while (window && GetParent(window) && GetParent(window) != dialog) window = GetParent(window);
  return window && GetParent(window) == dialog ? window : nullptr;
}

void MoveFocus(HWND from, bool backwards) {
  DialogState& d = Dialog();
  const auto& ring = d.focusRing;
  if (ring.empty()) return;
  auto it = std::find(ring.begin(), ring.end(), from);
  size_t start = it == ring.end() ? (backwards ? 0 : ring.size() - 1) : size_t(it - ring.begin());
  for (size_t step = 1; step <= ring.size(); ++step) {
    size_t i = backwards ? (start + ring.size() - step) % ring.size() : (start + step) % ring.size();
    if (IsWindowVisible(ring[i]) && IsWindowEnabled(ring[i])) {
      SetFocus(ring[i]);
      if (ring[i] == d.nameField) SendMessageA(d.nameField, EM_SETSEL, 0, -1);
      return;
    }
  }
}

bool OnKey(HWND target, WPARAM key) {
  DialogState& d = Dialog();
  HWND control = OwningControl(d.dialog, target);
  bool dropped = control == d.filterBox && SendMessageA(d.filterBox, CB_GETDROPPEDSTATE, 0, 0);
  switch (key) {
    case VK_TAB:
      if (dropped) return false;
      MoveFocus(control, GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN:
      if (dropped) return false;
      if (control == d.list) {
        OnListDoubleClick();
      } else if (control && control == d.tree) {
        OnTreeChosen();
      } else if (control && control == d.nameField) {
        if (d.buttons.size() >= 2) SetFocus(d.buttons[1]);
        else if (!d.buttons.empty()) SetFocus(d.buttons[0]);
      } else if (auto it = std::find(d.buttons.begin(), d.buttons.end(), control); it != d.buttons.end()) {
        PressButton(int(it - d.buttons.begin()) + 1);
      }
      return true;
    case VK_ESCAPE:
      if (dropped) return false;
      if (!d.buttons.empty()) SetFocus(d.buttons[0]);
      return true;
    default:
      return false;
  }
}

}  // namespace

PickListSource& ListSource() {
  static PickListSource source;
  return source;
}

// The entries of the program's list source for the kept start file; false when the
// folder is to be listed.
bool SourceNames(std::vector<pick::ListedName>& names) {
  const PickListSource& source = ListSource();
  if (!source) return false;
  const std::string file = pick::Memory().Get(pick::Kept::kStartFile);
  if (file.empty() || !fileio::Exists(file) || fileio::IsDirectory(file)) return false;
  std::vector<std::string> entries;
  names.clear();
  if (!source(file, entries)) return true;
  for (std::string& e : entries) names.push_back({std::move(e), ""});
  return true;
}

void FillList() {
  DialogState& d = Dialog();
  if (!d.list) return;
  pick::PickMemory& memory = pick::Memory();
  pick::ListingRule rule =
      pick::MakeListingRule(d.pattern, memory.Get(pick::Kept::kExtensionFilter), memory.Get(pick::Kept::kFilterList));
  memory.Keep(pick::Kept::kFilterChoice, d.pattern);
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  if (!SourceNames(d.names))
    d.names = pick::ListNames(fileio::ListDirectory(d.folder + rule.searchPattern), rule, d.listMode);
  SendMessageA(d.list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(d.list, LB_RESETCONTENT, 0, 0);
  int widest = 0;
  for (const pick::ListedName& n : d.names) {
    SendMessageA(d.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.shown.c_str()));
    int w = 0, h = 0;
    SKGETTEXTEXTENT(SKDEFAULTFONT(), n.shown, w, h);
    widest = std::max(widest, w);
  }
  SendMessageA(d.list, LB_SETHORIZONTALEXTENT, WPARAM(widest + 8), 0);
  SendMessageA(d.list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(d.list, nullptr, TRUE);
  // A new folder or filter starts without a picked file.
  d.resultPath.clear();
  d.resultExtension.clear();
  if (!d.names.empty()) {
    if (d.multiSelection) {
      SendMessageA(d.list, LB_SETSEL, TRUE, 0);
      SendMessageA(d.list, LB_SETCARETINDEX, 0, FALSE);
    } else {
      SendMessageA(d.list, LB_SETCURSEL, 0, 0);
    }
    // Selecting by program sends no selection notice; the first entry is the pick until
    // the user chooses another.
    OnListSelection();
  }
  SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
}

void ShowPath() {
  DialogState& d = Dialog();
  if (!d.pathLabel) return;
  std::string path = d.resultPath.empty() ? d.folder : d.resultPath + d.resultExtension;
  SetWindowTextA(d.pathLabel, (" " + pick::DoubleAmpersands(path)).c_str());
}

void SelectFilterFor(const std::string& pattern) {
  DialogState& d = Dialog();
  for (size_t i = 0; i < d.filters.size(); ++i) {
    if (fileio::EqualsNoCase(d.filters[i].patterns, pattern)) {
      d.filterIndex = int(i);
      SendMessageA(d.filterBox, CB_SETCURSEL, i, 0);
      SKBUTTONTIP(d.filterBox, pick::FilterTip(pattern));
      return;
    }
  }
}

void PaintBackground() {
  DialogState& d = Dialog();
  HDC mem = SKCREATEMEMBMP(d.dialog, d.clientWidth, d.clientHeight);
  if (!mem) return;
  SKTILEBLT(mem, 0, 0, d.clientWidth, d.clientHeight, SKCTLBACK());
  SKDRAWRECT3D(mem, 0, 0, d.clientWidth - 1, d.clientHeight - 1, SKGETSYSCOLOR(kSkinEdgeLight),
               SKGETSYSCOLOR(kSkinEdgeDark));
  for (const DialogState::Caption& c : d.captions)
    SKPRINT3DU(mem, c.x, c.y, c.text, SKGETSYSCOLOR(kSkinText), SKGETSYSCOLOR(kSkinTextShadow), SKDEFAULTFONT());
}

}  // namespace pick_dialog

void SetPickListSource(PickListSource source) { pick_dialog::ListSource() = std::move(source); }

using namespace pick_dialog;

LRESULT CALLBACK DIRLISTPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = SKGETMESSAGE(window, message, wParam, lParam)) return r;
  DialogState& d = Dialog();
  bool ours = d.dialog == window || (d.running && !d.dialog);
  switch (message) {
    case WM_COMMAND:
      if (ours && d.dialog) OnCommand(wParam);
      return 0;
    case WM_MEASUREITEM:
      MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      win::PaintDC dc(window);
      if (HDC mem = SKGETHDCMEMBMP(window)) {
        const RECT& r = dc.Info().rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, r.left, r.top, SRCCOPY);
      } else {
        RECT r;
        GetClientRect(window, &r);
        SKFILLRECT(dc, 0, 0, r.right, r.bottom, SKGETSYSCOLOR(kSkinWindowBack));
      }
      return 0;
    }
    case WM_KEYDOWN:
      if (ours && d.dialog && OnKey(window, wParam)) return 0;
      break;
    case WM_CLOSE:
      if (ours && d.dialog) Close(1);
      return 0;
    case WM_DESTROY:
      // Destroyed from outside (its owner went): the dialog ends as cancelled.
      if (ours && d.dialog == window && !d.closing) Close(1);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

int WINAPI DLDIALOGMESSAGE(HWND dialog, MSG* message) {
  DialogState& d = Dialog();
  if (!message || !dialog || dialog != d.dialog || message->message != WM_KEYDOWN) return 0;
  if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return 0;
  return OnKey(message->hwnd, message->wParam) ? 1 : 0;
}
