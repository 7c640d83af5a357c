// The partner program of UI entry 40, the pick dialog of nadrix and the help viewer.
#include "partner.h"

#include <windows.h>

#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imaging/picture_tables.h"
#include "pick/nadrix_call.h"
#include "picture.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {
namespace {

// The picture extensions of the pick dialog's include list and thumbnails.
std::string PictureExtensions() { return std::string(kImagingPictureList); }

pick::PickAnswer RunPick(const std::string& startPath, const std::string& caption, const std::string& filter,
                         const std::string& buttons, const std::string& nameText, int nameMode) {
  pick::PickRequest request;
  request.owner = App().frame;
  request.startPath = startPath;
  request.caption = caption;
  request.filterList = filter;
  request.buttons = buttons;
  request.listCaption = Ui(4);
  request.treeCaption = Ui(5);
  request.filterCaption = Ui(6);
  request.nameCaption = Ui(8);
  request.nameMode = nameMode;
  request.nameText = nameText;
  return pick::CallPickDialog(SKPICKF, SKPICKRESULT, request);
}

void SetUseFilter(const std::string& text) {
  pick::PickBuffer buffer(text, 0);
  SKUSEFILTER(buffer.Get(), 1);
}

}  // namespace

int PickFiles(const std::string& caption, const std::string& filter, bool multiple, std::string& chosen) {
  ToolState& t = App();
  SetUseFilter(PictureExtensions());
  SKSHOWTHUMB(PictureExtensions().c_str(), 1);
  if (multiple) SKPICKMULTI(1);
  pick::PickAnswer r = RunPick(t.currentFolder + "*.*", caption, filter, Ui(3), chosen, 1);
  SetUseFilter("");
  SKPICKMULTI(0);
  if (r.button == 2) chosen = r.result.empty() ? r.name : r.result;
  return r.button;
}

std::string PickSaveTarget(const std::string& caption, const std::string& folder, const std::string& pattern) {
  std::string start = fileio::WithTrailingSeparator(folder) + pattern;
  std::string filter = pattern.substr(pattern.find('.') == std::string::npos ? 0 : pattern.find('.') + 1) + "|" +
                       pattern + "|" + Ui(67) + "|*.*";
  // The name field starts with the pattern: left as it is, the picture keeps its name.
  pick::PickAnswer r = RunPick(start, caption, filter, Ui(65), pattern, 1);
  if (r.button != 2) return {};
  return r.name.empty() ? r.result : r.name;
}

void PEERANDPICK() {
  ToolState& t = App();
  PartnerEntry partner = ParsePartnerEntry(Ui(40));
  std::string programFile, arguments;
  SplitProgramField(partner.program, programFile, arguments);
  std::string found = programFile.empty() ? std::string() : SKFINDF(programFile);
  if (!found.empty() && !partner.className.empty()) {
    bool started = false;
    // The program runs from where it was found, with the arguments the entry gives it.
    std::string program = "\"" + found + "\"" + (arguments.empty() ? "" : " " + arguments);
    HWND window = FindOrStartPartner(program, partner.className, kCodeStarted, &started);
    if (started) t.partnerStarted = true;
    if (window) {
      BringPartnerToFront(window);
      SENDCOPYDATA(window, kCodeFileType5, "");
    }
    // The partner hands pictures back through command messages; meanwhile the tool shows
    // its current picture again, after the question about the changes.
    if (CHECKSAVE()) OPENPICTURE();
    return;
  }
  std::string chosen = t.list.Text();
  std::string filter = Ui(45).empty() ? std::string("BMP|*.BMP") : Ui(45);
  if (PickFiles(Ui(10), filter, true, chosen) != 2 || chosen.empty()) return;
  if (chosen.back() == '|') chosen.pop_back();
  if (!CHECKSAVE()) return;
  t.list.Assign(chosen);
  t.currentFile = t.list.Current();
  t.currentFolder = fileio::FolderOf(t.currentFile);
  OPENPICTURE();
}

void ShowHelp() {
  ToolState& t = App();
  std::string document = t.programFolder + Ui(43);
  if (Ui(43).empty() || !SKEXIST(document)) return;
  OpenInHelpViewer(t.frame, Ui(44), document, t.programFolder);
}

}  // namespace bravik
