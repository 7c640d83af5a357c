// A TWAIN source manager with one scanner source, for whole-program tests: a test copies it
// into a program folder as "TWAINDSM.DLL", where the imaging layer loads it first. What the
// source does comes from the file beside it named like it with ".cfg", one line
// "<sources> <pages> <dialog>":
//   sources  0: the manager knows no source; 1: one source
//   pages    pages the next acquisition delivers (0: the user cancels at once)
//   dialog   "owned": the source's dialog is owned by the program's window and stays open
//            after the last page until someone closes it; "captioned": the same, but a
//            window of its own captioned "Scanner"; "none": no dialog, the source asks to
//            be closed after the last page
// Missing, it is "1 1 none". Every call of note is appended to the file beside it with
// ".log", one word a line: open-manager, select, open-source, enable, page <n>,
// dialog-closed, close-source, close-manager.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "standin_files.h"
#include "twain_protocol.h"

using namespace twain_protocol;

namespace {

constexpr const char* kDialogClass = "TWAINSTANDINDIALOG";
constexpr int kPageWidth = 64, kPageHeight = 48;

HINSTANCE module = nullptr;

struct Source {
  int sources = 1;
  int pages = 1;
  bool dialog = false;
  bool owned = false;
  HWND parent = nullptr;
  HWND dialogWindow = nullptr;
  int delivered = 0;
  bool readySignalled = false;
  bool closeRequested = false;
  bool enabled = false;
};
Source source;

std::string BesideModule(const char* extension) { return standin_files::Beside(module, extension); }

void Log(const std::string& line) { standin_files::Append(BesideModule(".log"), line + "\r\n"); }

void ReadConfiguration() {
  source.sources = 1;
  source.pages = 1;
  source.dialog = false;
  source.owned = false;
  std::string text = standin_files::Read(BesideModule(".cfg"));
  if (text.empty()) return;
  char dialog[32] = {};
  std::sscanf(text.c_str(), "%d %d %31s", &source.sources, &source.pages, dialog);
  source.owned = std::strcmp(dialog, "owned") == 0;
  source.dialog = source.owned || std::strcmp(dialog, "captioned") == 0;
}

void Identify(TwIdentity* identity) {
  *identity = {};
  identity->id = 1;
  identity->protocolMajor = 1;
  identity->protocolMinor = 9;
  identity->supportedGroups = kDgControl | kDgImage;
  std::strcpy(identity->manufacturer, "Test");
  std::strcpy(identity->productFamily, "Test");
  std::strcpy(identity->productName, "Stand-in scanner");
}

// Wakes the acquisition's message loop, which hands every message to the source.
void Wake() { PostMessageA(source.parent, WM_NULL, 0, 0); }

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    Log("dialog-closed");
    source.closeRequested = true;
    source.dialogWindow = nullptr;
    DestroyWindow(window);
    Wake();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void ShowDialog() {
  WNDCLASSA wc{};
  if (!GetClassInfoA(module, kDialogClass, &wc)) {
    wc.lpfnWndProc = DialogProc;
    wc.hInstance = module;
    wc.lpszClassName = kDialogClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
  }
  source.dialogWindow =
      CreateWindowExA(0, kDialogClass, source.owned ? "Stand-in scanner" : "Scanner", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      20, 20, 240, 120, source.owned ? source.parent : nullptr, nullptr, module, nullptr);
  ShowWindow(source.dialogWindow, SW_SHOWNOACTIVATE);
}

// A 24-bit packed DIB, bottom-up, of one colour that tells the pages apart.
HGLOBAL Page(int number) {
  const int stride = (kPageWidth * 3 + 3) & ~3;
  const size_t size = sizeof(BITMAPINFOHEADER) + size_t(stride) * kPageHeight;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
  std::memset(bytes, 0, size);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = kPageWidth;
  header->biHeight = kPageHeight;
  header->biPlanes = 1;
  header->biBitCount = 24;
  header->biCompression = BI_RGB;
  unsigned char* pixels = bytes + sizeof(BITMAPINFOHEADER);
  for (int y = 0; y < kPageHeight; ++y)
    for (int x = 0; x < kPageWidth; ++x) {
      unsigned char* p = pixels + y * stride + x * 3;
      p[0] = static_cast<unsigned char>(40 * number);
      p[1] = static_cast<unsigned char>(200 - 30 * number);
      p[2] = 90;
    }
  GlobalUnlock(memory);
  return memory;
}

uint16_t Control(uint16_t data, uint16_t message, void* pointer) {
  switch (data) {
    case kDatParent:
      if (message == kMsgOpenDsm) {
        ReadConfiguration();
        Log("open-manager");
      } else if (message == kMsgCloseDsm) {
        Log("close-manager");
      }
      return kRcSuccess;
    case kDatIdentity: {
      auto* identity = static_cast<TwIdentity*>(pointer);
      switch (message) {
        case kMsgGetFirst:
        case kMsgGetDefault:
          if (source.sources == 0) return message == kMsgGetFirst ? kRcEndOfList : kRcFailure;
          Identify(identity);
          return kRcSuccess;
        case kMsgUserSelect:
          Log("select");
          if (source.sources == 0) return kRcFailure;
          Identify(identity);
          return kRcSuccess;
        case kMsgOpenDs:
          Log("open-source");
          return source.sources == 0 ? kRcFailure : kRcSuccess;
        case kMsgCloseDs:
          Log("close-source");
          return kRcSuccess;
        default:
          return kRcFailure;
      }
    }
    case kDatUserInterface: {
      auto* ui = static_cast<TwUserInterface*>(pointer);
      if (message == kMsgEnableDs) {
        ReadConfiguration();
        Log("enable");
        source.parent = static_cast<HWND>(ui->parent);
        source.delivered = 0;
        source.readySignalled = false;
        source.closeRequested = source.pages == 0;
        source.enabled = true;
        if (source.dialog) ShowDialog();
        Wake();
        return kRcSuccess;
      }
      if (message == kMsgDisableDs) {
        if (source.dialogWindow) DestroyWindow(source.dialogWindow);
        source.dialogWindow = nullptr;
        source.enabled = false;
        return kRcSuccess;
      }
      return kRcFailure;
    }
    case kDatEvent: {
      auto* event = static_cast<TwEvent*>(pointer);
      event->message = kMsgNull;
      if (!source.enabled) return kRcNotDsEvent;
      if (source.closeRequested) {
        source.closeRequested = false;
        event->message = kMsgCloseDsReq;
        return kRcDsEvent;
      }
      if (!source.readySignalled && source.delivered < source.pages) {
        source.readySignalled = true;
        event->message = kMsgXferReady;
        return kRcDsEvent;
      }
      return kRcNotDsEvent;
    }
    case kDatPendingXfers: {
      auto* pending = static_cast<TwPendingXfers*>(pointer);
      if (message == kMsgReset) source.delivered = source.pages;
      pending->count = static_cast<uint16_t>(source.pages - source.delivered);
      if (pending->count == 0 && !source.dialog) {
        source.closeRequested = true;
        Wake();
      }
      return kRcSuccess;
    }
    default:
      return kRcFailure;
  }
}

}  // namespace

extern "C" uint16_t WINAPI DSM_Entry(TwIdentity*, TwIdentity*, uint32_t group, uint16_t data, uint16_t message,
                                     void* pointer) {
  if (group == kDgControl) return Control(data, message, pointer);
  if (group == kDgImage && data == kDatImageNativeXfer && message == kMsgGet) {
    if (!source.enabled || source.delivered >= source.pages) return kRcFailure;
    ++source.delivered;
    Log("page " + std::to_string(source.delivered));
    *static_cast<HGLOBAL*>(pointer) = Page(source.delivered);
    return kRcXferDone;
  }
  return kRcFailure;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  return TRUE;
}
