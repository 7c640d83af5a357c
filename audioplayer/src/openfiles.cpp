// Open files (button 67, menu item 103): the media browser is the player's file source when
// it is installed; else the pick dialog chooses sounds or a play list.
#include "fileio/item_list.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "jorvel/command_line.h"
#include "jorvel/m3u_list.h"
#include "partners.h"
#include "pick/pick.h"
#include "player.h"
#include "skin/skin.h"
#include "state.h"

namespace jorvel {

namespace {

constexpr int kBrowserEntry = 78;

// The browser, found or started (it then gets the player as the program of its lists),
// comes to the front and shows its sounds. False when it is not installed.
bool HandToBrowser() {
  Jorvel& p = App();
  PartnerEntry entry = ParsePartnerEntry(Ui(kBrowserEntry));
  std::string program = SKFINDF(entry.program);
  if (program.empty()) return false;
  std::string cls = fileio::Trim(entry.className);
  HWND browser = cls.empty() ? nullptr : FindWindowA(cls.c_str(), nullptr);
  if (browser) {
    BringPartnerToFront(browser);
  } else {
    bool started = false;
    browser = FindOrStartPartner(program + " " + p.settings.skinFile, cls, kCodeNone, &started);
    if (browser && started) {
      p.startedBrowser = true;
      SENDCOPYDATA(browser, kCodeSetPartner, FormatPartnerEntry(p.exePath, kClassAudioPlayer));
    }
  }
  if (browser && cls == kClassBrowser) SENDCOPYDATA(browser, kCodeFileType4, "");
  return true;
}

// The pick dialog, several files at once: true when the user chose; list receives the
// files and link the text of the address field.
bool PickSounds(std::string& list, std::string& link) {
  Jorvel& p = App();
  std::string exclude = Ui(85);
  SKPICKFILTER(exclude, 1);
  SKPICKMULTI(1);
  link = Ui(11);
  HWND owner = p.pane && IsWindow(p.pane) ? p.pane : p.frame;
  EnableWindow(owner, FALSE);
  int button = SKPICKF(owner, p.settings.pickFolder + Ui(88), Ui(4), "Audio|" + Ui(88) + "|Winamp|*.m3u", Ui(9),
                       Ui(6), Ui(7), Ui(8), 0, Ui(10), 1, list, link);
  EnableWindow(owner, TRUE);
  SKPICKMULTI(0);
  list = fileio::TrimBars(list);
  return button == 2;
}

}  // namespace

void OPENFILES() {
  Jorvel& p = App();
  if (HandToBrowser()) return;
  std::string list, link;
  // Cancelled, the old list stays.
  if (!PickSounds(list, link)) return;
  p.medium.CLOSEMEDIA();
  p.levelsSeen = false;
  if (fileio::ItemCount(list) == 1 && IsPlayListName(list)) READPLAYLIST(list, p.programFolder, list);
  p.playList.Set(list, 1);
  std::string first = p.playList.ItemToOpen(1);
  if (!first.empty()) p.settings.pickFolder = fileio::FolderOf(first);
  // An address typed in the dialog is opened in place of the files.
  OPENITEM(link, first, 0, 0);
}

}  // namespace jorvel
