// DBSEQUENCE: names from a pattern and a counter file. The counter file holds the last
// number taken as ten (or more) decimal digits and CR LF; it is read and moved on under
// a lock, so that two programs filing at once never take the same number.
#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <thread>

#include "db/db.h"
#include "fileio/file.h"
#include "flushes.h"
#include "locks.h"
#include "sessions.h"

namespace {

constexpr int kMaxDigits = 18;  // numbers stay well inside 64 bits

bool ParseCounter(const std::string& text, uint64_t& number) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n' || text[end - 1] == ' ')) --end;
  size_t start = 0;
  while (start < end && text[start] == ' ') ++start;
  number = 0;
  if (end - start > size_t(kMaxDigits)) return false;
  for (size_t i = start; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    number = number * 10 + uint64_t(text[i] - '0');
  }
  return true;
}

std::string Padded(uint64_t number, size_t width) {
  std::string digits = std::to_string(number);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

}  // namespace

std::string DBSEQUENCE(const std::string& counterFile, const std::string& pattern, int step) {
  try {
    size_t digitsAt = pattern.size();
    while (digitsAt > 0 && pattern[digitsAt - 1] >= '0' && pattern[digitsAt - 1] <= '9') --digitsAt;
    const std::string prefix = pattern.substr(0, digitsAt);
    const size_t width = pattern.size() - digitsAt;
    uint64_t base = 0;
    if (width > size_t(kMaxDigits) || !ParseCounter(pattern.substr(digitsAt), base)) return "";

    if (counterFile.empty()) return "";
    std::string name;
    db::WithCounterFile(counterFile, [&](db::CounterFile& c) {
      fileio::File& f = c.file;
      // A batch keeps the counter's lock between its numbers, and knows the file's text.
      const bool kept = db::KeepCounterLease(c);
      int rc = 0;
      std::string text;
      if (kept) {
        text = c.text;
      } else {
        rc = db::WaitForLock([&] { return f.Lock(db::kGroupLockOffset, 1); },
                             [&](bool on) { return db::Knock(f, on); });
        if (rc != 0) return rc;
        text.assign(64, '\0');
        size_t got = 0;
        rc = f.ReadAt(0, text.data(), text.size(), got);
        text.resize(got);
      }
      uint64_t last = 0;
      // A counter that is not a number is damaged: better no name than a name twice.
      const bool number = rc == 0 && ParseCounter(text, last);
      if (number) {
        uint64_t current = std::max(last, base);
        std::string digits = Padded(current + 1, width);
        if (width == 0 || digits.size() <= width) {
          name = prefix + digits;
          if (step > 0) {
            std::string stored = Padded(current + uint64_t(step), 10) + "\r\n";
            rc = f.WriteAt(0, stored.data(), stored.size());
            if (rc == 0 && text.size() > stored.size()) rc = f.Truncate(int64_t(stored.size()));
            if (rc != 0) name.clear();
            if (rc == 0) text = stored;
          }
        }
      }
      if (rc == 0 && number && db::InBatch()) {
        if (!kept) {
          c.leased = true;
          c.leaseOwner = std::this_thread::get_id();
          c.knockLook = std::chrono::steady_clock::now();
          db::MarkLeaseTaken();
        }
        c.text = text;
      } else if (kept) {
        db::EndCounterLease(c);
      } else {
        f.Unlock(db::kGroupLockOffset, 1);
      }
      // A number handed out must stay taken after a power loss.
      if (rc == 0 && step > 0 && !name.empty()) {
        fileio::File* file = &f;
        rc = db::FlushAtEnd(uintptr_t(file), [file] { return file->Flush(); });
        if (rc != 0) name.clear();
      }
      return rc;
    });
    return name;
  } catch (const std::bad_alloc&) {
    return "";
  }
}
