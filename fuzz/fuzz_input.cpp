#include "fuzz_input.h"

#include "fileio/file.h"
#include "skin/ui_text.h"
#include "temp_dir.h"

namespace fuzz {

const std::string& InputFolder() {
  static TempDir folder;
  return folder.Path();
}

std::string WriteInput(const std::string& name, std::string_view bytes) {
  // Not flushed to the disk: the file lives for one input, and a flush per input would
  // cost most of the fuzzer's time.
  std::string path = InputFolder() + name;
  fileio::File f;
  if (f.Open(path, fileio::Access::WriteNew) == fileio::kOk) f.Write(bytes.data(), bytes.size());
  return path;
}

void SilenceSkinReports() {
  static const bool silenced = [] {
    SetSkinErrorReporter([](const std::string&) {});
    return true;
  }();
  (void)silenced;
}

void SplitInput(std::string_view input, std::string_view& first, std::string_view& second) {
  if (input.size() < 4) {
    first = second = std::string_view();
    return;
  }
  const auto* p = reinterpret_cast<const uint8_t*>(input.data());
  uint32_t length = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
  input.remove_prefix(4);
  first = input.substr(0, length);
  second = input.substr(first.size());
}

std::string JoinInput(std::string_view first, std::string_view second) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[size_t(i)] = char((first.size() >> (8 * i)) & 0xFF);
  out.append(first);
  out.append(second);
  return out;
}

}  // namespace fuzz
