// The media player's skin engine functions: special folders, the internet state and the
// dial-up connection. The internet and dial-up libraries are loaded when first used, so
// that the programs that never ask do not load them at start.
#include <windows.h>
#include <ras.h>
#include <raserror.h>
#include <shlobj.h>
#include <wininet.h>

#include <vector>

#include "fileio/paths.h"
#include "skin/sk_falcet.h"

namespace {

template <typename T>
T LibraryCall(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(library);
  return module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

using ConnectedStateCall = BOOL(WINAPI*)(LPDWORD, DWORD);
using EnumEntriesCall = DWORD(WINAPI*)(LPCSTR, LPCSTR, LPRASENTRYNAMEA, LPDWORD, LPDWORD);
using GetDialParamsCall = DWORD(WINAPI*)(LPCSTR, LPRASDIALPARAMSA, LPBOOL);
using DialCall = DWORD(WINAPI*)(LPRASDIALEXTENSIONS, LPCSTR, LPRASDIALPARAMSA, DWORD, LPVOID, LPHRASCONN);
using HangUpCall = DWORD(WINAPI*)(HRASCONN);

}  // namespace

std::string SKGETSPECIALFOLDER(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0]) return std::string();
  return fileio::WithTrailingSeparator(path);
}

int SKINTERNETSTATE() {
  auto connected = LibraryCall<ConnectedStateCall>("wininet.dll", "InternetGetConnectedState");
  DWORD flags = 0;
  return connected && connected(&flags, 0) ? 1 : 0;
}

HANDLE SKRASCONNECT() {
  auto enumEntries = LibraryCall<EnumEntriesCall>("rasapi32.dll", "RasEnumEntriesA");
  auto getParams = LibraryCall<GetDialParamsCall>("rasapi32.dll", "RasGetEntryDialParamsA");
  auto dial = LibraryCall<DialCall>("rasapi32.dll", "RasDialA");
  auto hangUp = LibraryCall<HangUpCall>("rasapi32.dll", "RasHangUpA");
  if (!enumEntries || !getParams || !dial || !hangUp) return nullptr;
  RASENTRYNAMEA first{};
  first.dwSize = sizeof first;
  DWORD bytes = sizeof first, count = 0;
  std::vector<RASENTRYNAMEA> entries(1, first);
  DWORD rc = enumEntries(nullptr, nullptr, entries.data(), &bytes, &count);
  if (rc == ERROR_BUFFER_TOO_SMALL && count > 0) {
    entries.assign(count, first);
    bytes = DWORD(count * sizeof first);
    rc = enumEntries(nullptr, nullptr, entries.data(), &bytes, &count);
  }
  if (rc != 0 || count == 0) return nullptr;
  RASDIALPARAMSA params{};
  params.dwSize = sizeof params;
  lstrcpynA(params.szEntryName, entries[0].szEntryName, sizeof params.szEntryName);
  BOOL hasPassword = FALSE;
  if (getParams(nullptr, &params, &hasPassword) != 0) return nullptr;
  HRASCONN connection = nullptr;
  // Without a notifier the call returns when the connection is made or has failed.
  if (dial(nullptr, nullptr, &params, 0, nullptr, &connection) != 0) {
    if (connection) hangUp(connection);
    return nullptr;
  }
  return reinterpret_cast<HANDLE>(connection);
}

void SKRASHANGUP(HANDLE connection) {
  auto hangUp = LibraryCall<HangUpCall>("rasapi32.dll", "RasHangUpA");
  if (connection && hangUp) hangUp(reinterpret_cast<HRASCONN>(connection));
}
