// The show built into a folder ready for a CD, then played, burned or recorded into a
// video by the partners.
#include "build.h"

#include <windows.h>
#include <commctrl.h>

#include <limits>

#include "boxes.h"
#include "commands.h"
#include "dunmere/build_plan.h"
#include "dunmere/side_data.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/partner_entry.h"
#include "imaging/side_files.h"
#include "imaging/thumbnails.h"
#include "partners.h"
#include "showfile.h"
#include "skin/sk_draw.h"
#include "skin/sk_folders.h"
#include "skin/sk_menu.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "slides.h"
#include "state.h"
#include "thumbs.h"
#include "win/raii.h"

namespace dunmere {

namespace {

constexpr DWORD kPlayerCloseMs = 2000;
constexpr DWORD kPlayerStartMs = 10000;
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kRecorderEndMs = 5000;

// PNG saving through GDI+ is one at a time.
win::CriticalSection& PngLock() {
  static win::CriticalSection lock;
  return lock;
}

struct OutputSize {
  int width = 0;
  int height = 0;
};

OutputSize ParseOutputSize(const std::string& text) {
  OutputSize size{fileio::LeadingNumber(FieldOf(text, ",", 1)), fileio::LeadingNumber(FieldOf(text, ",", 2))};
  if (size.width < 1 || size.height < 1) size = OutputSize{};
  return size;
}

// The picture at the output size (its own size for 0) as a PNG file; false when it
// cannot be loaded or saved.
bool SavePictureAsPng(const std::string& source, const std::string& target, OutputSize size) {
  int width = 0, height = 0, colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  HBITMAP loaded = LOADTHUMB(source, size.width, size.height, width, height, colours, bits, hasLayer, 0);
  if (!loaded) return false;
  win::Bitmap picture(loaded);
  // The loader may leave a reduced picture in the top-left corner of a larger bitmap.
  int outWidth = width, outHeight = height;
  if (size.width > 0) {
    int left = 0, top = 0;
    SKICONISE(width, height, size.width, size.height, left, top, outWidth, outHeight);
  }
  BITMAP info{};
  if (!GetObjectA(picture.Get(), sizeof info, &info) || outWidth < 1 || outHeight < 1) return false;
  win::Bitmap exact;
  HBITMAP saved = picture.Get();
  if (info.bmWidth != outWidth || info.bmHeight != outHeight) {
    win::WindowDC screen(nullptr);
    exact.Reset(CreateCompatibleBitmap(screen, outWidth, outHeight));
    if (!exact) return false;
    win::CompatibleDC from(screen), to(screen);
    win::SelectObj fromPicture(from, picture.Get()), toExact(to, exact.Get());
    BitBlt(to, 0, 0, outWidth, outHeight, from, 0, 0, SRCCOPY);
    saved = exact.Get();
  }
  win::Lock lock(PngLock());
  Gdiplus::GpBitmap* image = BITMAPFROMHBITMAP(saved);
  if (!image) return false;
  int status = SAVEIMAGEBYEXT(target, reinterpret_cast<Gdiplus::GpImage*>(image));
  PictureHandle handle = image;
  FREEGDIPIMAGE(handle, 0);
  return status == 0 && SKFILESIZE(target) > 0;
}

bool IsVideoSize(const std::string& size) {
  for (int c = kVideoSizes.first; c <= kVideoSizes.last; ++c)
    if (!size.empty() && SKMACTE(c, App().menus) == size) return true;
  return false;
}

// The files of a folder, without its folders; none for "".
std::vector<fileio::DirEntry> FilesIn(const std::string& folder) {
  std::vector<fileio::DirEntry> files;
  if (folder.empty()) return files;
  for (auto& e : fileio::ListDirectory(fileio::WithTrailingSeparator(folder) + "*"))
    if (!e.directory) files.push_back(std::move(e));
  return files;
}

std::vector<std::string> NamesOf(const std::vector<fileio::DirEntry>& files) {
  std::vector<std::string> names;
  for (const auto& f : files) names.push_back(f.name);
  return names;
}

// Every file below a folder, its subfolders' too, named by its path below the folder
// ("pane\b48.bmp"); none for "". A skin keeps pictures in subfolders of its own, which a
// show's player needs as much as the skin's own files.
std::vector<fileio::DirEntry> FilesBelow(const std::string& folder) {
  std::vector<fileio::DirEntry> files;
  if (folder.empty()) return files;
  std::vector<std::string> pending{""};
  // Bounded: a link back up the tree cannot make the walk endless.
  constexpr size_t kMostFolders = 10000;
  for (size_t walked = 0; !pending.empty() && walked < kMostFolders; ++walked) {
    std::string below = pending.back();
    pending.pop_back();
    for (auto& e : fileio::ListDirectory(fileio::WithTrailingSeparator(folder) + below + "*")) {
      e.name = below + e.name;
      if (e.directory) pending.push_back(e.name + "\\");
      else files.push_back(std::move(e));
    }
  }
  return files;
}

// The player's files of UI entry 80 that the program folder holds.
std::vector<std::string> PlayerFiles() {
  std::vector<std::string> names;
  for (const auto& name : fileio::SplitFields(Ui(80), ','))
    if (!name.empty() && SKFILESIZE(App().programFolder + name) >= 0) names.push_back(name);
  return names;
}

// The extra folder of UI entry 82, with its final "\"; "" when it names no folder.
std::string ExtraFolder() {
  std::string extra = fileio::Trim(fileio::ExpandPathMacros(Ui(82), ShowPathMacros(App().programFolder)));
  if (extra.empty() || !fileio::IsDirectory(fileio::WithoutTrailingSeparator(extra))) return {};
  return fileio::WithTrailingSeparator(extra);
}

std::string TargetFolder() {
  State& s = App();
  std::string entry = Ui(79);
  if (fileio::Trim(entry).empty()) return {};
  return fileio::ExpandPathMacros(SKUCASE(fileio::WithTrailingSeparator(fileio::Trim(entry))),
                                  ShowPathMacros(s.programFolder));
}

void SetProgress(int percent) {
  State& s = App();
  if (percent == s.lastPercent) return;
  s.lastPercent = percent;
  if (s.progress) SendMessageA(s.progress, PBM_SETPOS, WPARAM(percent), 0);
}

BuildInput GatherInput(const std::string& target, bool video) {
  State& s = App();
  BuildInput in;
  in.targetFolder = target;
  in.playerProgram = ProgramFileOf(ParsePartnerEntry(Ui(19)).program);
  in.showListExtension = ProjectExtension();
  in.videoExtension = VideoExtension();
  in.videoBuild = video;
  in.showName = s.showName;
  in.header = CurrentHeader();
  for (const auto& path : SlidePaths()) {
    BuildSlide slide;
    slide.picture = path;
    std::string tim = SideFilePath(path, kTimeSideFile, SideFileNoDot::kNone);
    if (!tim.empty() && SKFILESIZE(tim) >= 0) {
      slide.hasTim = true;
      fileio::ReadWholeFile(tim, slide.timText);
    }
    for (const char* kind : {kTextSideFile, kSoundSideFile, kEffectSideFile}) {
      std::string side = SideFilePath(path, kind, SideFileNoDot::kNone);
      if (!side.empty() && SKFILESIZE(side) >= 0) slide.sideFiles.push_back(side);
    }
    in.slides.push_back(std::move(slide));
  }
  if (!s.musicList.empty() && fileio::Exists(s.musicList)) {
    in.musicList = s.musicList;
    Tally counted;
    in.sounds = CountedSounds(s.musicList, counted);
  }
  in.skinFolder = SKSKINFOLDER();
  in.skinFiles = NamesOf(FilesBelow(in.skinFolder));
  in.extraFolder = ExtraFolder();
  in.extraFiles = NamesOf(FilesIn(in.extraFolder));
  in.programFolder = s.programFolder;
  in.playerFiles = PlayerFiles();
  return in;
}

// Carries the plan out; false when it stopped (cancelled, or a file could not be written,
// which has been shown).
bool WriteShowFolder(const BuildPlan& plan, const std::string& target) {
  State& s = App();
  OutputSize size = ParseOutputSize(s.outputSize);
  for (const auto& folder : plan.folders) SKMAKEDIR(target + folder);
  int64_t steps = int64_t(plan.files.size());
  s.lastPercent = -1;
  SetProgress(0);
  for (size_t i = 0; i < plan.files.size(); ++i) {
    const BuildFile& f = plan.files[i];
    int rc = 0;
    switch (f.kind) {
      case BuildFile::kText:
        rc = fileio::WriteFileReplacing(f.target, f.text);
        break;
      case BuildFile::kPicture: {
        int64_t sourceSize = SKFILESIZE(f.source);
        if (!SavePictureAsPng(f.source, f.target, size)) {
          // A picture that cannot be loaded goes in as it is, under the PNG name.
          SKKILLFILE(f.target);
          rc = fileio::CopyFileTo(f.source, f.target);
        }
        if (rc == 0) {
          if (sourceSize >= 0) s.show.bytes -= sourceSize;
          s.show.bytes += std::max<int64_t>(0, SKFILESIZE(f.target));
        }
        break;
      }
      case BuildFile::kCopy:
        // A sound or side file that vanished meanwhile is left out.
        if (fileio::Exists(f.source)) rc = fileio::CopyFileTo(f.source, f.target);
        break;
    }
    if (rc != 0) {
      SetProgress(0);
      MESSAGEBOX(ReplaceAll(Ui(93), "@", f.target) + SKWINERR(rc));
      return false;
    }
    SetProgress(ProgressPercent(int64_t(i) + 1, steps));
    if (WAITBOX(1) != 0) {
      SetProgress(0);
      return false;
    }
  }
  ShowTotal();
  return true;
}

// Refuses targets that must never be emptied, makes the folder, checks the space and only
// then empties it. False (after a message) when the build cannot go on.
bool PrepareTarget(const std::string& target) {
  State& s = App();
  if (CheckBuildTarget(target, s.programFolder) != TargetRefusal::kNone) {
    MESSAGEBOX(ReplaceAll(Ui(91), "@", target));
    return false;
  }
  if (int rc = SKMAKEDIR(target); rc != 0) {
    MESSAGEBOX(ReplaceAll(Ui(93), "@", target) + SKWINERR(rc));
    return false;
  }
  if (!WaitWithBox(kSettleMs)) return false;
  int64_t free = SKDISKFREE(target);
  int64_t reclaim = SKFOLDERSIZE(target);
  if (free >= 0 && !ShowFits(free, reclaim, RunningTotal())) {
    std::string text = ReplaceAll(Ui(92), "#", SKLONGFORMAT(RunningTotal()));
    text = ReplaceAll(text, "$", SKLONGFORMAT(free + reclaim));
    MESSAGEBOX(ReplaceAll(text, "@", target));
    return false;
  }
  if (int rc = SKCLEARTREE(target); rc != 0) {
    MESSAGEBOX(ReplaceAll(Ui(93), "@", target) + SKWINERR(rc));
    return false;
  }
  return true;
}

void SetControlsEnabled(bool on, bool& playWasEnabled) {
  State& s = App();
  auto enable = [&s](int id, bool state) {
    if (HWND w = GetDlgItem(s.clientHolder, id)) EnableWindow(w, state ? TRUE : FALSE);
  };
  if (!on) {
    HWND play = GetDlgItem(s.clientHolder, kPlaySoundButton);
    playWasEnabled = play && IsWindowEnabled(play);
  }
  for (int id : {kRecordButton, kStopButton, kDeleteSoundButton, kDeleteTextButton, kPlayButton}) enable(id, on);
  enable(kPlaySoundButton, on && playWasEnabled);
  HMENU popup = SKPOPUPHANDLE(kShowMenu);
  for (int c : {kCmdNewShow, kCmdOpenShow, kCmdSaveShow, kCmdBuildShow, kCmdPicturesFromBrowser, kCmdChooseMusic,
                kCmdNoMusic, kCmdHelp})
    if (popup) EnableMenuItem(popup, UINT(c), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void VideoFollowUp(const std::string& target, const std::string& player) {
  State& s = App();
  std::string video = target + fileio::StemOf(player) + VideoExtension();
  if (!s.showName.empty() && SKFILESIZE(video) >= 0) {
    std::string named = target + s.showName + VideoExtension();
    SKKILLFILE(named);
    if (SKRENAME(video, named) == 0) video = named;
  }
  int64_t size = SKFILESIZE(video);
  if (size <= 0) return;
  s.show.bytes += size;
  ShowTotal();
  int answer = PROGRAMBOX(Ui(84), Ui(85));
  if (answer == 1) {
    RUNSUITEITEM(target + "*.*");
  } else if (answer == 3) {
    RUNSUITEITEM(video);
  } else if (answer == 2) {
    std::string folder = s.videoFolder.empty() ? fileio::WithoutTrailingSeparator(target) : s.videoFolder;
    int chosen = TARGETFOLDERBOX(s.frame, Ui(86), Ui(83), Ui(87), Ui(71), folder);
    if (chosen != 1 && chosen != 2) return;
    folder = fileio::Trim(folder);
    if (folder.empty()) return;
    s.videoFolder = folder;
    std::string root = folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) + "\\" : std::string();
    if (!root.empty() && GetDriveTypeA(root.c_str()) == DRIVE_CDROM) {
      MESSAGEBOX(SKWINERR(29));
      return;
    }
    if (SKMAKEDIR(folder) != 0) {
      MESSAGEBOX(SKWINERR(82));
      return;
    }
    if (!fileio::EqualsNoCase(fileio::WithTrailingSeparator(folder), target))
      SKSHELLCOPY(s.frame, video, fileio::WithTrailingSeparator(folder) + fileio::NameOf(video));
  }
}

// Ends the recording player after a stop: it takes no input, so nobody else can. The end
// code first (its counts may still arrive meanwhile); a player still there after
// kRecorderEndMs is ended by force.
void EndRecordingPlayer(const std::string& cls) {
  HWND window = FindWindowA(cls.c_str(), nullptr);
  if (!window) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  win::Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  SENDCOPYDATA(window, kCodeClose, "");
  DWORD start = GetTickCount();
  while (FindWindowA(cls.c_str(), nullptr) && GetTickCount() - start < kRecorderEndMs) {
    // Takes the messages the player sends (its counts), leaves the posted ones queued.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(10);
  }
  if (process && FindWindowA(cls.c_str(), nullptr)) {
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), kRecorderEndMs);
  }
}

void RecordVideo(HWND player, const std::string& target, const std::string& playerProgram) {
  State& s = App();
  std::string cls = ParsePartnerEntry(Ui(19)).className;
  s.recordedCounts.clear();
  OutputSize size = ParseOutputSize(s.outputSize);
  std::string fields = std::to_string(size.width) + "," + std::to_string(size.height) + "," +
                       std::to_string(s.framesPerSecond) + "," +
                       std::to_string(uintptr_t(reinterpret_cast<UINT_PTR>(s.frame)));
  SENDCOPYDATA(player, kCodeRecordShow, fields);
  bool playWasEnabled = false;
  SetControlsEnabled(false, playWasEnabled);
  bool stopped = false;
  {
    // The user may stop with Esc, also while the player stands in front: a player that
    // never ends (its show never started) holds nothing up.
    EscapeHotKey escape;
    while (FindWindowA(cls.c_str(), nullptr)) {
      if (WAITBOX(1) != 0) {
        stopped = true;
        break;
      }
      Sleep(10);
    }
  }
  if (stopped) EndRecordingPlayer(cls);
  SetControlsEnabled(true, playWasEnabled);
  SKCURSORSTD();
  std::string videoFile = SKUCASE(target + fileio::StemOf(playerProgram) + VideoExtension());
  std::string first = FieldOf(s.recordedCounts, ",", 1), second = FieldOf(s.recordedCounts, ",", 2),
              third = FieldOf(s.recordedCounts, ",", 3);
  // A player that could not record (no recorder beside it) reports no frames, or nothing.
  if (fileio::LeadingNumber(first) <= 0 || SKFILESIZE(videoFile) <= 0) {
    MESSAGEBOX(ReplaceAll(Ui(88), "@", videoFile));
    return;
  }
  std::string text = videoFile + Ui(89);
  text = ReplaceAll(ReplaceAll(ReplaceAll(text, "@", fileio::Trim(first)), "#", fileio::Trim(second)), "$",
                    fileio::Trim(third));
  if (fileio::LeadingNumber(second) == 0 && fileio::LeadingNumber(third) == 0) PROGRAMBOX(text);
  else if (MESSAGEBOX(text, Ui(71)) == 2) return;
  VideoFollowUp(target, playerProgram);
}

}  // namespace

void CountFixedPart() {
  State& s = App();
  s.fixed = Tally{};
  for (const auto& name : PlayerFiles()) s.fixed += Tally{SKFILESIZE(s.programFolder + name), 1};
  for (const auto& f : FilesBelow(SKSKINFOLDER())) s.fixed += Tally{f.size, 1};
  for (const auto& f : FilesIn(ExtraFolder())) s.fixed += Tally{f.size, 1};
}

void BuildShow() {
  State& s = App();
  if (SlideCount() == 0 || s.building) return;
  PartnerEntry player = ParsePartnerEntry(Ui(19));
  ClosePartner(player.className, kPlayerCloseMs);

  int64_t limit = fileio::LeadingNumber(Ui(77), std::numeric_limits<int64_t>::max());
  if (limit > 0 && RunningTotal() > limit && PROGRAMBOX(Ui(76), Ui(70)) != 1) return;

  bool video = IsVideoSize(s.outputSize);
  if (!video) {
    uint32_t checks = BuildBoxChecks(s.optionOne, s.optionThree);
    if (BUILDBOX(s.frame, SKCAPTIONFONT(), Ui(58), Ui(59), Ui(60), Ui(71), checks, ProgramBuildBoxStyle()) != 1)
      return;
    OptionsFromBuildBox(checks, s.optionOne, s.optionThree);
  }

  std::string extension = ProjectExtension();
  std::string name;
  if (PICKFILEBOX(s.frame, Ui(69), Ui(71), name, s.showFolder, extension,
                  ShowNameOf(s.showName, Ui(24), extension), 1) != 1) {
    s.showName.clear();
    return;
  }
  s.showName = ShowNameOf(name, Ui(24), extension);
  WRITESHOW();

  std::string target = TargetFolder();
  s.building = true;
  WaitForScan(5000);
  bool built = PrepareTarget(target);
  BuildPlan plan;
  if (built) {
    plan = PlanBuild(GatherInput(target, video));
    built = WriteShowFolder(plan, target);
  }
  s.building = false;
  SKCURSORSTD();
  if (!built) return;

  PROGRAMBOX(BuildSummary(Ui(78), target, SlideCount(), RunningTotal()));
  int answer = PROGRAMBOX(Ui(55), Ui(70));
  // A box closed without an answer decides nothing.
  if (answer == 0) return;
  if (answer != 1) {
    RUNSUITEITEM(target + "*.*");
    return;
  }
  ClosePartner(player.className, kPlayerCloseMs);
  // The player of a video build is the copy in the show folder.
  std::string command;
  if (video) command = PartnerCommand(target + player.program) + " SSL2AVI";
  else command = PartnerCommand(player.program) + " " + QuoteIfBlank(target + plan.showListName);
  SKSHELL(command, SW_SHOW, 0);
  HWND window = WaitForPartner(player.className, kPlayerStartMs);
  SKCURSORSTD();
  if (!window) return;
  if (!video) {
    SENDCOPYDATA(window, kCodeBurnJob, target + "*.*" + "|" + s.showName);
    return;
  }
  RecordVideo(window, target, ProgramFileOf(player.program));
}

}  // namespace dunmere
