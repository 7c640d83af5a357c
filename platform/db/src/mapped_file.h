// A file mapped into memory as a whole, shared with every other program that maps it:
// the index pages are read and changed in place, so that an index operation costs no
// system call beyond its lock. The mapping grows with the file; it never shrinks.
#pragma once
#include <cstdint>
#include <string>

namespace db {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Opens the file for reading and writing, creating it when missing (unless `create` is
  // false); a file that may only be read is opened for reading (readOnly = true). Maps
  // what the file holds.
  int Open(const std::string& path, bool& readOnly, bool create = true);
  void Close();
  // Maps the whole file as it is now (after another program made it longer).
  int Remap();
  // Makes the file `size` bytes long (never shorter) and maps all of it.
  int Extend(int64_t size);
  // Writes the mapped pages and the file's length to the disk. manyPages: many pages were
  // written since the last flush; where the system would take each written page from the
  // mapping one by one as it writes it (Linux: a processor round trip each), the mapping
  // lets go of its pages first, in one step, and takes them up again as they are used.
  int Flush(bool manyPages = false);
  bool IsOpen() const;
  uint8_t* data() const { return data_; }
  int64_t mapped() const { return mapped_; }

 private:
  int MapSize(int64_t size);
  void Unmap();

  uint8_t* data_ = nullptr;
  int64_t mapped_ = 0;
  bool readOnly_ = false;
#ifdef _WIN32
  void* file_ = nullptr;
  void* section_ = nullptr;
#else
  int fd_ = -1;
#endif
};

// The first page of a file mapped on its own, for a small number that a program changes
// twice an operation under its own lock (the record file's append mark): a store instead
// of a write call. Only where a file that has a view can still be cut (not Windows, see
// above: a record file is cut when an append is taken back); elsewhere nothing is mapped
// and the caller writes the file. The caller touches it only while the file is longer
// than the bytes it uses.
class HeadPage {
 public:
  HeadPage() = default;
  ~HeadPage();
  HeadPage(const HeadPage&) = delete;
  HeadPage& operator=(const HeadPage&) = delete;

  // True when the page is mapped.
  bool Open(const std::string& path);
  void Close();
  uint8_t* data() const { return data_; }

 private:
  uint8_t* data_ = nullptr;
  int64_t size_ = 0;
};

}  // namespace db
