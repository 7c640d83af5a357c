// Fields of the suite's texts (UI entries, settings lines, list files, command message
// texts): a field may stand in double quotes, blanks around it are ignored, and a number is
// read from its start. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fileio {

// The field as it is meant: blanks and tabs around it removed, then one pair of double
// quotes around the whole of it.
std::string UnquoteField(std::string_view field);

// The fields of a text split at separator, each unquoted; a separator inside double quotes
// belongs to its field. An empty text is one empty field.
std::vector<std::string> SplitFields(std::string_view text, char separator);

// The text before the first separator and everything after it; rest is "" without a
// separator. Nothing is trimmed (a button's "caption,tip" entry, whose tip may hold commas).
void SplitAtFirst(std::string_view text, char separator, std::string& first, std::string& rest);

// The decimal number at the start of a text, as the suite's readers take it: blanks and
// tabs skipped, an optional sign, digits; whatever follows is ignored and a text without
// digits reads 0. The digits' value stops growing at limit (0 or more) before the sign
// applies.
int64_t LeadingNumber(std::string_view text, int64_t limit);
// The same within an int: at most 2147483647 either way.
int LeadingNumber(std::string_view text);

}  // namespace fileio
