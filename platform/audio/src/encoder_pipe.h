// An outside encoder that reads what it encodes from its standard input.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace audio {

class EncoderPipe {
 public:
  virtual ~EncoderPipe() = default;
  // False once the encoder no longer takes data (it ended or closed its input).
  virtual bool Write(const void* data, size_t size) = 0;
  virtual bool Active() = 0;
  // Ends its input; waits at most the time for it to end, then ends it.
  virtual void Stop(unsigned milliseconds) = 0;
};

// Null when the command cannot be started.
std::unique_ptr<EncoderPipe> StartEncoderPipe(const std::string& commandLine);

// The system's WMA encoder is present.
bool WmaEncoderAvailable();

}  // namespace audio
