// The searches as the window runs them: the password of a locked archive, the result
// folder, the progress and the stop button, the report and the hand-over of the result.
#pragma once
#include <string>

namespace ostrel {

void RunQuery();
void RunFreeText();
// Command 103: empties the result folder after a question.
void EmptyResultCommand();
void ShowStatistics();
void ShowHelp();
// The result folder handed to the partner of UI entry 66 (found, or started and waited
// for): code 23 with the folder, then code 15 with the empty text.
void STARTWAITPROGRAM(const std::string& folder);

}  // namespace ostrel
