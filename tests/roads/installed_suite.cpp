#include "installed_suite.h"

#include <algorithm>

#include "driver.h"
#include "fileio/file.h"
#include "program_copy.h"
#include "program_test.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "skin/ui_text.h"

namespace roads {

namespace {

bool CopyTree(const std::string& from, const std::string& to) {
  if (fileio::MakeDirectories(to) != fileio::kOk) return false;
  for (const fileio::DirEntry& e : fileio::ListDirectory(from + "*.*")) {
    if (e.directory) {
      if (!CopyTree(from + e.name + "\\", to + e.name + "\\")) return false;
    } else if (fileio::CopyFileTo(from + e.name, to + e.name) != fileio::kOk) {
      return false;
    }
  }
  return true;
}

void ListTree(const std::string& folder, const std::string& prefix, std::vector<std::string>& out) {
  for (const fileio::DirEntry& e : fileio::ListDirectory(folder + "*.*")) {
    if (e.directory) ListTree(folder + e.name + "\\", prefix + e.name + "\\", out);
    else out.push_back(prefix + e.name);
  }
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

const std::vector<SuiteProgramInfo>& SuitePrograms() {
  // The ready controls are the ones each program's own tests wait for.
  static const std::vector<SuiteProgramInfo> programs{
      {"kelmor", kClassBrowser, 14, false},        // the hand-over button
      {"bravik", kClassPictureTool, 0, false},
      {"jorvel", kClassAudioPlayer, 0, true},
      {"dunmere", kClassSlideMaker, 75, false},    // the volume bar
      {"falcet", kClassPlayer, 56, false},         // the next button
      {"hessam", kClassPictureBrowser, 32, false}, // the count
      {"grilton", kClassArchive, 81, false},       // the attach button
      {"lumbric", kClassTopicEditor, 0, false},
      {"ostrel", kClassQuery, 323, false},         // the progress bar
      {"narwen", kClassMaintenance, 0, false},
  };
  return programs;
}

const SuiteProgramInfo& SuiteProgramNamed(const std::string& name) {
  for (const SuiteProgramInfo& p : SuitePrograms())
    if (name == p.name) return p;
  return SuitePrograms().front();
}

bool IsTestOnlyFile(const std::string& relativePath) {
  std::string name = Lower(fileio::NameOf(relativePath));
  for (const char* part : {"standin", "pellox_log", "twaindsm", "testdriver", "_tests.exe", "_worker"})
    if (name.find(part) != std::string::npos) return true;
  return false;
}

InstalledSuite::InstalledSuite() {
  folder_ = dir_.File("Suite\\");
  temp_ = dir_.File("Temp\\");
  complete_ = CopyTree(SuiteFolder(), folder_) && fileio::MakeDirectories(temp_) == fileio::kOk;
}

std::string InstalledSuite::UserFolder(const std::string& name) const {
  std::string folder = dir_.File(name + "\\");
  fileio::MakeDirectories(folder);
  return folder;
}

std::vector<std::string> InstalledSuite::Files() const {
  std::vector<std::string> files;
  ListTree(folder_, "", files);
  std::sort(files.begin(), files.end());
  return files;
}

bool InstalledSuite::Start(ChildProcess& process, const std::string& program, const std::string& arguments) const {
  TempEnvironment temp(temp_);
  return process.Start(folder_ + program + ".exe", arguments, folder_);
}

namespace {

struct Collected {
  DWORD processId;
  bool enabledOnly;
  std::vector<int> ids;
};

BOOL CALLBACK AddChild(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<Collected*>(lp);
  // A control counts only when it and every window above it are shown (and enabled).
  for (HWND at = w; at; at = GetParent(at)) {
    if (!IsWindowVisible(at) || (c->enabledOnly && !IsWindowEnabled(at))) return TRUE;
    if (!(GetWindowLongPtrA(at, GWL_STYLE) & WS_CHILD)) break;
  }
  int id = GetDlgCtrlID(w);
  if (id != 0) c->ids.push_back(id);
  return TRUE;
}

BOOL CALLBACK AddTop(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<Collected*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == c->processId && IsWindowVisible(w)) EnumChildWindows(w, AddChild, lp);
  return TRUE;
}

}  // namespace

std::vector<int> VisibleControlIds(DWORD processId, bool enabledOnly) {
  Collected c{processId, enabledOnly, {}};
  EnumWindows(AddTop, reinterpret_cast<LPARAM>(&c));
  std::vector<int>& ids = c.ids;
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return ids;
}

HWND WaitForProgram(const ChildProcess& process, const SuiteProgramInfo& program, std::chrono::milliseconds limit) {
  const DWORD id = process.Id();
  return WaitForMainWindow(
      process, program.frameClass,
      [&](HWND frame) {
        if (!program.readyControl || driver::FindChild(frame, program.readyControl)) return true;
        std::vector<int> shown = VisibleControlIds(id);
        return std::binary_search(shown.begin(), shown.end(), program.readyControl);
      },
      limit, program.hiddenFrame);
}

ProgramsEndedAtExit::~ProgramsEndedAtExit() {
  for (const std::string& name : classes_) {
    while (HWND w = FindTopWindow(name)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      win::Handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid));
      // Boxes the program still shows would hold the end code back.
      SENDCOPYDATA(w, kCodeClose, "");
      PostMessageA(w, WM_CLOSE, 0, 0);
      if (process && WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), 10000);
      }
      if (!process) break;
    }
  }
}

bool UserCanReach(const InstalledSuite& suite, const std::string& program, DWORD processId, int id) {
  std::string text;
  if (fileio::ReadWholeFile(suite.Folder() + program + ".SYS", text) == fileio::kOk) {
    std::vector<UiTextError> errors;
    UiTextFile file = ParseUiText(text, errors);
    if (const MenuItem* item = file.menus.FindItem(id); item && !item->separator) return true;
  }
  std::vector<int> shown = VisibleControlIds(processId, true);
  return std::binary_search(shown.begin(), shown.end(), id);
}

bool PostUserCommand(const InstalledSuite& suite, const std::string& program, HWND frame, int id) {
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  if (!pid || !UserCanReach(suite, program, pid, id)) return false;
  return PostMessageA(frame, WM_COMMAND, WPARAM(id), 0) != FALSE;
}

}  // namespace roads
