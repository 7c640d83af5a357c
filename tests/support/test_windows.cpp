#include "test_windows.h"

#include <cstdlib>

#include "fileio/file.h"
#include "fileio/paths.h"

std::string TestProgramFolder() {
  char path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return fileio::FolderOf(std::string(path, n));
}

std::string SuiteFolder() { return TestProgramFolder() + "..\\suite\\"; }

ChildProcess::~ChildProcess() {
  if (Running()) Kill();
  Release();
}

void ChildProcess::Release() {
  process_.Reset();
  thread_.Reset();
  id_ = 0;
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments, const std::string& folder) {
  Release();  // the handles of a process started before by this object
  std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  startError_ = 0;
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    startError_ = GetLastError();
    return false;
  }
  process_.Reset(pi.hProcess);
  thread_.Reset(pi.hThread);
  id_ = pi.dwProcessId;
  return true;
}

int ChildProcess::Wait(DWORD milliseconds) {
  if (!process_) return -1;
  if (WaitForSingleObject(process_.Get(), milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return int(code);
}

bool ChildProcess::Running() const { return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

void ChildProcess::Kill() {
  if (process_) {
    TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

namespace {

struct TopWindowSearch {
  const char* className;
  const std::function<bool(HWND)>* accept;
  HWND found;
};

BOOL CALLBACK FindTopWindowProc(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<TopWindowSearch*>(lp);
  char cls[256];
  if (*s->className && (!GetClassNameA(w, cls, sizeof cls) || lstrcmpiA(cls, s->className) != 0)) return TRUE;
  if (*s->accept && !(*s->accept)(w)) return TRUE;
  s->found = w;
  return FALSE;
}

void DispatchWaitingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The pause between tries of PumpMessages: until a message comes, or the time passed.
void WaitForInput(std::chrono::milliseconds most) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(most.count()), QS_ALLINPUT);
}

}  // namespace

HWND FindTopWindow(const std::string& className, const std::function<bool(HWND)>& accept) {
  TopWindowSearch s{className.c_str(), &accept, nullptr};
  EnumWindows(FindTopWindowProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForWindow(const std::string& className, DWORD milliseconds, DWORD processId) {
  // A box is made first and filled after: its text and buttons all stand once it is shown.
  const bool box = lstrcmpiA(className.c_str(), "SKMSGBOX") == 0 || lstrcmpiA(className.c_str(), "SKINPUTBOX") == 0;
  std::function<bool(HWND)> accept;
  if (processId || box) {
    accept = [processId, box](HWND w) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      return (!processId || pid == processId) && (!box || IsWindowVisible(w));
    };
  }
  HWND found = nullptr;
  PumpUntil([&] { return (found = FindTopWindow(className, accept)) != nullptr; },
            std::chrono::milliseconds(milliseconds));
  return found;
}

bool WaitForNoWindow(const std::string& className, DWORD milliseconds) {
  return PumpUntil([&] { return FindWindowA(className.c_str(), nullptr) == nullptr; },
                   std::chrono::milliseconds(milliseconds));
}

bool WaitForFile(const std::string& path, DWORD milliseconds) {
  int64_t last = -2;
  return PumpUntil(
      [&] {
        int64_t size = fileio::FileSize(path);
        bool settled = size >= 0 && size == last;
        last = size;
        return settled;
      },
      std::chrono::milliseconds(milliseconds), std::chrono::milliseconds(50));
}

void PumpMessages(DWORD milliseconds) {
  WaitUntil(
      [] {
        DispatchWaitingMessages();
        return false;
      },
      std::chrono::milliseconds(milliseconds), std::chrono::milliseconds(10), WaitForInput);
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds step) {
  return WaitUntil(condition, limit, step, [](std::chrono::milliseconds d) { PumpMessages(DWORD(d.count())); });
}

std::vector<int> CodesOf(const std::vector<LoggedMessage>& log) {
  std::vector<int> codes;
  for (const auto& m : log) codes.push_back(m.code);
  return codes;
}

std::vector<LoggedMessage> ReadStandinLog(const std::string& path) {
  std::vector<LoggedMessage> out;
  std::string bytes;
  if (fileio::ReadWholeFile(path, bytes) != fileio::kOk) return out;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    std::string line = bytes.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? bytes.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    LoggedMessage m;
    char* p = nullptr;
    m.code = int(std::strtol(line.c_str(), &p, 10));
    long length = std::strtol(p, &p, 10);
    while (*p == ' ') ++p;
    std::string hex = p;
    for (long i = 0; i < length && size_t(2 * i + 1) < hex.size(); ++i) {
      m.text += char(std::strtol(hex.substr(size_t(2 * i), 2).c_str(), nullptr, 16));
    }
    out.push_back(m);
  }
  return out;
}
