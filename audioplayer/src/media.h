// The player's medium on the audio layer (audio/bass.h): the layer's calls as the core's
// MediaLayer.
#pragma once
#include "jorvel/medium.h"

namespace jorvel {

class BassLayer : public MediaLayer {
 public:
  bool Available() override;
  int Open(const std::string& path) override;
  int Play(int64_t start, int64_t end) override;
  int Pause() override;
  int Start() override;
  int Stop() override;
  int Close() override;
  int IsActive() override;
  bool Ended() override;
  int64_t Position() override;
  int SetPosition(int64_t position) override;
  int64_t Length() override;
  uint32_t Level() override;
  int MediaType() override;
  std::string Version() override;
};

}  // namespace jorvel
