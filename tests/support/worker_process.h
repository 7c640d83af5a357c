// A helper program of a test (built beside the test programs) run as a process of its
// own: started with arguments, waited for with a time limit, or killed at once (SIGKILL,
// TerminateProcess), as a crash would end it. Portable.
#pragma once
#include <memory>
#include <string>
#include <vector>

class WorkerProcess {
 public:
  WorkerProcess();
  ~WorkerProcess();  // kills a worker that still runs
  WorkerProcess(const WorkerProcess&) = delete;
  WorkerProcess& operator=(const WorkerProcess&) = delete;

  // program: the helper's name without ".exe", in the test programs' folder.
  bool Start(const std::string& program, const std::vector<std::string>& arguments);
  // The exit code; -1 when it still runs after the time limit, -2 when a signal ended it.
  int Wait(int milliseconds);
  // Ends the worker at once and waits until it is gone.
  void Kill();

 private:
  struct Process;
  std::unique_ptr<Process> process_;
};
