#include "dunmere/build_plan.h"

#include <cmath>
#include <set>

#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace dunmere {

// ---- Music lists ------------------------------------------------------------------------------

std::vector<std::string> MusicListPaths(std::string_view text, const std::string& programFolder) {
  std::vector<std::string> out;
  for (const auto& raw : SplitLines(std::string(text))) {
    std::string line = fileio::Trim(raw);
    if (!line.empty()) out.push_back(fileio::ExpandPathMacros(line, ShowPathMacros(programFolder)));
  }
  return out;
}

bool SoundExtensionCounts(const std::string& path, const std::string& extensionList) {
  std::string extension = fileio::ExtensionOf(path);
  if (extension.empty()) return false;
  return SKUCASE(extensionList).find("." + SKUCASE(extension) + ".") != std::string::npos;
}

std::string FormatMusicList(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) out += fileio::kProgramFolderMacro + name + "\r\n";
  return out;
}

// ---- The target folder ------------------------------------------------------------------

namespace {

// The root part of a path: "C:\" for "C:\x", "\\server\share\" for a UNC path, "" when the
// path has none.
std::string RootOf(const std::string& path) {
  bool letter = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (letter && path[1] == ':' && fileio::IsSeparator(path[2])) return path.substr(0, 2) + "\\";
  if (path.size() > 2 && fileio::IsSeparator(path[0]) && fileio::IsSeparator(path[1]) && !fileio::IsSeparator(path[2])) {
    // \\server\share
    size_t server = path.find_first_of("\\/", 2);
    if (server == std::string::npos || server + 1 >= path.size()) return {};
    size_t share = path.find_first_of("\\/", server + 1);
    std::string root = (share == std::string::npos ? path : path.substr(0, share)) + "\\";
    for (auto& c : root)
      if (c == '/') c = '\\';
    return root;
  }
  return {};
}

}  // namespace

std::string NormalisedFolder(const std::string& folder) {
  std::string root = RootOf(folder);
  if (root.empty()) return {};
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&]() {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (char c : folder.substr(root.size() - 1)) {
    if (fileio::IsSeparator(c)) flush();
    else part += c;
  }
  flush();
  std::string out = root;
  for (const auto& p : parts) out += p + "\\";
  return out;
}

TargetRefusal CheckBuildTarget(const std::string& target, const std::string& programFolder) {
  std::string t = fileio::Trim(target);
  if (t.empty()) return TargetRefusal::kEmpty;
  std::string normal = NormalisedFolder(t);
  if (normal.empty()) return TargetRefusal::kNotAbsolute;
  if (fileio::EqualsNoCase(normal, RootOf(normal))) return TargetRefusal::kRoot;
  std::string program = NormalisedFolder(programFolder);
  if (!program.empty()) {
    if (fileio::EqualsNoCase(normal, program)) return TargetRefusal::kProgramFolder;
    if (program.size() > normal.size() && fileio::EqualsNoCase(program.substr(0, normal.size()), normal))
      return TargetRefusal::kHoldsProgramFolder;
  }
  return TargetRefusal::kNone;
}

bool ShowFits(int64_t freeBytes, int64_t reclaimableBytes, int64_t totalBytes) {
  return freeBytes + reclaimableBytes - kFreeSpaceReserve > totalBytes;
}

int ProgressPercent(int64_t step, int64_t steps) {
  if (steps <= 0) return 0;
  return int(std::llround(100.0 * double(step) / double(steps)));
}

// ---- The plan ---------------------------------------------------------------------------------

std::string ShowListName(const std::string& playerProgram, const std::string& extension) {
  return fileio::StemOf(playerProgram) + extension;
}

std::string AutorunOpenName(const BuildInput& input) {
  if (!input.videoBuild) return ShowListName(input.playerProgram, input.showListExtension);
  std::string base = input.showName.empty() ? fileio::StemOf(input.playerProgram) : input.showName;
  return base + input.videoExtension;
}

namespace {

// Names taken in the target folder, compared without regard to letter case.
class NameSet {
 public:
  bool Take(const std::string& name) { return names_.insert(SKUCASE(name)).second; }
  bool Has(const std::string& name) const { return names_.count(SKUCASE(name)) != 0; }
  // The name itself when free, else stem + "_n" + extension for the first free n from 2.
  std::string TakeUnique(const std::string& name) {
    if (Take(name)) return name;
    std::string stem = fileio::StemOf(name), ext = fileio::ExtensionOf(name);
    for (int n = 2;; ++n) {
      std::string candidate = stem + "_" + std::to_string(n) + (ext.empty() ? "" : "." + ext);
      if (Take(candidate)) return candidate;
    }
  }

 private:
  std::set<std::string> names_;
};

std::string FolderName(const std::string& folder) {
  return fileio::NameOf(fileio::WithoutTrailingSeparator(folder));
}

}  // namespace

BuildPlan PlanBuild(const BuildInput& in) {
  BuildPlan plan;
  const std::string target = fileio::WithTrailingSeparator(in.targetFolder);
  NameSet names;

  // Everything the show itself names first, so that only music can be renamed.
  plan.showListName = ShowListName(in.playerProgram, in.showListExtension);
  names.Take("AUTORUN.INF");
  names.Take(plan.showListName);
  for (const auto& f : in.playerFiles) names.Take(fileio::NameOf(f));
  std::string skinName = in.skinFolder.empty() ? std::string() : FolderName(in.skinFolder);
  std::string extraName = in.extraFolder.empty() ? std::string() : FolderName(in.extraFolder);
  if (!skinName.empty()) names.Take(skinName);
  if (!extraName.empty()) names.Take(extraName);
  std::vector<std::string> sequence;
  std::string seq = "00000000";
  for (size_t i = 0; i < in.slides.size(); ++i) {
    SKSEQUENCE(seq);
    sequence.push_back(seq);
    names.Take(seq + ".png");
    for (const auto& side : in.slides[i].sideFiles) names.Take(seq + "." + fileio::ExtensionOf(side));
  }
  if (!in.musicList.empty()) plan.musicListName = names.TakeUnique(fileio::NameOf(in.musicList));
  std::vector<std::string> seenSources;
  for (const auto& sound : in.sounds) {
    std::string name;
    for (size_t j = 0; j < seenSources.size(); ++j)
      if (fileio::EqualsNoCase(seenSources[j], sound)) name = plan.soundNames[j];
    bool repeat = !name.empty();
    if (!repeat) name = names.TakeUnique(fileio::NameOf(sound));
    seenSources.push_back(sound);
    plan.soundNames.push_back(name);
  }

  ShowHeader header = in.header;
  header.musicList = plan.musicListName.empty() ? std::string() : fileio::kProgramFolderMacro + plan.musicListName;
  std::vector<ShowListEntry> entries;
  for (size_t i = 0; i < in.slides.size(); ++i) {
    std::string time = in.slides[i].hasTim ? TimeFromTimText(in.slides[i].timText) : std::string();
    if (time.empty()) time = std::to_string(in.header.defaultTime);
    entries.push_back({fileio::kProgramFolderMacro + sequence[i] + ".png", time});
  }
  plan.showListText = FormatShowList(header, entries);
  plan.autorunText = FormatAutorun(in.playerProgram, AutorunOpenName(in));

  auto text = [&plan, &target](const std::string& name, const std::string& body) {
    BuildFile f;
    f.kind = BuildFile::kText;
    f.target = target + name;
    f.text = body;
    plan.files.push_back(std::move(f));
  };
  auto copy = [&plan](const std::string& from, const std::string& to, int slide) {
    BuildFile f;
    f.kind = BuildFile::kCopy;
    f.source = from;
    f.target = to;
    f.slide = slide;
    plan.files.push_back(std::move(f));
  };

  text("AUTORUN.INF", plan.autorunText);
  text(plan.showListName, plan.showListText);
  if (!skinName.empty()) {
    plan.folders.push_back(skinName);
    // The skin's subfolders before their files, each once, parents first.
    for (const auto& f : in.skinFiles) {
      std::string below = f;
      for (char& c : below)
        if (c == '/') c = '\\';
      for (size_t bar = below.find('\\'); bar != std::string::npos; bar = below.find('\\', bar + 1)) {
        std::string sub = skinName + "\\" + below.substr(0, bar);
        bool known = false;
        for (const auto& made : plan.folders) known = known || fileio::EqualsNoCase(made, sub);
        if (!known) plan.folders.push_back(sub);
      }
      copy(fileio::WithTrailingSeparator(in.skinFolder) + f, target + skinName + "\\" + below, -1);
    }
  }
  if (!extraName.empty() && !in.extraFiles.empty()) {
    plan.folders.push_back(extraName);
    for (const auto& f : in.extraFiles)
      copy(fileio::WithTrailingSeparator(in.extraFolder) + f, target + extraName + "\\" + f, -1);
  }
  for (const auto& f : in.playerFiles) copy(fileio::WithTrailingSeparator(in.programFolder) + f, target + fileio::NameOf(f), -1);
  for (size_t i = 0; i < in.slides.size(); ++i) {
    BuildFile picture;
    picture.kind = BuildFile::kPicture;
    picture.source = in.slides[i].picture;
    picture.target = target + sequence[i] + ".png";
    picture.slide = int(i);
    plan.files.push_back(std::move(picture));
    for (const auto& side : in.slides[i].sideFiles)
      copy(side, target + sequence[i] + "." + fileio::ExtensionOf(side), int(i));
  }
  std::vector<std::string> listed;
  for (size_t i = 0; i < in.sounds.size(); ++i) {
    bool repeat = false;
    for (size_t j = 0; j < i; ++j) repeat = repeat || fileio::EqualsNoCase(in.sounds[j], in.sounds[i]);
    if (!repeat) copy(in.sounds[i], target + plan.soundNames[i], -1);
    listed.push_back(plan.soundNames[i]);
  }
  if (!plan.musicListName.empty()) text(plan.musicListName, FormatMusicList(listed));
  return plan;
}

}  // namespace dunmere
