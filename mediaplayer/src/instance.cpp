// One player at a time: a second start hands its list to the running copy (code 18).
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "lifecycle.h"
#include "state.h"

namespace falcet {

namespace {

// How long a second copy waits for the running copy's window. A copy that is still
// starting shows it within a moment; one that hangs or ends must not keep us for ever.
constexpr DWORD kRunningCopyWaitMs = 10000;

// Waits for the running copy's window, emptying this copy's own queue meanwhile.
HWND WaitForRunningCopy() {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindWindowA(kMainClass, nullptr)) return window;
    if (GetTickCount() - start >= kRunningCopyWaitMs) return nullptr;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

}  // namespace

bool TakeSingleInstance(const std::string& commandLine) {
  Player& p = App();
  p.mutex = CreateMutexA(nullptr, FALSE, kMainClass);
  if (!p.mutex || GetLastError() != ERROR_ALREADY_EXISTS) return true;
  if (HWND running = WaitForRunningCopy()) {
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    SENDCOPYDATA(running, 18, StartList(commandLine));
  }
  CloseHandle(p.mutex);
  p.mutex = nullptr;
  return false;
}

}  // namespace falcet
