#include "kelmor/catalogue.h"

#include <deque>
#include <set>

#include "fileio/paths.h"
#include "kelmor/command_ids.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"

namespace kelmor {

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

}  // namespace

std::string CatalogueExtensionList(const std::string& filter) {
  if (filter.empty()) return {};
  // "*.*" would become "..", which holds no extension: the catalogue of all files found
  // nothing. It stands for every extension.
  std::vector<std::string> patterns;
  SKSPLITS(filter, ";", patterns);
  for (const auto& p : patterns)
    if (fileio::Trim(p) == "*.*" || fileio::Trim(p) == "*") return kEveryExtension;
  return Replace(Replace(SKUCASE(filter + "."), "*.", "."), ";.", ".");
}

bool InExtensionList(const std::string& list, const std::string& extension) {
  if (extension.size() < 2 || extension[0] != '.') return false;
  if (list == kEveryExtension) return true;
  return list.find(SKUCASE(extension) + ".") != std::string::npos;
}

bool ParseGifHeader(const std::string& firstBytes, GifHeader& header) {
  header = GifHeader{};
  if (firstBytes.size() < 10 || firstBytes.compare(0, 3, "GIF") != 0) return false;
  auto le16 = [&](size_t at) { return int(uint8_t(firstBytes[at]) | (uint8_t(firstBytes[at + 1]) << 8)); };
  header.version = firstBytes.substr(3, 3);
  header.width = le16(6);
  header.height = le16(8);
  return true;
}

int ISGIFFILE(const std::string& path, int& width, int& height, std::string& version) {
  width = height = 0;
  version.clear();
  int handle = 0;
  if (SKFOPEN(path, 0, 4, handle) != 0) return 0;
  std::string bytes(10, '\0');
  SKFGET(handle, bytes);
  SKFCLOSE(handle);
  GifHeader header;
  if (!ParseGifHeader(bytes, header)) return 0;
  width = header.width;
  height = header.height;
  version = header.version;
  return -1;
}

bool NeedsFirstBytes(const std::string& extension) {
  std::string e = SKUCASE(extension);
  return e == ".DAT" || e == ".MOD";
}

bool KeepsDoubtfulMatch(const std::string& extension, const std::string& firstBytes) {
  std::string e = SKUCASE(extension);
  if (e == ".MID") return false;
  if (e == ".DAT") return SKUCASE(firstBytes.substr(0, 4)) == "RIFF";
  if (e == ".MOD") return SKUCASE(firstBytes.substr(0, 2)) != "MZ";
  return true;
}

bool IsCatalogueFile(uint32_t attributes) {
  constexpr uint32_t kAllowed = 0x01 | 0x20 | 0x80;  // read-only, archive, normal
  return (attributes & ~kAllowed) == 0;
}

bool IsCatalogueFolder(uint32_t attributes) {
  constexpr uint32_t kDirectory = 0x10, kReparsePoint = 0x400;
  return (attributes & kDirectory) != 0 && (attributes & kReparsePoint) == 0;
}

bool CatalogueCollects(int command, int uiEntry75) {
  if (command == kFirstCatalogueCommand) return uiEntry75 >= 2;
  if (command == kLastCatalogueCommand) return uiEntry75 == 3;
  return uiEntry75 != 0;
}

int64_t RoundedKilobytes(int64_t bytes) { return bytes <= 0 ? 0 : (bytes + 512) / 1024; }

std::string CatalogueLine(int width, int height, int64_t bytes, const std::string& path) {
  std::string size = width > 0 && height > 0 ? std::to_string(width) + "x" + std::to_string(height) : std::string();
  size.resize(12, ' ');
  std::string kb = SKLONGFORMAT(RoundedKilobytes(bytes));
  if (kb.size() < 10) kb.insert(0, 10 - kb.size(), ' ');
  return size + kb + " k\t" + path + "\r\n";
}

std::string CatalogueHeader(char driveLetter, const std::string& headerTemplate, int64_t count, int64_t totalBytes) {
  std::string text = std::string(1, driveLetter) + ": " +
                     Replace(Replace(headerTemplate, "@", SKLONGFORMAT(count)), "#",
                             SKLONGFORMAT(RoundedKilobytes(totalBytes)));
  text.resize(kCatalogueHeaderWidth, ' ');
  return text;
}

bool WalkFolders(const std::string& root, const FolderWalker& walker) {
  std::deque<std::string> pending{fileio::WithTrailingSeparator(root)};
  std::set<std::string> walked;
  std::vector<WalkEntry> entries;
  while (!pending.empty()) {
    std::string folder = pending.front();
    pending.pop_front();
    std::string id = walker.identity ? walker.identity(folder) : std::string();
    if (id.empty()) id = fileio::ToLower(folder);
    if (!walked.insert(id).second) continue;
    entries.clear();
    if (!walker.list(folder, entries)) continue;
    std::vector<std::string> subfolders;
    for (const auto& e : entries) {
      if (e.name.empty() || e.name[0] == '.') continue;
      if (IsCatalogueFolder(e.attributes)) subfolders.push_back(folder + e.name + "\\");
      if (!walker.found(folder, e)) return false;
    }
    pending.insert(pending.begin(), subfolders.begin(), subfolders.end());
  }
  return true;
}

}  // namespace kelmor
