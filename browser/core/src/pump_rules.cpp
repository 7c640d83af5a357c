#include "kelmor/pump_rules.h"

namespace kelmor {

namespace {

constexpr unsigned kWmClose = 0x0010, kWmQuit = 0x0012, kWmKeyDown = 0x0100, kWmSysCommand = 0x0112,
                   kWmRButtonDown = 0x0204;
constexpr uintptr_t kScClose = 0xF060, kVkEscape = 0x1B;
// Below this system version a right click on the list is handled before the operation goes on.
constexpr int kOldSystem = 400;

}  // namespace

PumpAction ClassifyPumpMessage(unsigned message, uintptr_t wParam, bool onFileList, int osVersion, bool askOnEscape) {
  switch (message) {
    case kWmClose:
    case kWmQuit:
      return PumpAction::kClose;
    case kWmSysCommand:
      return (wParam & 0xFFF0) == kScClose ? PumpAction::kClose : PumpAction::kDispatch;
    case kWmRButtonDown:
      return onFileList && osVersion < kOldSystem ? PumpAction::kRightClick : PumpAction::kDispatch;
    case kWmKeyDown:
      return wParam == kVkEscape && askOnEscape ? PumpAction::kAskToStop : PumpAction::kDispatch;
    default:
      return PumpAction::kDispatch;
  }
}

}  // namespace kelmor
