#include "searches.h"

#include <windows.h>

#include <functional>

#include "boxes.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "form.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "lumbric/statistics.h"
#include "lumbric/work_folder.h"
#include "mainwindow.h"
#include "ostrel/command_ids.h"
#include "ostrel/search.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_folders.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"

namespace ostrel {

namespace {

constexpr DWORD kEndPauseMs = 500;
constexpr DWORD kHandOverPauseMs = 250;

std::string Replaced(std::string text, const std::string& mark, const std::string& by) {
  size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), by);
  return text;
}

// Waits with the window alive.
void Pause(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    if (!RunPendingMessages()) return;
    Sleep(10);
  }
}

std::string ResultFolder() {
  Ostrel& a = App();
  fileio::PathMacros macros;
  macros.programFolder = a.programFolder;
  std::string folder = fileio::Trim(fileio::ExpandPathMacros(Ui(35), macros));
  return folder.empty() ? folder : fileio::WithTrailingSeparator(folder);
}

// The folder emptied for a search; "" after the box when the folder rule refuses it.
std::string PreparedResultFolder() {
  Ostrel& a = App();
  const std::string folder = ResultFolder();
  fileio::ProtectedFolders guarded;
  guarded.windowsFolder = SKWINDIR();
  guarded.systemFolder = SKSYSDIR();
  guarded.programFolder = a.programFolder;
  guarded.dataFolder = a.dataFolder;
  int rc = EmptyResultFolder(folder, guarded);
  if (rc == 0) return folder;
  ErrorBox(Replaced(Ui(53), "@", folder) + "|" + SKWINERR(rc));
  return {};
}

// A locked archive opens to the password of its lock file, once per run.
bool Unlocked() {
  Ostrel& a = App();
  if (a.unlocked) return true;
  const std::string lock = a.dataFolder + a.baseName + ".PWD";
  if (!fileio::Exists(lock)) return true;
  std::string typed;
  if (SKINPUTPW(a.frame, Ui(30), Ui(51), "", typed) != 1) return false;
  bool matches = false;
  int rc = lumbric::CheckPassword(lock, typed, matches);
  if (rc != 0) {
    ErrorBox(lock + "|" + SKWINERR(rc));
    return false;
  }
  if (!matches) {
    WarningBox(Ui(52));
    return false;
  }
  a.unlocked = true;
  return true;
}

SearchOutcome RunWithProgress(const std::function<SearchOutcome(const SearchHooks&)>& search) {
  Ostrel& a = App();
  a.searching = true;
  a.stopRequested = false;
  ShowSearching(true);
  SearchHooks hooks;
  hooks.progress = [](int percent) { SetProgress(percent); };
  hooks.keepGoing = [] { return RunPendingMessages() && !App().stopRequested; };
  hooks.taken = [](const std::string& key) { SetStatus(Ui(38) + key); };
  SearchOutcome out = search(hooks);
  SetProgress(100);
  Pause(kEndPauseMs);
  SetProgress(0);
  SetStatus("");
  a.searching = false;
  ShowSearching(false);
  return out;
}

void Finish(const SearchOutcome& out, const std::string& folder, const std::string& searchText) {
  Ostrel& a = App();
  if (out.unusable) {
    ErrorBox(a.dataFolder + a.baseName + ".F01|" + SKWINERR(out.code));
    return;
  }
  if (out.cancelled) return;
  if (out.code == kDbRefused) InfoBox(Ui(30), Replaced(Ui(33), "#", searchText.empty() ? out.failedKey : searchText));
  else if (out.code != 0) ErrorBox(out.failedKey + "|" + SKWINERR(out.code));
  std::string status = Replaced(Ui(55), "#", std::to_string(out.pictures));
  if (out.passedOver > 0) status += " " + Replaced(Ui(64), "#", std::to_string(out.passedOver));
  SetStatus(status);
  Pause(kHandOverPauseMs);
  STARTWAITPROGRAM(folder);
}

}  // namespace

void STARTWAITPROGRAM(const std::string& folder) {
  PartnerEntry partner = ParsePartnerEntry(Ui(66));
  if (partner.program.empty() || partner.className.empty()) return;
  HWND window = FindOrStartPartner(partner.program, partner.className, kCodeNone);
  if (!window) return;
  SENDCOPYDATA(window, kCodeGoToFolder, folder);
  SENDCOPYDATA(window, kCodeFileType5, "");
}

void RunQuery() {
  Ostrel& a = App();
  if (!Unlocked()) return;
  Collection c = CollectConditions(a.fields, ReadQueryForm(), DbDayFirstDates());
  if (c.result == Collected::kBadDate) {
    MessageBeep(MB_ICONEXCLAMATION);
    const FormRow& row = a.rows[c.badField];
    std::string shown = SkGetCtlText(row.value);
    if (shown.empty() || SkGetCtlText(row.high).size() > shown.size()) shown = SkGetCtlText(row.high);
    WarningBox(a.titles[c.badField] + " " + shown);
    FocusField(c.badField);
    return;
  }
  if (c.result == Collected::kNone) {
    WarningBox(Ui(21));
    return;
  }
  const std::string folder = PreparedResultFolder();
  if (folder.empty()) return;
  const bool slotsApart = SKGETCHECK(GetDlgItem(a.clientHolder, kSlotsApartBox)) != 0;
  Matcher matcher(a.fields, c.conditions, slotsApart);
  ArchiveFiles files = ArchiveFilesOf(a.dataFolder, a.baseName);
  SearchOutcome out = RunWithProgress(
      [&](const SearchHooks& hooks) { return RunSearch(files, a.fields, matcher, folder, hooks, a.passOverMarked); });
  Finish(out, folder, "");
}

void RunFreeText() {
  Ostrel& a = App();
  if (!Unlocked()) return;
  std::string text;
  if (!AskText(Ui(32), text) || text.empty()) return;
  const std::string folder = PreparedResultFolder();
  if (folder.empty()) return;
  SetStatus(Ui(39));
  ArchiveFiles files = ArchiveFilesOf(a.dataFolder, a.baseName);
  SearchOutcome out = RunWithProgress([&](const SearchHooks& hooks) {
    return RunFreeTextSearch(files, a.fields, text, folder, Ui(36), hooks, a.passOverMarked);
  });
  Finish(out, folder, text);
}

void EmptyResultCommand() {
  const std::string folder = ResultFolder();
  if (!AskYesNo(Replaced(Ui(67), "@", folder))) return;
  PreparedResultFolder();
}

void ShowStatistics() {
  Ostrel& a = App();
  if (!Unlocked()) return;
  const int keyWidth = a.fields.empty() ? 8 : a.fields[0].width;
  lumbric::ArchiveStatistics stats = lumbric::GatherStatistics(a.dataFolder, a.baseName, keyWidth);
  stats.freeBytes = SKDISKFREE(a.dataFolder);
  InfoBox(Ui(30), lumbric::StatisticsText(Ui(45), stats));
}

void ShowHelp() {
  Ostrel& a = App();
  fileio::PathMacros macros;
  macros.programFolder = a.programFolder;
  std::string document = fileio::Trim(fileio::ExpandPathMacros(Ui(70), macros));
  if (document.empty()) return;
  const bool full = document.find(':') != std::string::npos || document.rfind("\\\\", 0) == 0;
  if (!full) document = a.programFolder + document;
  if (!fileio::Exists(document)) return;
  OpenInHelpViewer(a.frame, Ui(71), document, fileio::WithoutTrailingSeparator(a.programFolder));
}

}  // namespace ostrel
