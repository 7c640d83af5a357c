// The player's one medium over the audio wrapper: the wrapper's calls as an interface (the
// program hands in the audio layer; tests a fake), the medium-open flag and the play range,
// the position in percent, playing a range and seeking by percent. Portable.
#pragma once
#include <cstdint>
#include <string>

namespace jorvel {

// The calls of the audio wrapper that the player makes (audio/bass.h): results 0 on success.
class MediaLayer {
 public:
  static constexpr uint32_t kNotPlaying = 0xFFFFFFFFu;  // the level of a stopped or ended medium
  enum : int { kFile = 1, kStream = 5 };                // media types

  virtual ~MediaLayer() = default;
  virtual bool Available() = 0;
  virtual int Open(const std::string& path) = 0;
  virtual int Play(int64_t start, int64_t end) = 0;
  virtual int Pause() = 0;
  virtual int Start() = 0;  // goes on after a pause
  virtual int Stop() = 0;
  virtual int Close() = 0;
  virtual int IsActive() = 0;  // 1 playing, 3 paused, 0 otherwise
  virtual bool Ended() = 0;    // played to the end of its range
  virtual int64_t Position() = 0;
  virtual int SetPosition(int64_t position) = 0;
  virtual int64_t Length() = 0;
  virtual uint32_t Level() = 0;
  virtual int MediaType() = 0;
  virtual std::string Version() = 0;  // "major.minor"
};

// CLAMPPLAYRANGE: start and end within the length; an end of 0 is the length.
void CLAMPPLAYRANGE(int64_t& start, int64_t& end, int64_t length);

class Medium {
 public:
  explicit Medium(MediaLayer& layer) : layer_(layer) {}

  bool IsOpen() const { return open_; }
  int64_t RangeStart() const { return start_; }
  int64_t RangeEnd() const { return end_; }
  // Why the last OPENMEDIUM or PLAYMEDIA failed: the key of what is wrong with the item
  // ("type" no sound type, "layer" no audio layer, "open3" or "play3" the layer's error 3),
  // "" after a success.
  const std::string& Failure() const { return failure_; }

  // OPENMEDIUM: 2 when the medium opened (the layer is there, the item is a sound type and
  // the layer took it), else 0.
  int OPENMEDIUM(const std::string& path, bool soundType);
  // PLAYMEDIA: plays the range (clamped to the medium); 1, or -99 when the layer refused
  // (the medium then counts as closed).
  int PLAYMEDIA(int64_t start, int64_t end);
  // GETMEDIASTATE: the position in percent of the range, 0 to 100; 0 without a medium. A
  // medium that has played to its end is at 100; a stopped one keeps its place.
  int GETMEDIASTATE();
  // SEEKPERCENT: moves to the percent of the range (above 100: 100), playing or paused as
  // it was; nothing when the medium is there already.
  void SEEKPERCENT(int percent);

  // The layer's calls on the open medium; each does nothing and answers 0 without one.
  int CLOSEMEDIA();
  int ISMEDIAACTIVE();
  int PAUSEMEDIA();
  int RESUMEMEDIA();
  int STOPMEDIA();
  int SEEKMEDIA(int64_t position);

 private:
  MediaLayer& layer_;
  bool open_ = false;
  int64_t start_ = 0, end_ = 0;
  std::string failure_;
};

}  // namespace jorvel
