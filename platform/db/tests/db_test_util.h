// Helpers shared by the database tests.
#pragma once
#include <string>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "fileio/file.h"
#include "temp_dir.h"

// An open index handle that closes itself.
struct Index {
  int handle = 0;
  int rc = 0;
  int status = 0;
  Index(const std::string& path, int keyLength) { rc = qBtOpen(path, keyLength, handle, status); }
  ~Index() { qBtClose(handle); }
};

inline std::string Padded(std::string s, size_t n) {
  s.resize(n, ' ');
  return s;
}

// The 28 values of an archive record (10 topic slots) with the given key and topics.
inline std::vector<std::string> ArchiveValues(const std::string& key, const std::vector<std::string>& topics) {
  std::vector<std::string> v(28);
  v[0] = key;
  v[1] = "PICTURE " + key;
  v[2] = "05-31-2024";
  v[3] = "JPG";
  v[4] = "24";
  v[5] = "-1";
  v[6] = "640";
  v[7] = "480";
  v[8] = "123456";
  v[9] = "2024";
  v[10] = "5";
  for (size_t k = 0; k < 10; ++k) v[11 + k] = k < topics.size() ? topics[k] : "(none)";
  v[21] = "free text of " + key;
  v[23] = "STANDARD";
  v[24] = "tester";
  v[25] = key + ".DOC";
  v[26] = key + ".WAV";
  return v;
}

// An archive's record file and counter in a test folder.
struct Archive {
  std::string f01, cpt;
  std::vector<DBFIELD> fields;
  explicit Archive(const TempDir& dir)
      : f01(dir.File("ARCHIVE.F01")), cpt(dir.File("ARCHIVE.CPT")), fields(db::ArchiveFields(10, 2024, 5)) {}
};

inline std::string FileBytes(const std::string& path) {
  std::string bytes;
  fileio::ReadWholeFile(path, bytes);
  return bytes;
}

inline void PutFileBytes(const std::string& path, const std::string& bytes) {
  fileio::File f;
  if (f.Open(path, fileio::Access::WriteNew) == 0) f.WriteAt(0, bytes.data(), bytes.size());
}

// Flips the bits of one byte of a file.
inline void CorruptByte(const std::string& path, size_t offset) {
  std::string bytes = FileBytes(path);
  if (offset < bytes.size()) bytes[offset] = char(bytes[offset] ^ 0x5A);
  PutFileBytes(path, bytes);
}
