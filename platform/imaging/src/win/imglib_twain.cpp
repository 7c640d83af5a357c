// Scanning through the TWAIN source manager: the protocol's calls, a native transfer per
// page.
#include <cstring>

#include "imglib/imglib_devices.h"
#include "imglib/imglib_twain.h"
#include "twain_protocol.h"
#include "win/raii.h"

using namespace imglib;
using namespace twain_protocol;

namespace {

// The session of this program with the source manager (main thread only).
struct Session {
  win::Module module;
  DsmEntryProc entry = nullptr;
  TwIdentity app{};
  TwIdentity source{};
  bool sourceChosen = false;
  bool dsmOpen = false;
  HWND window = nullptr;
};

Session& S() {
  static Session session;
  return session;
}

void Copy(char (&to)[34], const char* text) {
  std::memset(to, 0, sizeof to);
  std::strncpy(to, text, sizeof to - 1);
}

bool LoadManager() {
  Session& s = S();
  if (s.entry) return true;
#ifdef _WIN64
  const char* names[] = {"TWAINDSM.DLL"};
#else
  const char* names[] = {"TWAINDSM.DLL", "TWAIN_32.DLL"};
#endif
  for (const char* name : names) {
    win::Module module(LoadLibraryA(name));
    if (!module) continue;
    auto entry = reinterpret_cast<DsmEntryProc>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "DSM_Entry")));
    if (!entry) continue;
    s.module = std::move(module);
    s.entry = entry;
    break;
  }
  if (!s.entry) return false;
  s.app = {};
  s.app.version = {1, 0, 2 /* English */, 1 /* USA */, {}};
  Copy(s.app.version.info, "1.0");
  s.app.protocolMajor = 1;
  s.app.protocolMinor = 9;
  s.app.supportedGroups = kDgControl | kDgImage;
  Copy(s.app.manufacturer, "Media suite");
  Copy(s.app.productFamily, "Media suite");
  Copy(s.app.productName, "Media suite");
  return true;
}

bool OpenManager(HWND window) {
  Session& s = S();
  if (s.dsmOpen) return true;
  if (!LoadManager()) return false;
  HWND parent = window;
  if (s.entry(&s.app, nullptr, kDgControl, kDatParent, kMsgOpenDsm, &parent) != kRcSuccess) return false;
  s.dsmOpen = true;
  s.window = window;
  return true;
}

void CloseManager() {
  Session& s = S();
  if (!s.dsmOpen) return;
  HWND parent = s.window;
  s.entry(&s.app, nullptr, kDgControl, kDatParent, kMsgCloseDsm, &parent);
  s.dsmOpen = false;
}

// Runs the pages that are ready: one native transfer each, until none is pending or the
// callback says stop.
bool TransferPages(ImgBitmap* bitmap, TwainPageCallback callback, void* userData) {
  Session& s = S();
  TwPendingXfers pending{};
  bool goOn = true;
  do {
    HANDLE dib = nullptr;
    uint16_t rc = s.entry(&s.app, &s.source, kDgImage, kDatImageNativeXfer, kMsgGet, &dib);
    if (rc == kRcXferDone && dib) {
      int page = kFailure;
      if (void* data = GlobalLock(dib)) {
        page = L_BitmapFromPackedDib(data, GlobalSize(dib), bitmap);
        GlobalUnlock(dib);
      }
      GlobalFree(dib);
      int answer = page == kSuccess && callback ? callback(bitmap, userData) : page;
      if (answer != kSuccess) goOn = false;
    } else if (dib) {
      GlobalFree(dib);
    }
    pending = {};
    s.entry(&s.app, &s.source, kDgControl, kDatPendingXfers, kMsgEndXfer, &pending);
    if (!goOn || rc != kRcXferDone) {
      if (pending.count != 0) s.entry(&s.app, &s.source, kDgControl, kDatPendingXfers, kMsgReset, &pending);
      return goOn;
    }
  } while (pending.count != 0);
  return goOn;
}

}  // namespace

int L_IsTwainAvailable(HWND window) {
  Session& s = S();
  bool wasOpen = s.dsmOpen;
  if (!OpenManager(window)) return 0;
  TwIdentity first{};
  bool any = s.entry(&s.app, nullptr, kDgControl, kDatIdentity, kMsgGetFirst, &first) == kRcSuccess;
  if (!wasOpen) CloseManager();
  return any ? 1 : 0;
}

int L_TwainSelect(HWND window) {
  Session& s = S();
  if (!OpenManager(window)) return kFailure;
  TwIdentity chosen{};
  if (s.entry(&s.app, nullptr, kDgControl, kDatIdentity, kMsgUserSelect, &chosen) != kRcSuccess) return kFailure;
  s.source = chosen;
  s.sourceChosen = true;
  return kSuccess;
}

int L_TwainAcquireExt(HWND window, ImgBitmap* bitmap, int, TwainPageCallback callback, void* userData) {
  Session& s = S();
  if (!bitmap || !OpenManager(window)) return kFailure;
  if (!s.sourceChosen) {
    TwIdentity chosen{};
    if (s.entry(&s.app, nullptr, kDgControl, kDatIdentity, kMsgGetDefault, &chosen) != kRcSuccess) return kFailure;
    s.source = chosen;
  }
  if (s.entry(&s.app, nullptr, kDgControl, kDatIdentity, kMsgOpenDs, &s.source) != kRcSuccess) return kFailure;
  TwUserInterface ui{1, 0, window};
  int result = kSuccess;
  if (s.entry(&s.app, &s.source, kDgControl, kDatUserInterface, kMsgEnableDs, &ui) != kRcSuccess) {
    result = kFailure;
  } else {
    // The source's own dialog runs on this thread: its events go through the manager.
    MSG msg;
    bool running = true;
    while (running) {
      BOOL got = GetMessageA(&msg, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(int(msg.wParam));
        break;
      }
      TwEvent event{&msg, 0};
      if (s.entry(&s.app, &s.source, kDgControl, kDatEvent, kMsgProcessEvent, &event) == kRcDsEvent) {
        if (event.message == kMsgXferReady) running = TransferPages(bitmap, callback, userData);
        if (event.message == kMsgCloseDsReq || event.message == kMsgCloseDsOk) running = false;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    s.entry(&s.app, &s.source, kDgControl, kDatUserInterface, kMsgDisableDs, &ui);
  }
  s.entry(&s.app, nullptr, kDgControl, kDatIdentity, kMsgCloseDs, &s.source);
  return result;
}

int L_TwainCloseSession(HWND) {
  CloseManager();
  return kSuccess;
}
