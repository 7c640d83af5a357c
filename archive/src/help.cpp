#include "help.h"

#include <windows.h>

#include <shellapi.h>

#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "grilton/archive_rules.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "skin/skin.h"
#include "state.h"

namespace grilton {

namespace {

// The document of UI entry 80: "@path@" stands for the program folder; a name without a
// folder is beside the program.
std::string HelpDocument() {
  Grilton& a = App();
  fileio::PathMacros macros;
  macros.programFolder = a.programFolder;
  std::string entry = fileio::Trim(fileio::ExpandPathMacros(Ui(80), macros));
  if (entry.empty()) return {};
  bool full = entry.find(':') != std::string::npos || entry.rfind("\\\\", 0) == 0;
  return full ? entry : a.programFolder + entry;
}

}  // namespace

void ShowHelp() {
  Grilton& a = App();
  std::string document = HelpDocument();
  if (document.empty() || !fileio::Exists(document)) return;
  HelpViewer viewer = ParseHelpViewer(Ui(81));
  std::string program = viewer.program.empty() ? std::string() : SKFINDF(viewer.program);
  if (!program.empty()) {
    HWND running = viewer.windowClass.empty() ? nullptr : FindWindowA(viewer.windowClass.c_str(), nullptr);
    if (running) {
      BringPartnerToFront(running);
      SENDCOPYDATA(running, kCodeOpen, document);
    } else {
      SKSHELL(HelpViewerCommandLine(program, document), SW_SHOW, 0);
    }
    return;
  }
  std::string folder = fileio::WithoutTrailingSeparator(a.programFolder);
  ShellExecuteA(a.frame, "open", document.c_str(), nullptr, folder.c_str(), SW_SHOW);
}

}  // namespace grilton
