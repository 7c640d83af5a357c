// The field table and the splitting and filling of fixed-length records.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <new>

#include "bytes.h"
#include "fileio/file.h"
#include "db/db.h"
#include "db/archive.h"

namespace {
std::atomic<bool> gDayFirst{false};
}  // namespace

void DbSetDayFirstDates(bool dayFirst) { gDayFirst = dayFirst; }
bool DbDayFirstDates() { return gDayFirst.load(); }

void EncodeDbField(const DBFIELD& f, uint8_t out[kDbFieldSize]) {
  using namespace db;
  for (size_t i = 0; i < kDbFieldSize; ++i) out[i] = 0;
  Put16(out + 0, uint16_t(f.kind));
  Put16(out + 2, uint16_t(f.width));
  Put16(out + 4, uint16_t(f.controlWidth));
  Put16(out + 8, uint16_t(f.shade));
  Put16(out + 10, uint16_t(f.x));
  Put16(out + 12, uint16_t(f.y));
  PutI32(out + 14, f.style);
  PutI32(out + 18, f.colour1);
  PutI32(out + 22, f.colour2);
  Put16(out + 26, uint16_t(f.minimum));
  Put16(out + 28, uint16_t(f.maximum));
  Put16(out + 30, uint16_t(f.defaultValue));
  out[32] = f.flag;
  // Window handles travel in 32 bits; Windows keeps their values within that range.
  PutI32(out + 33, int32_t(f.control));
  PutI32(out + 37, int32_t(f.label));
  Put16(out + 41, uint16_t(f.position));
  out[43] = f.spare;
}

DBFIELD DecodeDbField(const uint8_t in[kDbFieldSize]) {
  using namespace db;
  DBFIELD f;
  f.kind = int16_t(Get16(in + 0));
  f.width = int16_t(Get16(in + 2));
  f.controlWidth = int16_t(Get16(in + 4));
  f.shade = int16_t(Get16(in + 8));
  f.x = int16_t(Get16(in + 10));
  f.y = int16_t(Get16(in + 12));
  f.style = GetI32(in + 14);
  f.colour1 = GetI32(in + 18);
  f.colour2 = GetI32(in + 22);
  f.minimum = int16_t(Get16(in + 26));
  f.maximum = int16_t(Get16(in + 28));
  f.defaultValue = int16_t(Get16(in + 30));
  f.flag = in[32];
  f.control = intptr_t(GetI32(in + 33));
  f.label = intptr_t(GetI32(in + 37));
  f.position = int16_t(Get16(in + 41));
  f.spare = in[43];
  return f;
}

std::string EncodeDbFields(const std::vector<DBFIELD>& fields) {
  std::string out(fields.size() * kDbFieldSize, '\0');
  for (size_t i = 0; i < fields.size(); ++i) {
    EncodeDbField(fields[i], reinterpret_cast<uint8_t*>(out.data() + i * kDbFieldSize));
  }
  return out;
}

std::vector<DBFIELD> DecodeDbFields(std::string_view bytes) {
  std::vector<DBFIELD> fields;
  for (size_t at = 0; at + kDbFieldSize <= bytes.size(); at += kDbFieldSize) {
    fields.push_back(DecodeDbField(reinterpret_cast<const uint8_t*>(bytes.data() + at)));
  }
  return fields;
}

int DbRecordLength(const std::vector<DBFIELD>& fields) {
  int length = 0;
  for (const auto& f : fields) {
    if (f.width > 0 && f.position >= 1) length = std::max(length, f.position + f.width - 1);
  }
  return length;
}

int DBREADF(std::string_view record, std::vector<std::string>& values, const std::vector<DBFIELD>& fields,
            int flag) {
  try {
    int rc = 0;
    values.assign(fields.size(), std::string());
    for (size_t i = 0; i < fields.size(); ++i) {
      const DBFIELD& f = fields[i];
      if (f.width <= 0 || f.position < 1 || size_t(f.position - 1) >= record.size()) {
        rc = kDbErrInvalidParameter;
        continue;
      }
      size_t start = size_t(f.position - 1);
      size_t end = start + size_t(f.width);
      if (end > record.size()) {
        end = record.size();
        rc = kDbErrInvalidParameter;
      }
      std::string text(record.substr(start, end - start));
      if (flag != -1) {
        while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
      }
      values[i] = std::move(text);
    }
    return rc;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int DBWRITF(int recordLength, std::string& record, const std::vector<std::string>& values,
            const std::vector<DBFIELD>& fields) {
  if (recordLength <= 0) return kDbErrInvalidParameter;
  try {
    const size_t length = size_t(recordLength);
    if (record.size() < length) record.resize(length, ' ');
    int rc = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
      const DBFIELD& f = fields[i];
      if (f.width <= 0 || f.position < 1 || size_t(f.position - 1) >= length) {
        rc = kDbErrInvalidParameter;
        continue;
      }
      // Only a date is converted; other values are copied as they are, without a copy of
      // their own (a filing writes every field of every record).
      std::string date;
      std::string_view text = i < values.size() ? std::string_view(values[i]) : std::string_view();
      if (f.kind == 4) text = date = db::DateToStored(text, gDayFirst.load());
      size_t start = size_t(f.position - 1);
      size_t end = start + size_t(f.width);
      // Never past the record: a field the record cannot hold is cut at its end.
      if (end > length) {
        end = length;
        rc = kDbErrInvalidParameter;
      }
      const size_t copied = std::min(text.size(), end - start);
      record.replace(start, copied, text.data(), copied);
      std::fill(record.begin() + std::ptrdiff_t(start + copied), record.begin() + std::ptrdiff_t(end), ' ');
    }
    return rc;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}
