#include "kelmor_fixture.h"

#include "fileio/file.h"
#include "imaging/copydata.h"
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

}  // namespace

KelmorFolder::KelmorFolder(bool uiFile) {
  program_ = dir_.File("suite\\");
  temp_ = dir_.File("temp\\");
  fileio::MakeDirectories(program_);
  fileio::MakeDirectories(temp_);
  fileio::CopyFileTo(SuiteFolder() + "kelmor.exe", Exe());
  if (uiFile) WriteUiFile();
}

void KelmorFolder::WriteUiFile() {
  std::string shipped;
  fileio::ReadWholeFile(SuiteFolder() + "kelmor.SYS", shipped);
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(shipped, errors);
  for (const auto& [n, text] : entries_) {
    if (file.strings.size() <= size_t(n)) file.strings.resize(size_t(n) + 1);
    file.strings[size_t(n)] = text;
  }
  for (const auto& [command, action] : actions_)
    if (MenuItem* item = file.menus.FindItem(command)) item->action = action;
  fileio::WriteFileReplacing(program_ + "kelmor.SYS", FormatUiText(file));
}

void KelmorFolder::SetPartner(const std::string& className, const std::string& log) {
  AddStandinAs("standin.exe");
  SetUiEntry(19, "standin.exe " + className + " " + log + "," + className);
}

void KelmorFolder::SetUiEntry(int n, const std::string& text) {
  entries_[n] = text;
  WriteUiFile();
}

void KelmorFolder::SetMenuAction(int command, const std::string& action) {
  actions_[command] = action;
  WriteUiFile();
}

void KelmorFolder::AddStandinAs(const std::string& programFile) {
  fileio::CopyFileTo(TestProgramFolder() + "standin.exe", program_ + programFile);
}

void KelmorFolder::MakeFolder(const std::string& name) { fileio::MakeDirectories(program_ + name); }

void KelmorFolder::WriteSettings(const std::string& line) { fileio::WriteFileReplacing(SettingsFile(), line); }

std::string KelmorFolder::ReadSettings() const {
  std::string bytes;
  fileio::ReadWholeFile(SettingsFile(), bytes);
  return bytes;
}

bool KelmorFolder::Start(ChildProcess& process, const std::string& arguments) {
  TempEnvironment temp(temp_);
  return process.Start(Exe(), arguments, program_);
}

bool StartStandin(ChildProcess& process, const std::string& className, const std::string& log) {
  if (!process.Start(TestProgramFolder() + "standin.exe", className + " " + log)) return false;
  return WaitForWindow(className, 20000, process.Id()) != nullptr;
}

std::vector<LoggedMessage> WaitForLog(const std::string& log, size_t count, DWORD milliseconds) {
  DWORD start = GetTickCount();
  std::vector<LoggedMessage> got = ReadStandinLog(log);
  while (got.size() < count && GetTickCount() - start < milliseconds) {
    PumpMessages(50);
    got = ReadStandinLog(log);
  }
  return got;
}

LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 20000, &answer);
  return LRESULT(answer);
}

void CloseStandin(const std::string& className) {
  if (HWND w = FindWindowA(className.c_str(), nullptr)) SENDCOPYDATA(w, 10, "");
  WaitForNoWindow(className, 10000);
}
