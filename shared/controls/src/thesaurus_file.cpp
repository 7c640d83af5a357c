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
    if (rc == fileio::kErrFileNotFound || rc == fileio::kErrPathNotFound) return fileio::kOk;
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
  for (const std::string& entry : entries) bytes += entry + "\r\n";
  return bytes;
}

int SaveThesaurus(const std::string& path, const std::vector<std::string>& entries, const ThesaurusWriter& write) {
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
  const std::string backup = ThesaurusBackupPath(path);
  const bool hadList = fileio::Exists(path);
  if (hadList) {
    rc = fileio::MoveFileReplacing(path, backup);
    if (rc != fileio::kOk) {
      fileio::RemoveFile(fresh);
      return rc;
    }
  }
  rc = fileio::RenameFile(fresh, path);
  if (rc != fileio::kOk) {
    // The old list goes back under its name; the ".BAK" keeps it too.
    if (hadList && !fileio::Exists(path)) fileio::CopyFileTo(backup, path);
    fileio::RemoveFile(fresh);
  }
  return rc;
}
