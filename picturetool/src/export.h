// Saving the working picture by the target's extension.
#pragma once
#include <string>

namespace bravik {

void EXPORTPICTURE(const std::string& target, int pickResult, const std::string& caption);
void SaveAs();
void SaveCurrent();

}  // namespace bravik
