// The tool's skinned message boxes.
#pragma once
#include <string>

namespace bravik {

// A question (answer 1 = yes).
int AskBox(const std::string& message);
void InformationBox(const std::string& caption, const std::string& message);
void ErrorBox(const std::string& message);

}  // namespace bravik
