#include "falcet_fixture.h"

#include "driver.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/ui_text.h"

namespace {

// Sets TEMP and TMP for the programs started meanwhile, and puts the old values back.
class TempEnvironment {
 public:
  explicit TempEnvironment(const std::string& folder) {
    for (const char* name : {"TEMP", "TMP"}) {
      char old[MAX_PATH * 2];
      DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
      saved_.push_back({name, n && n < sizeof old ? std::string(old, n) : std::string(), n != 0});
      SetEnvironmentVariableA(name, folder.c_str());
    }
  }
  ~TempEnvironment() {
    for (const auto& s : saved_) SetEnvironmentVariableA(s.name, s.present ? s.value.c_str() : nullptr);
  }

 private:
  struct Saved {
    const char* name;
    std::string value;
    bool present;
  };
  std::vector<Saved> saved_;
};

std::string ShippedEntry(int n) {
  std::string shipped;
  fileio::ReadWholeFile(SuiteFolder() + "falcet.SYS", shipped);
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(shipped, errors);
  return UiEntry(file.strings, n);
}

}  // namespace

FalcetFolder::FalcetFolder(bool uiFile) : uiFile_(uiFile) {
  program_ = dir_.File("suite\\");
  temp_ = dir_.File("temp\\");
  fileio::MakeDirectories(program_);
  fileio::MakeDirectories(temp_);
  fileio::CopyFileTo(SuiteFolder() + "falcet.exe", Exe());
  WriteUiFile();
}

std::string FalcetFolder::WriteInProgram(const std::string& name, const std::string& bytes) const {
  return dir_.Write("suite\\" + name, bytes);
}

void FalcetFolder::WriteUiFile() {
  if (!uiFile_) return;
  std::string shipped;
  fileio::ReadWholeFile(SuiteFolder() + "falcet.SYS", shipped);
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(shipped, errors);
  for (const auto& [n, text] : entries_) {
    if (file.strings.size() <= size_t(n)) file.strings.resize(size_t(n) + 1);
    file.strings[size_t(n)] = text;
  }
  fileio::WriteFileReplacing(program_ + "falcet.SYS", FormatUiText(file));
}

void FalcetFolder::SetEntry(int n, const std::string& text) {
  entries_[n] = text;
  WriteUiFile();
}

void FalcetFolder::SetOption(int field, const std::string& value) {
  std::string options = entries_.count(49) ? entries_[49] : ShippedEntry(49);
  SetEntry(49, falcet::WithOption(options, field, value));
}

void FalcetFolder::AddStandinAs(const std::string& programFile, const std::string& className, const std::string& log) {
  fileio::CopyFileTo(TestProgramFolder() + "standin.exe", program_ + programFile);
  WriteInProgram(fileio::WithoutExtension(programFile) + ".arg", className + " " + log);
}

bool FalcetFolder::Start(ChildProcess& process, const std::string& arguments) {
  TempEnvironment temp(temp_);
  return process.Start(Exe(), arguments, program_);
}

std::string WritePicture(const std::string& path, int width, int height, COLORREF colour) {
  std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 3);
  for (size_t i = 0; i < pixels.size(); i += 3) {
    pixels[i] = GetBValue(colour);
    pixels[i + 1] = GetGValue(colour);
    pixels[i + 2] = GetRValue(colour);
  }
  fileio::MakeDirectories(fileio::FolderOf(path));
  driver::WriteBmp(path, width, height, pixels);
  return path;
}

std::string ReadText(const std::string& path) {
  std::string bytes;
  fileio::ReadWholeFile(path, bytes);
  return bytes;
}

bool StartPartner(ChildProcess& process, const std::string& className, const std::string& log) {
  if (!process.Start(TestProgramFolder() + "standin.exe", className + " " + log)) return false;
  return WaitForWindow(className, 20000, process.Id()) != nullptr;
}

std::vector<LoggedMessage> WaitLog(const std::string& log, size_t count, DWORD milliseconds) {
  DWORD start = GetTickCount();
  std::vector<LoggedMessage> got = ReadStandinLog(log);
  while (got.size() < count && GetTickCount() - start < milliseconds) {
    PumpMessages(50);
    got = ReadStandinLog(log);
  }
  return got;
}

long WaitTitle(HWND window, const std::string& title, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    if (driver::WindowText(window) == title) return long(GetTickCount() - start);
    if (GetTickCount() - start >= milliseconds) return -1;
    PumpMessages(20);
  }
}
