#include "controls/thesaurus_file.h"

#include <new>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace {

int WriteWithFileLayer(const std::string& path, std::string_view bytes) {
  fileio::File f;
  int rc = f.Open(path, fileio::Access::WriteNew, fileio::Share::Exclusive);
  if (rc != fileio::kOk) return rc;
  rc = f.WriteAt(0, bytes.data(), bytes.size());
  if (rc == fileio::kOk) rc = f.Flush();
  return rc;
}

}  // namespace

std::string ThesaurusPath(const std::string& dataFolder, const std::string& name) {
  return dataFolder + name + ".THM";
}

std::string ThesaurusBackupPath(const std::string& thesaurusPath) {
  return fileio::WithoutExtension(thesaurusPath) + ".BAK";
}

int ReadThesaurus(const std::string& path, std::vector<std::string>& words) {
  words.clear();
  try {
    std::string bytes;
    int rc = fileio::ReadWholeFile(path, bytes);
    if (rc == fileio::kErrFileNotFound || rc == fileio::kErrPathNotFound) {
      // A list that is gone while its backup stayed: an older program was killed between
      // its two renames. Its new file was written whole before the list was moved away,
      // so with the backup beside it, it is the last list; else the backup is.
      const std::string backup = ThesaurusBackupPath(path);
      if (!fileio::Exists(backup)) return fileio::kOk;
      rc = fileio::ReadWholeFile(path + ".new~", bytes);
      if (rc != fileio::kOk) rc = fileio::ReadWholeFile(backup, bytes);
      if (rc == fileio::kErrFileNotFound || rc == fileio::kErrPathNotFound) return fileio::kOk;
    }
    if (rc != fileio::kOk) return rc;
    for (std::string& line : SplitLines(bytes)) {
      if (!line.empty()) words.push_back(std::move(line));
    }
    return fileio::kOk;
  } catch (const std::bad_alloc&) {
    words.clear();
    return fileio::kErrNotEnoughMemory;
  }
}

std::string FormatThesaurus(const std::vector<std::string>& entries) {
  std::string bytes;
  for (const std::string& entry : entries)
    if (!entry.empty()) bytes += entry + "\r\n";
  return bytes;
}

int SaveThesaurus(const std::string& path, const std::vector<std::string>& entries, const ThesaurusWriter& write,
                  const ThesaurusPlacer& place) {
  const std::string fresh = path + ".new~";
  int rc = fileio::kOk;
  try {
    rc = write ? write(fresh, FormatThesaurus(entries)) : WriteWithFileLayer(fresh, FormatThesaurus(entries));
  } catch (const std::bad_alloc&) {
    rc = fileio::kErrNotEnoughMemory;
  }
  if (rc != fileio::kOk) {
    fileio::RemoveFile(fresh);
    return rc;
  }
  // The list keeps its name throughout: the old one is copied to ".BAK", then the new one
  // replaces it in one step. A save killed at any moment leaves a whole list.
  if (fileio::Exists(path)) {
    rc = fileio::CopyFileTo(path, ThesaurusBackupPath(path));
    if (rc != fileio::kOk) {
      fileio::RemoveFile(fresh);
      return rc;
    }
  }
  rc = place ? place(fresh, path) : fileio::MoveFileReplacing(fresh, path);
  if (rc != fileio::kOk) fileio::RemoveFile(fresh);
  return rc;
}
