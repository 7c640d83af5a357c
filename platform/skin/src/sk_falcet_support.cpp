// The media player's skin engine functions: special folders, the internet state and the
// dial-up connection.
#include <windows.h>
#include <ras.h>
#include <raserror.h>
#include <shlobj.h>
#include <wininet.h>

#include <vector>

#include "fileio/paths.h"
#include "skin/sk_falcet.h"

std::string SKGETSPECIALFOLDER(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0]) return std::string();
  return fileio::WithTrailingSeparator(path);
}

int SKINTERNETSTATE() {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) ? 1 : 0;
}

HANDLE SKRASCONNECT() {
  RASENTRYNAMEA first{};
  first.dwSize = sizeof first;
  DWORD bytes = sizeof first, count = 0;
  std::vector<RASENTRYNAMEA> entries(1, first);
  DWORD rc = RasEnumEntriesA(nullptr, nullptr, entries.data(), &bytes, &count);
  if (rc == ERROR_BUFFER_TOO_SMALL && count > 0) {
    entries.assign(count, first);
    bytes = DWORD(count * sizeof first);
    rc = RasEnumEntriesA(nullptr, nullptr, entries.data(), &bytes, &count);
  }
  if (rc != 0 || count == 0) return nullptr;
  RASDIALPARAMSA params{};
  params.dwSize = sizeof params;
  lstrcpynA(params.szEntryName, entries[0].szEntryName, sizeof params.szEntryName);
  BOOL hasPassword = FALSE;
  if (RasGetEntryDialParamsA(nullptr, &params, &hasPassword) != 0) return nullptr;
  HRASCONN connection = nullptr;
  // Without a notifier the call returns when the connection is made or has failed.
  if (RasDialA(nullptr, nullptr, &params, 0, nullptr, &connection) != 0) {
    if (connection) RasHangUpA(connection);
    return nullptr;
  }
  return reinterpret_cast<HANDLE>(connection);
}

void SKRASHANGUP(HANDLE connection) {
  if (connection) RasHangUpA(reinterpret_cast<HRASCONN>(connection));
}
