#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "encoder_pipe.h"

namespace audio {

namespace {

class PosixEncoderPipe : public EncoderPipe {
 public:
  PosixEncoderPipe(pid_t pid, int input) : pid_(pid), input_(input) {}
  ~PosixEncoderPipe() override { Stop(0); }
  bool Write(const void* data, size_t size) override {
    const char* at = static_cast<const char*>(data);
    while (size > 0 && input_ >= 0) {
      ssize_t n = ::write(input_, at, size);
      if (n <= 0) {
        CloseInput();
        return false;
      }
      at += n;
      size -= size_t(n);
    }
    return size == 0;
  }
  bool Active() override {
    if (input_ < 0 || pid_ <= 0) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = 0;
      return false;
    }
    return true;
  }
  void Stop(unsigned milliseconds) override {
    CloseInput();
    if (pid_ <= 0) return;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() >= end) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = 0;
  }

 private:
  void CloseInput() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
  }
  pid_t pid_;
  int input_;
};

}  // namespace

std::unique_ptr<EncoderPipe> StartEncoderPipe(const std::string& commandLine) {
  int fds[2];
  if (::pipe(fds) != 0) return nullptr;
  pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return nullptr;
  }
  if (pid == 0) {
    ::dup2(fds[0], 0);
    ::close(fds[0]);
    ::close(fds[1]);
    ::execl("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[0]);
  // A reader that ended must not end this process with SIGPIPE.
  ::signal(SIGPIPE, SIG_IGN);
  return std::make_unique<PosixEncoderPipe>(pid, fds[1]);
}

bool WmaEncoderAvailable() { return false; }

}  // namespace audio
