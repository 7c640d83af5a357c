// Append sessions: DBCREF keeps the index files of a record file open while the record
// file's handle stays open, so that filing many records does not open eleven files per
// record. A session ends when its record file's handle is found closed (at the next
// database call) or after a moment without use (a background janitor), so that no
// index file stays open behind the caller's back - another program may want to
// rebuild (delete and make anew) the indexes.
#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "btree_file.h"
#include "fileio/file.h"
#include "mapped_file.h"

namespace db {

struct SessionIndex {
  int number = 0;      // index number (0 = key index)
  size_t field = 0;    // its field in the table
  int width = 0;
  std::unique_ptr<BTreeFile> file;
};

struct AppendSession {
  AppendSession() = default;
  AppendSession(const AppendSession&) = delete;
  AppendSession& operator=(const AppendSession&) = delete;
  ~AppendSession();
  int fileNumber = 0;
  std::string pathKey;
  int recordLength = 0;
  bool headerChecked = false;
  // Within a batch the header lock and the indexes' group lock stay taken between the
  // filings of the batch's thread (a lease), until the batch ends, the session ends, or
  // another program knocks (locks.h): each filing then costs no lock calls of its own.
  bool leased = false;
  std::thread::id leaseOwner;
  std::chrono::steady_clock::time_point knockLook;
  // The record file's header page, where the append mark is set and cleared (where the
  // system allows a mapping of it; mapped_file.h).
  HeadPage head;
  bool headTried = false;
  // The record file's length when this handle last cleared its pending-append mark, -1
  // when unknown. Under the header lock, the same length again means nobody has appended
  // since, so the mark needs no reading (see AppendLocked).
  int64_t lengthAfterAppend = -1;
  std::vector<SessionIndex> indexes;
  std::chrono::steady_clock::time_point lastUse;
};

// Runs fn with the session of (path, fileNumber), made when missing, while no other
// thread uses sessions. fn(session) returns the call's result.
int WithAppendSession(const std::string& path, int fileNumber,
                      const std::function<int(AppendSession&)>& fn);
// Ends the sessions whose record file handle is closed.
void SweepAppendSessions();
// Ends every session of a record file (before its index files are replaced).
void EndAppendSessions(const std::string& path);
// Lets the append session's lease go: the header lock and the group lock.
void EndAppendLease(AppendSession& s);
// Keeps the session's lease for one more filing when this thread's batch still runs and
// nobody knocked; otherwise lets it go (and, for a knock, waits until the knocker is in).
bool KeepAppendLease(AppendSession& s);
// Lets go every append lease of this process (before a header lock is taken through
// another handle, which the lease would keep waiting).
void EndAppendLeases();

// An open counter file. Within a batch its lock stays taken between the numbers that the
// batch's thread takes (a lease, as for appends), and the number is known without a read.
struct CounterFile {
  CounterFile() = default;
  CounterFile(const CounterFile&) = delete;
  CounterFile& operator=(const CounterFile&) = delete;
  ~CounterFile();
  fileio::File file;
  std::chrono::steady_clock::time_point lastUse;
  bool leased = false;
  std::thread::id leaseOwner;
  std::chrono::steady_clock::time_point knockLook;
  // The record file's header page, where the append mark is set and cleared (where the
  // system allows a mapping of it; mapped_file.h).
  HeadPage head;
  bool headTried = false;
  std::string text;  // the file's content while leased
};
void EndCounterLease(CounterFile& c);
bool KeepCounterLease(CounterFile& c);

// Runs fn with the open counter file of that path (opened, made when missing, when it is
// not open yet). Counter files stay open for a moment after use, like the indexes of an
// append session, and are closed by the same janitor.
int WithCounterFile(const std::string& path, const std::function<int(CounterFile&)>& fn);
// Lets go the leases of this thread: its outermost batch ends.
void EndThreadLeases();
// Called by a thread that has just taken a lease.
void MarkLeaseTaken();
// How long an unused session stays open.
inline constexpr auto kSessionIdle = std::chrono::milliseconds(300);

}  // namespace db
