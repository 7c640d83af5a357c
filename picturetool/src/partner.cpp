// The partner program of UI entry 40, the pick dialog of nadrix and the help viewer.
#include "partner.h"

#include <windows.h>

#include <vector>

#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imaging/picture_tables.h"
#include "pick/nadrix.h"
#include "picture.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {
namespace {

constexpr size_t kPickBuffer = 64 * 1024;

// The picture extensions of the pick dialog's include list and thumbnails.
std::string PictureExtensions() { return std::string(kImagingPictureList); }

struct PickResult {
  int button = 0;
  std::string result;
  std::string name;
};

PickResult RunPick(const std::string& startPath, const std::string& caption, const std::string& filter,
                   const std::string& buttons, const std::string& nameText, int nameMode) {
  ToolState& t = App();
  std::vector<char> result(kPickBuffer, '\0'), name(kPickBuffer, '\0');
  nameText.copy(name.data(), std::min(nameText.size(), kPickBuffer - 1));
  SkTextBuffer resultBuffer{result.data(), int32_t(result.size()), 0};
  SkTextBuffer nameBuffer{name.data(), int32_t(name.size()), 0};
  PickResult out;
  out.button = SKPICKF(t.frame, startPath.c_str(), caption.c_str(), filter.c_str(), buttons.c_str(), Ui(4).c_str(),
                       Ui(5).c_str(), Ui(6).c_str(), 0, Ui(8).c_str(), nameMode, &resultBuffer, &nameBuffer);
  if (resultBuffer.length >= resultBuffer.size || nameBuffer.length >= nameBuffer.size) {
    // A choice longer than the buffers: read it again in full.
    result.assign(size_t(std::max(resultBuffer.length, 0)) + 1, '\0');
    name.assign(size_t(std::max(nameBuffer.length, 0)) + 1, '\0');
    resultBuffer = SkTextBuffer{result.data(), int32_t(result.size()), 0};
    nameBuffer = SkTextBuffer{name.data(), int32_t(name.size()), 0};
    SKPICKRESULT(&resultBuffer, &nameBuffer);
  }
  out.result = result.data();
  out.name = name.data();
  return out;
}

void SetUseFilter(const std::string& text) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  SkTextBuffer b{buffer.data(), int32_t(buffer.size()), 0};
  SKUSEFILTER(&b, 1);
}

}  // namespace

int PickFiles(const std::string& caption, const std::string& filter, bool multiple, std::string& chosen) {
  ToolState& t = App();
  SetUseFilter(PictureExtensions());
  SKSHOWTHUMB(PictureExtensions().c_str(), 1);
  if (multiple) SKPICKMULTI(1);
  PickResult r = RunPick(t.currentFolder + "*.*", caption, filter, Ui(3), chosen, 1);
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
  PickResult r = RunPick(start, caption, filter, Ui(65), pattern, 1);
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
    CHECKSAVE();
    OPENPICTURE();
    return;
  }
  std::string chosen = t.list.Text();
  std::string filter = Ui(45).empty() ? std::string("BMP|*.BMP") : Ui(45);
  if (PickFiles(Ui(10), filter, true, chosen) != 2 || chosen.empty()) return;
  if (chosen.back() == '|') chosen.pop_back();
  CHECKSAVE();
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
