// The pick dialog's opening, layout and modal loop (SKPICKF).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "pick/folder_tree.h"
#include "pick/pick.h"
#include "pick/pick_memory.h"
#include "pick/pick_result.h"
#include "pick_dialog_internal.h"
#include "pick_module.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/window_class.h"

namespace pick_dialog {

DialogState& Dialog() {
  static DialogState state;
  return state;
}

namespace {

// Layout: a caption row above the tree and the list, a row for the filter box and the
// name field below them, the button column at the right.
constexpr int kTopMargin = 24;
constexpr int kGap = 10;
constexpr int kSideMargin = 12;
constexpr int kAreaWidth = 184;
constexpr int kAreaHeight = 164;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 22;
constexpr int kButtonStep = 25;
constexpr int kFieldHeight = 22;
constexpr int kCaptionHeight = 18;
constexpr int kDropHeight = 160;
constexpr int kCloseOnly = 1;  // frame style: a close button

struct Texts {
  std::string caption, filterList, buttons, listCaption, treeCaption, filterCaption, nameCaption;
};

HWND AddToRing(HWND control) {
  if (control) Dialog().focusRing.push_back(control);
  return control;
}

void CreateControls(const Texts& t) {
  DialogState& d = Dialog();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  bool withTree = !t.treeCaption.empty();
  int treeX = kSideMargin;
  int listX = withTree ? kSideMargin + kAreaWidth + kGap : kSideMargin;
  int rowY = kTopMargin + kAreaHeight + kCaptionHeight + 6;
  int lastBottom = rowY + kFieldHeight;

  if (withTree) {
    d.captions.push_back({t.treeCaption, treeX, 6});
    d.tree = AddToRing(CREATEFOLDERTREE(d.dialog, "", treeX, kTopMargin, kAreaWidth, kAreaHeight, kTreeId));
  }
  d.captions.push_back({t.listCaption, listX, 6});
  DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                    LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  // Reading the switch disarms it: it applies to this dialog only.
  d.multiSelection = pick::Memory().OneShot(pick::Switch::kMultiSelection, 0) == -1;
  if (d.multiSelection) listStyle |= LBS_EXTENDEDSEL | LBS_MULTIPLESEL;
  d.list = AddToRing(CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", listStyle, listX, kTopMargin, kAreaWidth,
                                     kAreaHeight, d.dialog, reinterpret_cast<HMENU>(INT_PTR(kListId)), instance,
                                     nullptr));
  SendMessageA(d.list, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);

  d.captions.push_back({t.filterCaption, listX, rowY - kCaptionHeight});
  d.filterBox = AddToRing(CreateWindowExA(
      0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
      listX, rowY, kAreaWidth, kDropHeight, d.dialog, reinterpret_cast<HMENU>(INT_PTR(kFilterId)), instance, nullptr));
  SendMessageA(d.filterBox, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  for (const pick::FilterEntry& f : d.filters)
    SendMessageA(d.filterBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.name.c_str()));

  // The name field (or the path label) sits under the tree, or in a row of its own.
  int nameX = withTree ? treeX : listX;
  int nameY = withTree ? rowY : rowY + kFieldHeight + kCaptionHeight + 6;
  if (d.nameFieldShown || !t.nameCaption.empty()) {
    d.captions.push_back({t.nameCaption, nameX, nameY - kCaptionHeight});
    lastBottom = std::max(lastBottom, nameY + kFieldHeight);
  }
  if (d.nameFieldShown) {
    d.nameField = AddToRing(SKINPUT(d.dialog, d.nameText, nameX, nameY, kAreaWidth, kFieldHeight, kNameId, MAX_PATH));
    SendMessageA(d.nameField, EM_SETSEL, 0, -1);
  } else if (!t.nameCaption.empty()) {
    d.pathLabel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, nameX, nameY + 3, kAreaWidth,
                                  kFieldHeight - 3, d.dialog, reinterpret_cast<HMENU>(INT_PTR(kNameId)), instance,
                                  nullptr);
    SendMessageA(d.pathLabel, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  }

  int buttonX = listX + kAreaWidth + kSideMargin;
  int y = kTopMargin;
  int n = 0;
  for (const std::string& text : pick::SplitItems(t.buttons)) {
    d.buttons.push_back(AddToRing(SKBUT3D(d.dialog, text, buttonX, y, kButtonWidth, kButtonHeight, kFirstButtonId + n)));
    y += kButtonStep;
    ++n;
  }
  d.clientWidth = buttonX + kButtonWidth + kSideMargin;
  d.clientHeight = std::max(lastBottom, y) + kSideMargin;
}

// Places the dialog: its outer size adds the skin's frame; centred on the owner (or the
// screen) and kept on the screen.
void PlaceDialog(const std::string& caption) {
  DialogState& d = Dialog();
  int width = d.clientWidth + SKGETSYSTEMMETRICS(4) + SKGETSYSTEMMETRICS(5);
  int height = d.clientHeight + SKGETSYSTEMMETRICS(1) + SKGETSYSTEMMETRICS(6);
  SKPOPUPCONTAINER(d.dialog, caption, 0, 0, width, height, DIRLISTPROC);
  SKCENTERWIND(d.dialog, d.owner);
}

bool OpenWindow(const std::string& caption) {
  DialogState& d = Dialog();
  if (!win::RegisterClassOnce(
          {.name = kClassName, .procedure = DIRLISTPROC, .instance = pick_module::Instance(), .style = CS_DBLCLKS}))
    return false;
  int oldStyle = SkWindowStyle();
  SKWINDOWSTYLE(kCloseOnly);
  d.dialog = CreateWindowExA(0, kClassName, caption.c_str(), WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 200, 100,
                             d.owner, nullptr, pick_module::Instance(), nullptr);
  SKWINDOWSTYLE(oldStyle);
  return d.dialog != nullptr;
}

// Runs the dialog's messages until it closes. Answers false when a quit request arrived,
// which the caller posts again after the dialog is gone.
bool RunLoop(int& quitCode) {
  DialogState& d = Dialog();
  MSG msg;
  for (;;) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      if (d.closing) return true;
      quitCode = int(msg.wParam);
      d.closingButton = 1;
      return false;
    }
    if (got == -1) return true;
    if (DLDIALOGMESSAGE(d.dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace
}  // namespace pick_dialog

using namespace pick_dialog;

int SKPICKF(HWND owner, const std::string& startPath, const std::string& caption, const std::string& filterList,
            const std::string& buttons, const std::string& listCaption, const std::string& treeCaption,
            const std::string& filterCaption, int, const std::string& nameCaption, int nameMode, std::string& result,
            std::string& nameText) {
  // One dialog at a time in the process.
  static std::atomic<bool> open{false};
  if (open.exchange(true)) return 0;
  DialogState& d = Dialog();
  StartSkinIfNeeded();
  d = DialogState{};
  d.running = true;
  pick::Memory().OneShot(pick::Switch::kNoIconise, 0);  // a one-shot for this dialog only
  d.owner = owner && owner != GetDesktopWindow() ? owner : nullptr;

  pick::StartPath start = pick::SplitStartPath(startPath);
  // A start path that names a folder without a trailing "\" is that folder.
  if (!startPath.empty() && fileio::IsDirectory(startPath)) start = {fileio::WithTrailingSeparator(startPath), "*.*"};
  if (start.folder.empty()) {
    char current[MAX_PATH] = {};
    DWORD n = GetCurrentDirectoryA(sizeof current, current);
    if (n > 0 && n < sizeof current) start.folder = fileio::WithTrailingSeparator(current);
  }
  d.folder = start.folder;
  d.pattern = start.pattern;
  d.searchMask = pick::SearchMaskFor(d.folder);
  d.filters = pick::ParseFilterList(filterList);
  pick::PresetName preset = pick::SplitPresetName(nameText);
  d.hasPreset = preset.hasPreset;
  d.presetResult = preset.presetResult;
  d.nameText = preset.nameText;
  d.listMode = nameMode;
  d.nameFieldShown = nameMode != 0;

  std::string title = pick::CaptionText(caption);
  if (!OpenWindow(title)) {
    d = DialogState{};
    open = false;
    return 0;
  }
  Texts texts{title, filterList, buttons, listCaption, treeCaption, filterCaption, nameCaption};
  CreateControls(texts);
  PlaceDialog(title);
  PaintBackground();
  if (d.tree) FolderTreeSelect(d.tree, fileio::WithoutTrailingSeparator(d.folder));
  SelectFilterFor(d.pattern);
  d.ready = true;
  FillList();
  ShowPath();

  ShowWindow(d.dialog, SW_SHOW);
  SetForegroundWindow(d.dialog);
  if (d.nameField) {
    SetFocus(d.nameField);
    int length = GetWindowTextLengthA(d.nameField);
    SendMessageA(d.nameField, EM_SETSEL, WPARAM(length), LPARAM(length));
  } else {
    SetFocus(d.list);
  }
  if (d.owner) EnableWindow(d.owner, FALSE);

  int quitCode = 0;
  bool quit = !RunLoop(quitCode);

  if (d.owner) {
    EnableWindow(d.owner, TRUE);
    SetActiveWindow(d.owner);
    SetFocus(d.owner);
  }
  ShowWindow(d.dialog, SW_HIDE);
  HWND dialog = d.dialog;
  d.dialog = nullptr;
  DestroyWindow(dialog);
  SKDELETEMEMBMP(dialog);

  int button = d.closingButton;
  if (button > 1) {
    result = d.result;
    nameText = pick::NameToPath(pick::FolderOfMask(d.searchMask), d.nameText);
  } else {
    result.clear();
  }
  d.running = false;
  open = false;
  if (quit) PostQuitMessage(quitCode);
  return button;
}

int SKPICKF(HWND owner, const std::string& startPath, const std::string& caption, const std::string& filterList,
            const std::string& buttons, const std::string& listCaption, const std::string& treeCaption,
            const std::string& filterCaption, int reserved, const std::string& nameCaption, int nameMode,
            std::string& result, std::string& nameText, int) {
  return SKPICKF(owner, startPath, caption, filterList, buttons, listCaption, treeCaption, filterCaption, reserved,
                 nameCaption, nameMode, result, nameText);
}
