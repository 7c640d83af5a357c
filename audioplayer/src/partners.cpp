#include "partners.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "skin/skin.h"
#include "state.h"

namespace jorvel {

namespace {

constexpr const char* kSpectrumProgram = "pelmor.exe";
constexpr const char* kHelpProgram = "VANDREL.EXE";

}  // namespace

void ToggleSpectrum() {
  Jorvel& p = App();
  std::string program = SKFINDF(kSpectrumProgram);
  if (program.empty()) return;
  if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) {
    SENDCOPYDATA(spectrum, kCodeClose, "");
    p.startedSpectrum = false;
    return;
  }
  SKSHELL(program, SW_SHOW, 0);
  p.startedSpectrum = true;
}

void ShowHelp() { ShowHelpDocument(Ui(60)); }

void ShowHelpDocument(const std::string& name) {
  Jorvel& p = App();
  std::string document = p.programFolder + name;
  if (name.empty() || !fileio::Exists(document)) return;
  std::string viewer = SKFINDF(kHelpProgram);
  if (viewer.empty()) {
    ShellExecuteA(nullptr, "open", document.c_str(), nullptr, p.programFolder.c_str(), SW_SHOW);
    return;
  }
  if (HWND help = FindWindowA(kClassHelp, nullptr)) {
    BringPartnerToFront(help);
    SENDCOPYDATA(help, kCodeOpen, document);
    return;
  }
  SKSHELL(viewer + " " + document + "," + p.settings.skinFile, SW_SHOW, 0);
}

void ClosePartnersStarted() {
  Jorvel& p = App();
  if (p.startedBrowser) {
    std::string cls = fileio::Trim(ParsePartnerEntry(Ui(78)).className);
    if (HWND browser = cls.empty() ? nullptr : FindWindowA(cls.c_str(), nullptr)) SENDCOPYDATA(browser, kCodeClose, "");
  }
  if (p.startedSpectrum) {
    if (HWND spectrum = FindWindowA(kClassSpectrum, nullptr)) SENDCOPYDATA(spectrum, kCodeClose, "");
    p.startedSpectrum = false;
  }
}

}  // namespace jorvel
