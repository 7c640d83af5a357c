#include "hessam/scan_rules.h"

#include <algorithm>

#include "fileio/paths.h"
#include "imaging/picture_tables.h"

namespace hessam {
namespace {

constexpr uint32_t kReadOnly = 0x1, kArchive = 0x20, kNormal = 0x80, kCompressed = 0x800, kNotIndexed = 0x2000;

}  // namespace

bool ListedAttributes(uint32_t attributes) {
  return (attributes & ~(kReadOnly | kArchive | kNormal | kCompressed | kNotIndexed)) == 0;
}

bool ListedName(std::string_view name) { return !name.empty() && name.front() != '.'; }

bool HasPictureExtension(std::string_view path) { return ExtensionInList(path, kImagingPictureList); }

bool CountsAsGif(std::string_view path) { return DottedExtension(path) == ".GIF"; }

void SortPictureList(std::vector<std::string>& list) {
  std::sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    std::string ua = fileio::ToUpper(a), ub = fileio::ToUpper(b);
    return ua != ub ? ua < ub : a < b;
  });
}

}  // namespace hessam
