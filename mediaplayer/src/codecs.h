// The video codec of option field 12.
#pragma once

namespace falcet {

// Installs the codec (system folder, system.ini, registry) when it is not there yet.
void INSTALLCODECS();

}  // namespace falcet
