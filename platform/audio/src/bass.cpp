#include "audio/bass.h"

#include <map>
#include <memory>
#include <mutex>

#include "audio/channel.h"
#include "decoders.h"
#include "fileio/file.h"
#include "fileio/paths.h"

namespace {

struct Medium {
  std::unique_ptr<audio::Channel> channel;
  int type = kBassMediaFile;
};

struct Engine {
  std::mutex mutex;
  std::map<uint32_t, std::shared_ptr<Medium>> media;
  uint32_t current = 0;
  uint32_t nextHandle = 1;
  std::string downloadFolder;
  int volumes[3] = {100, 100, 100};  // samples, streams, music
  audio::EffectSettings effects;     // of the current medium and the ones opened after it
};

Engine& E() {
  static Engine engine;
  return engine;
}

thread_local int tLastError = kBassOk;

int Fail(int code) {
  tLastError = code;
  return code;
}
int Done() {
  tLastError = kBassOk;
  return kBassOk;
}

std::shared_ptr<Medium> FindLocked(const Engine& e, uint32_t handle) {
  auto it = e.media.find(handle);
  return it == e.media.end() ? nullptr : it->second;
}

std::shared_ptr<Medium> Find(uint32_t handle) {
  Engine& e = E();
  std::lock_guard<std::mutex> lock(e.mutex);
  return FindLocked(e, handle);
}

std::shared_ptr<Medium> Current() {
  Engine& e = E();
  std::lock_guard<std::mutex> lock(e.mutex);
  return FindLocked(e, e.current);
}

// Takes a medium out of the table; the caller's reference ends its channel.
std::shared_ptr<Medium> Remove(uint32_t handle) {
  Engine& e = E();
  std::lock_guard<std::mutex> lock(e.mutex);
  auto it = e.media.find(handle);
  if (it == e.media.end()) return nullptr;
  std::shared_ptr<Medium> m = std::move(it->second);
  e.media.erase(it);
  if (e.current == handle) e.current = 0;
  return m;
}

bool IsStreamAddress(const std::string& path) {
  std::string lower = fileio::ToLower(fileio::Trim(path));
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0 || lower.rfind("ftp://", 0) == 0;
}

// Opens a file or an address into a new medium; returns its handle, 0 on failure. The
// current medium gets the effects.
uint32_t OpenMedium(const std::string& path, bool current, int& error) {
  std::string file = path;
  int type = kBassMediaFile;
  if (IsStreamAddress(path)) {
    std::string folder;
    {
      std::lock_guard<std::mutex> lock(E().mutex);
      folder = E().downloadFolder;
    }
    if (folder.empty()) folder = fileio::TempFolder();
    error = audio::FetchStream(fileio::Trim(path), folder, file);
    if (error) return 0;
    type = kBassMediaStream;
  }
  std::unique_ptr<audio::Decoder> decoder = audio::OpenDecoder(file, error);
  if (!decoder) return 0;
  std::unique_ptr<audio::Output> output = audio::OpenOutput(decoder->Format(), error);
  if (!output) return 0;
  auto medium = std::make_shared<Medium>();
  medium->type = type;
  medium->channel = std::make_unique<audio::Channel>(std::move(decoder), std::move(output));
  Engine& e = E();
  std::lock_guard<std::mutex> lock(e.mutex);
  medium->channel->SetGlobalVolume(e.volumes[1]);
  if (current) medium->channel->SetEffects(e.effects);
  uint32_t handle = e.nextHandle++;
  if (e.nextHandle == 0) e.nextHandle = 1;
  e.media[handle] = std::move(medium);
  return handle;
}

int PlayMedium(const std::shared_ptr<Medium>& m, int64_t start, int64_t end) {
  if (!m) return Fail(kBassErrorHandle);
  return m->channel->Play(start, end) ? Done() : Fail(kBassErrorPosition);
}

int StateOf(const std::shared_ptr<Medium>& m) { return m ? m->channel->State() : audio::kStateStopped; }

// Pause, resume or stop of a medium's channel (they cannot fail on an open one).
int Act(const std::shared_ptr<Medium>& m, void (audio::Channel::*call)()) {
  if (!m) return Fail(kBassErrorHandle);
  (m->channel.get()->*call)();
  return Done();
}

int SeekMedium(const std::shared_ptr<Medium>& m, int64_t position) {
  if (!m) return Fail(kBassErrorHandle);
  return m->channel->Seek(position) ? Done() : Fail(kBassErrorPosition);
}

int64_t PositionOf(const std::shared_ptr<Medium>& m) { return m ? m->channel->PositionMs() : 0; }
int64_t LengthOf(const std::shared_ptr<Medium>& m) { return m ? m->channel->LengthMs() : 0; }

}  // namespace

int BASSLOAD() { return Done(); }

void BASSUNLOAD() {
  std::map<uint32_t, std::shared_ptr<Medium>> gone;
  {
    std::lock_guard<std::mutex> lock(E().mutex);
    gone.swap(E().media);
    E().current = 0;
  }
  // The channels end (and join their threads) here, outside the lock.
}

int BASSAVAILABLE() { return 1; }

std::string BASSGETVERSION() { return "2.0"; }

void BASSSETDOWNLOADPATH(const std::string& folder) {
  std::lock_guard<std::mutex> lock(E().mutex);
  E().downloadFolder = folder.empty() ? std::string() : fileio::WithTrailingSeparator(folder);
}

int BASSSETCONFIG(int option, int value) {
  if (option < 4 || option > 6) return Fail(kBassErrorNotAvail);
  Engine& e = E();
  std::lock_guard<std::mutex> lock(e.mutex);
  e.volumes[option - 4] = value < 0 ? 0 : value > 100 ? 100 : value;
  if (option == 5)
    for (auto& [handle, m] : e.media) m->channel->SetGlobalVolume(e.volumes[1]);
  return Done();
}

namespace audio {
// The conversion calls (bass_convert.cpp) report through the same last-error code.
int SetBassError(int code) { return code == kBassOk ? Done() : Fail(code); }
}  // namespace audio

int BASSERRORGETCODE() { return tLastError; }

std::string BASSERRORDESCRIPTION(int code) {
  switch (code) {
    case kBassOk: return "No error";
    case kBassErrorMemory: return "Not enough memory";
    case kBassErrorFileOpen: return "The sound file cannot be opened";
    case kBassErrorDriver: return "The sound device failed";
    case kBassErrorHandle: return "No such sound is open";
    case kBassErrorFormat: return "The sound's format cannot be decoded on this machine";
    case kBassErrorPosition: return "The position cannot be reached";
    case kBassErrorInit: return "The audio layer is not loaded";
    case kBassErrorNotAvail: return "Not available for this sound";
    case kBassErrorFileForm: return "The file is no sound file";
    case kBassErrorNoNet: return "There is no network connection to fetch the stream";
    case kBassErrorTimeout: return "The server did not answer in time";
    case kBassErrorWmaReader: return "WMA files cannot be decoded: this system has no Windows Media reader for them";
    case 12: return "No CD drive";
    case 44: return "The encoder cannot be started or has ended";
    default: return "Unknown audio error " + std::to_string(code);
  }
}

int BASSOPEN(const std::string& path, int) {
  BASSCLOSE();
  int error = 0;
  uint32_t handle = OpenMedium(path, true, error);
  if (!handle) return Fail(error ? error : kBassErrorUnknown);
  std::lock_guard<std::mutex> lock(E().mutex);
  E().current = handle;
  return Done();
}

int BASSPLAY(int64_t start, int64_t end) { return PlayMedium(Current(), start, end); }

int BASSPAUSE() { return Act(Current(), &audio::Channel::Pause); }
int BASSSTART() { return Act(Current(), &audio::Channel::Resume); }
int BASSSTOP() { return Act(Current(), &audio::Channel::Stop); }

int BASSCLOSE() {
  uint32_t current;
  {
    std::lock_guard<std::mutex> lock(E().mutex);
    current = E().current;
  }
  if (!current) return Fail(kBassErrorHandle);
  Remove(current);
  return Done();
}

int BASSCHANNELISACTIVE() { return StateOf(Current()); }

int BASSCHANNELENDED() {
  auto m = Current();
  return m && m->channel->Ended() ? 1 : 0;
}

int64_t BASSCHANNELGETPOSITION() { return PositionOf(Current()); }
int BASSCHANNELSETPOSITION(int64_t position) { return SeekMedium(Current(), position); }
int64_t BASSMEDIAGETLENGTH() { return LengthOf(Current()); }

uint32_t BASSCHANNELGETLEVEL() {
  auto m = Current();
  int state = StateOf(m);
  if (state == audio::kStateStopped) return 0xFFFFFFFFu;
  if (state == audio::kStatePaused) return 0;
  return audio::PackLevels(m->channel->CurrentLevels());
}

int BASSMEDIATYPE() {
  auto m = Current();
  return m ? m->type : 0;
}

std::string BASSMUSICNAME() { return std::string(); }

std::string BASSSTREAMNAME() {
  auto m = Current();
  return m ? m->channel->Title() : std::string();
}

uint32_t BASSCURRENTCHANNEL() {
  std::lock_guard<std::mutex> lock(E().mutex);
  return E().media.count(E().current) ? E().current : 0;
}

int BASSOPEN(const std::string& path, int, uint32_t* channel) {
  if (!channel) return BASSOPEN(path, 0);
  *channel = 0;
  int error = 0;
  uint32_t handle = OpenMedium(path, false, error);
  if (!handle) return Fail(error ? error : kBassErrorUnknown);
  *channel = handle;
  return Done();
}

int BASSPLAY(int64_t start, int64_t end, uint32_t channel) { return PlayMedium(Find(channel), start, end); }

int BASSHANDLEINUSE(uint32_t channel) { return channel && Find(channel) ? 1 : 0; }

int BASSUSECHANNELISACTIVE(uint32_t channel) { return StateOf(Find(channel)); }

int64_t BASSUSECHANNELGETPOSITION(uint32_t channel) { return PositionOf(Find(channel)); }
int64_t BASSUSECHANNELGETLENGTH(uint32_t channel) { return LengthOf(Find(channel)); }
int BASSUSECHANNELSETPOSITION(uint32_t channel, int64_t position) { return SeekMedium(Find(channel), position); }
int BASSCHANNELRESUME(uint32_t channel) { return Act(Find(channel), &audio::Channel::Resume); }
int BASSCHANNELPAUSE(uint32_t channel) { return Act(Find(channel), &audio::Channel::Pause); }
int BASSCHANNELSTOP(uint32_t channel) { return Act(Find(channel), &audio::Channel::Stop); }

int BASSCLOSECHANNEL(uint32_t channel) { return Remove(channel) ? Done() : Fail(kBassErrorHandle); }

int BASSCHANNELSETATTRIBUTES(uint32_t channel, int frequency, int volume, int pan) {
  auto m = Find(channel);
  if (!m) return Fail(kBassErrorHandle);
  if (frequency != -1 && frequency != 0) return Fail(kBassErrorNotAvail);
  m->channel->SetAttributes(volume, pan);
  return Done();
}

int BASSCHANNELGETATTRIBUTES(uint32_t channel, int* frequency, int* volume, int* pan) {
  auto m = Find(channel);
  if (!m) return Fail(kBassErrorHandle);
  int v = 0, p = 0;
  m->channel->GetAttributes(v, p);
  if (frequency) *frequency = 0;
  if (volume) *volume = v;
  if (pan) *pan = p;
  return Done();
}

int BASSCHANNELSLIDEATTRIBUTES(uint32_t channel, int frequency, int volume, int pan, int milliseconds) {
  auto m = Find(channel);
  if (!m) return Fail(kBassErrorHandle);
  if (frequency != -1 && frequency != 0) return Fail(kBassErrorNotAvail);
  m->channel->SlideAttributes(volume, pan, milliseconds);
  return Done();
}

int BASSCHANNELSILENT(uint32_t channel) {
  auto m = Find(channel);
  return m && m->channel->Silent() ? 1 : 0;
}

int BASSDIRECTXVERSION() { return 9; }

audio::EffectSettings BassEffects() {
  std::lock_guard<std::mutex> lock(E().mutex);
  return E().effects;
}

int BassSetEffects(const audio::EffectSettings& settings) {
  Engine& e = E();
  std::lock_guard<std::mutex> lock(e.mutex);
  e.effects = settings;
  if (auto m = FindLocked(e, e.current)) m->channel->SetEffects(settings);
  return Done();
}

int BassApplyEffectControls(uint32_t channel, std::initializer_list<int> ids, const std::function<int(int)>& read) {
  if (channel != 0 || !read) return Fail(kBassErrorNotAvail);
  audio::EffectSettings settings = BassEffects();
  for (int id : ids) audio::ReadEffectControl(settings, id, read);
  return BassSetEffects(settings);
}

int BASSRESETEQ(uint32_t channel) {
  if (channel != 0) return Fail(kBassErrorNotAvail);
  audio::EffectSettings settings = BassEffects();
  settings.bands.fill(audio::kEqFlat);
  return BassSetEffects(settings);
}
