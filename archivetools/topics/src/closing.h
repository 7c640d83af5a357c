// Closing the main window: the settings written, the loop ended.
#pragma once

namespace lumbric {

void OnSysClose();
void OnDestroy();

}  // namespace lumbric
