// The command-line job and the menu commands: compaction or index rebuild of a picked
// library, and the library operations on picked files or items.
#pragma once
#include <string>

namespace narwen {

// Runs the rebuild over every library the path stands for, shows a failure and ends the
// program.
void RunCommandLineJob(const std::string& path, int mode);
void OnCommand(int command);
// The pick dialog lists a library's keys when its index is the kept start file.
void ListKeysInPicks();

}  // namespace narwen
