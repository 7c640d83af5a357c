// The settings file: read at start (it also starts the skin), written at close.
#pragma once

namespace falcet {

void ReadSettings();
void WriteSettings();

}  // namespace falcet
