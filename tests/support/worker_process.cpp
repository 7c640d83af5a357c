#include "worker_process.h"

#include <algorithm>
#include <chrono>

#include "wait_until.h"

#ifdef _WIN32
#include "test_windows.h"

struct WorkerProcess::Process {
  ChildProcess child;
};

WorkerProcess::WorkerProcess() : process_(std::make_unique<Process>()) {}
WorkerProcess::~WorkerProcess() { Kill(); }

bool WorkerProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
  // Quoted as the C runtime reads a command line: backslashes before a quote are doubled.
  std::string line;
  for (const auto& a : arguments) {
    size_t trailing = a.size() - std::min(a.size(), a.find_last_not_of('\\') + 1);
    line += (line.empty() ? "\"" : " \"") + a + std::string(trailing, '\\') + "\"";
  }
  return process_->child.Start(TestProgramFolder() + program + ".exe", line);
}

int WorkerProcess::Wait(int milliseconds) { return process_->child.Wait(DWORD(milliseconds)); }

void WorkerProcess::Kill() {
  if (process_->child.Running()) process_->child.Kill();
  process_->child.Wait(10000);
}

#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>

struct WorkerProcess::Process {
  pid_t pid = -1;
  int exitCode = -1;
};

namespace {

std::string TestFolder() {
  char self[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? size_t(n) : 0);
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

WorkerProcess::WorkerProcess() : process_(std::make_unique<Process>()) {}
WorkerProcess::~WorkerProcess() { Kill(); }

bool WorkerProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
  std::string path = TestFolder() + program;
  std::vector<std::string> all = {path};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  process_->exitCode = -1;
  return posix_spawn(&process_->pid, path.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

int WorkerProcess::Wait(int milliseconds) {
  Process& p = *process_;
  bool ended = WaitUntil(
      [&p] {
        int status = 0;
        if (p.pid <= 0) return true;
        if (waitpid(p.pid, &status, WNOHANG) != p.pid) return false;
        p.pid = -1;
        p.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        return true;
      },
      std::chrono::milliseconds(milliseconds), std::chrono::milliseconds(2));
  return ended ? p.exitCode : -1;
}

void WorkerProcess::Kill() {
  if (process_->pid <= 0) return;
  kill(process_->pid, SIGKILL);
  waitpid(process_->pid, nullptr, 0);
  process_->pid = -1;
  process_->exitCode = -2;
}
#endif
