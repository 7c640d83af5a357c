// Saved queries (".&01"): CR LF lines, the thesaurus chosen in the form, then one
// condition text per form field in form order ("0|" for a field without a condition).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "db/db.h"
#include "ostrel/conditions.h"

namespace ostrel {

inline constexpr const char* kQueryExtension = ".&01";

struct SavedQuery {
  std::string thesaurus;
  std::vector<std::string> texts;  // condition texts, form order
};

std::string FormatQueryFile(const SavedQuery& query);
// Lines end with CR LF (a lone LF is taken too); a final line without an end counts.
SavedQuery ParseQueryFile(std::string_view bytes);

// Writes the new file beside the old one and then replaces it: a write that fails keeps
// the query saved before.
int SaveQueryFile(const std::string& path, const SavedQuery& query);
// 2 when the file is missing (nothing changes then).
int LoadQueryFile(const std::string& path, SavedQuery& query);

// The form of a loaded query: each field's operator goes into its spare byte, the values
// come back as the form shows them (dates in their display form). Fields the file lacks
// get no condition.
std::vector<FormEntry> FormFromQuery(std::vector<DBFIELD>& fields, const std::vector<std::string>& texts,
                                     bool dayFirst, char dateSeparator);

}  // namespace ostrel
