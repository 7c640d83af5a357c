// The thesaurus editor's window procedure: a word box with the words of the thesaurus in
// use, and a row of buttons to add a word, delete one that no record uses, and close
// without saving; the frame's close saves a changed list.
#include <algorithm>
#include <vector>

#include "controls/controls_host.h"
#include "controls/thesaurus.h"
#include "controls/word_check.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "thesaurus_internal.h"
#include "window_data.h"

namespace {

using thesaurus::Editor;

constexpr UINT kShowLoadFailure = WM_APP + 1;

void Warn(HWND window, const std::string& text) {
  SKMSGBOX(window, SKCAPTIONFONT(), CurrentControlsHost().warningCaption, text, "", SkBoxStyle::Warning());
}

void ShowCount(HWND window, const Editor& e) { SetWindowTextA(window, TitleWithCount(e.title, e.count).c_str()); }

ThesaurusMeasures Measure(const std::vector<std::string>& labels, int maxLength) {
  ThesaurusMeasures m;
  int width = 0, height = 0;
  for (const std::string& label : labels) {
    SKGETTEXTEXTENT(SKCAPTIONFONT(), label, width, height);
    m.labelWidths.push_back(width);
  }
  SKSPACECHARTOPIXEL(SKCAPTIONFONT(), m.spaceWidth, m.charHeight);
  SKGETTEXTEXTENT(SKDEFAULTFONT(), "W", width, height);
  m.wordWidth = int(std::min<int64_t>(int64_t(width) * std::max(0, maxLength), INT32_MAX));
  m.maxClientWidth = GetSystemMetrics(SM_CXSCREEN) - SKGETSYSTEMMETRICS(kSkinLeftBorder) -
                     SKGETSYSTEMMETRICS(kSkinRightBorder);
  return m;
}

void LoadWords(Editor& e) {
  std::vector<std::string> words;
  e.loadFailure = ReadThesaurus(thesaurus::CurrentPath(), words);
  for (const std::string& word : words)
    SendMessageA(e.wordBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
  LRESULT count = SendMessageA(e.wordBox, CB_GETCOUNT, 0, 0);
  e.count = count == CB_ERR ? 0 : int(count);
}

LRESULT OnCreate(HWND window, Editor& e) {
  std::string buttons;
  int maxLength = 0;
  THESAURUSPARAMS(buttons, maxLength, 0);
  std::vector<std::string> labels;
  SKSPLITS(buttons, "|", labels);
  ThesaurusLayout layout = ComputeThesaurusLayout(Measure(labels, maxLength));

  const int width = layout.clientWidth + SKGETSYSTEMMETRICS(kSkinLeftBorder) + SKGETSYSTEMMETRICS(kSkinRightBorder);
  const int height = layout.clientHeight + SKGETSYSTEMMETRICS(kSkinCaptionHeight) +
                     SKGETSYSTEMMETRICS(kSkinBottomBorder);
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  HWND owner = GetWindow(window, GW_OWNER);
  SKCENTERWIND(window, owner);

  const BoxRect& r = layout.wordBox;
  e.wordBox = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "", kThesaurusWordBoxStyle, r.x, r.y, r.width, r.height,
                              window, reinterpret_cast<HMENU>(INT_PTR(kThesaurusWordBox)), GetModuleHandleA(nullptr),
                              nullptr);
  if (!e.wordBox) return -1;
  SendMessageA(e.wordBox, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  if (maxLength > 0) SendMessageA(e.wordBox, CB_LIMITTEXT, WPARAM(maxLength), 0);
  // Enter in the word's field adds it.
  SkHookKeys(e.wordBox, window, kThesaurusAdd, kThesaurusFrameClose);

  for (size_t i = 0; i < labels.size(); ++i) {
    const BoxRect& b = layout.buttons[i];
    SKBUT3D(window, labels[i], b.x, b.y, b.width, b.height, kThesaurusAdd + int(i));
  }
  LoadWords(e);
  if (e.loadFailure != 0) {
    // A list that could not be read is not to be replaced: it can only be looked at.
    for (int id : {kThesaurusAdd, kThesaurusDelete}) EnableWindow(GetDlgItem(window, id), FALSE);
    PostMessageA(window, kShowLoadFailure, 0, 0);
  }
  e.listBrush.Reset(CreateSolidBrush(SKGETSYSCOLOR(kSkinControlBack)));

  RECT placed;
  GetWindowRect(window, &placed);
  SKPOPUPCONTAINER(window, TitleWithCount(e.title, e.count), placed.left, placed.top, width, height, THESAURUSPROC);
  SetFocus(e.wordBox);
  return 0;
}

void AddWord(HWND window, Editor& e) {
  // The next word is typed where this one was, whatever took the focus to add it.
  SetFocus(e.wordBox);
  std::string word = SkGetCtlText(e.wordBox);
  if (word.empty() || e.loadFailure != 0) return;
  // An exact search, which ignores letter case.
  if (SendMessageA(e.wordBox, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(word.c_str())) != CB_ERR) {
    MessageBeep(MB_OK);
    return;
  }
  LRESULT at = SendMessageA(e.wordBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
  if (at == CB_ERR || at == CB_ERRSPACE) return;
  ++e.count;
  e.modified = true;
  SendMessageA(e.wordBox, CB_SETCURSEL, WPARAM(at), 0);
  ShowCount(window, e);
}

void DeleteWord(HWND window, Editor& e) {
  LRESULT selected = SendMessageA(e.wordBox, CB_GETCURSEL, 0, 0);
  std::string word;
  if (selected == CB_ERR || e.loadFailure != 0 || !thesaurus::EntryText(e.wordBox, int(selected), word)) return;
  const ControlsHost& host = CurrentControlsHost();
  WordCheck check = CheckWordUse(ArchiveRecordFile(host.dataFolder, host.archiveName), host.fields, word);
  switch (check.use) {
    case WordUse::kInUse:
      Warn(window, WordInUseMessage(word, host.inUseText));
      return;
    case WordUse::kUnknown:
      Warn(window, CannotCheckMessage(word, check.indexFile, SKWINERR(check.code)));
      return;
    case WordUse::kUnused:
      break;
  }
  if (SendMessageA(e.wordBox, CB_DELETESTRING, WPARAM(selected), 0) == CB_ERR) return;
  --e.count;
  e.modified = true;
  ShowCount(window, e);
}

LRESULT OnCommand(HWND window, Editor& e, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kThesaurusAdd: AddWord(window, e); return 0;
    case kThesaurusDelete: DeleteWord(window, e); return 0;
    case kThesaurusDiscard:
      PostMessageA(window, WM_CLOSE, WPARAM(kThesaurusCloseWithoutSaving), 0);
      return 0;
    case kThesaurusFrameClose:
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    default: return 0;
  }
}

// A changed list is saved, so that the form's topic boxes show it. A list that cannot be
// saved keeps the editor open, with the reason: closing it without saving stays possible.
bool OnClose(HWND window, Editor& e, WPARAM wParam) {
  if (int(wParam) != kThesaurusCloseWithoutSaving && e.modified) {
    if (int rc = SAVETHESAURUS(e.wordBox, 1); rc != 0) {
      Warn(window, FileFailureMessage(thesaurus::CurrentPath(), SKWINERR(rc)));
      return false;
    }
  }
  e.modified = false;
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner) EnableWindow(owner, TRUE);
  ShowWindow(window, SW_HIDE);
  if (owner) SetActiveWindow(owner);
  return true;
}

void DrawWord(const DRAWITEMSTRUCT& di) {
  if (di.itemID == UINT(-1)) return;
  std::string text;
  thesaurus::EntryText(di.hwndItem, int(di.itemID), text);
  const bool selected = (di.itemState & ODS_SELECTED) != 0;
  RECT r = di.rcItem;
  SKFILLRECT(di.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top,
             SKGETSYSCOLOR(selected ? kSkinSelectionBack : kSkinControlBack));
  win::SelectObj font(di.hDC, SKDEFAULTFONT());
  SetBkMode(di.hDC, TRANSPARENT);
  SetTextColor(di.hDC, SKGETSYSCOLOR(selected ? kSkinSelectionText : kSkinControlText));
  RECT textRect{r.left + 2, r.top, r.right, r.bottom};
  DrawTextA(di.hDC, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (di.itemState & ODS_FOCUS) DrawFocusRect(di.hDC, &r);
}

void Paint(HWND window) {
  win::PaintDC dc(window);
  RECT r;
  GetClientRect(window, &r);
  SKTILEBLT(dc, 0, 0, r.right, r.bottom, SKCTLBACK());
}

}  // namespace

LRESULT CALLBACK THESAURUSPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  Editor* e = controls::WindowData<Editor>(window, message, lParam);
  switch (message) {
    case WM_CREATE:
      return e ? OnCreate(window, *e) : -1;
    case WM_COMMAND:
      return e ? OnCommand(window, *e, wParam) : 0;
    case WM_CLOSE:
      if (e && !OnClose(window, *e, wParam)) return 0;
      break;
    case kShowLoadFailure:
      if (e) Warn(window, FileFailureMessage(thesaurus::CurrentPath(), SKWINERR(e->loadFailure)));
      return 0;
    case WM_DESTROY:
      if (e) {
        // Gone without a close (its owner went, the program ends): a changed list is
        // saved as the frame's close saves it, while the word box and the form still live.
        if (e->modified) SAVETHESAURUS(e->wordBox, 1);
        e->modified = false;
        SkUnhookKeys(e->wordBox);
        e->listBrush.Reset();
        // Ends RUNTHESAURUS's loop. No quit is posted for it: a quit is the program's,
        // and two quits in one queue are one, so the program's end would be lost when its
        // main window goes with the editor.
        e->destroyed = true;
      }
      return 0;
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (mi->CtlType != ODT_COMBOBOX) break;
      int width = 0, height = 0;
      SKGETTEXTEXTENT(SKDEFAULTFONT(), "W", width, height);
      mi->itemHeight = UINT(height + 1);
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (di->CtlType != ODT_COMBOBOX) break;
      DrawWord(*di);
      return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
      if (e && e->listBrush) return reinterpret_cast<LRESULT>(e->listBrush.Get());
      break;
    case WM_CTLCOLORSTATIC:
      if (e && e->listBrush) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, SKGETSYSCOLOR(kSkinControlText));
        SetBkColor(dc, SKGETSYSCOLOR(kSkinControlBack));
        return reinterpret_cast<LRESULT>(e->listBrush.Get());
      }
      break;
    case WM_CTLCOLORBTN:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}
