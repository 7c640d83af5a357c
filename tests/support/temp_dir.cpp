#include "temp_dir.h"

#include <atomic>
#include <chrono>
#include <cstdlib>

#include "fileio/file.h"
#include "fileio/paths.h"

#ifdef _WIN32
#include <process.h>
#define SUITE_GETPID _getpid
#else
#include <unistd.h>
#define SUITE_GETPID getpid
#endif

namespace {
#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif
}  // namespace

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = fileio::TempFolder() + "suitetest-" + std::to_string(SUITE_GETPID()) + "-" +
                            std::to_string(counter++) + "-" + std::to_string(ticks % 1000000) + kSep;
    if (!fileio::Exists(candidate) && fileio::MakeDirectories(candidate) == fileio::kOk) {
      path_ = candidate;
      return;
    }
  }
  std::abort();
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::string full = path_ + name;
  std::string folder = fileio::FolderOf(full);
  if (!folder.empty()) fileio::MakeDirectories(folder);
  fileio::File f;
  if (f.Open(full, fileio::Access::WriteNew) == fileio::kOk) f.WriteAt(0, bytes.data(), bytes.size());
  return full;
}

std::string TempDir::Read(const std::string& name) const {
  std::string bytes;
  fileio::ReadWholeFile(path_ + name, bytes);
  return bytes;
}

void RemoveTree(const std::string& folder) {
  if (folder.empty()) return;
  std::string base = fileio::WithTrailingSeparator(folder);
  for (const auto& e : fileio::ListDirectory(base + "*")) {
    if (e.directory) RemoveTree(base + e.name);
    else fileio::RemoveFile(base + e.name);
  }
  fileio::RemoveFolder(fileio::WithoutTrailingSeparator(base));
}
