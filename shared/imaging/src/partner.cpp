#include "imaging/partner.h"

#include <shellapi.h>

#include "imaging/copydata.h"
#include "skin/skin.h"
#include "win/raii.h"

HWND FindOrStartPartner(const std::string& program, const std::string& className, int startedCode, bool* started) {
  if (started) *started = false;
  if (className.empty()) return nullptr;
  HWND window = FindWindowA(className.c_str(), nullptr);
  if (window) return window;
  // A program that does not exist fails to start and ends the same way as a slow one.
  SKSHELL(program, SW_SHOW, 0);
  DWORD deadline = GetTickCount() + kPartnerStartMs;
  while (!window) {
    if (LONG(GetTickCount() - deadline) >= 0) break;
    Sleep(0);
    window = FindWindowA(className.c_str(), nullptr);
  }
  if (!window) return nullptr;
  if (started) *started = true;
  if (startedCode) SENDCOPYDATA(window, startedCode, "");
  return window;
}

void BringPartnerToFront(HWND window) {
  if (!window) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  BringWindowToTop(window);
  SetForegroundWindow(window);
}

void OpenInHelpViewer(HWND owner, const std::string& viewerEntry, const std::string& document,
                      const std::string& folder) {
  PartnerEntry viewer = ParsePartnerEntry(viewerEntry);
  std::string viewerFile, viewerArguments;
  SplitProgramField(viewer.program, viewerFile, viewerArguments);
  std::string found = viewerFile.empty() ? std::string() : SKFINDF(viewerFile);
  if (found.empty()) {
    ShellExecuteA(owner, "open", document.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
    return;
  }
  if (HWND window = viewer.className.empty() ? nullptr : FindWindowA(viewer.className.c_str(), nullptr)) {
    BringPartnerToFront(window);
    SENDCOPYDATA(window, kCodeOpen, document);
    return;
  }
  SKSHELL("\"" + found + "\" " + document + ",", SW_SHOW, 0);
}

void BroadcastClose(int first, int last) {
  for (int entry = first; entry <= last; ++entry) {
    const char* cls = SuiteClass(entry);
    if (!cls) continue;
    if (HWND w = FindWindowA(cls, nullptr)) SENDCOPYDATA(w, kCodeClose, "");
  }
}

namespace {

HWND WaitForRunningCopy(const char* className, DWORD waitMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindWindowA(className, nullptr)) return window;
    // A copy that ended meanwhile took its mutex with it: nothing to wait for.
    if (!win::Mutex::Open(className)) return nullptr;
    if (GetTickCount() - start >= waitMs) return nullptr;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

}  // namespace

HANDLE TakeSingleInstanceMutex(const char* className, DWORD waitMs) {
  bool existed = false;
  win::Mutex mutex = win::Mutex::Create(className, &existed);
  if (mutex && !existed) return mutex.Release();
  // Not held while waiting: the running copy's mutex must be able to go with that copy.
  mutex.Reset();
  if (HWND running = WaitForRunningCopy(className, waitMs)) BringPartnerToFront(running);
  return nullptr;
}
