#include "tools.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "boxes.h"
#include "editing.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "form.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imaging/partner_entry.h"
#include "lumbric/command_ids.h"
#include "lumbric/exports.h"
#include "lumbric/form_rules.h"
#include "lumbric/media.h"
#include "lumbric/records.h"
#include "lumbric/statistics.h"
#include "lumbric/work_folder.h"
#include "skin/sk_draw.h"
#include "skin/sk_files.h"
#include "skin/sk_folders.h"
#include "skin/skin.h"
#include "settings.h"
#include "state.h"
#include "win/raii.h"

namespace lumbric {

namespace {

constexpr const char* kMaintenanceTool = "NARWEN.EXE";

void SetProgress(int percent, void*) {
  if (HWND bar = App().progress) SendMessageA(bar, PBM_SETPOS, WPARAM(percent), 0);
}

bool StopAsked(void*) { return CancelRequested(); }

// The document goes to the partner of UI entry 27: a running one gets it as code 3, a
// partner not running is started with it; without the partner's program the shell opens it.
void HandOver(const std::string& document) {
  Lumbric& a = App();
  PartnerEntry partner = ParsePartnerEntry(Ui(27));
  std::string program = partner.program.empty() ? std::string() : SKFINDF(partner.program);
  if (!program.empty()) {
    HWND running = partner.className.empty() ? nullptr : FindWindowA(partner.className.c_str(), nullptr);
    if (running) {
      BringPartnerToFront(running);
      SENDCOPYDATA(running, kCodeOpen, document);
    } else {
      SKSHELL(HandOverCommandLine(program, document, a.SkinFile()), SW_SHOW, 0);
    }
    return;
  }
  std::string folder = fileio::WithoutTrailingSeparator(a.programFolder);
  ShellExecuteA(a.frame, "open", document.c_str(), nullptr, folder.c_str(), SW_SHOW);
}

std::string WithNumber(const std::string& text, const std::string& placeholder, const std::string& value) {
  std::string out = text;
  size_t at = out.find(placeholder);
  if (at != std::string::npos) out.replace(at, placeholder.size(), value);
  return out;
}

// Starts the tool and waits for its end with the editor minimised and not taking input,
// still repainting and answering; 0 or the Windows error of the start.
int RunToolWaiting(const std::string& tool, const std::string& arguments) {
  Lumbric& a = App();
  std::string line = "\"" + tool + "\" " + arguments;
  const std::string folder = fileio::FolderOf(tool);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(tool.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi))
    return int(GetLastError());
  win::Handle process(pi.hProcess), thread(pi.hThread);
  EnableWindow(a.frame, FALSE);
  ShowWindow(a.frame, SW_MINIMIZE);
  bool goOn = WaitForProcess(process.Get());
  EnableWindow(a.frame, TRUE);
  if (!goOn) return 0;
  ShowWindow(a.frame, SW_RESTORE);
  SetForegroundWindow(a.frame);
  InvalidateRect(a.frame, nullptr, TRUE);
  return 0;
}

}  // namespace

void ShowHelp() {
  Lumbric& a = App();
  fileio::PathMacros macros;
  macros.programFolder = a.programFolder;
  std::string document = fileio::Trim(fileio::ExpandPathMacros(Ui(65), macros));
  if (document.empty()) return;
  if (document.find(':') == std::string::npos && document.rfind("\\\\", 0) != 0) document = a.programFolder + document;
  if (!fileio::Exists(document)) {
    ErrorBox(document + "|" + SKWINERR(kDbErrNotFound), MenuText(kCmdHelp));
    return;
  }
  HandOver(document);
}

void ExportCurrentThesaurus() {
  Lumbric& a = App();
  const std::string path = a.programFolder + "QORTOPIC.TXT";
  int rc = ExportThesaurus(path, a.dataFolder, a.settings.thesaurus);
  if (rc != 0) {
    ErrorBox(path + "|" + SKWINERR(rc));
    return;
  }
  HandOver(path);
}

void ExportRecords(int command) {
  Lumbric& a = App();
  const std::string path = a.programFolder + "QORIMAGE.TXT";
  a.cancelled = false;
  SKCURSORWAIT();
  int rc = ExportRecordList(a.RecordFile(), path, a.topicSlots, SetProgress, StopAsked, nullptr);
  SetProgress(0, nullptr);
  if (rc == kExportCancelled) return;
  if (rc != 0) {
    ErrorBox(MenuText(command) + "|" + SKWINERR(rc));
    return;
  }
  HandOver(path);
}

void ShowStatistics(int command) {
  Lumbric& a = App();
  SKCURSORWAIT();
  ArchiveStatistics stats = GatherStatistics(a.dataFolder, a.baseName, a.fields.empty() ? 8 : a.fields[0].width);
  stats.freeBytes = SKDISKFREE(a.dataFolder);
  InfoBox(MenuText(command), StatisticsText(Ui(45), stats));
}

void RebuildIndexes(int command) {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  if (!Ask(Ui(30), Ui(40))) return;
  SKCURSORWAIT();
  // The indexes that this copy keeps open are let go before they are replaced.
  DbCloseIndexes(a.RecordFile());
  int rc = REBUILDINDEX(a.RecordFile(), a.fields, SetProgress, nullptr);
  SetProgress(0, nullptr);
  if (rc != 0) {
    ErrorBox(MenuText(command) + " " + Ui(20) + " " + std::to_string(rc));
    return;
  }
  // Record numbers changed: the record shown is found again by its key.
  int record = 0;
  if (!a.key.empty() && FindKey(a.RecordFile(), a.fields[0].width, a.key, record) == 0) ShowRecord(record);
  else ClearForm();
}

void RunMaintenance(int command) {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  if (!Ask(MenuText(command), Ui(52))) return;
  const std::string tool = SKFINDF(a.programFolder + kMaintenanceTool);
  if (tool.empty()) {
    ErrorBox(kMaintenanceTool + std::string("|") + SKWINERR(kDbErrNotFound));
    return;
  }
  std::string line = MaintenanceCommandLine(a.dataFolder, a.baseName, command == kCmdLibraryIndexes);
  const std::string arguments = fileio::Trim(line.substr(std::string(kMaintenanceTool).size()));
  int rc = RunToolWaiting(tool, arguments);
  if (rc != 0) ErrorBox(tool + "|" + SKWINERR(rc));
}

void EmptyWorkFolder() {
  Lumbric& a = App();
  const std::string folder = fileio::WithTrailingSeparator(a.settings.workFolder);
  if (!Ask(Ui(30), WithNumber(Ui(29), "@", folder))) return;
  int rc = KILLALLFILES(folder, GuardedFolders());
  if (rc != 0) ErrorBox(folder + "|" + SKWINERR(rc));
}

}  // namespace lumbric
