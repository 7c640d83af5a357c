#include "jorvel/medium.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace jorvel {

namespace {

// The wrapper's version as a number ("2.0" -> 2.0).
double VersionNumber(const std::string& version) { return std::strtod(version.c_str(), nullptr); }

}  // namespace

void CLAMPPLAYRANGE(int64_t& start, int64_t& end, int64_t length) {
  start = std::min(start, length);
  end = std::min(end, length);
  if (end == 0) end = length;
}

int Medium::OPENMEDIUM(const std::string& path, bool soundType) {
  failure_.clear();
  if (!layer_.Available()) failure_ = "layer";
  else if (!soundType) failure_ = "type";
  else if (int rc = layer_.Open(path); rc != 0) failure_ = "open" + std::to_string(rc);
  if (!failure_.empty()) return 0;
  open_ = true;
  return 2;
}

int Medium::PLAYMEDIA(int64_t start, int64_t end) {
  failure_.clear();
  if (int rc = layer_.Play(start, end); rc != 0) {
    open_ = false;
    failure_ = "play" + std::to_string(rc);
    return -99;
  }
  CLAMPPLAYRANGE(start, end, layer_.Length());
  start_ = start;
  end_ = end;
  return 1;
}

int Medium::GETMEDIASTATE() {
  if (!open_) return 0;
  int64_t p = layer_.Position();
  // Only a medium that has played to its end is there: a stopped one, or one not started
  // yet, keeps its place even at position 0.
  if (layer_.Level() == MediaLayer::kNotPlaying && layer_.Ended()) {
    const int type = layer_.MediaType();
    const int64_t length = layer_.Length();
    if (type == MediaLayer::kStream && VersionNumber(layer_.Version()) > 1.6) return 100;
    if (type != MediaLayer::kFile && type != MediaLayer::kStream && length == 0) return 100;
    if (type == MediaLayer::kFile || type == MediaLayer::kStream) p = 0;
    if (p == 0) p = length;
  }
  const int64_t range = end_ - start_;
  if (range == 0) return 0;
  return int(std::clamp<long long>(std::llround(double(p - start_) * 100.0 / double(range)), 0, 100));
}

void Medium::SEEKPERCENT(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (!open_ || percent == GETMEDIASTATE()) return;
  const int64_t target = start_ + int64_t(std::llround(double(end_ - start_) * percent / 100.0));
  const bool playing = ISMEDIAACTIVE() == 1;
  RESUMEMEDIA();
  SEEKMEDIA(target);
  if (!playing) PAUSEMEDIA();
}

int Medium::CLOSEMEDIA() {
  if (!open_) return 0;
  open_ = false;
  return layer_.Close();
}

int Medium::ISMEDIAACTIVE() { return open_ ? layer_.IsActive() : 0; }
int Medium::PAUSEMEDIA() { return open_ ? layer_.Pause() : 0; }
int Medium::RESUMEMEDIA() { return open_ ? layer_.Start() : 0; }
int Medium::STOPMEDIA() { return open_ ? layer_.Stop() : 0; }
int Medium::SEEKMEDIA(int64_t position) { return open_ ? layer_.SetPosition(position) : 0; }

}  // namespace jorvel
