// Property sets: the numbered, typed values that compound files keep in streams whose
// names begin with "\005" (summary information, picture descriptions). One section per
// set, as the picture formats use them. Portable.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "imglib/compound_file.h"

namespace imglib {

// Value types of the properties this layer writes or reads.
enum PropertyType : uint32_t {
  kVtI2 = 2,
  kVtI4 = 3,
  kVtR4 = 4,
  kVtUi1 = 17,
  kVtUi2 = 18,
  kVtUi4 = 19,
  kVtBlob = 65,
  kVtClsid = 72,
  kVtVector = 0x1000,
};

// The property every set carries first: its code page.
constexpr uint32_t kPropertyCodePage = 1;

class PropertySetWriter {
 public:
  // formatId names what the set describes; the code page goes in as property 1.
  PropertySetWriter(const ClassId& formatId, int codePage);
  void AddI4(uint32_t id, int32_t value);
  void AddUi4(uint32_t id, uint32_t value);
  void AddUi4Vector(uint32_t id, const std::vector<uint32_t>& values);
  void AddBlob(uint32_t id, std::string_view bytes);
  void AddClassId(uint32_t id, const ClassId& value);
  std::string Bytes() const;

 private:
  void AddI2(uint32_t id, int16_t value);
  ClassId formatId_;
  std::vector<std::pair<uint32_t, std::string>> values_;  // id, type and value bytes
};

class PropertySetReader {
 public:
  // Reads the first section. kSuccess or kFileCorrupt.
  int Parse(std::string_view bytes);
  const ClassId& FormatId() const { return formatId_; }
  bool Has(uint32_t id) const { return values_.count(id) != 0; }
  // Whole numbers of any of the integer types.
  bool Integer(uint32_t id, int64_t& value) const;
  bool Blob(uint32_t id, std::string_view& value) const;

 private:
  ClassId formatId_{};
  std::string bytes_;
  std::map<uint32_t, size_t> values_;  // id -> offset of the type word in bytes_
};

}  // namespace imglib
