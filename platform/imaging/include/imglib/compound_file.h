// Compound files (structured storage): a tree of storages and streams inside one file,
// kept in sectors chained through a file allocation table, with small streams packed into
// a mini stream. The writer builds a whole file in memory; the reader takes one apart and
// refuses damaged ones (chains that leave the file, loop or end early) with kFileCorrupt.
// Portable: every number is written byte by byte in little-endian order.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imglib/status.h"

namespace imglib {

// A class identifier as stored in the file (the first three fields little-endian).
using ClassId = std::array<uint8_t, 16>;
ClassId MakeClassId(uint32_t data1, uint16_t data2, uint16_t data3, const std::array<uint8_t, 8>& data4);

// Entry types of the directory.
enum CompoundEntryType : int {
  kCompoundUnused = 0,
  kCompoundStorage = 1,
  kCompoundStream = 2,
  kCompoundRoot = 5,
};

// The first bytes of every compound file.
constexpr std::string_view kCompoundSignature{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};

class CompoundFileWriter {
 public:
  static constexpr int kRoot = 0;
  explicit CompoundFileWriter(const ClassId& rootClass = {});

  // Names are 1 to 31 characters below 0x80 (control characters such as "\005" included)
  // without "/", "\\", ":" or "!", unique (ignoring case) within their storage. Each call
  // answers the new entry's number, or -1 when the parent is no storage or the name is
  // refused.
  int AddStorage(int parent, std::string_view name, const ClassId& classId = {});
  int AddStream(int parent, std::string_view name, std::string data);

  // The whole file (512-byte sectors). kSuccess, or kNoMemory when it would pass the
  // format's 4 GB limit of one stream.
  int Build(std::string& out) const;

 private:
  struct Node {
    std::string name;
    int type = kCompoundUnused;
    ClassId classId{};
    std::string data;
    int parent = -1;
    std::vector<int> children;
  };
  int Add(int parent, std::string_view name, int type);
  std::vector<Node> nodes_;
};

class CompoundFileReader {
 public:
  struct Entry {
    std::string name;  // characters above 0xFF become "?"
    int type = kCompoundUnused;
    ClassId classId{};
    uint64_t size = 0;
    uint32_t start = 0;
    std::vector<int> children;  // entry numbers
  };

  // kSuccess; kNotAPicture without the signature; kFileCorrupt for a damaged file;
  // kUnsupported for sector sizes other than 512 and 4096.
  int Open(std::string_view bytes);

  // The root is entry 0. Child looks a name up in a storage ignoring case (-1 when
  // absent); Find follows a path of names separated by "/" from the root.
  const Entry& Root() const { return entries_[0]; }
  const Entry& At(int index) const { return entries_[size_t(index)]; }
  int Child(int storage, std::string_view name) const;
  int Find(std::string_view path) const;

  // Copies a stream's bytes out: kSuccess, kInvalidParameter for no stream, kFileCorrupt
  // when its chain is damaged.
  int ReadStream(int index, std::string& out) const;

 private:
  int Chain(uint32_t start, uint64_t size, bool mini, std::string& out) const;
  int ReadFat();
  int ReadDirectory();

  std::string_view bytes_;
  size_t sectorSize_ = 512;
  uint32_t sectorCount_ = 0;  // whole sectors after the header
  uint32_t miniCutoff_ = 4096;
  std::vector<uint32_t> fat_;
  std::vector<uint32_t> miniFat_;
  std::string miniStream_;
  std::vector<Entry> entries_;
};

}  // namespace imglib
