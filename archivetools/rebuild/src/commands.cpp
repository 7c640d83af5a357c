#include "commands.h"

#include <windows.h>

#include <commctrl.h>

#include "db/db.h"
#include "fileio/file.h"
#include "fileio/item_list.h"
#include "fileio/paths.h"
#include "narwen/command_line.h"
#include "narwen/key_list.h"
#include "narwen/rebuild.h"
#include "narwen/tool_rules.h"
#include "pick/pick.h"
#include "skin/sk_draw.h"
#include "skin/sk_files.h"
#include "skin/sk_menu.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace narwen {

namespace {

HWND Owner() { return startup::BoxOwner(App().frame); }

void FailureBox(const std::string& caption, const std::string& message) {
  SKMSGBOX(Owner(), SKCAPTIONFONT(), caption, message, "", SkBoxStyle::Skinned(LoadIcon(nullptr, IDI_EXCLAMATION)));
}

bool Confirm(const std::string& caption, const std::string& question) {
  return SKMSGBOX(Owner(), SKCAPTIONFONT(), caption, question, Ui(7), SkBoxStyle::Question()) == 1;
}

std::string MenuText(int command) {
  const MenuItem* item = App().menus.FindItem(command);
  const std::string text = item ? item->caption : std::string();
  std::string shown;
  for (char c : text) {
    if (c == '\t') break;
    if (c != '&') shown += c;
  }
  return shown;
}

void SetStatus(const std::string& text) {
  if (App().status) SetWindowTextA(App().status, text.c_str());
}

void SetProgress(int percent) {
  Narwen& a = App();
  if (!a.progress || percent == a.shownPercent) return;
  a.shownPercent = percent;
  SendMessageA(a.progress, PBM_SETPOS, WPARAM(percent), 0);
  UpdateWindow(a.progress);
}

RebuildResult Rebuild(const std::string& path, int mode, bool all) {
  RebuildHooks hooks;
  hooks.prefix = Ui(5);
  hooks.progress = SetProgress;
  hooks.status = [](const std::string& library, bool enough) { SetStatus(StatusLine(Ui(3), enough, library)); };
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const RebuildResult result = RebuildDatabase(path, mode, all, hooks);
  // The bar shows the end for a moment before it goes back.
  if (result.code == 0) Sleep(500);
  SetProgress(0);
  SetCursor(old);
  return result;
}

// The pick dialog over the given start path; "" when cancelled.
std::string Pick(int command, const std::string& startPath, bool several) {
  // The switch is a one-shot: a call that found it still armed disarmed it instead.
  if (several && SKPICKMULTI(1) != 0) SKPICKMULTI(1);
  std::string result, name;
  const int button = SKPICKF(App().frame, startPath, MenuText(command), Ui(8), Ui(9), Ui(10), Ui(11), Ui(12), 0, "",
                             0, result, name, 0);
  return button > 1 ? result : std::string();
}

// A library picked among the files named by UI entry 5; "" when cancelled.
std::string PickLibrary(int command) {
  Narwen& a = App();
  std::string leftOut = kLibraryExtensionsLeftOut;
  SKPICKFILTER(leftOut, 1);
  std::string library = fileio::ItemAt(Pick(command, LibraryPickPath(a.pickFolder, Ui(5)), false), 1);
  std::string none;
  SKPICKFILTER(none, 1);
  if (!library.empty()) a.pickFolder = fileio::FolderOf(library);
  return library;
}

// Runs an operation for every item, then one box with every failing item.
template <typename Operation>
void ForEachItem(int command, const std::vector<std::string>& items, Operation operation) {
  std::string failures;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  for (const std::string& item : items) {
    const int rc = operation(item);
    if (rc != 0) failures += (failures.empty() ? "" : "|") + ItemFailure(item, SKWINERR(rc));
  }
  SetCursor(old);
  if (!failures.empty()) FailureBox(MenuText(command), failures);
}

void RebuildPicked(int command) {
  const std::string library = PickLibrary(command);
  if (library.empty() || !Confirm(MenuText(command), library)) return;
  const RebuildResult result = Rebuild(library, command == kCmdRebuildIndex ? kModeIndexOnly : kModeCompact, false);
  SetStatus("");
  if (result.code != 0) FailureBox(MenuText(command), RebuildFailureText(result, SKWINERR(result.code)));
}

void StoreFiles(int command) {
  const std::string library = PickLibrary(command);
  if (library.empty()) return;
  std::vector<std::string> files;
  const std::string picked = Pick(command, App().pickFolder, true);
  for (int i = 1; i <= fileio::ItemCount(picked); ++i)
    if (std::string f = fileio::ItemAt(picked, i); !f.empty()) files.push_back(f);
  ForEachItem(command, files, [&](const std::string& file) { return qBtMmLib(library, file, 1); });
}

void ItemCommand(int command) {
  const std::string library = PickLibrary(command);
  if (library.empty()) return;
  // The key list: the pick dialog lists the keys of the library's index.
  std::string index = DBNAME(library, 'I');
  SKPICKINFILE(index, 1);
  const std::string picked = Pick(command, fileio::FolderOf(library), true);
  std::string none;
  SKPICKINFILE(none, 1);
  const std::string target = fileio::WithTrailingSeparator(SKGETTEMPPATH()) + "NARWEN\\";
  if (command == kCmdCopyItemsOut) SKMAKEDIR(target);
  const int operation = ItemOperation(command);
  ForEachItem(command, PickedKeys(picked), [&](const std::string& key) {
    std::string name = key;
    qBtMmText(name, 1);
    return qBtMmLib(library, target + ItemFileName(key), operation);
  });
}

}  // namespace

void RunCommandLineJob(const std::string& path, int mode) {
  const RebuildResult result = Rebuild(path, mode, true);
  SetStatus("");
  if (result.code != 0) FailureBox(Ui(1), RebuildFailureText(result, SKWINERR(result.code)));
  PostQuitMessage(0);
}

void ListKeysInPicks() {
  SetPickListSource(
      [](const std::string& index, std::vector<std::string>& keys) { return ReadLibraryKeys(index, keys) == 0; });
}

void OnCommand(int command) {
  if (command > 0 && SKMACTE(command, App().menus) == "END") {
    PostQuitMessage(0);
    return;
  }
  switch (command) {
    case kCmdCompactLibrary:
    case kCmdRebuildIndex:
      RebuildPicked(command);
      break;
    case kCmdStoreFiles:
      StoreFiles(command);
      break;
    case kCmdCopyItemsOut:
    case kCmdRemoveItems:
    case kCmdCheckItems:
      ItemCommand(command);
      break;
    default:
      break;
  }
}

}  // namespace narwen
