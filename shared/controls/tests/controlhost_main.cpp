// controlhost: a stand-in for the archive programs that host the shared controls. Its main
// window holds a list panel with the ten topic combo boxes of an archive form (one per row,
// 20 pixels each, in a panel 150 pixels high) and a button in the first row. It reads the
// UI entries 10, 15, 16 and 21 from controlhost.SYS in the data folder, uses the thesaurus
// STANDARD.THM there and the archive named by entry 21, and writes what reaches its
// WNDPROC into host.log in the data folder, one line each:
//   panel-command <id> <window>   a command of a panel's child, with the window it came with
//   panel-focus <window>          the panel's focus
//   loaded <code> | answer <n> | warned | popup <window> | ready <panel>
// Commands (WM_COMMAND to the main window): 101 the thesaurus editor, 102 a question box,
// 103 a warning box, 104 the info popup "one|two", 105 removes it, 106 loads the thesaurus
// again. Code 10 (or WM_CLOSE) ends it.
// Usage: controlhost <data folder>
#include <windows.h>

#include <algorithm>
#include <string>

#include "controls/controls_host.h"
#include "controls/info_popup.h"
#include "controls/listbox.h"
#include "controls/thesaurus.h"
#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "win/window_class.h"

namespace controlhost {

constexpr const char* kHostClass = "CONTROLHOST";
constexpr int kTopicSlots = 10;
constexpr int kRowHeight = 20;
constexpr int kPanelHeight = 150;
constexpr int kFirstTopicId = 200;
constexpr int kRowButtonId = 500;

enum HostCommand { kEditThesaurus = 101, kAsk = 102, kWarn = 103, kShowPopup = 104, kRemovePopup = 105, kLoad = 106 };

struct Host {
  std::string dataFolder;
  HWND main = nullptr;
  HWND panel = nullptr;
  HWND popup = nullptr;
} gHost;

std::string Hex(HWND window) { return std::to_string(reinterpret_cast<uintptr_t>(window)); }

// Appended in place: the test reads the log meanwhile, and a file being read cannot be replaced.
void Log(const std::string& line) {
  fileio::File log;
  if (log.OpenAlways(gHost.dataFolder + "host.log", fileio::Share::DenyNone) != fileio::kOk) return;
  const std::string text = line + "\r\n";
  log.WriteAt(std::max<int64_t>(0, log.Size()), text.data(), text.size());
}

void OnCommand(int id) {
  switch (id) {
    case kEditThesaurus: RUNTHESAURUS("Words #", "Add|Delete|Close", 40); break;
    case kAsk: Log("answer " + std::to_string(ARCMESSAGEBOXTEXT("Go on?", "Yes|No"))); break;
    case kWarn:
      ARCMESSAGEBOX("Careful");
      Log("warned");
      break;
    case kShowPopup:
      gHost.popup = SKSTATIC(gHost.main, "one|two");
      Log("popup " + Hex(gHost.popup));
      break;
    case kRemovePopup:
      if (gHost.popup) DestroyWindow(gHost.popup);
      gHost.popup = nullptr;
      break;
    case kLoad: Log("loaded " + std::to_string(LOADTHESAURUS())); break;
    default: break;
  }
}

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  switch (message) {
    case WM_COMMAND:
      if (window == gHost.panel) {
        Log("panel-command " + std::to_string(LOWORD(wParam)) + " " + Hex(window));
        return 0;
      }
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_SETFOCUS:
      if (window == gHost.panel) Log("panel-focus " + Hex(window));
      break;
    case WM_COPYDATA: {
      std::string text;
      if (GETCOPYDATA(text, wParam, lParam) == kCodeClose) PostMessageA(window, WM_CLOSE, 0, 0);
      return 1;
    }
    case WM_DESTROY:
      if (window == gHost.main) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

// The record form: the panel with the topic combo boxes, one per row, and a button.
std::vector<DBFIELD> MakeForm(HINSTANCE instance) {
  std::vector<DBFIELD> fields = db::ArchiveFields(kTopicSlots, 2024, 5);
  gHost.panel = SKLISTBOX(0, gHost.main, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_CLIPCHILDREN, 10, 10,
                          320, kPanelHeight, nullptr, kTopicSlots, kRowHeight);
  for (int k = 0; k < kTopicSlots; ++k) {
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 0,
                                 k * kRowHeight, 200, 120, gHost.panel,
                                 reinterpret_cast<HMENU>(INT_PTR(kFirstTopicId + k)), instance, nullptr);
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
    fields[size_t(db::FieldFirstTopic() - 1 + k)].control = reinterpret_cast<intptr_t>(combo);
  }
  SKBUT3D(gHost.panel, "Go", 210, 0, 60, kRowHeight, kRowButtonId);
  return fields;
}

}  // namespace controlhost

using namespace controlhost;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  gHost.dataFolder = fileio::WithTrailingSeparator(__argv[1]);
  SKINITENGINE("");
  StringTable strings;
  int count = 0;
  SKREADSTR(gHost.dataFolder + "controlhost.SYS", strings, count);
  if (!win::RegisterClassOnce({.name = kHostClass, .procedure = controlhost::WNDPROC, .instance = instance}))
    return 1;
  gHost.main = CreateWindowExA(0, kHostClass, "Control host", WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 40, 40, 420,
                               260, nullptr, nullptr, instance, nullptr);
  if (!gHost.main) return 1;

  ControlsHost host;
  host.mainWindow = gHost.main;
  host.windowProc = controlhost::WNDPROC;
  host.fields = MakeForm(instance);
  host.dataFolder = gHost.dataFolder;
  host.thesaurusName = "STANDARD";
  host.TakeUiEntries(strings);
  SetControlsHost(host);
  Log("loaded " + std::to_string(LOADTHESAURUS()));
  ShowWindow(gHost.main, SW_SHOW);
  UpdateWindow(gHost.main);
  Log("ready " + Hex(gHost.panel));

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (SKDIALOGMESSAGE(gHost.main, msg)) continue;
    if (IsDialogMessageA(gHost.main, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return int(msg.wParam);
}
