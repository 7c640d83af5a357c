// testdriver: drives the suite's windows from the command line, for scripts and for
// looking at a running program by hand. Exit code 0 on success, 1 when the window, control
// or button was not found in time, 2 on a usage error.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver.h"
#include "win/window_class.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: testdriver <command> ...\n"
               "  wait CLASS [ms]              wait for a top-level window\n"
               "  send CLASS CODE [TEXT]       send a command message\n"
               "  command CLASS ID             post WM_COMMAND ID\n"
               "  text CLASS [ID]              print the window's (or control's) text\n"
               "  list CLASS ID                print a list's or combo box's items\n"
               "  settext CLASS ID TEXT        set a control's text\n"
               "  press CLASS N|CAPTION [ms]   press a button of a box\n"
               "  capture CLASS FILE.bmp       copy the window from the screen\n"
               "  close CLASS                  post WM_CLOSE\n"
               "  keepalive CLASS              hold a hidden window until closed\n");
  return 2;
}

DWORD Millis(int argc, char** argv, int index, DWORD fallback) {
  return argc > index ? DWORD(std::strtoul(argv[index], nullptr, 10)) : fallback;
}

}  // namespace

// Holds a hidden top-level window until it is closed. Wine starts its desktop process
// with the first window of a session and lets it go when the last one is gone; a test
// program that happens to start it would hand it its output pipe, and ctest would wait for
// that pipe until the desktop process ends. The test session keeps one window for its whole
// length, so the desktop process is started once, here, with no pipe to hold.
int KeepAlive(const std::string& cls) {
  if (!win::RegisterClassOnce({.name = cls.c_str(), .procedure = DefWindowProcA, .cursor = nullptr})) return 1;
  HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, cls.c_str(), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!w) return 1;
  MSG msg;
  while (IsWindow(w) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_CLOSE || (msg.hwnd == w && msg.message == WM_SYSCOMMAND)) break;
    DispatchMessageA(&msg);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string cmd = argv[1];
  std::string cls = argv[2];
  if (cmd == "keepalive") return KeepAlive(cls);
  constexpr DWORD kDefaultWait = 10000;
  if (cmd == "press") {
    if (argc < 4) return Usage();
    std::string which = argv[3];
    bool numeric = which.find_first_not_of("0123456789") == std::string::npos;
    return driver::PressButton(cls, numeric ? std::atoi(which.c_str()) : 0, numeric ? "" : which,
                               Millis(argc, argv, 4, kDefaultWait))
               ? 0
               : 1;
  }
  HWND w = driver::WaitWindow(cls, cmd == "wait" ? Millis(argc, argv, 3, kDefaultWait) : kDefaultWait);
  if (!w) {
    std::fprintf(stderr, "testdriver: no window of class %s\n", cls.c_str());
    return 1;
  }
  if (cmd == "wait") {
    std::printf("%p\n", static_cast<void*>(w));
    return 0;
  }
  if (cmd == "send") {
    if (argc < 4) return Usage();
    driver::SendCommand(w, std::atoi(argv[3]), argc > 4 ? argv[4] : "");
    return 0;
  }
  if (cmd == "command") {
    if (argc < 4) return Usage();
    return driver::PostCommand(w, std::atoi(argv[3])) ? 0 : 1;
  }
  if (cmd == "text" || cmd == "list") {
    HWND target = w;
    if (argc > 3) target = driver::WaitChild(w, std::atoi(argv[3]), kDefaultWait);
    if (!target) return 1;
    if (cmd == "text") {
      std::printf("%s\n", driver::WindowText(target).c_str());
    } else {
      for (const auto& item : driver::ListItems(target)) std::printf("%s\n", item.c_str());
    }
    return 0;
  }
  if (cmd == "settext") {
    if (argc < 5) return Usage();
    HWND target = driver::WaitChild(w, std::atoi(argv[3]), kDefaultWait);
    return target && driver::SetText(target, argv[4]) ? 0 : 1;
  }
  if (cmd == "capture") {
    if (argc < 4) return Usage();
    return driver::CaptureWindow(w, argv[3]) ? 0 : 1;
  }
  if (cmd == "close") return PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 1;
  return Usage();
}
