// What the topic editor's form decides without a window: the values checked before a
// save, the typed key number, walking the record keys of index 0, a record read into the
// form's values and the partner's command line.
#pragma once
#include <string>
#include <vector>

#include "db/db.h"

namespace lumbric {

// The outcome of the check before a save: ok, or the field (1-based) that is wrong, or
// no topic at all.
struct FormCheck {
  bool ok = true;
  int invalidField = 0;  // a date that is neither empty nor a complete valid date
  bool noTopic = false;  // no topic slot holds a word other than the placeholder
};
// Checks and normalises the values read from the form: a non-empty one-character flag
// field (kind 6) becomes "X"; a date field (kind 4) must be empty or a complete date.
FormCheck CheckFormValues(std::vector<std::string>& values, const std::vector<DBFIELD>& fields, int topicSlots,
                          const std::string& placeholder, bool dayFirst);

// The key typed into the key field as its number with leading zeros to the key's width;
// "" when the number is 0 (nothing to look up) or does not fit.
std::string TypedKey(const std::string& text, int keyWidth);

// Walking index 0: where to go from the current key.
enum class Step { First, Last, Previous, Next };
// The key of the record to show and its record number, passing over deleted records ("/"
// keys). Previous and Next from an empty key act as Last and First. 0 with the key found;
// kBtNoKey (1) when there is none in that direction; else the index's error.
int StepKey(const std::string& recordFile, int keyWidth, Step step, const std::string& current, std::string& key,
            int& recordNumber);
// The last live key before `key` (where the editor goes after a delete); as StepKey.
int KeyBefore(const std::string& recordFile, int keyWidth, const std::string& key, std::string& found,
              int& recordNumber);
// The record number filed under the key in index 0 (deleted ones are not found).
int FindKey(const std::string& recordFile, int keyWidth, const std::string& key, int& recordNumber);

// Record recordNumber split into the form's values (trailing blanks removed).
int ReadRecordValues(const std::string& recordFile, int recordNumber, const std::vector<DBFIELD>& fields,
                     std::vector<std::string>& values);

// A document handed to a partner that is not running: "program document,skinFile".
std::string HandOverCommandLine(const std::string& program, const std::string& document, const std::string& skinFile);

}  // namespace lumbric
