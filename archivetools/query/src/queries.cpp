#include "queries.h"

#include <windows.h>

#include "boxes.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "mainwindow.h"
#include "ostrel/query_file.h"
#include "pick/nadrix_call.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace ostrel {

namespace {

constexpr int kPickOk = 2;

template <typename T>
T Export(const win::Module& module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module.Get(), name)));
}

// A ".&01" file picked in the dialog (captionEntry: its title); "" when cancelled. A name
// typed without its extension gets it.
std::string PickQueryFile(int captionEntry) {
  Ostrel& a = App();
  win::Module pick(LoadLibraryA((a.programFolder + "nadrix.dll").c_str()));
  auto pickF = pick ? Export<SkPickFProc>(pick, "skPickF") : nullptr;
  if (!pickF) return {};
  pick::PickRequest request;
  request.owner = a.frame;
  const std::string folder = a.settings.workFolder.empty() ? a.dataFolder : a.settings.workFolder;
  request.startPath = fileio::WithTrailingSeparator(folder) + "*" + kQueryExtension;
  request.caption = Ui(captionEntry);
  request.filterList = Ui(17) + "|*" + kQueryExtension;
  request.buttons = Ui(56);
  request.listCaption = Ui(57);
  request.treeCaption = Ui(58);
  request.nameCaption = Ui(63);
  request.nameMode = 1;
  request.nameText = std::string("*") + kQueryExtension;
  pick::PickAnswer answer = pick::CallPickDialog(pickF, Export<SkPickResultProc>(pick, "SKPICKRESULT"), request);
  if (answer.button != kPickOk) return {};
  // A name typed counts; the preset pattern left in the field leaves the file picked in
  // the list.
  auto usable = [](const std::string& p) {
    return !p.empty() && p.find_first_of("*?") == std::string::npos && p.back() != '\\';
  };
  std::string path = fileio::Trim(answer.name);
  if (!usable(path)) path = fileio::Trim(answer.result);
  if (!usable(path)) return {};
  if (!fileio::EqualsNoCase(fileio::ExtensionOf(path), kQueryExtension + 1)) path += kQueryExtension;
  a.settings.workFolder = fileio::FolderOf(path);
  return path;
}

}  // namespace

void SaveQuery() {
  Ostrel& a = App();
  Collection c = CollectConditions(a.fields, ReadQueryForm(), DbDayFirstDates());
  if (c.result == Collected::kBadDate) {
    WarningBox(a.titles[c.badField] + " " + SkGetCtlText(a.rows[c.badField].value));
    FocusField(c.badField);
    return;
  }
  const std::string path = PickQueryFile(60);
  if (path.empty()) return;
  if (int rc = SaveQueryFile(path, {a.settings.thesaurus, c.texts}); rc != 0) ErrorBox(path + "|" + SKWINERR(rc));
}

void LoadQuery() {
  Ostrel& a = App();
  const std::string path = PickQueryFile(61);
  if (path.empty()) return;
  SavedQuery query;
  if (LoadQueryFile(path, query) != 0) return;
  if (!query.thesaurus.empty()) a.settings.thesaurus = query.thesaurus;
  FillThesaurusBox();
  FillQueryForm(FormFromQuery(a.fields, query.texts, DbDayFirstDates(), SkDateSeparator()));
  ResetRadios();
}

void DeleteQuery() {
  const std::string path = PickQueryFile(62);
  if (path.empty() || !fileio::Exists(path)) return;
  if (!AskYesNo(Ui(29))) return;
  if (int rc = fileio::RemoveFile(path); rc != 0) ErrorBox(path + "|" + SKWINERR(rc));
}

}  // namespace ostrel
