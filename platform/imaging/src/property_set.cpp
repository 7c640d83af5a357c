#include "imglib/property_set.h"

#include <cstring>

#include "imglib/byte_io.h"

namespace imglib {

namespace {

constexpr size_t kSetHeaderSize = 28;
constexpr size_t kSectionListSize = 20;  // one format id and its offset

std::string TypeWord(uint32_t type) {
  std::string out;
  ByteWriter(out).U32LE(type);
  return out;
}

void PadTo4(std::string& out) { out.append((4 - out.size() % 4) % 4, '\0'); }

}  // namespace

PropertySetWriter::PropertySetWriter(const ClassId& formatId, int codePage) : formatId_(formatId) {
  AddI2(kPropertyCodePage, int16_t(codePage));
}

void PropertySetWriter::AddI2(uint32_t id, int16_t value) {
  std::string v = TypeWord(kVtI2);
  ByteWriter(v).U16LE(uint16_t(value));
  PadTo4(v);
  values_.emplace_back(id, std::move(v));
}

void PropertySetWriter::AddI4(uint32_t id, int32_t value) {
  std::string v = TypeWord(kVtI4);
  ByteWriter(v).U32LE(uint32_t(value));
  values_.emplace_back(id, std::move(v));
}

void PropertySetWriter::AddUi4(uint32_t id, uint32_t value) {
  std::string v = TypeWord(kVtUi4);
  ByteWriter(v).U32LE(value);
  values_.emplace_back(id, std::move(v));
}

void PropertySetWriter::AddUi4Vector(uint32_t id, const std::vector<uint32_t>& values) {
  std::string v = TypeWord(kVtVector | kVtUi4);
  ByteWriter w(v);
  w.U32LE(uint32_t(values.size()));
  for (uint32_t x : values) w.U32LE(x);
  values_.emplace_back(id, std::move(v));
}

void PropertySetWriter::AddBlob(uint32_t id, std::string_view bytes) {
  std::string v = TypeWord(kVtBlob);
  ByteWriter(v).U32LE(uint32_t(bytes.size()));
  v.append(bytes);
  PadTo4(v);
  values_.emplace_back(id, std::move(v));
}

void PropertySetWriter::AddClassId(uint32_t id, const ClassId& value) {
  std::string v = TypeWord(kVtClsid);
  ByteWriter(v).Bytes(value.data(), value.size());
  values_.emplace_back(id, std::move(v));
}

std::string PropertySetWriter::Bytes() const {
  std::string out;
  ByteWriter w(out);
  w.U16LE(0xFFFE);  // byte order
  w.U16LE(0);       // version
  w.U32LE(0);       // system
  w.Zeros(16);      // class id
  w.U32LE(1);       // sections
  w.Bytes(formatId_.data(), formatId_.size());
  w.U32LE(uint32_t(kSetHeaderSize + kSectionListSize));
  size_t section = out.size();
  size_t offset = 8 + values_.size() * 8;
  w.U32LE(0);  // section size, patched below
  w.U32LE(uint32_t(values_.size()));
  for (const auto& [id, value] : values_) {
    w.U32LE(id);
    w.U32LE(uint32_t(offset));
    offset += value.size();
  }
  for (const auto& entry : values_) w.Text(entry.second);
  w.PatchU32LE(section, uint32_t(out.size() - section));
  return out;
}

int PropertySetReader::Parse(std::string_view bytes) {
  *this = PropertySetReader{};
  ByteReader r(bytes);
  if (r.U16LE() != 0xFFFE) return kFileCorrupt;
  r.Skip(2 + 4 + 16);
  uint32_t sections = r.U32LE();
  r.Bytes(formatId_.data(), formatId_.size());
  uint32_t sectionAt = r.U32LE();
  if (r.Failed() || sections == 0 || sectionAt > bytes.size()) return kFileCorrupt;
  ByteReader s(bytes.substr(sectionAt));
  uint32_t size = s.U32LE(), count = s.U32LE();
  if (s.Failed() || size > s.Size() || count > size / 8) return kFileCorrupt;
  bytes_ = std::string(bytes.substr(sectionAt, size));
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t id = s.U32LE(), offset = s.U32LE();
    if (s.Failed() || offset > bytes_.size() || bytes_.size() - offset < 8) return kFileCorrupt;
    values_[id] = offset;
  }
  return kSuccess;
}

bool PropertySetReader::Integer(uint32_t id, int64_t& value) const {
  auto it = values_.find(id);
  if (it == values_.end()) return false;
  ByteReader r(std::string_view(bytes_).substr(it->second));
  switch (r.U32LE()) {
    case kVtI2: value = r.I16LE(); return true;
    case kVtUi1: value = r.U8(); return true;
    case kVtUi2: value = r.U16LE(); return true;
    case kVtI4: value = r.I32LE(); return true;
    case kVtUi4: value = r.U32LE(); return true;
    default: return false;
  }
}

bool PropertySetReader::Blob(uint32_t id, std::string_view& value) const {
  auto it = values_.find(id);
  if (it == values_.end()) return false;
  ByteReader r(std::string_view(bytes_).substr(it->second));
  if (r.U32LE() != kVtBlob) return false;
  uint32_t size = r.U32LE();
  if (size > r.Remaining()) return false;
  value = std::string_view(bytes_).substr(it->second + 8, size);
  return true;
}

}  // namespace imglib
