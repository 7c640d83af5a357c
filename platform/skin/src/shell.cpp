// The engine's shell services: the drive list, the user's special folders, copying and
// moving files and folders.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_shell.h"

std::string SKDSKLIST() {
  std::string out;
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    char root[4] = {char('A' + i), ':', '\\', 0};
    out += GetDriveTypeA(root) == DRIVE_CDROM ? char('a' + i) : char('A' + i);
  }
  return out;
}

std::string SKGETSPECIALFOLDER(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0]) return std::string();
  return fileio::WithTrailingSeparator(path);
}

namespace {

// SHFileOperation for folders: quiet, no questions, no error boxes. Its own result codes are
// not Windows error numbers; a failure is reported as "access denied" unless Windows says more.
int ShellOperation(HWND owner, UINT operation, const std::string& source, const std::string& dest) {
  std::string from = source;
  from.push_back('\0');
  std::string to = dest;
  to.push_back('\0');
  SHFILEOPSTRUCTA op{};
  op.hwnd = owner;
  op.wFunc = operation;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_SILENT;
  int rc = SHFileOperationA(&op);
  if (rc == 0 && !op.fAnyOperationsAborted) return 0;
  DWORD e = GetLastError();
  return e ? int(e) : int(ERROR_ACCESS_DENIED);
}

}  // namespace

int SKSHELLCOPY(HWND owner, const std::string& source, const std::string& dest) {
  if (source.empty() || dest.empty()) return int(ERROR_INVALID_NAME);
  if (!fileio::Exists(source)) return int(ERROR_FILE_NOT_FOUND);
  if (fileio::IsDirectory(source)) return ShellOperation(owner, FO_COPY, source, dest);
  return CopyFileA(source.c_str(), dest.c_str(), FALSE) ? 0 : int(GetLastError());
}

int SKSHELLMOVE(HWND owner, const std::string& source, const std::string& dest) {
  if (source.empty() || dest.empty()) return int(ERROR_INVALID_NAME);
  if (!fileio::Exists(source)) return int(ERROR_FILE_NOT_FOUND);
  if (MoveFileExA(source.c_str(), dest.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) return 0;
  if (fileio::IsDirectory(source)) return ShellOperation(owner, FO_MOVE, source, dest);
  return int(GetLastError());
}
