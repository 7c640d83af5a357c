// The files the archive's test stand-ins keep beside themselves: read whole, appended to.
// System calls only, so that a stand-in DLL links no library of the suite.
#pragma once
#include <windows.h>

#include <string>

#include "win/raii.h"

namespace standin_files {

// The path of the module (null: the program) with its extension replaced.
inline std::string Beside(HMODULE module, const char* extension) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, sizeof path);
  std::string p = path;
  size_t dot = p.rfind('.');
  return (dot == std::string::npos ? p : p.substr(0, dot)) + extension;
}

// The first 4 KB of a file, "" when it is missing.
inline std::string Read(const std::string& path) {
  win::Handle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return {};
  char text[4096] = {};
  DWORD got = 0;
  ReadFile(f.Get(), text, sizeof text - 1, &got, nullptr);
  return std::string(text, got);
}

inline void Append(const std::string& path, const std::string& text) {
  win::Handle f(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return;
  DWORD written = 0;
  WriteFile(f.Get(), text.data(), DWORD(text.size()), &written, nullptr);
}

}  // namespace standin_files
