#include "program_copy.h"

#include <chrono>

#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "skin/ui_text.h"

namespace {

HWND WaitNextBox(const std::string& boxClass, HWND last, DWORD milliseconds) {
  HWND found = nullptr;
  PumpUntil(
      [&] {
        found = FindTopWindow(boxClass, [last](HWND w) { return w != last && IsWindowVisible(w); });
        return found != nullptr;
      },
      std::chrono::milliseconds(milliseconds));
  return found;
}

}  // namespace

ProgramCopy::ProgramCopy(const std::string& program, bool uiFile) : name_(program), uiFile_(uiFile) {
  program_ = dir_.File("suite\\");
  temp_ = dir_.File("temp\\");
  fileio::MakeDirectories(program_);
  fileio::MakeDirectories(temp_);
  fileio::CopyFileTo(SuiteFolder() + name_ + ".exe", Exe());
  WriteUiFile();
}

void ProgramCopy::WriteUiFile() {
  if (!uiFile_) return;
  std::string shipped;
  fileio::ReadWholeFile(SuiteFolder() + name_ + ".SYS", shipped);
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(shipped, errors);
  for (const auto& [n, text] : entries_) {
    if (file.strings.size() <= size_t(n)) file.strings.resize(size_t(n) + 1);
    file.strings[size_t(n)] = text;
  }
  for (const auto& [command, action] : actions_)
    if (MenuItem* item = file.menus.FindItem(command)) item->action = action;
  fileio::WriteFileReplacing(program_ + name_ + ".SYS", FormatUiText(file));
}

void ProgramCopy::SetUiEntry(int n, const std::string& text) {
  entries_[n] = text;
  WriteUiFile();
}

void ProgramCopy::SetMenuAction(int command, const std::string& action) {
  actions_[command] = action;
  WriteUiFile();
}

void ProgramCopy::CopyFromSuite(const std::string& pattern) {
  std::string folder = fileio::FolderOf(pattern);
  fileio::MakeDirectories(program_ + folder);
  for (const auto& e : fileio::ListDirectory(SuiteFolder() + pattern))
    if (!e.directory) fileio::CopyFileTo(SuiteFolder() + folder + e.name, program_ + folder + e.name);
}

void ProgramCopy::AddStandinAs(const std::string& programFile) {
  fileio::CopyFileTo(TestProgramFolder() + "standin.exe", program_ + programFile);
}

void ProgramCopy::AddStandinAs(const std::string& programFile, const std::string& className, const std::string& log) {
  AddStandinAs(programFile);
  WriteInProgram(fileio::WithoutExtension(programFile) + ".arg", className + " " + log);
}

std::string ProgramCopy::WriteInProgram(const std::string& name, const std::string& bytes) const {
  std::string path = program_ + name;
  fileio::MakeDirectories(fileio::FolderOf(path));
  fileio::WriteFileReplacing(path, bytes);
  return path;
}

void ProgramCopy::MakeFolder(const std::string& name) { fileio::MakeDirectories(program_ + name); }

void ProgramCopy::WriteSettings(const std::string& bytes) { fileio::WriteFileReplacing(SettingsFile(), bytes); }

std::string ProgramCopy::ReadSettings() const { return ReadText(SettingsFile()); }

bool ProgramCopy::Start(ChildProcess& process, const std::string& arguments) {
  TempEnvironment temp(temp_);
  return process.Start(Exe(), arguments, program_);
}

bool StartStandin(ChildProcess& process, const std::string& className, const std::string& log) {
  if (!process.Start(TestProgramFolder() + "standin.exe", className + " " + log)) return false;
  return WaitForWindow(className, kEventLimitMs, process.Id()) != nullptr;
}

std::vector<LoggedMessage> WaitForLog(const std::string& log, size_t count, DWORD milliseconds) {
  std::vector<LoggedMessage> got;
  PumpUntil([&] { return (got = ReadStandinLog(log)).size() >= count; }, std::chrono::milliseconds(milliseconds),
            std::chrono::milliseconds(50));
  return got;
}

LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 20000, &answer);
  return LRESULT(answer);
}

void CloseStandin(const std::string& className) {
  if (HWND w = FindWindowA(className.c_str(), nullptr)) SENDCOPYDATA(w, kCodeClose, "");
  WaitForNoWindow(className, kEventLimitMs);
}

bool PressNextBox(const std::string& boxClass, int number, const std::string& caption, HWND* last,
                  DWORD milliseconds) {
  HWND box = WaitNextBox(boxClass, last ? *last : nullptr, milliseconds);
  if (!box) return false;
  if (last) *last = box;
  // The box's push buttons and check boxes are its "Button" children in creation order.
  HWND target = nullptr;
  if (!PumpUntil([&] { return (target = driver::FindButton(box, number, caption)) != nullptr; },
                 std::chrono::milliseconds(milliseconds)))
    return false;
  PostMessageA(target, BM_CLICK, 0, 0);
  return true;
}

bool CloseNextBox(const std::string& boxClass, HWND* last, DWORD milliseconds) {
  HWND box = WaitNextBox(boxClass, last ? *last : nullptr, milliseconds);
  if (!box) return false;
  if (last) *last = box;
  PostMessageA(box, WM_CLOSE, 0, 0);
  return true;
}

std::string WriteTestPicture(const std::string& path, int width, int height) {
  WriteBmp(path, width, height, 40, 120, 200);
  return path;
}

std::string ReadText(const std::string& path) {
  std::string bytes;
  fileio::ReadWholeFile(path, bytes);
  return bytes;
}

long WaitTitle(HWND window, const std::string& title, DWORD milliseconds) {
  auto start = std::chrono::steady_clock::now();
  if (!PumpUntil([&] { return driver::WindowText(window) == title; }, std::chrono::milliseconds(milliseconds)))
    return -1;
  return long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}
