#include "program_commands.h"

#include <windows.h>
#include <shellapi.h>

#include "boxes.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "kelmor/command_ids.h"
#include "kelmor/menus.h"
#include "kelmor/partner_rules.h"
#include "launcher.h"
#include "skin/sk_boxes.h"
#include "skin/sk_skins.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

namespace {

// The selected files of the file list whose type is a picture type (the filter of the fifth
// file type), joined by separator.
std::string SelectedFiles(bool picturesOnly, const std::string& separator) {
  BrowserState& b = App();
  std::string pictures;
  if (picturesOnly && size_t(kThumbnailFileType) < b.fileTypes.filters.size())
    pictures = SKLCASE(b.fileTypes.filters[size_t(kThumbnailFileType)]) + ";";
  std::string text;
  for (const std::string& path : SelectedFilePaths()) {
    if (picturesOnly) {
      std::string ext = fileio::ExtensionOf(path);
      if (ext.empty() || pictures.find("*." + SKLCASE(ext) + ";") == std::string::npos) continue;
    }
    if (!text.empty()) text += separator;
    text += path;
  }
  return text;
}

void SetCheck(int command, bool on) {
  BrowserState& b = App();
  if (MenuItem* item = b.menus.FindItem(command)) item->checked = on;
  if (b.menuBar) CheckMenuItem(b.menuBar, UINT(command), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

std::string WithoutAmpersands(const std::string& caption) {
  std::string out;
  for (char c : caption)
    if (c != '&') out += c;
  return out;
}

}  // namespace

int SHELLOPEN(const std::string& document) {
  BrowserState& b = App();
  std::string file = fileio::ExpandPathMacros(fileio::Trim(document), {.programFolder = b.programFolder});
  if (file.empty()) return ERROR_FILE_NOT_FOUND;
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.hwnd = b.frame;
  info.lpVerb = "open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOW;
  return ShellExecuteExA(&info) ? 0 : int(GetLastError());
}

void RunProgramCommand(int command) {
  BrowserState& b = App();
  std::string action = SKMACTE(command, b.menus);
  if (action.empty()) return;
  if (action.find(',') == std::string::npos) {
    if (int rc = SHELLOPEN(action)) MESSAGEBOXICON(action + "||" + SKWINERR(rc));
    return;
  }
  PartnerEntry partner = ParsePartnerEntry(action);
  std::string program = ProgramInFolder(partner.program, b.programFolder);
  if (command == kWaitForCommandTool) program += " WAITFORCOMMAND";
  HWND window = FindOrStartPartner(program, partner.className, kCodeStarted);
  if (!window) return;
  BringPartnerToFront(window);
  std::string files = command == kCommaListTool ? SelectedFiles(false, ",") : SelectedFiles(true, "|");
  if (!files.empty()) SENDCOPYDATA(window, kCodeOpen, files);
}

void ShowHelp() {
  BrowserState& b = App();
  std::string page = b.programFolder + Ui(45);
  if (Ui(45).empty() || GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES) {
    MESSAGEBOXICON(page + "||" + SKWINERR(ERROR_FILE_NOT_FOUND));
    return;
  }
  PartnerEntry viewer = ParsePartnerEntry(Ui(44));
  HWND window = nullptr;
  if (!viewer.className.empty())
    window = FindOrStartPartner(ProgramInFolder(viewer.program, b.programFolder), viewer.className, kCodeStarted);
  if (window) {
    BringPartnerToFront(window);
    SENDCOPYDATA(window, kCodeOpen, page);
  } else if (int rc = SHELLOPEN(page)) {
    MESSAGEBOXICON(page + "||" + SKWINERR(rc));
  }
}

void AskWebAddress() {
  BrowserState& b = App();
  std::string address = "http://";
  SkBoxStyle style = SkBoxStyle::Input(b.icon, 2000, 300);
  if (SKINPUTBOX(b.frame, SKCAPTIONFONT(), b.title, Ui(34), Ui(32), address, style) != 1) return;
  address = fileio::Trim(address);
  if (address.empty() || address == "http://") return;
  LAUNCHSUITEAPP(address);
  if (!b.partnerOverride.program.empty()) ShowWindow(b.frame, SW_MINIMIZE);
}

void HandSelectionToPartner() {
  std::string files = SelectedFiles(false, "|");
  if (!files.empty()) LAUNCHSUITEAPP(files);
}

void ChooseSkin(int command) {
  BrowserState& b = App();
  const MenuItem* item = b.menus.FindItem(command);
  if (!item || item->action.empty()) return;
  if (int rc = SKSETSKIN(b.programFolder + "TOLVERN.SKL", item->action)) {
    MESSAGEBOXICON(item->action + "||" + SKWINERR(rc));
    return;
  }
  if (const Menu* skins = b.menus.FindMenu(kSkinMenu))
    for (const MenuItem& other : skins->items)
      if (!other.separator) SetCheck(other.command, other.command == command);
  std::string question = WithoutAmpersands(item->caption) + "|" + Ui(70);
  if (QUESTIONBOX(question, Ui(29)) != 1) return;
  BroadcastClose(2, kSuiteListSize);
  b.restartState = kRestartPlain;
  SENDCOPYDATA(b.frame, kCodeClose, "");
}

void ToggleMarkers() {
  BrowserState& b = App();
  b.markers = b.markers ? 0 : -1;
  SetCheck(kMarkersCommand, b.markers != 0);
  if (b.fileList) InvalidateRect(b.fileList, nullptr, TRUE);
}

void ToggleMenuCheck(int command) {
  BrowserState& b = App();
  const MenuItem* item = b.menus.FindItem(command);
  SetCheck(command, !(item && item->checked));
}

}  // namespace kelmor
