// The menu's archive tools: help and the two exports handed to the partner of UI entry 27,
// the statistics, the index rebuild, the maintenance tool over the media libraries and
// the work folder emptied.
#pragma once

namespace lumbric {

void ShowHelp();
void ExportCurrentThesaurus();
void ExportRecords(int command);
void ShowStatistics(int command);
void RebuildIndexes(int command);
// 203 (indexes only) and 204 (compaction): the maintenance tool over every library.
void RunMaintenance(int command);
void EmptyWorkFolder();

}  // namespace lumbric
