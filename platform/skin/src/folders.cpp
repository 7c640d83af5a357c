// Emptying and measuring folder trees.
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_folders.h"

namespace {

bool IsRootOrRelative(const std::string& folder) {
  std::string f = fileio::WithoutTrailingSeparator(fileio::Trim(folder));
  if (f.empty()) return true;
  bool drive = f.size() >= 2 && f[1] == ':';
  if (drive) return f.size() <= 3 || !fileio::IsSeparator(f[2]);  // "C:", "C:\", "C:x"
  if (f.size() >= 2 && fileio::IsSeparator(f[0]) && fileio::IsSeparator(f[1])) {
    // \\server\share is a root; \\server\share\x is not.
    size_t server = f.find_first_of("\\/", 2);
    if (server == std::string::npos) return true;
    return f.find_first_of("\\/", server + 1) == std::string::npos;
  }
#ifdef _WIN32
  return true;  // "\x" or "x": relative to the current drive or folder
#else
  return !fileio::IsSeparator(f[0]) || f.size() == 1;
#endif
}

int ClearInside(const std::string& folder) {
  int first = 0;
  for (const auto& e : fileio::ListDirectory(folder + "*")) {
    std::string path = folder + e.name;
    int rc = 0;
    if (e.directory) {
      rc = ClearInside(path + "\\");
      int removed = fileio::RemoveFolder(path);
      if (!rc) rc = removed;
    } else {
      rc = fileio::RemoveFile(path);
    }
    if (rc && !first) first = rc;
  }
  return first;
}

int64_t SizeInside(const std::string& folder) {
  int64_t total = 0;
  for (const auto& e : fileio::ListDirectory(folder + "*")) {
    if (e.directory) total += SizeInside(folder + e.name + "\\");
    else total += e.size;
  }
  return total;
}

}  // namespace

bool SkIsRootOrRelative(const std::string& folder) { return IsRootOrRelative(folder); }

int SKCLEARTREE(const std::string& folder) {
  if (IsRootOrRelative(folder)) return fileio::kErrAccessDenied;
  std::string f = fileio::WithTrailingSeparator(fileio::Trim(folder));
  if (!fileio::IsDirectory(fileio::WithoutTrailingSeparator(f))) return fileio::kErrPathNotFound;
  return ClearInside(f);
}

int64_t SKFOLDERSIZE(const std::string& folder) {
  std::string f = fileio::WithTrailingSeparator(fileio::Trim(folder));
  if (f.empty() || !fileio::IsDirectory(fileio::WithoutTrailingSeparator(f))) return 0;
  return SizeInside(f);
}
