#include "falcet/player_rules.h"

#include <algorithm>
#include <cmath>

#include "falcet/item_lists.h"
#include "fileio/fields.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace falcet {

int NextIndex(int index, int count) {
  if (count < 1) return 0;
  return index < 1 || index >= count ? 1 : index + 1;
}

int PreviousIndex(int index, int count) {
  if (count < 1) return 0;
  return index <= 1 || index > count ? count : index - 1;
}

int IndexAtPercent(int percent, int count) {
  if (count < 1) return 0;
  percent = std::clamp(percent, 0, 100);
  int index = int(std::lround(percent / 100.0 * count));
  return std::clamp(index, 1, count);
}

int ListPercent(int index, int count) {
  return count < 1 ? 0 : int(std::clamp<long>(std::lround(index * 100.0 / count), 0, 100));
}

int PictureSliderPosition(int count) { return count < 1 ? 0 : int(std::lround(50.0 / count)); }

int MediaPercent(int64_t position, int64_t start, int64_t end, bool ended) {
  if (ended) return 100;
  int64_t range = end - start;
  if (range <= 0) return 0;
  double p = double(position - start) * 100.0 / double(range);
  return int(std::clamp<long long>(std::llround(p), 0, 100));
}

int64_t PercentTarget(int percent, int64_t start, int64_t end) {
  percent = std::clamp(percent, 0, 100);
  return start + std::llround(double(end - start) * percent / 100.0);
}

EndAction AtItemEnd(int index, int count, bool repeat, int& newIndex) {
  newIndex = index;
  if (count > 1 && index < count) return EndAction::kNext;
  if (!repeat) return EndAction::kClose;
  if (count > 1 && index >= count) newIndex = 1;
  return EndAction::kRepeat;
}

int DisplayTime(bool hasTimFile, int timValue, int defaultTime) {
  int t = hasTimFile ? timValue : defaultTime;
  return t < 1000 ? 4000 : t;
}

Fit EnlargingFit(int width, int height, int areaWidth, int areaHeight) {
  Fit f;
  if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) return f;
  double factor = double(areaWidth) / width;
  if (std::lround(height * factor) > areaHeight) factor = double(areaHeight) / height;
  f.width = int(std::lround(width * factor));
  f.height = int(std::lround(height * factor));
  f.x = (areaWidth - f.width) / 2;
  f.y = (areaHeight - f.height) / 2;
  return f;
}

Fit VideoPlacement(int sizeItem, bool fitToArea, int w, int h, int areaX, int areaY, int areaWidth, int areaHeight) {
  Fit f{areaX, areaY, areaWidth, areaHeight};
  if (w <= 0 || h <= 0 || areaWidth <= 0 || areaHeight <= 0) return f;
  double scale = sizeItem == kSizeHalf          ? 0.5
                 : sizeItem == kSizeOneAndAHalf ? 1.5
                 : sizeItem == kSizeDouble      ? 2.0
                                                : 1.0;
  bool wholeArea = sizeItem == kSizeFillWindow || sizeItem == kSizeFullScreen || !IsSizeItem(sizeItem);
  int width = int(std::lround(w * scale)), height = int(std::lround(h * scale));
  if (wholeArea && !fitToArea) return f;
  int x = areaX + (areaWidth - width) / 2, y = areaY + (areaHeight - height) / 2;
  bool fits = x >= areaX && y >= areaY && width <= areaWidth && height <= areaHeight;
  if (fitToArea && (!fits || wholeArea)) {
    double factor = double(areaWidth) / width;
    if (std::lround(height * factor) > areaHeight) factor = double(areaHeight) / height;
    width = int(std::lround(width * factor));
    height = int(std::lround(height * factor));
    return Fit{areaX + (areaWidth - width) / 2, areaY + (areaHeight - height) / 2, width, height};
  }
  if (!fitToArea) {
    x = std::max(x, areaX);
    y = std::max(y, areaY);
    width = std::min(width, areaWidth);
    height = std::min(height, areaHeight);
  }
  return Fit{x, y, width, height};
}

Fit PrintPlacement(int pageWidth, int pageHeight, bool portrait, int w, int h) {
  Fit f;
  if (w <= 0 || h <= 0) return f;
  int side = portrait ? 15 : 60, top = portrait ? 60 : 0;
  double factor = std::min(double(pageWidth - 2 * side) / w, double(pageHeight - 2 * top) / h);
  if (factor <= 0) return f;
  f.width = int(std::lround(w * factor));
  f.height = int(std::lround(h * factor));
  f.x = (pageWidth - f.width) / 2 + side;
  f.y = (pageHeight - f.height) / 2 + top;
  return f;
}

std::string SnapshotTarget(const std::string& chosen) {
  std::string name = fileio::Trim(chosen);
  if (name.empty()) return name;
  return fileio::WithoutExtension(name) + ".bmp";
}

EffectCycle::EffectCycle(const std::string& entry) {
  size_t blank = entry.find(' ');
  std::string list = blank == std::string::npos ? std::string() : entry.substr(blank + 1);
  std::vector<std::string> items;
  SKSPLITS(list, ",", items);
  for (const auto& raw : items) {
    std::string item = fileio::Trim(raw);
    if (item.empty()) continue;
    size_t dash = item.find('-', 1);
    int first = fileio::LeadingNumber(item);
    int last = dash == std::string::npos ? first : fileio::LeadingNumber(item.substr(dash + 1));
    if (last < first) std::swap(first, last);
    // A range is a list of effect numbers; a typing error must not make it endless.
    last = std::min(last, first + 100000);
    for (int n = first; n <= last; ++n) effects_.push_back(n);
  }
}

int EffectCycle::Next() {
  if (effects_.empty()) return 0;
  if (next_ >= effects_.size()) next_ = 0;
  return effects_[next_++];
}

bool ParseRecordSetup(const std::string& text, RecordSetup& setup) {
  std::vector<std::string> f;
  if (SKSPLITS(text, ",", f) < 2) return false;
  f.resize(4);
  setup.innerWidth = std::clamp(fileio::LeadingNumber(f[0]), 0, kLargestRecordSide) + 4;
  setup.innerHeight = std::clamp(fileio::LeadingNumber(f[1]), 0, kLargestRecordSide) + 4;
  setup.rate = fileio::LeadingNumber(f[2]);
  setup.reportWindow = uintptr_t(std::max<int64_t>(0, fileio::LeadingNumber(f[3], INT64_MAX)));
  return true;
}

int RecorderRate(int rate) { return rate < 1 ? 3 : std::min(rate, 30); }

AttachedSoundRequest ParseAttachedSound(const std::string& text) {
  std::vector<std::string> f;
  SKSPLITS(text, "|", f);
  f.resize(3);
  AttachedSoundRequest r;
  r.file = fileio::Trim(f[0]);
  r.volume = fileio::LeadingNumber(f[1]);
  r.pan = fileio::LeadingNumber(f[2]);
  return r;
}

BurnJob ParseBurnJob(const std::string& text) {
  size_t bar = text.find('|');
  BurnJob j;
  j.files = text.substr(0, bar);
  if (bar != std::string::npos) j.name = text.substr(bar + 1);
  return j;
}

int StateAfterEvent(int state, int event) {
  switch (event) {
    case 7: return 1;
    case 8: return 2;
    case 6:
    case 9: return 3;
    default: return state;
  }
}

namespace {
std::string ReplaceAll(std::string text, char what, const std::string& with) {
  std::string out;
  for (char c : text) {
    if (c == what) out += with;
    else out += c;
  }
  return out;
}
}  // namespace

std::string MediumFailureText(const std::string& entry12, const std::string& fileName, int result,
                              const std::string& reason) {
  std::string text = ReplaceAll(entry12, '#', std::to_string(result)) + fileName;
  return reason.empty() ? text : text + "|" + reason;
}

std::string FailureReason(const std::string& reasons, const std::string& key) {
  for (const std::string& field : fileio::SplitFields(reasons, '|')) {
    size_t equals = field.find('=');
    if (equals == std::string::npos) continue;
    std::string code = fileio::Trim(field.substr(0, equals));
    if (!key.empty() && code == key) return fileio::Trim(field.substr(equals + 1));
  }
  return {};
}

WaveClaim CheckWaveClaim(const std::string& head, uint64_t fileSize) {
  auto u32 = [&](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(head[at + size_t(i)]);
    return v;
  };
  WaveClaim claim;
  if (head.size() < 12 || head.compare(0, 4, "RIFF") != 0 || head.compare(8, 4, "WAVE") != 0) return claim;
  // A recorder writing to a stream cannot know the length and leaves a mark in its place:
  // all ones in the RIFF or data size, or 0x7FFFF000 in the data size. Such a file holds its
  // sound up to its end, and is played so.
  constexpr uint32_t kUnknown = 0xFFFFFFFFu, kUnknownToo = 0x7FFFF000u;
  const bool streamed = u32(4) == kUnknown;
  // 64 bits: a chunk size near 4 GiB must not wrap the walk at 32 bits.
  uint64_t at = 12;
  while (at + 8 <= head.size()) {
    uint64_t size = u32(size_t(at) + 4);
    if (head.compare(size_t(at), 4, "data") == 0) {
      uint64_t body = at + 8;
      claim.claimed = size;
      claim.held = fileSize > body ? fileSize - body : 0;
      claim.cutShort = claim.claimed > claim.held && !streamed && size != kUnknown && size != kUnknownToo;
      return claim;
    }
    at += 8 + size + (size & 1);  // chunks are padded to an even length
  }
  return claim;
}

std::string RecorderStatusText(const std::string& entry77, int count1, int count2) {
  return ReplaceAll(ReplaceAll(entry77, '@', std::to_string(count1)), '#', std::to_string(count2));
}

int ScrollPosition(int code, int current, int thumb, int view, int content) {
  int limit = std::max(0, content - std::max(0, view));
  int64_t next = current;
  switch (code) {
    case 0: next = int64_t(current) - kScrollLine; break;
    case 1: next = int64_t(current) + kScrollLine; break;
    case 2: next = int64_t(current) - view; break;
    case 3: next = int64_t(current) + view; break;
    case 4:
    case 5: next = thumb; break;
    case 6: next = 0; break;
    case 7: next = limit; break;
    default: break;
  }
  return int(std::clamp<int64_t>(next, 0, limit));
}

int ScrolledOrigin(int position, int view, int content) {
  if (content <= view) return (view - content) / 2;
  return -std::clamp(position, 0, content - view);
}

}  // namespace falcet
