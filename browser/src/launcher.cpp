#include "launcher.h"

#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "kelmor/menus.h"
#include "kelmor/partner_rules.h"
#include "skin/sk_controls.h"
#include "skin/ui_text.h"
#include "state.h"

namespace kelmor {

HWND LAUNCHSUITEAPP(const std::string& text) {
  BrowserState& b = App();
  PartnerEntry partner = ResolvePartner(ParsePartnerEntry(Ui(19)), b.partnerOverride, b.programFolder);
  HWND window = FindOrStartPartner(partner.program, partner.className, kCodeStarted);
  if (!window) return nullptr;
  // With the option on, the browser keeps the front: the user goes on choosing files.
  if (!(b.optionCheck && SKGETCHECK(b.optionCheck))) BringPartnerToFront(window);
  SENDCOPYDATA(window, kCodeOpen, text);
  return window;
}

HWND HandToDiscBurner(const std::vector<std::string>& paths) {
  BrowserState& b = App();
  std::string action = SKMACTE(kDiscBurnerCommand, b.menus);
  PartnerEntry partner = ParsePartnerEntry(action);
  std::string program = ProgramInFolder(partner.program, b.programFolder);
  HWND window = FindOrStartPartner(program, partner.className, kCodeStarted);
  if (!window) return nullptr;
  SENDCOPYDATA(window, kCodeBurnJobName, BurnerJobName(b.workingFile));
  SENDCOPYDATA(window, kCodeBurnNewList, "");
  SENDCOPYDATA(window, kCodeOpen, BurnerFileList(paths));
  return window;
}

HWND HandToAudioProgram(const std::string& text) {
  BrowserState& b = App();
  PartnerEntry partner = ParsePartnerEntry(Ui(64));
  HWND window = FindOrStartPartner(ProgramInFolder(partner.program, b.programFolder), partner.className, kCodeStarted);
  if (!window) return nullptr;
  SENDCOPYDATA(window, kCodeOpen, text);
  BringPartnerToFront(window);
  return window;
}

}  // namespace kelmor
