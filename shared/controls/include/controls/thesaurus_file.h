// Thesaurus files: a word list in an archive's data folder, one word per line ended by
// CR LF; an empty line is skipped when the list is read. Saving keeps the previous file
// as ".BAK". Portable.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The thesaurus file: data folder + thesaurus name + ".THM".
std::string ThesaurusPath(const std::string& dataFolder, const std::string& name);
// Its backup: ".BAK" in place of the extension.
std::string ThesaurusBackupPath(const std::string& thesaurusPath);

// The words of a file in file order, lines of any length whole (CR LF, LF or CR ends a
// line). A missing file whose ".BAK" exists (a save of an older program killed between
// its renames) is read from the new file left beside it, else from the ".BAK"; without
// the ".BAK" it is an empty list (0). A file that cannot be read gives its error number
// and no words.
int ReadThesaurus(const std::string& path, std::vector<std::string>& words);
// The file's bytes for a list: every entry that is not empty followed by CR LF (the empty
// first entry of a topic box writes nothing).
std::string FormatThesaurus(const std::vector<std::string>& entries);

// Writes a file's bytes: 0 or an error number. A failure may leave part of the bytes behind.
using ThesaurusWriter = std::function<int(const std::string& path, std::string_view bytes)>;

// Saves a list (an empty list as an empty file). The new file is written beside the old
// one first, then the old file is copied to the ".BAK" (replacing an older one) and the
// new one replaces the list in one step; so the list never lacks its name, the ".BAK" is
// always the previous version, and a write that fails leaves the ".THM" and the ".BAK" as
// they were. Returns 0 or the error number.
// write: the writer of the new file (empty: the file layer's); place: what puts it in
// place of the list (empty: a move that replaces it).
// Puts the new file (fresh) in place of the list (path): 0 or an error number.
using ThesaurusPlacer = std::function<int(const std::string& fresh, const std::string& path)>;
int SaveThesaurus(const std::string& path, const std::vector<std::string>& entries,
                  const ThesaurusWriter& write = {}, const ThesaurusPlacer& place = {});
