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
  if (pi_.hProcess) {
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
  pi_ = PROCESS_INFORMATION{};
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments, const std::string& folder) {
  Release();  // the handles of a process started before by this object
  std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  return CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi_) != FALSE;
}

int ChildProcess::Wait(DWORD milliseconds) {
  if (!pi_.hProcess) return -1;
  if (WaitForSingleObject(pi_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return int(code);
}

bool ChildProcess::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

void ChildProcess::Kill() {
  if (pi_.hProcess) {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
}

namespace {
struct FindByProcess {
  const char* className;
  DWORD processId;
  HWND found;
};
BOOL CALLBACK FindProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<FindByProcess*>(lp);
  char cls[256];
  if (!GetClassNameA(w, cls, sizeof cls) || lstrcmpA(cls, f->className) != 0) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != f->processId) return TRUE;
  f->found = w;
  return FALSE;
}
}  // namespace

HWND WaitForWindow(const std::string& className, DWORD milliseconds, DWORD processId) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND w = nullptr;
    if (processId) {
      FindByProcess f{className.c_str(), processId, nullptr};
      EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
      w = f.found;
    } else {
      w = FindWindowA(className.c_str(), nullptr);
    }
    if (w) return w;
    if (GetTickCount() - start >= milliseconds) return nullptr;
    PumpMessages(20);
  }
}

bool WaitForNoWindow(const std::string& className, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (FindWindowA(className.c_str(), nullptr)) {
    if (GetTickCount() - start >= milliseconds) return false;
    PumpMessages(20);
  }
  return true;
}

bool WaitForFile(const std::string& path, DWORD milliseconds) {
  DWORD start = GetTickCount();
  int64_t last = -2;
  for (;;) {
    int64_t size = fileio::FileSize(path);
    if (size >= 0 && size == last) return true;
    last = size;
    if (GetTickCount() - start >= milliseconds) return false;
    PumpMessages(50);
  }
}

void PumpMessages(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
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
