// The picture tool's binary settings record: read over the defaults, and written again;
// a record the tool wrote must read back as the same record.
#include <cstdio>
#include <cstdlib>

#include "bravik/pic_settings.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  bravik::PicSettingsRecord record = bravik::DefaultPicSettings(1024, 768, "C:\\Windows\\");
  if (!bravik::DecodePicSettings(bytes, 320, 200, record)) return 0;
  std::string written = bravik::EncodePicSettings(record);
  bravik::PicSettingsRecord again;
  if (!bravik::DecodePicSettings(written, 320, 200, again) || bravik::EncodePicSettings(again) != written) {
    std::fprintf(stderr, "a written settings record does not read back (%zu bytes)\n", written.size());
    std::abort();
  }
  return 0;
}
