#pragma once

namespace ostrel {

// The settings file "<temporary folder><program>.cfg" (window rectangle, the folder of the
// saved queries, the current thesaurus), read at start and written when the window closes.
void ReadSettings();
void WriteSettings();

}  // namespace ostrel
