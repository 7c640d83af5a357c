// The skin engine's string helpers. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Splits a path into its folder (with the final "\") and its file name with extension.
void SKSPLITN(const std::string& path, std::string& folder, std::string& name);
// Splits a text at every separator; returns the number of parts (an empty text gives one
// empty part).
int SKSPLITS(const std::string& text, const std::string& separator, std::vector<std::string>& parts);
// Fits width x height into a box, keeping the aspect and never enlarging; left and top
// centre the result in the box. Sizes are at least 1 when the input is not empty.
void SKICONISE(int width, int height, int boxWidth, int boxHeight, int& left, int& top, int& fitWidth,
               int& fitHeight);
// Upper case of the ANSI letters (also the Western accented ones).
std::string SKUCASE(const std::string& text);
std::string SKLCASE(const std::string& text);
// A number with a "," between every group of three digits: 1234567 -> "1,234,567".
std::string SKLONGFORMAT(int64_t value);
// Not 0 when value holds every bit of bits.
int SKINSET(int value, int bits, int reserved = 0);
// Advances the number at the end of a name ("QORCT000" -> "QORCT001"); the digits keep
// their count and wrap to 0 after all nines; a name without digits gets "0" .. "9" added.
void SKSEQUENCE(std::string& name);
// Removes every occurrence of the characters in remove.
std::string SKCRUNCH(const std::string& text, const std::string& remove);
// Replaces each character of from by the character at the same place in to, all at once.
std::string SKCRUNCH(const std::string& text, const std::string& from, const std::string& to);
// 0 when the text is a valid file name, else 123 (invalid name).
int SKVALIDNAME(const std::string& name);
// The lines of a text without their line ends (CR LF, LF or CR); a final line end adds no line.
std::vector<std::string> SplitLines(const std::string& text);
// Reads the comma-separated fields of a text as numbers (a field that is no number is 0);
// returns how many fields there were.
int SKCODE(const std::string& text, std::vector<int>& numbers);
