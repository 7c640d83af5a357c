#include "partners.h"

#include <shellapi.h>

#include "boxes.h"
#include "dunmere/show_format.h"
#include "dunmere/ui_rules.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "skin/skin.h"
#include "state.h"

namespace dunmere {

namespace {

constexpr int kBurnerEntry = 9;  // the disc burner in the suite list

std::string ShowFileName() {
  std::string name = App().showName.empty() ? Ui(24) : App().showName;
  name = fileio::NameOf(name);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

std::string PartnerCommand(const std::string& programField) {
  std::string program, arguments;
  SplitProgramField(programField, program, arguments);
  if (program.empty()) return program;
  // A program given without a folder lies beside this one.
  if (program.find_first_of("\\/:") == std::string::npos) program = App().programFolder + program;
  return QuoteIfBlank(program) + (arguments.empty() ? "" : " " + arguments);
}

std::string ProgramFileOf(const std::string& programField) {
  std::string program, arguments;
  SplitProgramField(programField, program, arguments);
  return program;
}

void NOTIFYSUITE(const std::string& path) {
  if (path.empty()) return;
  std::string cls = ParsePartnerEntry(Ui(15)).className;
  if (cls.empty()) return;
  if (HWND browser = FindWindowA(cls.c_str(), nullptr)) {
    std::string folder = fileio::WithoutTrailingSeparator(fileio::FolderOf(path));
    SENDCOPYDATA(browser, kCodeFileWritten, SKLCASE(folder));
  }
}

void ClosePartner(const std::string& className, DWORD milliseconds) {
  if (className.empty()) return;
  HWND window = FindWindowA(className.c_str(), nullptr);
  if (!window) return;
  SENDCOPYDATA(window, kCodeClose, "");
  DWORD start = GetTickCount();
  while (FindWindowA(className.c_str(), nullptr) && GetTickCount() - start < milliseconds) Sleep(1);
}

HWND WaitForPartner(const std::string& className, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND w = FindWindowA(className.c_str(), nullptr)) return w;
    if (GetTickCount() - start >= milliseconds) return nullptr;
    if (WAITBOX(1) != 0) return nullptr;
    Sleep(1);
  }
}

void RUNSUITEPROGRAM(const std::string& text, int show) {
  State& s = App();
  PartnerEntry player = ParsePartnerEntry(Ui(19));
  HWND window = FindOrStartPartner(PartnerCommand(player.program), player.className, kCodeStarted);
  if (!window) return;
  if (show) {
    BringPartnerToFront(window);
    SENDCOPYDATA(window, kCodeSlideShow, std::to_string(s.defaultTime));
    WAITBOX(0);
    std::string fields = s.musicList + "| " + std::to_string(s.groupValue) + "| " + std::to_string(s.textFileNumber) +
                         "| " + std::to_string(s.defaultTime);
    SENDCOPYDATA(window, kCodeAttachedSound, fields);
    WAITBOX(0);
    SENDCOPYDATA(window, kCodeShowKeywords, "");
    WAITBOX(0);
    SENDCOPYDATA(window, kCodeEnlargedView, "");
    WAITBOX(0);
  }
  if (IsWindow(window)) SENDCOPYDATA(window, kCodeOpen, text);
  if (show && IsWindow(window)) SENDCOPYDATA(window, kCodePressPlay, "");
}

void RUNSUITEITEM(const std::string& files) {
  std::string program = App().programFolder + SuiteProgram(kBurnerEntry);
  HWND burner = FindOrStartPartner(program, SuiteClass(kBurnerEntry), kCodeBurnerStarted);
  if (!burner) return;
  SENDCOPYDATA(burner, kCodeBurnJobName, ShowFileName());
  SENDCOPYDATA(burner, kCodeBurnNewList, "");
  SENDCOPYDATA(burner, kCodeOpen, files);
}

bool SwitchToBrowser(SuiteCode code) {
  PartnerEntry browser = ParsePartnerEntry(Ui(15));
  std::string program = SKFINDF(browser.program);
  if (program.empty()) return false;
  // A browser that has to be started gets the skin this program runs with: a ".sks" file
  // given to this program. The browser takes any other argument for files to hand on and
  // ends at once, so the suite's skin list is not passed: the browser reads it itself.
  std::string command = QuoteIfBlank(program);
  if (fileio::EqualsNoCase(fileio::ExtensionOf(App().skinFile), "sks")) command += " " + QuoteIfBlank(App().skinFile);
  bool started = false;
  HWND window = FindOrStartPartner(command, browser.className, kCodeNone, &started);
  if (window && !started) BringPartnerToFront(window);
  if (window) SENDCOPYDATA(window, code, "");
  return true;
}

void ShowHelp() {
  State& s = App();
  std::string document = fileio::WithoutExtension(s.exePath) + ".htm";
  if (!fileio::Exists(document)) {
    MESSAGEBOX(SKWINERR(2));
    return;
  }
  PartnerEntry viewer = ParsePartnerEntry(Ui(14));
  std::string program = SKFINDF(viewer.program);
  if (program.empty()) {
    ShellExecuteA(s.frame, "open", document.c_str(), nullptr, s.programFolder.c_str(), SW_SHOW);
    return;
  }
  if (HWND window = viewer.className.empty() ? nullptr : FindWindowA(viewer.className.c_str(), nullptr)) {
    BringPartnerToFront(window);
    SENDCOPYDATA(window, kCodeOpen, document);
    return;
  }
  SKSHELL(QuoteIfBlank(program) + " " + QuoteIfBlank(document + "," + s.skinFile), SW_SHOW, 0);
}

}  // namespace dunmere
