#include "imaging/program_start.h"

#include "imaging/copydata.h"
#include "skin/sk_files.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"

namespace startup {

ProgramIdentity IdentifyProgram(HINSTANCE instance) {
  ProgramIdentity identity;
  static_cast<ProgramPaths&>(identity) = ProgramPathsOf(SKEXENAME());
  identity.instance = instance;
  return identity;
}

bool CheckUiFile(const std::string& uiFile, const std::string& caption) {
  if (SKEXIST(uiFile)) return true;
  SkBoxStyle style;
  style.icon = LoadIcon(nullptr, IDI_HAND);
  SKMSGBOX(nullptr, SKCAPTIONFONT(), caption, MissingUiFileText(uiFile), "", style);
  return false;
}

win::GdiplusSession StartGdiplusWhenPresent() {
  if (SKFINDF("gdiplus.dll").empty()) return {};
  return win::StartGdiplusSession();
}

int RunMessageLoop(const HWND& frame, const MessageLoopSteps& steps) {
  auto take = [&frame, &steps](MSG& msg) {
    if (steps.filter && steps.filter(msg)) return;
    if (SKDIALOGMESSAGE(frame, msg)) return;
    if (steps.dialogKeys && frame && IsWindow(frame) && IsDialogMessageA(frame, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  };
  MSG msg{};
  for (;;) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return int(msg.wParam);
    if (got == -1) return 0;
    take(msg);
    if (steps.after) steps.after();
  }
}

LRESULT QueueReceivedList(HWND window, ReceivedLists& lists, std::string text) {
  lists.Add(std::move(text));
  PostMessageA(window, kMsgOpenReceived, 0, 0);
  return 1;
}

}  // namespace startup
