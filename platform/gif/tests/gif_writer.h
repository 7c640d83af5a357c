// A small GIF writer for the tests: one or more pictures, optional interlacing, local
// colour tables and a transparent index, LZW coded with clear codes as real encoders do.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace giftest {

struct Frame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> indices;            // width * height, rows from the top
  std::vector<uint8_t> localTable;         // RGB triples; empty: the global table
  bool interlaced = false;
  int transparent = -1;
};

inline void PutLzw(std::string& out, const std::vector<uint8_t>& data, int minCodeSize) {
  std::string bytes;
  uint32_t buffer = 0;
  int bits = 0;
  int clear = 1 << minCodeSize, codeSize = minCodeSize + 1, next = clear + 2;
  auto emit = [&](int code) {
    buffer |= uint32_t(code) << bits;
    bits += codeSize;
    while (bits >= 8) {
      bytes.push_back(char(buffer & 255));
      buffer >>= 8;
      bits -= 8;
    }
  };
  std::map<std::pair<int, int>, int> table;
  emit(clear);
  int prefix = -1;
  for (uint8_t c : data) {
    if (prefix < 0) {
      prefix = c;
      continue;
    }
    auto found = table.find({prefix, c});
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    emit(prefix);
    if (next < 4096) {
      table[{prefix, c}] = next++;
      if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
    } else {
      emit(clear);
      table.clear();
      codeSize = minCodeSize + 1;
      next = clear + 2;
    }
    prefix = c;
  }
  if (prefix >= 0) emit(prefix);
  emit(clear + 1);
  if (bits > 0) bytes.push_back(char(buffer & 255));
  out.push_back(char(minCodeSize));
  for (size_t i = 0; i < bytes.size(); i += 255) {
    size_t n = std::min<size_t>(255, bytes.size() - i);
    out.push_back(char(n));
    out.append(bytes, i, n);
  }
  out.push_back('\0');
}

inline void Put16(std::string& s, int v) {
  s.push_back(char(v & 255));
  s.push_back(char((v >> 8) & 255));
}

// globalTable: RGB triples (a power of two of at least 2 entries), or empty.
inline std::string WriteGif(int screenW, int screenH, const std::vector<uint8_t>& globalTable, int background,
                            const std::vector<Frame>& frames) {
  auto tableBits = [](size_t entries) {
    int b = 0;
    while ((2u << b) < entries) ++b;
    return b;
  };
  std::string s = "GIF89a";
  Put16(s, screenW);
  Put16(s, screenH);
  size_t globalEntries = globalTable.size() / 3;
  s.push_back(char(globalEntries ? 0x80 | tableBits(globalEntries) : 0));
  s.push_back(char(background));
  s.push_back('\0');
  s += std::string(reinterpret_cast<const char*>(globalTable.data()), globalTable.size());
  for (const Frame& f : frames) {
    if (f.transparent >= 0) {
      s += "\x21\xF9\x04";
      s.push_back('\x01');
      Put16(s, 0);
      s.push_back(char(f.transparent));
      s.push_back('\0');
    }
    s.push_back(',');
    Put16(s, f.left);
    Put16(s, f.top);
    Put16(s, f.width);
    Put16(s, f.height);
    size_t localEntries = f.localTable.size() / 3;
    s.push_back(char((localEntries ? 0x80 | tableBits(localEntries) : 0) | (f.interlaced ? 0x40 : 0)));
    s += std::string(reinterpret_cast<const char*>(f.localTable.data()), f.localTable.size());
    std::vector<uint8_t> ordered;
    if (f.interlaced) {
      static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < f.height; y += kStep[pass])
          ordered.insert(ordered.end(), f.indices.begin() + y * f.width, f.indices.begin() + (y + 1) * f.width);
    } else {
      ordered = f.indices;
    }
    size_t entries = localEntries ? localEntries : std::max<size_t>(globalEntries, 4);
    PutLzw(s, ordered, std::max(2, tableBits(entries) + 1));
  }
  s.push_back(';');
  return s;
}

}  // namespace giftest
