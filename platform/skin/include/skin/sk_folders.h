// The skin engine's folder-tree services: emptying a folder tree, the size of a folder tree
// and the free space of a volume. SKCLEARTREE and SKFOLDERSIZE are portable; SKDISKFREE is
// Windows only.
#pragma once
#include <cstdint>
#include <string>

// Deletes every file and folder inside folder and keeps the folder itself. A drive's or a
// share's root, a relative path and an empty text are refused with 5 (access denied), so
// that a wrong setting can never empty a whole drive. Returns 0, or the first error met
// (the rest is still tried); a missing folder is 3.
int SKCLEARTREE(const std::string& folder);
// True for what SKCLEARTREE refuses to empty: a drive's or a share's root, a relative
// path, an empty text.
bool SkIsRootOrRelative(const std::string& folder);
// The bytes of every file in folder and below it; 0 for a missing folder.
int64_t SKFOLDERSIZE(const std::string& folder);

#ifdef _WIN32
// Free bytes available to the caller on the volume of path (a folder that need not exist
// yet: its nearest existing parent is asked); -1 when that cannot be told.
int64_t SKDISKFREE(const std::string& path);
#endif
