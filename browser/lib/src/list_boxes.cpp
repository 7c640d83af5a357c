// The list-file box "PICKFILE" and the picture-type box "PICTURETYPE": a combo box with
// the list always open and a row of buttons.
#include <windows.h>

#include "box_window.h"
#include "controls/buildbox_layout.h"
#include "controls/modal_box.h"
#include "fileio/file.h"
#include "fileio/item_list.h"
#include "fileio/paths.h"
#include "kelmor/modal_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_text.h"
#include "skin/skin.h"

namespace kelmor {

namespace {

struct ListBox {
  HWND owner = nullptr;
  std::vector<std::string> captions;
  ListFiles files;                   // the list-file box
  std::vector<PictureType> types;    // the picture-type box
  int saveMode = 0;
  HWND combo = nullptr;
  HWND shown = nullptr;              // the text over the hidden edit field
  std::string choice;
  win::Brush brush;
};

// The layout both boxes share: the combo box above a centred row of buttons 4 pixels apart.
void MakeLayout(HWND box, ListBox& b) {
  ButtonRowMeasures m = boxes::MeasureButtons(b.captions);
  int width = BoxWidthFor(ButtonRowWidth(m, 4));
  b.combo = boxes::MakeListCombo(box, width);
  boxes::MakeButtons(box, b.captions, LayoutButtonRow(m, width, kBoxButtonTop, 4, 0));
  boxes::PlaceBox(box, b.owner, width, kBoxHeight);
}

// ---- list-file box -------------------------------------------------------------------------

void CreatePickFile(HWND box, ListBox& b) {
  std::string preset;
  int32_t result = 0, mode = 0;
  PICKFILEPARAMS(preset, result, mode, 0);
  b.saveMode = mode;
  MakeLayout(box, b);
  SendMessageA(b.combo, CB_LIMITTEXT, WPARAM(ListNameLimit(b.files.folder, b.files.extension)), 0);
  for (const auto& e : fileio::ListDirectory(b.files.folder + "*" + b.files.extension))
    if (!e.directory) SendMessageA(b.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
  if (b.saveMode) {
    SetWindowTextA(b.combo, preset.c_str());
    return;
  }
  b.shown = boxes::CoverEditField(b.combo);
  if (!b.files.choosePreset || SendMessageA(b.combo, CB_GETCOUNT, 0, 0) <= 0) return;
  LRESULT at = CB_ERR;
  for (const std::string& name : {preset, preset + b.files.extension})
    if (at == CB_ERR && !name.empty())
      at = SendMessageA(b.combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageA(b.combo, CB_SETCURSEL, WPARAM(at == CB_ERR ? 0 : at), 0);
  if (b.shown) SetWindowTextA(b.shown, boxes::ComboSelection(b.combo).c_str());
}

// In open mode only a listed name counts; in save mode what the user typed.
std::string PickFileText(const ListBox& b) {
  return b.saveMode ? fileio::Trim(SkGetCtlText(b.combo)) : boxes::ComboSelection(b.combo);
}

void PickFileCommand(HWND box, ListBox& b, WPARAM wParam) {
  int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == kBoxMainId) {
    if (code == CBN_SELCHANGE && b.shown) SetWindowTextA(b.shown, boxes::ComboSelection(b.combo).c_str());
    if (code == CBN_DBLCLK) boxes::AnswerBox(box, 1, PickFileText(b), PICKFILEPARAMS);
    return;
  }
  switch (ButtonAnswer(id, int(b.captions.size()))) {
    case 1:
      boxes::AnswerBox(box, 1, PickFileText(b), PICKFILEPARAMS);
      break;
    case 2:
      boxes::AnswerBox(box, 2, b.saveMode ? std::string() : PickFileText(b), PICKFILEPARAMS);
      break;
    case 3:
      boxes::AnswerBox(box, 3, "", PICKFILEPARAMS);
      break;
    default:
      break;
  }
}


// ---- picture-type box ----------------------------------------------------------------------

void CreatePictureType(HWND box, ListBox& b) {
  std::string list;
  int32_t result = 0, value = 0;
  BOXPARAMS(list, result, value, 0);
  b.types = ParsePictureTypes(list);
  MakeLayout(box, b);
  // The entry's place changes as the sorted list grows; its item data goes with it.
  for (size_t i = 0; i < b.types.size(); ++i) {
    LRESULT at = SendMessageA(b.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(b.types[i].label.c_str()));
    if (at >= 0) SendMessageA(b.combo, CB_SETITEMDATA, WPARAM(at), LPARAM(i));
  }
  b.shown = boxes::CoverEditField(b.combo);
}

void PictureTypeCommand(HWND box, ListBox& b, WPARAM wParam) {
  int id = LOWORD(wParam), code = HIWORD(wParam);
  LRESULT selected = SendMessageA(b.combo, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) {
    size_t type = size_t(SendMessageA(b.combo, CB_GETITEMDATA, WPARAM(selected), 0));
    if (type < b.types.size()) {
      if (id == kBoxMainId && code == CBN_SELCHANGE && b.shown)
        SetWindowTextA(b.shown, ShownTypeName(b.types[type].label).c_str());
      if (b.shown && !fileio::Trim(SkGetCtlText(b.shown)).empty()) b.choice = b.types[type].value;
    }
  }
  if (id == kBoxMainId && code == CBN_DBLCLK) boxes::AnswerBox(box, 1, b.choice, BOXPARAMS);
  int answer = id == kBoxMainId ? 0 : ButtonAnswer(id, int(b.captions.size()));
  if (answer == 1 || answer == 2) boxes::AnswerBox(box, answer, b.choice, BOXPARAMS);
}


bool Run(const char* className, ::WNDPROC procedure, HWND owner, const std::string& caption, ListBox& b) {
  controls::ModalBoxSetup setup;
  setup.className = className;
  setup.procedure = procedure;
  setup.owner = owner;
  setup.caption = caption;
  setup.store = &b;
  setup.focus = [&b](HWND) { return b.combo; };
  return controls::RunModalBox(setup);
}

}  // namespace

int PICKFILEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& name, int saveMode,
                const ListFiles& files) {
  std::string text = name;
  int32_t result = 0, mode = saveMode;
  PICKFILEPARAMS(text, result, mode, 1);
  ListBox b;
  b.owner = owner;
  b.captions = SplitBoxItems(buttons);
  b.files = files;
  const char* className = files.className ? files.className : kPickFileClass;
  if (!Run(className, boxes::BoxProc<ListBox, CreatePickFile, PickFileCommand>, owner, caption, b)) return 0;
  PICKFILEPARAMS(text, result, mode, 0);
  if (result) name = text;
  return result;
}

int PICTURETYPEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& choice) {
  std::string text = choice;
  int32_t result = 0, value = 0;
  BOXPARAMS(text, result, value, 1);
  ListBox b;
  b.owner = owner;
  b.captions = SplitBoxItems(buttons);
  if (!Run(kPictureTypeClass, boxes::BoxProc<ListBox, CreatePictureType, PictureTypeCommand>, owner, caption, b))
    return 0;
  BOXPARAMS(text, result, value, 0);
  if (result) choice = text;
  return result;
}

}  // namespace kelmor
