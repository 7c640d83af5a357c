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

// A WMA file written by the system's encoder from 16-bit PCM.
class WmaWriter {
 public:
  virtual ~WmaWriter() = default;
  // Before the first Write only; "" as the tag ends the tags.
  virtual bool SetTag(const std::string& tag, const std::string& value) = 0;
  virtual bool Write(const void* data, size_t size) = 0;
  // Completes the file; false (and the file removed) when it could not be.
  virtual bool Close() = 0;
};

// Null when the system has no WMA encoder for the format (nothing is left on disk).
std::unique_ptr<WmaWriter> OpenWmaWriter(int frequency, int channels, int bitrate, const std::string& file);

}  // namespace audio
