#include "kelmor/file_operations.h"

#include "fileio/file.h"
#include "fileio/paths.h"
#include "kelmor/file_commands.h"

namespace kelmor {

bool SideFileRule::IsPicture(const std::string& name) const {
  std::string ext = fileio::ToLower(NameExtension(fileio::NameOf(name)));
  if (ext.empty()) return false;
  return (";" + fileio::ToLower(pictureFilter) + ";").find(";*" + ext + ";") != std::string::npos;
}

std::vector<std::string> SideFileRule::ExistingSides(const std::string& path) const {
  std::vector<std::string> out;
  if (!IsPicture(path)) return out;
  for (const auto& side : sides) {
    std::string file = SideFilePath(path, side);
    if (!file.empty() && fileio::Exists(file)) out.push_back(file);
  }
  return out;
}

std::string ComparableFolder(const std::string& folder) {
  std::string out = fileio::ToLower(folder);
  for (char& c : out)
    if (c == '/') c = '\\';
  while (out.size() > 1 && out.back() == '\\') out.pop_back();
  return out + "\\";
}

bool SameComparableFolder(const std::string& a, const std::string& b) {
  return ComparableFolder(a) == ComparableFolder(b);
}

int RecycleWithSideFiles(const std::string& path, const SideFileRule& rule, const Recycler& recycle) {
  if (!fileio::Exists(path)) return 2;
  std::vector<std::string> paths{path};
  for (const auto& side : rule.ExistingSides(path)) paths.push_back(side);
  return recycle(paths);
}

int CopyReplacing(const std::string& source, const std::string& dest) {
  if (!fileio::Exists(source)) return 2;
  std::string partial = dest + ".part";
  for (int n = 2; fileio::Exists(partial); ++n) partial = dest + ".part" + std::to_string(n);
  int error = fileio::CopyFileTo(source, partial);
  if (error == 0) error = fileio::MoveFileReplacing(partial, dest);
  if (error != 0) fileio::RemoveFile(partial);
  return error;
}

TransferResult TransferWithSideFiles(const std::string& source, const std::string& targetFolder, bool move,
                                     const SideFileRule& rule) {
  TransferResult result;
  std::string dest = targetFolder + fileio::NameOf(source);
  std::vector<std::string> sides = rule.ExistingSides(source);
  result.error = CopyReplacing(source, dest);
  if (result.error != 0) return result;
  if (move) result.sourceRemoved = fileio::RemoveFile(source) == 0;
  if (!rule.IsPicture(source)) return result;
  for (const auto& ext : rule.sides) {
    std::string from = SideFilePath(source, ext), to = SideFilePath(dest, ext);
    if (to.empty() || fileio::EqualsNoCase(to, dest)) continue;
    bool had = false;
    for (const auto& s : sides) had = had || s == from;
    if (!had) {
      fileio::RemoveFile(to);
      continue;
    }
    if (CopyReplacing(from, to) == 0 && move) fileio::RemoveFile(from);
  }
  return result;
}

}  // namespace kelmor
