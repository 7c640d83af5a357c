#include <windows.h>

#include "../encoder_pipe.h"
#include "win/raii.h"

namespace audio {

namespace {

class WindowsEncoderPipe : public EncoderPipe {
 public:
  WindowsEncoderPipe(win::Handle process, win::Handle input) : process_(std::move(process)), input_(std::move(input)) {}
  ~WindowsEncoderPipe() override { Stop(0); }
  bool Write(const void* data, size_t size) override {
    const char* at = static_cast<const char*>(data);
    while (size > 0 && input_) {
      DWORD written = 0;
      if (!WriteFile(input_.Get(), at, DWORD(size > (1u << 20) ? (1u << 20) : size), &written, nullptr) || written == 0) {
        input_.Reset();
        return false;
      }
      at += written;
      size -= written;
    }
    return size == 0;
  }
  bool Active() override {
    return input_ && process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
  }
  void Stop(unsigned milliseconds) override {
    input_.Reset();
    if (!process_) return;
    if (WaitForSingleObject(process_.Get(), milliseconds) == WAIT_TIMEOUT) TerminateProcess(process_.Get(), 1);
    process_.Reset();
  }

 private:
  win::Handle process_;
  win::Handle input_;
};

}  // namespace

std::unique_ptr<EncoderPipe> StartEncoderPipe(const std::string& commandLine) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) return nullptr;
  win::Handle childInput(readEnd), input(writeEnd);
  // Only the child's end is inherited.
  SetHandleInformation(input.Get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = childInput.Get();
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info))
    return nullptr;
  win::Handle thread(info.hThread);
  return std::make_unique<WindowsEncoderPipe>(win::Handle(info.hProcess), std::move(input));
}

bool WmaEncoderAvailable() { return false; }

}  // namespace audio
