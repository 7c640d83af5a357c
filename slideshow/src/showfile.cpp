#include "showfile.h"

#include "boxes.h"
#include "dunmere/build_plan.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "partners.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "slides.h"
#include "thumbs.h"

namespace dunmere {

std::string ProjectExtension() {
  std::string first, second;
  SplitExtensions(Ui(25), first, second);
  return first;
}

std::string VideoExtension() {
  std::string first, second;
  SplitExtensions(Ui(25), first, second);
  return second;
}

ShowHeader CurrentHeader() {
  State& s = App();
  ShowHeader h;
  h.musicList = s.musicList;
  h.optionOne = s.optionOne;
  h.optionTwo = s.optionTwo;
  h.optionThree = s.optionThree;
  h.groupValue = s.groupValue;
  h.textFileNumber = s.textFileNumber;
  h.defaultTime = s.defaultTime;
  h.modeFlag = s.modeFlag;
  return h;
}

int WRITESHOW() {
  State& s = App();
  std::string extension = ProjectExtension();
  s.showName = ShowNameOf(s.showName, Ui(24), extension);
  std::string path = s.showFolder + s.showName + extension;
  // Written beside the old file and then put in its place: a failed write keeps the old show.
  int rc = fileio::WriteFileReplacing(path, FormatProjectFile(CurrentHeader(), SlidePaths()));
  if (rc != fileio::kOk) MESSAGEBOX(Ui(94) + SKWINERR(rc));
  return rc;
}

void NewShow() {
  State& s = App();
  if (PROGRAMBOX(Ui(27), Ui(70)) != 1) return;
  EmptySlideList();
  s.showName.clear();
  ShowTotal();
}

void SaveShow() {
  State& s = App();
  if (SlideCount() == 0) {
    PROGRAMBOX(Ui(26));
    return;
  }
  std::string extension = ProjectExtension();
  std::string preset = ShowNameOf(s.showName, Ui(24), extension);
  std::string name;
  if (PICKFILEBOX(s.frame, Ui(69), Ui(71), name, s.showFolder, extension, preset, 1) == 1) {
    s.showName = ShowNameOf(name, Ui(24), extension);
    WRITESHOW();
  } else {
    s.showName.clear();
  }
}

std::vector<std::string> CountedSounds(const std::string& musicList, Tally& tally) {
  tally = Tally{};
  std::vector<std::string> sounds;
  std::string text;
  if (musicList.empty() || fileio::ReadWholeFile(musicList, text) != fileio::kOk) return sounds;
  for (const auto& path : MusicListPaths(text, App().programFolder)) {
    int64_t size = SKFILESIZE(path);
    if (size < 0 || fileio::IsDirectory(path) || !SoundExtensionCounts(path, Ui(62))) continue;
    sounds.push_back(path);
    tally += Tally{size, 1};
  }
  return sounds;
}

void ShowMusicLabel() {
  State& s = App();
  if (!s.musicLabel) return;
  SKSETCTLTEXT(s.musicLabel, s.musicList.empty() ? Ui(64) : Ui(12) + fileio::NameOf(s.musicList));
}

void OpenShow() {
  State& s = App();
  std::string extension = ProjectExtension();
  if (fileio::ListDirectory(s.showFolder + "*" + extension).empty()) {
    PROGRAMBOX(Ui(23));
    return;
  }
  std::string name;
  int button = PICKFILEBOX(s.frame, Ui(74), Ui(73), name, s.showFolder, extension,
                           ShowNameOf(s.showName, Ui(24), extension), 0);
  if (name.empty()) return;
  std::string path = s.showFolder + ShowNameOf(name, Ui(24), extension) + extension;
  if (button == 2) {
    SKKILLFILE(path);
    return;
  }
  if (button != 1) return;
  std::string text;
  if (int rc = fileio::ReadWholeFile(path, text); rc != fileio::kOk) {
    MESSAGEBOX(SKWINERR(rc));
    return;
  }
  ProjectFile file = ParseProjectFile(text);
  EmptySlideList();
  s.showName = ShowNameOf(name, Ui(24), extension);
  if (file.hasHeader) {
    int* options[3] = {&s.optionOne, &s.optionTwo, &s.optionThree};
    for (int i = 0; i < 3; ++i)
      if (file.hasOption[i]) *options[i] = file.options[i];
    // The show's music replaces what was counted before, so it is never counted twice.
    s.musicList = file.musicList;
    CountedSounds(s.musicList, s.music);
  }
  s.textFileNumber = fileio::LeadingNumber(FieldOf(Ui(20), "|", 2));
  AddSlides(file.slides);
  ShowMusicLabel();
  ShowTotal();
}

namespace {

// Whether a list names a file that exists, a sound or not.
bool NamesAFile(const std::string& list) {
  std::string text;
  if (fileio::ReadWholeFile(list, text) != fileio::kOk) return false;
  for (const auto& path : MusicListPaths(text, App().programFolder))
    if (SKFILESIZE(path) >= 0 && !fileio::IsDirectory(path)) return true;
  return false;
}

std::string MusicFolder() {
  State& s = App();
  std::string folder = fileio::WithoutTrailingSeparator(
      fileio::ExpandPathMacros(SKUCASE(Ui(9)), ShowPathMacros(s.programFolder)));
  if (folder.empty() || SKMAKEDIR(folder) != 0) folder = fileio::WithoutTrailingSeparator(s.programFolder);
  return fileio::WithTrailingSeparator(folder);
}

}  // namespace

void ChooseMusic() {
  State& s = App();
  std::string folder = MusicFolder();
  std::string extension = fileio::UnquoteField(Ui(7));
  if (!extension.empty() && extension.front() != '.') extension.insert(extension.begin(), '.');
  bool any = false;
  for (const auto& e : fileio::ListDirectory(folder + "*" + extension)) any = any || !e.directory;
  if (!any) {
    if (PROGRAMBOX(Ui(18), Ui(70)) == 1) SwitchToBrowser(kCodeFileType4);
    return;
  }
  std::string name;
  int button = PICKFILEBOX(s.frame, Ui(8), Ui(72), name, folder, extension, fileio::NameOf(s.musicList), 0);
  if (name.empty()) return;
  std::string path = folder + fileio::NameOf(name);
  if (button == 2) {
    if (SKKILLFILE(path) == 0 && fileio::EqualsNoCase(path, s.musicList)) ClearMusic();
    return;
  }
  if (button != 1 || !fileio::Exists(path)) return;
  Tally counted;
  CountedSounds(path, counted);
  s.music = counted;
  if (counted.files == 0) {
    s.musicList.clear();
    s.music = Tally{};
    // The lists are the media browser's collection lists too: one that still names files
    // (pictures, say) is a list of the browser's and stays; only a list of nothing goes.
    if (NamesAFile(path)) {
      MESSAGEBOX(fileio::NameOf(path) + Ui(95));
    } else {
      MESSAGEBOX(fileio::NameOf(path) + Ui(90));
      SKKILLFILE(path);
    }
  } else {
    s.musicList = path;
  }
  ShowMusicLabel();
  ShowTotal();
}

void ClearMusic() {
  State& s = App();
  if (s.musicList.empty()) return;
  s.musicList.clear();
  s.music = Tally{};
  ShowMusicLabel();
  ShowTotal();
}

}  // namespace dunmere
