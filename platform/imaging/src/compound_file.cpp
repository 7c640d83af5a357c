// Compound files: the writer lays every piece out once (allocation tables first, then the
// directory, the small-stream tables and the streams, each in one run of sectors); the
// reader checks every sector number and every chain before it trusts it.
#include "imglib/compound_file.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace imglib {

namespace {

constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;
constexpr uint32_t kLastSectorNumber = 0xFFFFFFFA;
constexpr size_t kHeaderSize = 512;
constexpr size_t kSectorSize = 512;
constexpr size_t kMiniSectorSize = 64;
constexpr uint32_t kMiniCutoff = 4096;
constexpr size_t kEntrySize = 128;
constexpr size_t kHeaderFatSlots = 109;

void PutU16(std::string& out, size_t at, uint32_t v) {
  out[at] = char(uint8_t(v));
  out[at + 1] = char(uint8_t(v >> 8));
}

void PutU32(std::string& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + size_t(i)] = char(uint8_t(v >> (8 * i)));
}

uint32_t GetU16(std::string_view in, size_t at) { return uint32_t(uint8_t(in[at])) | uint32_t(uint8_t(in[at + 1])) << 8; }

uint32_t GetU32(std::string_view in, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(in[at + size_t(i)]);
  return v;
}

size_t CeilDiv(size_t a, size_t b) { return (a + b - 1) / b; }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

bool SameNameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

// The order of siblings in the directory: shorter names first, then by upper-cased
// characters.
bool SiblingBefore(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  for (size_t i = 0; i < a.size(); ++i) {
    uint8_t x = uint8_t(UpperAscii(a[i])), y = uint8_t(UpperAscii(b[i]));
    if (x != y) return x < y;
  }
  return false;
}

bool ValidName(std::string_view name) {
  if (name.empty() || name.size() > 31) return false;
  for (char c : name)
    if (uint8_t(c) >= 0x80 || c == '/' || c == '\\' || c == ':' || c == '!' || c == 0) return false;
  return true;
}

struct TreeLinks {
  uint32_t left = kNoEntry, right = kNoEntry;
  bool red = false;
};

// A balanced search tree over the sorted siblings; the nodes on the deepest level are red
// when that level is not full, which keeps every path's count of black nodes equal.
uint32_t BuildSiblingTree(const std::vector<int>& sorted, int lo, int hi, int depth, int redDepth,
                          std::vector<TreeLinks>& links) {
  if (lo > hi) return kNoEntry;
  int mid = lo + (hi - lo) / 2;
  TreeLinks& l = links[size_t(sorted[size_t(mid)])];
  l.red = depth == redDepth;
  l.left = BuildSiblingTree(sorted, lo, mid - 1, depth + 1, redDepth, links);
  l.right = BuildSiblingTree(sorted, mid + 1, hi, depth + 1, redDepth, links);
  return uint32_t(sorted[size_t(mid)]);
}

int TreeDepth(int count) {  // depth of the deepest node of a middle-split tree
  int depth = -1;
  while (count > 0) {
    count /= 2;
    ++depth;
  }
  return depth;
}

}  // namespace

ClassId MakeClassId(uint32_t data1, uint16_t data2, uint16_t data3, const std::array<uint8_t, 8>& data4) {
  ClassId id{};
  for (int i = 0; i < 4; ++i) id[size_t(i)] = uint8_t(data1 >> (8 * i));
  id[4] = uint8_t(data2);
  id[5] = uint8_t(data2 >> 8);
  id[6] = uint8_t(data3);
  id[7] = uint8_t(data3 >> 8);
  std::copy(data4.begin(), data4.end(), id.begin() + 8);
  return id;
}

// ---- writer ------------------------------------------------------------------------------------

CompoundFileWriter::CompoundFileWriter(const ClassId& rootClass) {
  Node root;
  root.name = "Root Entry";
  root.type = kCompoundRoot;
  root.classId = rootClass;
  nodes_.push_back(std::move(root));
}

int CompoundFileWriter::Add(int parent, std::string_view name, int type) {
  if (parent < 0 || size_t(parent) >= nodes_.size() || nodes_[size_t(parent)].type == kCompoundStream) return -1;
  if (!ValidName(name)) return -1;
  for (int child : nodes_[size_t(parent)].children)
    if (SameNameNoCase(nodes_[size_t(child)].name, name)) return -1;
  Node node;
  node.name = std::string(name);
  node.type = type;
  node.parent = parent;
  int index = int(nodes_.size());
  nodes_.push_back(std::move(node));
  nodes_[size_t(parent)].children.push_back(index);
  return index;
}

int CompoundFileWriter::AddStorage(int parent, std::string_view name, const ClassId& classId) {
  int index = Add(parent, name, kCompoundStorage);
  if (index >= 0) nodes_[size_t(index)].classId = classId;
  return index;
}

int CompoundFileWriter::AddStream(int parent, std::string_view name, std::string data) {
  int index = Add(parent, name, kCompoundStream);
  if (index >= 0) nodes_[size_t(index)].data = std::move(data);
  return index;
}

int CompoundFileWriter::Build(std::string& out) const {
  out.clear();
  // Where each stream goes: small ones into the mini stream, the others into sectors.
  struct Place {
    uint32_t start = kEndOfChain;
    bool mini = false;
  };
  std::vector<Place> places(nodes_.size());
  size_t miniSectors = 0, bigSectors = 0;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const Node& n = nodes_[i];
    if (n.type != kCompoundStream || n.data.empty()) continue;
    if (n.data.size() > 0x7FFFFFFF) return kNoMemory;
    if (n.data.size() < kMiniCutoff) {
      places[i] = {uint32_t(miniSectors), true};
      miniSectors += CeilDiv(n.data.size(), kMiniSectorSize);
    } else {
      places[i].start = uint32_t(bigSectors);  // made absolute below
      bigSectors += CeilDiv(n.data.size(), kSectorSize);
    }
  }
  size_t dirSectors = CeilDiv(nodes_.size() * kEntrySize, kSectorSize);
  size_t miniFatSectors = CeilDiv(miniSectors * 4, kSectorSize);
  size_t miniStreamSectors = CeilDiv(miniSectors * kMiniSectorSize, kSectorSize);
  size_t content = dirSectors + miniFatSectors + miniStreamSectors + bigSectors;
  size_t perSector = kSectorSize / 4;
  size_t fatSectors = 1, difatSectors = 0;
  while (fatSectors * perSector < content + fatSectors + difatSectors) {
    ++fatSectors;
    difatSectors = fatSectors > kHeaderFatSlots ? CeilDiv(fatSectors - kHeaderFatSlots, perSector - 1) : 0;
  }
  size_t total = fatSectors + difatSectors + content;
  if (total >= kLastSectorNumber) return kNoMemory;

  size_t firstDifat = fatSectors, firstDir = firstDifat + difatSectors, firstMiniFat = firstDir + dirSectors;
  size_t firstMiniStream = firstMiniFat + miniFatSectors, firstBig = firstMiniStream + miniStreamSectors;
  out.assign(kHeaderSize + total * kSectorSize, '\0');
  auto sectorAt = [](size_t sector) { return kHeaderSize + sector * kSectorSize; };

  // Allocation table.
  std::vector<uint32_t> fat(fatSectors * perSector, kFreeSector);
  for (size_t i = 0; i < fatSectors; ++i) fat[i] = kFatSector;
  for (size_t i = 0; i < difatSectors; ++i) fat[firstDifat + i] = kDifatSector;
  auto chain = [&fat](size_t first, size_t count) {
    for (size_t i = 0; i < count; ++i) fat[first + i] = i + 1 < count ? uint32_t(first + i + 1) : kEndOfChain;
  };
  chain(firstDir, dirSectors);
  chain(firstMiniFat, miniFatSectors);
  chain(firstMiniStream, miniStreamSectors);
  std::vector<uint32_t> miniFat(miniFatSectors * perSector, kFreeSector);
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const Node& n = nodes_[i];
    if (n.type != kCompoundStream || n.data.empty()) continue;
    Place& p = places[i];
    if (p.mini) {
      size_t count = CeilDiv(n.data.size(), kMiniSectorSize);
      for (size_t k = 0; k < count; ++k) miniFat[p.start + k] = k + 1 < count ? uint32_t(p.start + k + 1) : kEndOfChain;
      std::memcpy(&out[sectorAt(firstMiniStream) + p.start * kMiniSectorSize], n.data.data(), n.data.size());
    } else {
      p.start = uint32_t(firstBig + p.start);
      chain(p.start, CeilDiv(n.data.size(), kSectorSize));
      std::memcpy(&out[sectorAt(p.start)], n.data.data(), n.data.size());
    }
  }
  for (size_t i = 0; i < fat.size(); ++i) PutU32(out, sectorAt(i / perSector) + (i % perSector) * 4, fat[i]);
  for (size_t i = 0; i < miniFat.size(); ++i)
    PutU32(out, sectorAt(firstMiniFat + i / perSector) + (i % perSector) * 4, miniFat[i]);

  // Header, with the first 109 allocation sectors; the others are listed in the DIFAT
  // sectors, 127 to a sector and the last slot pointing at the next one.
  out.replace(0, kCompoundSignature.size(), kCompoundSignature);
  PutU16(out, 24, 0x003E);
  PutU16(out, 26, 3);
  PutU16(out, 28, 0xFFFE);
  PutU16(out, 30, 9);
  PutU16(out, 32, 6);
  PutU32(out, 44, uint32_t(fatSectors));
  PutU32(out, 48, uint32_t(firstDir));
  PutU32(out, 56, kMiniCutoff);
  PutU32(out, 60, miniFatSectors ? uint32_t(firstMiniFat) : kEndOfChain);
  PutU32(out, 64, uint32_t(miniFatSectors));
  PutU32(out, 68, difatSectors ? uint32_t(firstDifat) : kEndOfChain);
  PutU32(out, 72, uint32_t(difatSectors));
  for (size_t i = 0; i < kHeaderFatSlots; ++i) PutU32(out, 76 + i * 4, i < fatSectors ? uint32_t(i) : kFreeSector);
  for (size_t d = 0; d < difatSectors; ++d) {
    size_t at = sectorAt(firstDifat + d);
    for (size_t k = 0; k < perSector - 1; ++k) {
      size_t fatIndex = kHeaderFatSlots + d * (perSector - 1) + k;
      PutU32(out, at + k * 4, fatIndex < fatSectors ? uint32_t(fatIndex) : kFreeSector);
    }
    PutU32(out, at + (perSector - 1) * 4, d + 1 < difatSectors ? uint32_t(firstDifat + d + 1) : kEndOfChain);
  }

  // Directory: each storage's children as a red-black tree in sibling order.
  std::vector<TreeLinks> links(nodes_.size());
  std::vector<uint32_t> childRoot(nodes_.size(), kNoEntry);
  for (size_t i = 0; i < nodes_.size(); ++i) {
    std::vector<int> sorted = nodes_[i].children;
    if (sorted.empty()) continue;
    std::sort(sorted.begin(), sorted.end(),
              [this](int a, int b) { return SiblingBefore(nodes_[size_t(a)].name, nodes_[size_t(b)].name); });
    int count = int(sorted.size()), depth = TreeDepth(count);
    bool full = count == (2 << depth) - 1;
    childRoot[i] = BuildSiblingTree(sorted, 0, count - 1, 0, full ? -1 : depth, links);
  }
  size_t dir = sectorAt(firstDir);
  for (size_t i = 0; i < dirSectors * (kSectorSize / kEntrySize); ++i) {
    size_t at = dir + i * kEntrySize;
    PutU32(out, at + 68, kNoEntry);
    PutU32(out, at + 72, kNoEntry);
    PutU32(out, at + 76, kNoEntry);
    if (i >= nodes_.size()) continue;
    const Node& n = nodes_[i];
    for (size_t k = 0; k < n.name.size(); ++k) PutU16(out, at + k * 2, uint8_t(n.name[k]));
    PutU16(out, at + 64, uint32_t((n.name.size() + 1) * 2));
    out[at + 66] = char(n.type);
    out[at + 67] = char(links[i].red ? 0 : 1);
    PutU32(out, at + 68, links[i].left);
    PutU32(out, at + 72, links[i].right);
    PutU32(out, at + 76, childRoot[i]);
    std::memcpy(&out[at + 80], n.classId.data(), n.classId.size());
    if (n.type == kCompoundRoot) {
      PutU32(out, at + 116, miniSectors ? uint32_t(firstMiniStream) : kEndOfChain);
      PutU32(out, at + 120, uint32_t(miniSectors * kMiniSectorSize));
    } else if (n.type == kCompoundStream) {
      PutU32(out, at + 116, places[i].start);
      PutU32(out, at + 120, uint32_t(n.data.size()));
    }
  }
  return kSuccess;
}

// ---- reader ------------------------------------------------------------------------------------

namespace {

// Follows a chain through a table. count: the number of links wanted (0: up to the end
// mark). Fails on a number outside the table, a link visited twice or an early end.
bool WalkChain(const std::vector<uint32_t>& table, uint32_t start, size_t count, size_t units,
               std::vector<uint32_t>& out) {
  out.clear();
  std::vector<bool> seen(units, false);
  uint32_t s = start;
  while (count == 0 || out.size() < count) {
    if (s == kEndOfChain && count == 0) return true;
    if (s >= units || s >= table.size() || seen[s]) return false;
    seen[s] = true;
    out.push_back(s);
    s = table[s];
  }
  return true;
}

}  // namespace

int CompoundFileReader::Open(std::string_view bytes) {
  *this = CompoundFileReader{};
  if (bytes.size() < kCompoundSignature.size() || bytes.substr(0, kCompoundSignature.size()) != kCompoundSignature)
    return kNotAPicture;
  if (bytes.size() < kHeaderSize) return kFileCorrupt;
  uint32_t shift = GetU16(bytes, 30);
  if (GetU16(bytes, 28) != 0xFFFE) return kFileCorrupt;
  if (shift != 9 && shift != 12) return kUnsupported;
  if (GetU16(bytes, 32) != 6) return kUnsupported;
  bytes_ = bytes;
  sectorSize_ = size_t(1) << shift;
  // The header fills the first sector; a last sector may be cut short after its data.
  if (bytes.size() <= sectorSize_) return kFileCorrupt;
  size_t sectors = CeilDiv(bytes.size() - sectorSize_, sectorSize_);
  sectorCount_ = uint32_t(std::min<size_t>(sectors, kLastSectorNumber));
  miniCutoff_ = GetU32(bytes, 56);
  try {
    int r = ReadFat();
    if (r == kSuccess) r = ReadDirectory();
    if (r != kSuccess) *this = CompoundFileReader{};
    return r;
  } catch (const std::bad_alloc&) {
    *this = CompoundFileReader{};
    return kNoMemory;
  }
}

int CompoundFileReader::ReadFat() {
  size_t perSector = sectorSize_ / 4;
  uint32_t fatCount = GetU32(bytes_, 44);
  if (fatCount == 0 || fatCount > sectorCount_) return kFileCorrupt;
  std::vector<uint32_t> fatSectors;
  for (size_t i = 0; i < kHeaderFatSlots && fatSectors.size() < fatCount; ++i) fatSectors.push_back(GetU32(bytes_, 76 + i * 4));
  uint32_t difat = GetU32(bytes_, 68), difatCount = GetU32(bytes_, 72);
  std::vector<bool> seen(sectorCount_, false);
  for (uint32_t d = 0; d < difatCount && fatSectors.size() < fatCount; ++d) {
    if (difat >= sectorCount_ || seen[difat]) return kFileCorrupt;
    seen[difat] = true;
    size_t at = (size_t(difat) + 1) * sectorSize_;
    if (at + sectorSize_ > bytes_.size()) return kFileCorrupt;
    for (size_t k = 0; k + 1 < perSector && fatSectors.size() < fatCount; ++k) fatSectors.push_back(GetU32(bytes_, at + k * 4));
    difat = GetU32(bytes_, at + (perSector - 1) * 4);
  }
  if (fatSectors.size() < fatCount) return kFileCorrupt;
  fat_.reserve(size_t(fatCount) * perSector);
  for (uint32_t s : fatSectors) {
    size_t at = (size_t(s) + 1) * sectorSize_;
    if (s >= sectorCount_ || at + sectorSize_ > bytes_.size()) return kFileCorrupt;
    for (size_t k = 0; k < perSector; ++k) fat_.push_back(GetU32(bytes_, at + k * 4));
  }
  return kSuccess;
}

int CompoundFileReader::ReadDirectory() {
  std::vector<uint32_t> chain;
  if (!WalkChain(fat_, GetU32(bytes_, 48), 0, sectorCount_, chain) || chain.empty()) return kFileCorrupt;
  size_t perSector = sectorSize_ / kEntrySize;
  struct Raw {
    uint32_t left, right, child;
  };
  std::vector<Raw> raw;
  for (size_t i = 0; i < chain.size() * perSector; ++i) {
    size_t at = (size_t(chain[i / perSector]) + 1) * sectorSize_ + (i % perSector) * kEntrySize;
    if (at + kEntrySize > bytes_.size()) return kFileCorrupt;
    std::string_view e = bytes_.substr(at, kEntrySize);
    Entry entry;
    entry.type = uint8_t(e[66]);
    uint32_t nameBytes = GetU16(e, 64);
    if (entry.type != kCompoundUnused) {
      if (nameBytes > 64 || nameBytes % 2 != 0) return kFileCorrupt;
      for (size_t k = 0; k + 2 < nameBytes; k += 2) {
        uint32_t c = GetU16(e, k);
        entry.name += c <= 0xFF ? char(c) : '?';
      }
      if (entry.type != kCompoundStorage && entry.type != kCompoundStream && entry.type != kCompoundRoot)
        return kFileCorrupt;
    }
    std::memcpy(entry.classId.data(), e.data() + 80, entry.classId.size());
    entry.start = GetU32(e, 116);
    entry.size = GetU32(e, 120);
    // Files of 512-byte sectors may leave junk in the size's upper half.
    if (sectorSize_ != 512) entry.size |= uint64_t(GetU32(e, 124)) << 32;
    entries_.push_back(std::move(entry));
    raw.push_back({GetU32(e, 68), GetU32(e, 72), GetU32(e, 76)});
  }
  if (entries_[0].type != kCompoundRoot) return kFileCorrupt;
  // Walk each storage's sibling tree; an entry reached twice means a loop.
  std::vector<bool> reached(entries_.size(), false);
  reached[0] = true;
  std::vector<int> storages{0};
  while (!storages.empty()) {
    int storage = storages.back();
    storages.pop_back();
    std::vector<uint32_t> pending{raw[size_t(storage)].child};
    while (!pending.empty()) {
      uint32_t id = pending.back();
      pending.pop_back();
      if (id == kNoEntry) continue;
      if (id >= entries_.size() || reached[id]) return kFileCorrupt;
      Entry& e = entries_[id];
      if (e.type != kCompoundStorage && e.type != kCompoundStream) return kFileCorrupt;
      reached[id] = true;
      entries_[size_t(storage)].children.push_back(int(id));
      if (e.type == kCompoundStorage) storages.push_back(int(id));
      pending.push_back(raw[id].right);
      pending.push_back(raw[id].left);
    }
  }
  // The mini stream lives in the root entry's chain; its table in its own chain.
  Entry& root = entries_[0];
  if (root.size > 0) {
    int r = Chain(root.start, root.size, false, miniStream_);
    if (r != kSuccess) return r;
    uint32_t miniFatCount = GetU32(bytes_, 64);
    std::vector<uint32_t> sectors;
    if (miniFatCount > sectorCount_ || !WalkChain(fat_, GetU32(bytes_, 60), miniFatCount, sectorCount_, sectors))
      return kFileCorrupt;
    for (uint32_t s : sectors) {
      size_t at = (size_t(s) + 1) * sectorSize_;
      if (at + sectorSize_ > bytes_.size()) return kFileCorrupt;
      for (size_t k = 0; k < sectorSize_ / 4; ++k) miniFat_.push_back(GetU32(bytes_, at + k * 4));
    }
  }
  return kSuccess;
}

int CompoundFileReader::Chain(uint32_t start, uint64_t size, bool mini, std::string& out) const {
  out.clear();
  if (size == 0) return kSuccess;
  size_t unit = mini ? kMiniSectorSize : sectorSize_;
  size_t units = mini ? CeilDiv(miniStream_.size(), kMiniSectorSize) : sectorCount_;
  // No chain holds more sectors than the file has: a larger size is damage, and checking
  // it first keeps a forged size from reserving memory.
  if (size > uint64_t(units) * unit) return kFileCorrupt;
  std::vector<uint32_t> chain;
  if (!WalkChain(mini ? miniFat_ : fat_, start, CeilDiv(size_t(size), unit), units, chain)) return kFileCorrupt;
  std::string_view source = mini ? std::string_view(miniStream_) : bytes_;
  size_t offset = mini ? 0 : sectorSize_;
  out.resize(size_t(size));
  for (size_t i = 0; i < chain.size(); ++i) {
    size_t at = offset + size_t(chain[i]) * unit, n = std::min(unit, size_t(size) - i * unit);
    if (at + n > source.size()) {
      out.clear();
      return kFileCorrupt;
    }
    std::memcpy(&out[i * unit], source.data() + at, n);
  }
  return kSuccess;
}

int CompoundFileReader::Child(int storage, std::string_view name) const {
  if (storage < 0 || size_t(storage) >= entries_.size()) return -1;
  for (int child : entries_[size_t(storage)].children)
    if (SameNameNoCase(entries_[size_t(child)].name, name)) return child;
  return -1;
}

int CompoundFileReader::Find(std::string_view path) const {
  if (entries_.empty()) return -1;
  int at = 0;
  while (!path.empty()) {
    size_t slash = path.find('/');
    at = Child(at, path.substr(0, slash));
    if (at < 0 || slash == std::string_view::npos) return at;
    path.remove_prefix(slash + 1);
  }
  return at;
}

int CompoundFileReader::ReadStream(int index, std::string& out) const {
  out.clear();
  if (index <= 0 || size_t(index) >= entries_.size() || entries_[size_t(index)].type != kCompoundStream)
    return kInvalidParameter;
  const Entry& e = entries_[size_t(index)];
  try {
    return Chain(e.start, e.size, e.size < miniCutoff_, out);
  } catch (const std::bad_alloc&) {
    out.clear();
    return kNoMemory;
  }
}

}  // namespace imglib
