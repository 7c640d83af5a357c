#include "program_test.h"

#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"

namespace {

std::function<bool(HWND)> OfProcess(DWORD processId, bool visible) {
  return [processId, visible](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == processId && (!visible || IsWindowVisible(w));
  };
}

}  // namespace

HWND WaitForMainWindow(const ChildProcess& process, const std::string& frameClass,
                       const std::function<bool(HWND)>& ready, std::chrono::milliseconds limit, bool hidden) {
  HWND frame = nullptr;
  bool complete = false;
  PumpUntil(
      [&] {
        frame = FindTopWindow(frameClass, OfProcess(process.Id(), !hidden));
        complete = frame && ready(frame);
        return complete || !process.Running();
      },
      limit);
  return complete ? frame : nullptr;
}

int EndProgram(ChildProcess& process, HWND frame, std::chrono::milliseconds limit) {
  if (process.Running()) {
    if (frame && IsWindow(frame)) {
      SENDCOPYDATA(frame, kCodeClose, "");
    } else if (HWND shown = FindTopWindow("", OfProcess(process.Id(), true))) {
      PostMessageA(shown, WM_CLOSE, 0, 0);
    }
  }
  int code = process.Wait(DWORD(limit.count()));
  if (process.Running()) {
    process.Kill();
    return -1;
  }
  return code;
}

void ProgramTest::SetUpTestSuite() {
  // A class of this test program's own: test programs of other fixtures may warm up at once.
  const std::string warmClass = "WARMUP" + std::to_string(GetCurrentProcessId());
  TempDir dir;
  ChildProcess warm;
  StartStandin(warm, warmClass, dir.File("log.txt"));
  CloseStandin(warmClass);
}

void ProgramTest::TearDown() {
  for (auto* started : {&programs_, &standins_}) {
    const bool standins = started == &standins_;
    for (Started& s : *started) {
      if (!s.process.Running()) continue;
      HWND frame = s.frame;
      if (!frame && !standins) frame = FindTopWindow(program_.frameClass, OfProcess(s.process.Id(), false));
      if (EndProgram(s.process, frame, kEndLimit) == -1)
        ADD_FAILURE() << (standins ? "a stand-in" : program_.name) << " did not end within the limit";
    }
  }
}

ProgramCopy& ProgramTest::Copy() {
  if (!copy_) copy_ = NewCopy(uiFile_);
  return *copy_;
}

void ProgramTest::WithoutUiFile() {
  if (copy_) ADD_FAILURE() << "the copy of " << program_.name << " was made before WithoutUiFile";
  uiFile_ = false;
}

std::unique_ptr<ProgramCopy> ProgramTest::NewCopy(bool uiFile) {
  return std::make_unique<ProgramCopy>(program_.name, uiFile);
}

ProgramTest::Started& ProgramTest::NewProcess(const std::string& arguments) {
  Started& s = programs_.emplace_back();
  EXPECT_TRUE(Copy().Start(s.process, arguments))
      << "cannot start " << Copy().Exe() << ": error " << s.process.StartError()
      << (fileio::Exists(Copy().Exe()) ? "" : " (the copy of the program is missing)");
  return s;
}

HWND ProgramTest::Start(const std::string& arguments) {
  main_ = &NewProcess(arguments);
  main_->frame = WaitForMainWindow(
      main_->process, program_.frameClass, [this](HWND frame) { return Ready(frame); }, kStartLimit,
      program_.hiddenFrame);
  if (!main_->frame)
    ADD_FAILURE() << program_.name << " showed no complete " << program_.frameClass << " window"
                  << (main_->process.Running() ? " within the limit" : ": the process ended, exit code ")
                  << (main_->process.Running() ? "" : std::to_string(main_->process.Wait(0)));
  return main_->frame;
}

ChildProcess& ProgramTest::Launch(const std::string& arguments) { return NewProcess(arguments).process; }

ChildProcess& ProgramTest::Process() {
  if (!main_) main_ = &programs_.emplace_back();  // not started: a process that does not run
  return main_->process;
}

int ProgramTest::Close() { return main_ ? EndProgram(main_->process, main_->frame, kStartLimit) : -1; }

bool ProgramTest::RunStandin(const std::string& className, const std::string& log) {
  Started& s = standins_.emplace_back();
  if (!StartStandin(s.process, className, log)) return false;
  s.frame = FindTopWindow(className, OfProcess(s.process.Id(), false));
  return s.frame != nullptr;
}

bool ProgramTest::Ready(HWND frame) {
  return program_.readyControl == 0 || driver::FindChild(frame, program_.readyControl) != nullptr;
}
