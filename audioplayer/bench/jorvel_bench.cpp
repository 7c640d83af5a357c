// The audio player's speed goals, measured (a benchmark, not a test):
//  1. allocations of the audio layer while one channel plays: none once it runs. Every
//     operator new of this process is counted over the measured time, after the first
//     second of play;
//  2. the CPU time the layer takes in this process while it plays, in percent of one core;
//  3. the CPU time of jorvel.exe (from the suite folder beside the tests) playing the same
//     file, in percent of one core.
// Without a sound card the sound plays on the silent device, as in the tests.
//
// Usage: jorvel_bench [sound file] [--seconds N]
// Without a file it plays a WAVE tone of 44.1 kHz stereo that it writes itself. An MP3 for
// it: sox -n -r 44100 -c 2 -b 16 tone.wav synth 15 sine 440 sine 660 &&
//       lame --quiet -b 128 tone.wav tone.mp3
#include <windows.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "audio/bass.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "win/raii.h"

namespace {

std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};

void* Allocate(size_t size) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& t) noexcept { return operator new(size, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

// CPU time (kernel and user) of a process in seconds.
double CpuSeconds(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  auto seconds = [](const FILETIME& f) {
    return double((uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// A file read to its end whatever size it tells (the files of /proc tell none).
std::string ReadAll(const std::string& path) {
  fileio::File f;
  std::string text;
  if (f.Open(path, fileio::Access::Read, fileio::Share::DenyNone) != fileio::kOk) return text;
  char buffer[4096];
  size_t got = 0;
  while (f.Read(buffer, sizeof buffer, got) == fileio::kOk && got > 0) text.append(buffer, got);
  return text;
}

// User and system time in seconds of a process's /proc/<pid>/stat text; -1 when none.
double StatCpuSeconds(const std::string& stat) {
  // Fields 14 and 15 (after the name in brackets): user and system time in 1/100 s.
  size_t close = stat.rfind(')');
  unsigned long long user = 0, system = 0;
  if (close == std::string::npos ||
      std::sscanf(stat.c_str() + close + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                  &system) != 2)
    return -1;
  return double(user + system) / 100.0;
}

// Under Wine the system's process times leave out threads; Linux tells the whole process
// through /proc (the Z: drive). This process ("self"), or the one whose command line holds
// both marks. -1 when Linux does not answer (on Windows).
double UnixCpuSeconds(const std::string& mark, const std::string& secondMark) {
  if (mark.empty()) return StatCpuSeconds(ReadAll("Z:\\proc\\self\\stat"));
  for (const auto& e : fileio::ListDirectory("Z:\\proc\\*")) {
    if (!e.directory || e.name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string cmdline = ReadAll("Z:\\proc\\" + e.name + "\\cmdline");
    if (cmdline.find(mark) == std::string::npos || cmdline.find(secondMark) == std::string::npos ||
        cmdline.find("jorvel_bench") != std::string::npos)
      continue;
    return StatCpuSeconds(ReadAll("Z:\\proc\\" + e.name + "\\stat"));
  }
  return -1;
}

// The CPU seconds of a process so far: from Linux when it answers, else from the system.
double ProcessCpuSeconds(HANDLE process, const std::string& mark, const std::string& secondMark) {
  double unix = UnixCpuSeconds(mark, secondMark);
  return unix >= 0 ? unix : CpuSeconds(process);
}

std::string Le(uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 255);
  return s;
}

// A tone of 44.1 kHz stereo, 16 bits: 440 Hz left, 660 Hz right.
std::string ToneWave(int seconds) {
  const uint32_t rate = 44100, frames = rate * uint32_t(seconds);
  std::string data;
  data.reserve(frames * 4);
  for (uint32_t f = 0; f < frames; ++f) {
    data += Le(uint32_t(int16_t(12000 * std::sin(2 * 3.14159265 * 440 * f / rate))) & 0xFFFF, 2);
    data += Le(uint32_t(int16_t(12000 * std::sin(2 * 3.14159265 * 660 * f / rate))) & 0xFFFF, 2);
  }
  std::string fmt = Le(1, 2) + Le(2, 2) + Le(rate, 4) + Le(rate * 4, 4) + Le(4, 2) + Le(16, 2);
  std::string body = "WAVEfmt " + Le(16, 4) + fmt + "data" + Le(uint32_t(data.size()), 4) + data;
  return "RIFF" + Le(uint32_t(body.size()), 4) + body;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return fileio::FolderOf(path);
}

void MeasureLayer(const std::string& file, int seconds) {
  HANDLE self = GetCurrentProcess();
  auto cpuNow = [self] { return ProcessCpuSeconds(self, "", ""); };
  if (BASSOPEN(file, 0) != kBassOk || BASSPLAY(0, 0) != kBassOk) {
    std::printf("the layer cannot play %s (%s)\n", file.c_str(), BASSERRORDESCRIPTION(BASSERRORGETCODE()).c_str());
    return;
  }
  std::printf("layer: %s, %lld ms, %s device\n", file.c_str(), (long long)BASSMEDIAGETLENGTH(),
              BASSCHANNELSILENT(BASSCURRENTCHANNEL()) ? "silent" : "sound");
  Sleep(3000);  // it runs
  double cpu = cpuNow();
  DWORD start = GetTickCount();
  gAllocations = 0;
  gCounting = true;
  Sleep(DWORD(seconds) * 1000);
  gCounting = false;
  double wall = (GetTickCount() - start) / 1000.0;
  double used = cpuNow() - cpu;
  std::printf("layer: %ld allocations in %.1f s of play; CPU %.2f %% of one core; still playing: %s\n",
              gAllocations.load(), wall, 100.0 * used / wall, BASSCHANNELISACTIVE() == 1 ? "yes" : "no");
  BASSCLOSE();
}

void MeasureProgram(const std::string& file, int seconds) {
  std::string exe = ProgramFolder() + "..\\suite\\jorvel.exe";
  if (!fileio::Exists(exe)) {
    std::printf("jorvel: %s is not built\n", exe.c_str());
    return;
  }
  std::string line = "\"" + exe + "\" \"" + file + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("jorvel: cannot start %s\n", exe.c_str());
    return;
  }
  win::Handle process(pi.hProcess), thread(pi.hThread);
  Sleep(5000);  // started (Wine loads the codecs and the sound system first), and playing
  const std::string mark = "jorvel.exe";
  double cpu = ProcessCpuSeconds(process.Get(), mark, file);
  DWORD start = GetTickCount();
  Sleep(DWORD(seconds) * 1000);
  double wall = (GetTickCount() - start) / 1000.0;
  double used = ProcessCpuSeconds(process.Get(), mark, file) - cpu;
  HWND window = FindWindowA(kClassAudioPlayer, nullptr);
  std::printf("jorvel: CPU %.2f %% of one core over %.1f s playing %s\n", 100.0 * used / wall, wall,
              file.c_str());
  if (window) SENDCOPYDATA(window, kCodeClose, "");
  if (WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string file;
  int seconds = 10;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--seconds" && i + 1 < argc) seconds = std::max(1, std::atoi(argv[++i]));
    else file = a;
  }
  std::string made;
  if (file.empty()) {
    made = fileio::TempFolder() + "jorvel_bench_tone.wav";
    fileio::WriteFileReplacing(made, ToneWave(seconds + 10));
    file = made;
  }
  MeasureLayer(file, seconds);
  BASSUNLOAD();
  MeasureProgram(file, seconds);
  if (!made.empty()) fileio::RemoveFile(made);
  return 0;
}
