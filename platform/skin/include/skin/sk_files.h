// The skin engine's handle-based file functions and file-system helpers. Portable: the
// native build uses them too. Handles are small positive numbers; 0 is no file.
// Every result code is 0 on success or a Windows error number (text: SKWINERR).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Opens a file. access: 0 read, 1 create a new file to write (an existing one is
// emptied), 2 read and write. sharing: 0 compatible, 1 exclusive, 2 others only read,
// 3 others only write, 4 others read and write. handle receives the file number.
int SKFOPEN(const std::string& path, int access, int sharing, int& handle);
// Fills buffer from the current position with as many bytes as it holds; returns 0 when
// it was filled. On a short read the buffer keeps only the bytes read and the result is
// 38 (end of file).
int SKFGET(int handle, std::string& buffer);
// The same at a position counted from 0; the current position moves past the bytes read.
int SKFGETAT(int handle, int64_t position, std::string& buffer);
// Writes the text's bytes at the current position.
int SKFPUT(int handle, std::string_view text);
int SKFPUTAT(int handle, int64_t position, std::string_view text);
// Closes the file and sets the handle to 0. A handle of 0 is left alone.
void SKFCLOSE(int& handle);
// File length in bytes, -1 for an unknown handle.
int64_t SKFLOF(int handle);
// Fixed-length records, numbered from 1: record n starts at (n - 1) * its length. The
// record's length is the buffer's size.
int SKFGETR(int handle, std::string& record, int recordNumber);
int SKFPUTR(int handle, std::string_view record, int recordNumber);
// Byte-range locks; a range another handle holds fails at once with 33.
int SKFLOCK(int handle, int64_t offset, int64_t length);
int SKFUNLOCK(int handle, int64_t offset, int64_t length);
int SKFLUSH(int handle);
// Cuts (or extends) the file to the given length.
int SKSETEOFAT(int handle, int64_t length);

// Size in bytes of a file, -1 when it does not exist.
int64_t SKFILESIZE(const std::string& path);
// Not 0 when something matches: a file, a folder, or a wildcard pattern ("dir\*.*" is
// true for every existing folder).
int SKEXIST(const std::string& path);
// Deletes a file; 0 on success.
int SKKILLFILE(const std::string& path);
// Renames a file or folder; fails (183) when the target exists.
int SKRENAME(const std::string& from, const std::string& to);
// Creates a folder and the folders above it; 0 also when it exists.
int SKMAKEDIR(const std::string& path);
// Counts the entries matching a pattern whose attributes (read-only 1, hidden 2,
// system 4, folder 16, archive 32) hold no bit outside the mask.
int SKDIRCOUNT(const std::string& pattern, int attributeMask);
// Every folder below a folder, each before its own subfolders, as full paths.
int SKREADDIRS(const std::string& folder, std::vector<std::string>& folders);
// The temporary folder, ending in "\".
std::string SKGETTEMPPATH();

// Line reader: returns the next line of the file without its line end (CR LF, LF or CR)
// and sets endFlag to not 0 with the last line. A missing file gives "" with the flag
// set. Calling it with another path starts that file; an empty path closes early.
// One reader per thread.
std::string SKBUFIN(const std::string& path, int& endFlag);
