// The target-folder box "TARGETBOX": the folder tree and the buttons choose, new folder and
// cancel; its caption shows the selected folder.
#include <windows.h>

#include "box_window.h"
#include "controls/buildbox_layout.h"
#include "controls/modal_box.h"
#include "kelmor/modal_boxes.h"
#include "pick/folder_tree.h"
#include "pick/target_tree.h"
#include "skin/sk_boxes.h"
#include "skin/skin.h"

namespace kelmor {

namespace {

struct TargetBox {
  HWND owner = nullptr;
  std::vector<std::string> captions;
  TargetBoxTexts texts;
  HWND tree = nullptr;
  win::Brush brush;
};

void Answer(HWND box, int result, const std::string& folder) { boxes::AnswerBox(box, result, folder, BOXPARAMS); }

void Create(HWND box, TargetBox& b) {
  std::string preset;
  int32_t result = 0, value = 0;
  BOXPARAMS(preset, result, value, 0);
  ButtonRowMeasures m = boxes::MeasureButtons(b.captions);
  int width = BoxWidthFor(ButtonRowWidth(m, 2));
  b.tree = CreateTargetTree(box, preset, 4, 4, width - 8, kBoxMainHeight, kBoxMainId);
  boxes::MakeButtons(box, b.captions, LayoutButtonRow(m, width, kBoxButtonTop, 2, 2));
  boxes::PlaceBox(box, b.owner, width, kBoxHeight);
  std::string selected = FolderTreeSelectedPath(b.tree);
  SetWindowTextA(box, (selected.empty() ? preset : selected).c_str());
}

// The second button asks for the path of a folder to create; the caller creates it.
void AskNewFolder(HWND box, TargetBox& b) {
  std::string answer = FolderTreeSelectedPath(b.tree);
  std::string prompt = PlainCaption(b.captions.size() > 1 ? b.captions[1] : std::string()) + b.texts.promptTail;
  int pressed = SKINPUTBOX(box, SKCAPTIONFONT(), b.texts.title, prompt, b.texts.inputButtons, answer,
                           SkBoxStyle::Input(nullptr, MAX_PATH, 300));
  if (pressed == 1 && !answer.empty()) Answer(box, 2, answer);
}

void Command(HWND box, TargetBox& b, WPARAM wParam) {
  std::string folder;
  if (FollowTargetTree(box, b.tree, wParam, folder)) return;
  switch (ButtonAnswer(LOWORD(wParam), int(b.captions.size()))) {
    case 1:
      Answer(box, 1, FolderTreeSelectedPath(b.tree));
      break;
    case 2:
      AskNewFolder(box, b);
      break;
    case 3:
      Answer(box, 3, "");
      break;
    default:
      break;
  }
}


}  // namespace

LRESULT CALLBACK TARGETBOXPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return boxes::BoxProc<TargetBox, Create, Command>(box, message, wParam, lParam);
}

int RUNTARGETBOX(HWND owner, const std::string& buttons, std::string& folder, const TargetBoxTexts& texts,
                 const char* className) {
  std::string text = folder;
  int32_t result = 0, value = 0;
  BOXPARAMS(text, result, value, 1);
  TargetBox b;
  b.owner = owner;
  b.captions = SplitBoxItems(buttons);
  b.texts = texts;
  controls::ModalBoxSetup setup;
  setup.className = className ? className : kTargetBoxClass;
  setup.procedure = TARGETBOXPROC;
  setup.owner = owner;
  setup.caption = folder;
  setup.store = &b;
  setup.focus = [&b](HWND) { return FolderTreeView(b.tree); };
  if (!controls::RunModalBox(setup)) return 0;
  BOXPARAMS(text, result, value, 0);
  if (result) folder = text;
  return result;
}

}  // namespace kelmor
