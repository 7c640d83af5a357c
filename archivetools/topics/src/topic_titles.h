// The topic title window (class "TopicTitle"): one numbered input field per topic slot,
// confirm and cancel. Empty titles are stored as the default titles.
#pragma once
#include <windows.h>

#include <string>

namespace lumbric {

inline constexpr const char* kTopicTitleClass = "TopicTitle";

// Shows the window over owner (disabled meanwhile) with the "|"-joined titles; 1 when the
// user confirmed, titles then holding the new "|"-joined titles; else 0, titles unchanged.
int TOPICTITLEBOX(HWND owner, const std::string& caption, std::string& titles);
LRESULT CALLBACK TOPICTITLEPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lumbric
