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

}  // namespace

bool TakeSingleInstance(const std::string& commandLine) {
  Player& p = App();
  p.mutex = TakeSingleInstanceMutex(kClassPlayer, kRunningCopyWaitMs);
  if (p.mutex) return true;
  // Another copy runs and has been brought to the front: its window gets this start's list.
  if (HWND running = FindWindowA(kClassPlayer, nullptr)) SENDCOPYDATA(running, kCodeHandOver, StartList(commandLine));
  return false;
}

}  // namespace falcet
