// Stream addresses: fetched through WinINet into the download folder, then played from
// there. Without a connection the open fails with kBassErrorNoNet.
#include <windows.h>
#include <wininet.h>

#include "audio/bass.h"
#include "../decoders.h"
#include "fileio/file.h"
#include "fileio/paths.h"

namespace audio {

namespace {

constexpr DWORD kTimeoutMs = 8000;
// A live stream never ends: what is fetched of it is played.
constexpr uint64_t kMostBytes = 64ull * 1024 * 1024;

struct InternetHandle {
  HINTERNET h = nullptr;
  ~InternetHandle() {
    if (h) InternetCloseHandle(h);
  }
};

// The file name the address ends with, made safe for the file system.
std::string LocalName(const std::string& address) {
  std::string path = address.substr(0, address.find_first_of("?#"));
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string safe;
  for (char c : name) safe += (c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') ? '_' : c;
  return safe.empty() ? std::string("stream.mp3") : safe;
}

}  // namespace

int FetchStream(const std::string& address, const std::string& folder, std::string& localFile) {
  InternetHandle session{InternetOpenA("falcet", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
  if (!session.h) return kBassErrorNoNet;
  DWORD timeout = kTimeoutMs;
  InternetSetOptionA(session.h, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
  InternetSetOptionA(session.h, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
  InternetHandle url{InternetOpenUrlA(session.h, address.c_str(), nullptr, 0,
                                      INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD, 0)};
  if (!url.h) {
    // No name resolution, no route, a refused connection: all mean no network here.
    DWORD e = GetLastError();
    return e == ERROR_INTERNET_TIMEOUT ? kBassErrorTimeout : kBassErrorNoNet;
  }
  DWORD status = 0, size = sizeof status;
  if (HttpQueryInfoA(url.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
      status >= 400)
    return kBassErrorFileOpen;
  localFile = fileio::WithTrailingSeparator(folder) + LocalName(address);
  fileio::MakeDirectories(folder);
  fileio::File out;
  if (out.Open(localFile, fileio::Access::WriteNew) != fileio::kOk) return kBassErrorFileOpen;
  char buffer[16384];
  uint64_t total = 0;
  for (;;) {
    DWORD got = 0;
    if (!InternetReadFile(url.h, buffer, sizeof buffer, &got)) return kBassErrorTimeout;
    if (got == 0) break;
    if (out.Write(buffer, got) != fileio::kOk) return kBassErrorFileOpen;
    total += got;
    if (total >= kMostBytes) break;
  }
  return total ? kBassOk : kBassErrorFileForm;
}

}  // namespace audio
