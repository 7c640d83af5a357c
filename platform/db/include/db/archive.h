// The archive's own files beside the record file: the form's field table, the topic
// slots and their titles (".TIT"), the data folder named by "NET.CFG", the password lock
// (".PWD") and the stored form of dates.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/db.h"

namespace db {

// UI text entry 36 ("Topic 10"): the number after its last blank is the number of topic
// slots (at least 3, at most 99); the text before it, trimmed and followed by a blank,
// is the prefix of the default topic titles.
struct TopicSlots {
  int count = 3;
  std::string titlePrefix;
};
TopicSlots ParseTopicSlots(std::string_view entry);

// The archive form for n topic slots: 11 + n + 7 fields, widths, kinds, flags, styles,
// positions, shading, and the ranges of year (1800 .. 2100, default `year`) and month
// (1 .. 12, default `month`). The flag field gets the two skin colours (slots 113 and
// 112); the controls' places and windows are the form's business.
std::vector<DBFIELD> ArchiveFields(int topicSlots, int year, int month, int32_t flagColour1 = 0,
                                   int32_t flagColour2 = 0);
// Field numbers (1-based) in that form.
inline int FieldFirstTopic() { return 12; }
inline int FieldFreeText(int n) { return n + 12; }
inline int FieldFlag(int n) { return n + 13; }
inline int FieldThesaurus(int n) { return n + 14; }
inline int FieldUser(int n) { return n + 15; }
inline int FieldDocument(int n) { return n + 16; }
inline int FieldSound(int n) { return n + 17; }
inline int FieldLayered(int n) { return n + 18; }

// Titles of the topic slots from "<base>.TIT" ("|"-separated, entry k = slot k). A missing
// or empty file gives prefix + two-digit slot number for every slot; a file with fewer
// entries leaves the other titles empty.
std::vector<std::string> ReadTopicTitles(const std::string& path, int topicSlots, const std::string& prefix);
int WriteTopicTitles(const std::string& path, const std::vector<std::string>& titles);
std::string DefaultTopicTitle(const std::string& prefix, int slot);

// The data folder: programFolder + baseName + "NET.CFG", first line trimmed and upper-
// cased, "@path@" (any case) replaced by the program folder, one trailing "\"; made when
// missing. No file or an empty line: the program folder. Returns 0 or the error of
// making the folder (dataFolder is set either way).
int ResolveDataFolder(const std::string& programFolder, const std::string& baseName, std::string& dataFolder);
// Copies "standard.thm" from the program folder when the data folder lacks it (a
// missing copy beside the program is no failure).
int CopyStandardThesaurus(const std::string& programFolder, const std::string& dataFolder);

// The password lock "<base>.PWD": the password enciphered by the skin engine.
// Read: 0, 2 when there is no lock, 13 when the file is damaged.
int ReadPasswordFile(const std::string& path, std::string& password);
int WritePasswordFile(const std::string& path, const std::string& password);

// Date fields are stored as YYYYMMDD. "01-31-2024" (or "31/01/2024" when dayFirst, or
// "2024-01-31") -> "20240131"; eight digits stay; any other text comes back unchanged.
std::string DateToStored(std::string_view text, bool dayFirst);
// A stored date "YYYYMMDD" that names a day of the calendar (leap years counted).
bool IsCalendarDate(std::string_view stored);
// A date field's text as typed: blank, or a date that stores as a day of the calendar.
bool IsAcceptableDateText(std::string_view text, bool dayFirst);
// "20240131" -> "01-31-2024" ("31/01/2024" with dayFirst and '/'); other text unchanged.
std::string DateToDisplay(std::string_view stored, bool dayFirst, char separator);

}  // namespace db
