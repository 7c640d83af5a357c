// The archive's database library: fixed-length record files with a header record,
// B-tree key indexes and the media library, under the names the archive programs call.
//
// Results: 0 = success, 9999 = refused, any other number is a Windows error number
// (its text comes from SKWINERR). Nothing here throws.
//
// Arrays: `values` and `fields` are in form order, element 0 being field 1 (the key).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Result codes that callers test for.
inline constexpr int kDbOk = 0;
inline constexpr int kDbRefused = 9999;
inline constexpr int kDbErrNotFound = 2;          // no such file or item
inline constexpr int kDbErrInvalidHandle = 6;
inline constexpr int kDbErrInvalidData = 13;      // a file does not fit the field table, a damaged counter
inline constexpr int kDbErrLockViolation = 33;    // another program held the lock too long
inline constexpr int kDbErrInvalidParameter = 87;
inline constexpr int kDbErrAlreadyExists = 183;   // the key is filed already
inline constexpr int kDbErrCorrupt = 1392;        // a damaged index or media library item

// Status of the B-tree calls.
inline constexpr int kBtDone = 0;
inline constexpr int kBtNoKey = 1;   // no (further) key; for qBtSearch: not found
inline constexpr int kBtFailed = 2;

// One form field as every archive program hands it to the library. Exchanged as a
// 44-byte little-endian record (EncodeDbField); the window handles are pointer-sized
// here and 32 bits wide in the exchanged form (Windows keeps handle values in 32 bits).
struct DBFIELD {
  int16_t kind = 0;          // input kind: 2 text, 4 date, 6 one-character flag, 10 number, 20 text
  int16_t width = 0;         // columns in the record
  int16_t controlWidth = 0;  // pixels; 0 for most fields
  int16_t shade = 0;
  int16_t x = 0;
  int16_t y = 0;
  int32_t style = 0;
  int32_t colour1 = 0;
  int32_t colour2 = 0;
  int16_t minimum = 0;
  int16_t maximum = 0;
  int16_t defaultValue = 0;
  uint8_t flag = 0;          // 0 plain, 1 topic with an index of its own, 2 range-checked, 10 as 1
  intptr_t control = 0;      // window of the input control
  intptr_t label = 0;        // window of the caption
  int16_t position = 0;      // first column in the record, from 1
  uint8_t spare = 0;         // byte 43: free for the caller (the query tool keeps an operator here)
};
inline constexpr size_t kDbFieldSize = 44;
void EncodeDbField(const DBFIELD& field, uint8_t out[kDbFieldSize]);
DBFIELD DecodeDbField(const uint8_t in[kDbFieldSize]);
std::string EncodeDbFields(const std::vector<DBFIELD>& fields);
std::vector<DBFIELD> DecodeDbFields(std::string_view bytes);

// Record length of a field table: the last column any field uses (0 for none).
int DbRecordLength(const std::vector<DBFIELD>& fields);

// ---- Record files -------------------------------------------------------------------

// Makes the record file with its header record (a 32-bit 0, then blanks) when it is
// missing or shorter than one record; 0 also when it exists.
int DBCREATE(const std::string& path, int recordLength);
// Opens the record file for reading and writing (shared with other programs) and gives
// a file number for the skin engine's record functions (close it with SKFCLOSE). A file
// that can only be read is opened for reading: ok = 1 with the code of the refused write
// access. ok = 0: unusable (missing, or cannot be opened at all).
int DBOPENF(const std::string& path, int& fileNumber, int& ok);
// Appends a record: under the header record's lock it takes the next record number,
// writes the record and inserts its keys into index 0 (field 1) and into index k of
// the k-th field whose flag is 1 (or 10). What a killed program left is finished first: a
// rebuild's replacement (DbFinishReplacement), a rewrite, an append. A record file whose
// header names no record being appended, or whose key index does not count its records
// (the file was cut or replaced under its indexes), is refused with 1392 and left as it
// is (db::CheckRecordFile says why). The key must not be blank, must not start with a
// blank or "/", and must not be filed already (183). A failure leaves neither the record
// nor any of its keys behind.
int DBCREF(const std::string& path, int fileNumber, const std::vector<std::string>& values,
           const std::vector<DBFIELD>& fields);
// Splits a record into its field texts. flag 0: trailing blanks removed (what a form
// shows and a query compares); flag -1: each field's columns exactly. A field that runs
// past the record's end gives what the record holds of it ("" beyond), and the result 87.
int DBREADF(std::string_view record, std::vector<std::string>& values, const std::vector<DBFIELD>& fields,
            int flag);
// Writes each value left-justified and blank-padded (or cut) into its columns. The
// record is grown with blanks to the record length when shorter; nothing is written at
// or past the record length: a field that does not fit is cut there and the result is
// 87. A date field (kind 4) given as a ten-character date is stored as YYYYMMDD.
int DBWRITF(int recordLength, std::string& record, const std::vector<std::string>& values,
            const std::vector<DBFIELD>& fields);
// The file name of index k of a record file (0 = key index): the record file's path
// followed by ".K" and k with two digits ("ARCHIVE.F01.K03").
std::string DBINDEX(const std::string& path, int k);
// The indexes of a record file for a field table: index 0 over field 1, then index k
// over the k-th field whose flag is 1 (10 counts as 1). Every caller that names an index
// by its number counts them this way.
namespace db {
struct IndexLayout {
  int number = 0;    // k of DBINDEX
  size_t field = 0;  // the field's place in the table, from 0
  int width = 0;     // the key length: the field's width
};
// 87 (and no layouts) when a field of the table cannot be indexed: field 1 or an indexed
// field without columns, or wider than the longest key (240).
int IndexLayouts(const std::vector<DBFIELD>& fields, std::vector<IndexLayout>& layouts);
// Whether a record file can be filed into, for a program's start and its messages: 0, or
// a code and one line that names the file and what is wrong with it (a header number
// that names no record being appended, records and key index that no longer match, a
// file made for another record length) and what mends it. A file that does not exist
// yet, or that another program is appending to right now, is no problem.
int CheckRecordFile(const std::string& path, const std::vector<DBFIELD>& fields, std::string& problem);
// The record an append is writing or was killed writing (0: none): the header names it
// and the file holds it whole, while its keys may be partly filed. Readers pass it over
// until the append completes or the next filing or start takes it back.
int64_t AppendingRecord(const std::string& path, int recordLength);
}  // namespace db

// The path with the first letter of its name's extension replaced (73: ".B01" -> ".I01").
std::string DBNAME(const std::string& path, int characterCode);
// The next name from a pattern and a counter file: the pattern's trailing digits are
// replaced by the counter's next number, as wide as they are ("TWN00000" -> "TWN00001";
// a pattern without digits gets the number appended). step 0 only shows the next name;
// step n >= 1 takes it and moves the counter on by n. The counter is locked against
// other programs meanwhile, so no two callers ever get the same name. "" when the
// counter file cannot be used or the number no longer fits the pattern.
std::string DBSEQUENCE(const std::string& counterFile, const std::string& pattern, int step);
// The name of the user running the program ("" when it cannot be found).
std::string DBUSERNAME();

// ---- B-tree indexes -----------------------------------------------------------------
// Keys are exactly the key length: shorter keys are padded with blanks, longer ones cut.
// A key may be filed many times with different values (duplicate keys, kept in value
// order); filing the same key and value twice keeps one pair. Every index can be
// rebuilt from its record file (DbRebuildIndexes). A damaged index file is reported
// with 1392 and status 2; it is never followed.

// Opens an index (a missing one is made empty); handle 0 on failure. Opening an index
// with another key length than it was made with gives 87. A change that a killed program
// left half done is undone from the index's journal ("<index>.UND") by the next call
// that takes the index's lock.
int qBtOpen(const std::string& file, int keyLength, int& handle, int& status);
// Closes the handle and sets it to 0 (0 is left alone).
int qBtClose(int& handle);
// Each of these: key and value in and out, status 0 done, 1 no (further) key, 2 failed.
int qBtInsert(int handle, std::string& key, int32_t& value, int& status);
// Removes the pair (key, value); status 1 when it is not there.
int qBtDelete(int handle, std::string& key, int32_t& value, int& status);
// The first pair with the key (status 0: found). Not found: status 1, key and value
// unchanged, and the cursor stands where the key would be, so that qBtNext gives the
// next greater key and qBtPrev the next smaller one.
int qBtSearch(int handle, std::string& key, int32_t& value, int& status);
int qBtFirst(int handle, std::string& key, int32_t& value, int& status);
int qBtLast(int handle, std::string& key, int32_t& value, int& status);
// Step from the cursor (after qBtSearch, qBtFirst, ...). A fresh handle's qBtNext is
// qBtFirst and its qBtPrev qBtLast. Status 1 leaves the cursor where it was.
int qBtNext(int handle, std::string& key, int32_t& value, int& status);
int qBtPrev(int handle, std::string& key, int32_t& value, int& status);
// The last pair whose key is smaller than the given key.
int qBtBefore(int handle, std::string& key, int32_t& value, int& status);
// Number of pairs in the index; -1 for an unknown handle or a damaged index.
int qBtKeyNbr(int handle);

// ---- Media library ------------------------------------------------------------------
// A library "<lib>.B01" holds items one after another: the file's bytes and a 22-byte
// trailer (int32 length of data + trailer, 12-character name, end mark 9F "in" CR LF 1A);
// its index "<lib>.I01" maps the name to the offset just past the trailer.

// Turns an archive's base name into the base name of its library number n (1 .. 999):
// the name followed by n with three digits ("ARCHIVE" -> "ARCHIVE001").
int qBtMmName(std::string& name, int number);
// mode 1: turns "key.ext" into the library's 12-character item name: upper case, the
// key cut to 8 characters, the extension to 3, blank-padded ("00000042.JPG"). The name
// is also remembered as the item name of this thread's next qBtMmLib call.
// mode 0: the display form (trailing blanks removed).
int qBtMmText(std::string& item, int mode);
// operation 1: stores the file as an item (9999 when the library holds the name
// already, or the library would pass 2 GiB); -2 (or 2): copies the item out into the
// file (2 when the library does not hold it, 1392 when its trailer is damaged); -3 (or
// 3): removes the item (0 also when the library does not hold it); 4 (or -4): checks
// the item (0 when it is intact). The item's name is the one the last qBtMmText call of
// this thread gave, when there was one since the last qBtMmLib call; otherwise the
// file's own name in the library's form. Library and file names end at their first zero
// byte (callers may pass fixed 128-byte buffers).
int qBtMmLib(const std::string& library, const std::string& file, int operation);

// ---- Helpers beyond the library's classic calls -------------------------------------

// Rebuilds every index of a record file from its records (index 0 and one per field
// with flag 1 or 10), leaving the records where they are; deleted records ("/" keys)
// keep their "/" key in index 0. progress (may be empty) gets 0 .. 100.
int DbRebuildIndexes(const std::string& path, const std::vector<DBFIELD>& fields,
                     void (*progress)(int percent, void* context) = nullptr, void* context = nullptr);
// Takes back an append that a program killed while appending left half done (its record
// and whatever keys it filed) and completes an interrupted rewrite (DbRewriteRecord); 0
// also when there was none. DBCREF takes back appends before it appends; a program calls
// it at start to see the archive whole.
int DbFinishInterruptedAppend(const std::string& path, const std::vector<DBFIELD>& fields);
// Overwrites record recordNumber of an open record file with `record` (the record length
// exactly) and moves the record's index pairs from what the slot held to what `record`
// holds, as one change: a record whose key starts with "/" (deleted) keeps its index 0
// pair only. The caller holds the header lock (DbLockHeader). The change is written to the
// rewrite journal "<path>.JNL" first, so that a program killed half way leaves it to the
// next call here, DbFinishInterruptedRewrite or DbFinishInterruptedAppend, which complete
// it. An unchanged record writes nothing; a slot past the file's end gives 87. A damaged
// index is stepped over: the rest of the change is whole and the result is 1392 (the
// index is to be rebuilt). The files are on the disk when it returns.
int DbRewriteRecord(const std::string& path, int fileNumber, int recordNumber, const std::string& record,
                    const std::vector<DBFIELD>& fields);
// A rebuild of a record file (the topic editor's) writes the squeezed copy "<path>.NEW"
// and its indexes beside it, then sets the mark "<path>.NEW.OK" while it puts them in
// place under the header lock.
std::string DbReplacementMark(const std::string& path);
std::string DbReplacementCopy(const std::string& path);
// Finishes what a killed rebuild left: with the mark, its complete files are put in place
// (the record file through fileNumber, the indexes copied over the old index files);
// without it, the unfinished copy beside is removed. The caller holds the header lock
// (which every rebuild holds for its whole run) and is not within a DBCREF call.
// DBCREF and DbFinishInterruptedAppend call it, so that a killed rebuild never blocks a
// filing. 0 also when there was nothing to do.
int DbFinishReplacement(const std::string& path, int fileNumber, const std::vector<DBFIELD>& fields);
// Completes a rewrite that a killed program left in the journal (0 also when there was
// none; a journal that no longer fits the slot's key is dropped). The caller holds the
// header lock; a program that rebuilds the record file calls it before it reads records.
int DbFinishInterruptedRewrite(const std::string& path, int fileNumber);
// DBCREF, DBCREATE, DBSEQUENCE (taking a number), DbRebuildIndexes and qBtMmLib flush
// the files they changed to disk once before they return, so that a filing the user saw
// done survives a power loss. qBtInsert and qBtDelete are steps of a caller's operation:
// their index is flushed when its handle closes, or at the end of the batch they run
// in. Between DbBeginBatch and DbEndBatch (on one thread; they nest) every flush waits,
// and each changed file is flushed once at the outermost DbEndBatch: a save of a record
// and its keys, or an import of many records, costs one flush per file. Close record
// files after the batch ends. DbEndBatch gives the first failure of the flushes
// (87 without a DbBeginBatch).
void DbBeginBatch();
int DbEndBatch();
// Locks the header record of an open record file (bytes 0 .. recordLength - 1) as DBCREF
// does, waiting up to the lock timeout while another program holds it (then 33). Give it
// back with SKFUNLOCK (fileNumber, 0, recordLength).
int DbLockHeader(int fileNumber, int recordLength);
// Closes the index files of a record file that this program's appends keep open for a
// moment, so that they can be replaced.
void DbCloseIndexes(const std::string& path);
// How long a call waits for a lock that another program holds (default 10 s).
void DbSetLockTimeout(int milliseconds);
// Order of a ten-character display date: false = month first ("01-31-2024", the
// default), true = day first ("31/01/2024", a French interface).
void DbSetDayFirstDates(bool dayFirst);
bool DbDayFirstDates();
