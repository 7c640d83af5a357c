// The internet state and the dial-up connection. Their libraries are loaded when first
// used, so that the programs that never ask do not load them at start.
#include <windows.h>
#include <ras.h>
#include <raserror.h>
#include <wininet.h>

#include <vector>

#include "engine_internal.h"
#include "skin/sk_system.h"

using skin_engine::LibraryCall;

namespace {

using ConnectedStateCall = BOOL(WINAPI*)(LPDWORD, DWORD);
using EnumEntriesCall = DWORD(WINAPI*)(LPCSTR, LPCSTR, LPRASENTRYNAMEA, LPDWORD, LPDWORD);
using GetDialParamsCall = DWORD(WINAPI*)(LPCSTR, LPRASDIALPARAMSA, LPBOOL);
using DialCall = DWORD(WINAPI*)(LPRASDIALEXTENSIONS, LPCSTR, LPRASDIALPARAMSA, DWORD, LPVOID, LPHRASCONN);
using HangUpCall = DWORD(WINAPI*)(HRASCONN);

}  // namespace

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
