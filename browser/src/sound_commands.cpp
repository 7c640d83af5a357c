#include "sound_commands.h"

#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <functional>
#include <vector>

#include "audio/bass_convert.h"
#include "boxes.h"
#include "controls/info_popup.h"
#include "file_batch.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "kelmor/file_listing.h"
#include "kelmor/sound_conversion.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_files.h"
#include "skin/sk_shell.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

namespace {

constexpr int kCancelled = 1067;  // ERROR_PROCESS_ABORTED: the user stopped
constexpr int kBlockBytes = 20000;
constexpr int kProgressBarId = 1;

// A failure: a Windows error number (file writes) or an audio layer code.
struct ConversionResult {
  int code = 0;
  bool audio = false;
  bool Ok() const { return code == 0; }
};
ConversionResult AudioFailure() { return ConversionResult{BASSERRORGETCODE() ? BASSERRORGETCODE() : -1, true}; }

// The progress window: the info popup over the owner with a skinned progress bar (0 to
// 100, identifier 1) at its bottom. Null when the popup cannot be made.
HWND PROGRESSBOX(HWND owner, const std::string& text) {
  HWND popup = SKSTATIC(owner, text);
  if (!popup) return nullptr;
  RECT client;
  GetClientRect(popup, &client);
  const int height = 16;
  if (HWND bar = SKPROGRESS32(popup, 8, client.bottom - height - 8, client.right - 16, height, kProgressBarId))
    SendMessageA(bar, PBM_SETRANGE32, 0, 100);
  return popup;
}

class ProgressBox {
 public:
  explicit ProgressBox(HWND owner) {
    popup_ = PROGRESSBOX(owner, Ui(80));
    bar_ = popup_ ? GetDlgItem(popup_, kProgressBarId) : nullptr;
  }
  ~ProgressBox() {
    if (popup_ && IsWindow(popup_)) DestroyWindow(popup_);
  }
  void Set(int percent) {
    if (bar_) SendMessageA(bar_, PBM_SETPOS, WPARAM(percent), 0);
  }

 private:
  HWND popup_ = nullptr;
  HWND bar_ = nullptr;
};

// What every routine shares: the progress shown when it changed and the user's chance to
// stop. True to go on.
class Progress {
 public:
  explicit Progress(ProgressBox& box) : box_(box) { box_.Set(0); }
  bool Step(int64_t position, int64_t length) {
    int percent = ProgressPercent(position, length);
    if (percent != last_) {
      last_ = percent;
      box_.Set(percent);
      ShowInStatus(std::to_string(percent) + "%");
    }
    Sleep(0);
    return PUMPMESSAGEBOX(1) == 0;
  }

 private:
  ProgressBox& box_;
  int last_ = -1;
};

// The stream a routine converts, freed at the end.
class DecodeStream {
 public:
  explicit DecodeStream(uint32_t handle) : handle_(handle) {}
  ~DecodeStream() {
    if (handle_) BASSSTREAMFREE(handle_);
  }
  uint32_t Get() const { return handle_; }

 private:
  uint32_t handle_;
};

// Pulls the stream block by block into write until its end, a failure or a stop.
ConversionResult PullStream(uint32_t stream, Progress& progress,
                            const std::function<ConversionResult(const char* data, int bytes)>& write) {
  int64_t length = BASSSTREAMGETLENGTH(stream);
  std::string buffer(kBlockBytes, '\0');
  while (BASSDECODEISACTIVE(stream)) {
    int got = BASSCHANNELGETDATA(stream, buffer.data(), kBlockBytes);
    if (got < 0) return AudioFailure();
    if (got == 0) break;
    if (ConversionResult r = write(buffer.data(), got); !r.Ok()) return r;
    if (!progress.Step(BASSDECODEGETPOSITION(stream), length)) return ConversionResult{kCancelled, false};
  }
  return {};
}

ConversionResult ToWav(uint32_t stream, const std::string& output, Progress& progress) {
  BassChannelInfo info;
  if (BASSCHANNELGETINFO(stream, info) != 0) return AudioFailure();
  WavFormat format = WavTargetFormat(info.channels, int(info.frequency), info.bitsPerSample == 8);
  int handle = 0;
  if (int error = SKFOPEN(output, 1, 1, handle); error != 0) return ConversionResult{error, false};
  uint64_t written = 0;
  ConversionResult result{SKFPUT(handle, WavHeader(format, 0)), false};
  if (result.Ok())
    result = PullStream(stream, progress, [&](const char* data, int bytes) {
      written += uint64_t(bytes);
      return ConversionResult{SKFPUT(handle, std::string_view(data, size_t(bytes))), false};
    });
  // The sizes are patched only into a complete file.
  if (result.Ok()) {
    WavSizes sizes = WavSizeFields(written);
    int error = SKFPUTAT(handle, 4, Le32Bytes(sizes.riff));
    if (error == 0) error = SKFPUTAT(handle, 40, Le32Bytes(sizes.data));
    result = ConversionResult{error, false};
  }
  SKFCLOSE(handle);
  return result;
}

ConversionResult ToEncoder(uint32_t stream, const std::string& commandLine, Progress& progress) {
  if (BASSENCODESTART(stream, commandLine, 0) == 0) return AudioFailure();
  // Each block has gone to the encoder when it comes back; an encoder that ended fails.
  ConversionResult result = PullStream(stream, progress, [&](const char*, int) {
    return BASSENCODEISACTIVE(stream) ? ConversionResult{} : ConversionResult{kBassErrorEncoder, true};
  });
  BASSENCODESTOP(stream);
  return result;
}

ConversionResult ToWma(uint32_t stream, const std::string& output, Progress& progress) {
  uint32_t encoder = BASSWMAENCODEOPENFILE(44100, 0x10000, 160000, output);
  if (!encoder) return AudioFailure();
  BASSWMAENCODESETTAG(encoder, "", "");
  ConversionResult result = PullStream(stream, progress, [&](const char* data, int bytes) {
    return BASSWMAENCODEWRITE(encoder, data, bytes) == 0 ? ConversionResult{} : AudioFailure();
  });
  BASSWMAENCODECLOSE(encoder);
  return result;
}

// The six routines: a CD track (drive index, track from 0) or a sound file to a WAV file,
// a WMA file or an outside encoder's command line. The CD door stays locked meanwhile.
template <typename Convert>
ConversionResult FromCd(int drive, int track, Convert convert) {
  BASSCDDOOR(drive, 2);
  ConversionResult result;
  {
    DecodeStream stream(BASSCDSTREAMCREATE(drive, track, 0x40000 | kBassStreamDecode));
    result = stream.Get() ? convert(stream.Get()) : AudioFailure();
  }
  BASSCDDOOR(drive, 3);
  return result;
}
template <typename Convert>
ConversionResult FromFile(const std::string& source, Convert convert) {
  DecodeStream stream(BASSSTREAMDECODEFILE(source, kBassStreamDecode));
  return stream.Get() ? convert(stream.Get()) : AudioFailure();
}

ConversionResult CDTOWAV(int drive, int track, const std::string& output, Progress& progress) {
  return FromCd(drive, track, [&](uint32_t s) { return ToWav(s, output, progress); });
}
ConversionResult CDTOWMA(int drive, int track, const std::string& output, Progress& progress) {
  return FromCd(drive, track, [&](uint32_t s) { return ToWma(s, output, progress); });
}
ConversionResult CDTOENCODER(int drive, int track, const std::string& commandLine, Progress& progress) {
  return FromCd(drive, track, [&](uint32_t s) { return ToEncoder(s, commandLine, progress); });
}
ConversionResult FILETOWAV(const std::string& source, const std::string& output, Progress& progress) {
  return FromFile(source, [&](uint32_t s) { return ToWav(s, output, progress); });
}
ConversionResult FILETOWMA(const std::string& source, const std::string& output, Progress& progress) {
  return FromFile(source, [&](uint32_t s) { return ToWma(s, output, progress); });
}
ConversionResult FILETOENCODER(const std::string& source, const std::string& commandLine, Progress& progress) {
  return FromFile(source, [&](uint32_t s) { return ToEncoder(s, commandLine, progress); });
}

// The output file in the encoder's command line names its folder in the short form.
std::string ShortFolderPath(const std::string& output) {
  std::string folder = fileio::FolderOf(output);
  char buffer[MAX_PATH] = {};
  DWORD n = GetShortPathNameA(folder.c_str(), buffer, sizeof buffer);
  std::string shortFolder = n > 0 && n < sizeof buffer ? std::string(buffer, n) : folder;
  return fileio::WithTrailingSeparator(shortFolder) + fileio::NameOf(output);
}

// Partners that may hold the sound device are closed first.
void CloseSoundPartners() {
  for (int entry = 2; entry <= 4; ++entry)
    if (const char* cls = SuiteClass(entry))
      if (HWND w = FindWindowA(cls, nullptr)) SENDCOPYDATA(w, kCodeClose, "");
}

// The CD drive's index: the position of the current folder's drive among the CD drives.
int CdDriveIndex() {
  std::string cds;
  for (char c : SKDSKLIST())
    if (c >= 'a' && c <= 'z') cds += c;
  std::string current = CURRENTFOLDER();
  if (current.empty()) return 0;
  size_t at = cds.find(char(std::tolower(static_cast<unsigned char>(current[0]))));
  return at == std::string::npos ? 0 : int(at);
}

struct Source {
  std::string name;
  int index = 0;  // in the file list, from 0
};

}  // namespace

void ConvertSounds(int command) {
  BrowserState& b = App();
  SoundTarget target = SoundTargetOf(command);
  bool cd = IsCdCommand(command);
  if (target == SoundTarget::kNone || b.convertingSounds || SelectedEntries(b.fileList).empty()) return;
  std::string folder = CURRENTFOLDER();
  if (!AskTargetFolder(Ui(47), folder)) return;
  std::vector<std::string> fields = fileio::SplitFields(SKMACTE(command, b.menus), ',');
  fields.resize(2);
  std::string extension = fileio::Trim(fileio::UnquoteField(fields[0]));
  std::string encoder;
  if (target == SoundTarget::kEncoderMp3 || target == SoundTarget::kEncoderOgg) {
    std::string named = fileio::Trim(fileio::UnquoteField(fields[1]));
    encoder = named.empty() ? std::string() : SKFINDF(named);
    if (encoder.empty()) {
      MESSAGEBOXICON(named + "||" + SKWINERR(ERROR_FILE_NOT_FOUND));
      return;
    }
  }

  FileBatch batch(b.convertingSounds);
  if (!batch.Started()) return;
  std::vector<Source> sources;
  for (const auto& name : batch.Names())
    if (IsSoundSource(name, cd)) sources.push_back(Source{name, EntryIndex(batch.Folder(), name)});
  if (sources.empty()) return;

  BASSINIT(1, 44100);
  CloseSoundPartners();
  BASSSTART();
  bool adding = true;
  if (SendMessageA(b.collectionList, LB_GETCOUNT, 0, 0) > 0) {
    int answer = QUESTIONBOX(Ui(74), Ui(79));
    if (answer == 1) SendMessageA(b.collectionList, LB_RESETCONTENT, 0, 0);
    adding = answer == 1 || answer == 3;
  }
  std::string typed;
  SkBoxStyle style = SkBoxStyle::Input(b.icon, 200, 300);
  int pressed = SKINPUTBOX(b.frame, SKCAPTIONFONT(), Ui(78), Ui(77), Ui(32), typed, style);
  std::string base = SoundBaseName(typed);
  std::string cancelledOutput;
  if (pressed == 1) {
    EnableWindow(b.frame, FALSE);
    ProgressBox box(b.frame);
    int drive = CdDriveIndex();
    std::vector<std::string> sourcePaths;
    for (const auto& s : sources) sourcePaths.push_back(fileio::ToLower(batch.Folder() + s.name));
    for (const auto& source : sources) {
      std::string path = batch.Folder() + source.name;
      std::string output = SoundOutputPath(folder, base, source.index + 1, extension);
      ShowInStatus(FileListEntry(source.name) + " -->" + fileio::NameOf(output));
      MarkEntry(batch.Folder(), source.name, true);
      ConversionResult result;
      bool isSource = false;
      for (const auto& p : sourcePaths) isSource = isSource || fileio::EqualsNoCase(p, output);
      if (isSource) {
        // A source is never deleted nor written over as another's output.
        result = ConversionResult{ERROR_FILE_EXISTS, false};
      } else {
        SKKILLFILE(output);
        Progress progress(box);
        std::string commandLine =
            encoder.empty() ? std::string() : EncoderCommandLine(encoder, target, ShortFolderPath(output));
        int track = source.index;
        if (target == SoundTarget::kWav)
          result = cd ? CDTOWAV(drive, track, output, progress) : FILETOWAV(path, output, progress);
        else if (target == SoundTarget::kWma)
          result = cd ? CDTOWMA(drive, track, output, progress) : FILETOWMA(path, output, progress);
        else
          result = cd ? CDTOENCODER(drive, track, commandLine, progress) : FILETOENCODER(path, commandLine, progress);
      }
      MarkEntry(batch.Folder(), source.name, false);
      if (result.code == kCancelled) {
        cancelledOutput = output;
        break;
      }
      if (!result.Ok()) {
        if (!isSource) SKKILLFILE(output);
        std::string text = result.audio ? BASSERRORDESCRIPTION(result.code) : SKWINERR(result.code);
        MESSAGEBOXICON(FileListEntry(source.name) + "||" + text);
        // What the machine lacks (a CD drive, the WMA encoder) is said once: the run ends.
        if (result.audio && (result.code == kBassErrorNoCd || result.code == kBassErrorNotAvail)) break;
        continue;
      }
      if (adding) {
        std::string item = " " + output;
        SendMessageA(b.collectionList, LB_INSERTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(item.c_str()));
      }
    }
    EnableWindow(b.frame, TRUE);
  }
  if (!cancelledOutput.empty()) SKKILLFILE(cancelledOutput);
  BASSSTOP();
  BASSCLOSE();
  BASSFREE();
  ShowInStatus("");
  BASSUNLOAD();
  BASSLOAD();
}

}  // namespace kelmor
