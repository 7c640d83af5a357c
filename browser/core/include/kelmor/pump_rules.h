// What the media browser's message pumps inside long operations do with each message they
// take from the queue. Portable: the Windows message numbers are written out here.
#pragma once
#include <cstdint>

namespace kelmor {

enum class PumpAction {
  kDispatch,    // translate and dispatch
  kClose,       // a close or the program's end: put back for the main loop, stop the operation
  kAskToStop,   // Escape: ask whether to stop
  kRightClick,  // a right click on the file list (old systems): put back, handle it first
};

// message, wParam: as taken from the queue. A system command stops the operation only when
// it closes (SC_CLOSE); minimising or moving goes on. Escape is asked about only when
// askOnEscape; otherwise it is dispatched.
PumpAction ClassifyPumpMessage(unsigned message, uintptr_t wParam, bool onFileList, int osVersion, bool askOnEscape);

}  // namespace kelmor
