#include "skin/sk_text.h"

#include <cmath>

#include "fileio/fields.h"
#include "fileio/paths.h"

void SKSPLITN(const std::string& path, std::string& folder, std::string& name) {
  folder = fileio::FolderOf(path);
  name = fileio::NameOf(path);
}

int SKSPLITS(const std::string& text, const std::string& separator, std::vector<std::string>& parts) {
  parts.clear();
  if (separator.empty()) {
    parts.push_back(text);
    return 1;
  }
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    if (at == std::string::npos) {
      parts.push_back(text.substr(start));
      break;
    }
    parts.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  return int(parts.size());
}

void SKICONISE(int width, int height, int boxWidth, int boxHeight, int& left, int& top, int& fitWidth,
               int& fitHeight) {
  left = top = fitWidth = fitHeight = 0;
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return;
  double scale = std::min(1.0, std::min(double(boxWidth) / width, double(boxHeight) / height));
  fitWidth = std::max(1, int(std::lround(width * scale)));
  fitHeight = std::max(1, int(std::lround(height * scale)));
  fitWidth = std::min(fitWidth, boxWidth);
  fitHeight = std::min(fitHeight, boxHeight);
  left = (boxWidth - fitWidth) / 2;
  top = (boxHeight - fitHeight) / 2;
}

namespace {
// Windows-1252: a-z and the accented lower-case letters 0xE0..0xFE (but 0xF7, the
// division sign) pair with their upper-case forms 0x20 below; also s/z/oe caron and y umlaut.
unsigned char Upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 16;
  if (c == 0xFF) return 0x9F;
  return c;
}
unsigned char Lower1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
  if (c == 0x9F) return 0xFF;
  return c;
}
}  // namespace

std::string SKUCASE(const std::string& text) {
  std::string out(text);
  for (char& c : out) c = char(Upper1252((unsigned char)c));
  return out;
}

std::string SKLCASE(const std::string& text) {
  std::string out(text);
  for (char& c : out) c = char(Lower1252((unsigned char)c));
  return out;
}

std::string SKLONGFORMAT(int64_t value) {
  bool negative = value < 0;
  uint64_t magnitude = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
  std::string digits = std::to_string(magnitude);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return negative ? "-" + out : out;
}

int SKINSET(int value, int bits, int) { return (value & bits) == bits && bits != 0 ? 1 : 0; }

void SKSEQUENCE(std::string& name) {
  size_t end = name.size();
  size_t begin = end;
  while (begin > 0 && name[begin - 1] >= '0' && name[begin - 1] <= '9') --begin;
  if (begin == end) {
    name += '0';
    return;
  }
  // Add one with carry inside the digit run; all nines wrap to zeros.
  for (size_t i = end; i > begin; --i) {
    if (name[i - 1] != '9') {
      ++name[i - 1];
      return;
    }
    name[i - 1] = '0';
  }
}

std::string SKCRUNCH(const std::string& text, const std::string& remove) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (remove.find(c) == std::string::npos) out += c;
  }
  return out;
}

std::string SKCRUNCH(const std::string& text, const std::string& from, const std::string& to) {
  std::string out(text);
  for (char& c : out) {
    size_t at = from.find(c);
    if (at != std::string::npos && at < to.size()) c = to[at];
  }
  return out;
}

int SKVALIDNAME(const std::string& name) {
  constexpr int kInvalid = 123;
  if (name.empty() || name.size() > 255) return kInvalid;
  for (unsigned char c : name) {
    if (c < 32 || std::string("\\/:*?\"<>|").find(char(c)) != std::string::npos) return kInvalid;
  }
  if (name.back() == '.' || name.back() == ' ') return kInvalid;
  if (name == "." || name == "..") return kInvalid;
  return 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    lines.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    if (end == std::string::npos) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

int SKCODE(const std::string& text, std::vector<int>& numbers) {
  numbers.clear();
  std::vector<std::string> fields;
  SKSPLITS(text, ",", fields);
  for (const auto& f : fields) numbers.push_back(fileio::LeadingNumber(fileio::UnquoteField(f)));
  return int(numbers.size());
}
