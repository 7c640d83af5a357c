// The query tool's menu and control identifiers (tests drive the program by them too).
#pragma once

namespace ostrel {

constexpr int kCmdFreeText = 101;
constexpr int kCmdEmptyResult = 103;
constexpr int kCmdStatistics = 105;
constexpr int kCmdHelp = 107;
constexpr int kCmdPassOverMarked = 109;  // a check item: searches leave marked records out
constexpr int kCmdSearch = 301;  // also stops a search that runs
constexpr int kCmdSave = 302;
constexpr int kCmdLoad = 303;
constexpr int kCmdDelete = 304;
// The radio group: kRadioBase + operator (1 .. 9).
constexpr int kRadioBase = 310;
constexpr int kThesaurusBox = 320;
constexpr int kSlotsApartBox = 321;
constexpr int kWordList = 322;
constexpr int kProgressBar = 323;
// A field's value input: kFieldIdBase + field (from 1, so the first is 32202); its high
// value input: kHighIdBase + field.
constexpr int kFieldIdBase = 32201;
constexpr int kHighIdBase = 32601;

}  // namespace ostrel
