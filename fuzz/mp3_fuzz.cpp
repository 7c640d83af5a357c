// MPEG audio: the frame scan with its ID3v2 and ID3v1 tags, as the layer scans a file (and
// the data chunk of a WAVE file) before the system's codec decodes it.
#include <cstdio>
#include <cstdlib>

#include "audio/mp3_frames.h"
#include "fuzz_input.h"
#include "sound_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  std::string copy(bytes);
  audio::ByteReader read = soundtest::BytesReader(copy);
  audio::Mp3Stream stream;
  audio::ScanMp3(read, 0, bytes.size(), stream);
  // The data chunk of a WAVE file: every frame found lies within its bounds.
  if (size > 16 && audio::ScanMp3(read, 8, size - 8, stream)) {
    if (stream.frames.front() < 8 || stream.dataEnd > size - 8) {
      std::fprintf(stderr, "frames outside the data chunk: %llu to %llu\n",
                   (unsigned long long)stream.frames.front(), (unsigned long long)stream.dataEnd);
      std::abort();
    }
  }
  audio::Id3v2Title(std::string(bytes));
  if (size >= 4) {
    audio::Mp3Header header;
    audio::ParseMp3Header(data, header);
  }
  return 0;
}
