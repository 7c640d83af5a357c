// System services of the engine: finding files, starting programs, error texts.
#include <windows.h>
#include <shellapi.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/skin.h"
#include "win/raii.h"

std::string SKFINDF(const std::string& file) {
  if (file.empty()) return {};
  char full[MAX_PATH * 2];
  bool hasFolder = file.find_first_of("\\/:") != std::string::npos;
  if (hasFolder) {
    if (!fileio::Exists(file)) return {};
    DWORD n = GetFullPathNameA(file.c_str(), sizeof full, full, nullptr);
    return (n > 0 && n < sizeof full) ? std::string(full, n) : file;
  }
  std::string local = fileio::FolderOf(SKEXENAME()) + file;
  if (fileio::Exists(local) && !fileio::IsDirectory(local)) return local;
  char* namePart = nullptr;
  DWORD n = SearchPathA(nullptr, file.c_str(), nullptr, sizeof full, full, &namePart);
  if (n > 0 && n < sizeof full) return std::string(full, n);
  return {};
}

namespace {

// Splits a command line into the program and its arguments: a quoted program, or the text
// up to ".exe" (or ".com", ".bat") followed by a blank, or the whole text.
void SplitCommand(const std::string& line, std::string& program, std::string& arguments) {
  std::string t = fileio::Trim(line);
  if (!t.empty() && t[0] == '"') {
    size_t close = t.find('"', 1);
    program = t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    arguments = close == std::string::npos ? "" : fileio::Trim(t.substr(close + 1));
    return;
  }
  std::string lower = fileio::ToLower(t);
  for (const char* ext : {".exe", ".com", ".bat"}) {
    size_t at = 0;
    while ((at = lower.find(ext, at)) != std::string::npos) {
      size_t end = at + 4;
      if (end == lower.size() || lower[end] == ' ') {
        program = t.substr(0, end);
        arguments = end < t.size() ? fileio::Trim(t.substr(end + 1)) : "";
        return;
      }
      at = end;
    }
  }
  program = t;
  arguments.clear();
}

bool IsProgram(const std::string& path) {
  std::string ext = fileio::ToUpper(fileio::ExtensionOf(path));
  return ext == "EXE" || ext == "COM";
}

}  // namespace

int SKSHELL(const std::string& commandLine, int showState, int wait) {
  std::string program, arguments;
  SplitCommand(commandLine, program, arguments);
  if (program.empty()) return int(ERROR_FILE_NOT_FOUND);
  std::string folder = fileio::FolderOf(program);
  if (IsProgram(program)) {
    if (!fileio::Exists(program)) return int(ERROR_FILE_NOT_FOUND);
    std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = WORD(showState);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
      return int(GetLastError());
    }
    win::Handle process(pi.hProcess), thread(pi.hThread);
    if (wait) WaitForSingleObject(pi.hProcess, INFINITE);
    return 0;
  }
  SHELLEXECUTEINFOA sei{};
  sei.cbSize = sizeof sei;
  sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  sei.lpVerb = "open";
  sei.lpFile = program.c_str();
  sei.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
  sei.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  sei.nShow = showState;
  if (!ShellExecuteExA(&sei)) return int(GetLastError() ? GetLastError() : ERROR_FILE_NOT_FOUND);
  win::Handle process(sei.hProcess);
  if (wait && sei.hProcess) WaitForSingleObject(sei.hProcess, INFINITE);
  return 0;
}

std::string SKWINERR(int error) {
  char* text = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, DWORD(error), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out;
  if (n && text) out.assign(text, n);
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' ')) out.pop_back();
  if (out.empty()) out = "Error " + std::to_string(error);
  return out;
}
