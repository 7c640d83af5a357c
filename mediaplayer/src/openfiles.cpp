// Open files (button 67, menu item 103): the media browser is the player's file source
// when it is installed; else the pick library's dialog chooses the files.
#include <vector>

#include "bars.h"
#include "falcet/item_lists.h"
#include "falcet/options.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "items.h"
#include "media.h"
#include "pick/nadrix.h"
#include "skin/skin.h"
#include "state.h"
#include "wndproc.h"

namespace falcet {

namespace {

// The media browser's partner entry: "program,class".
constexpr int kBrowserEntry = 78;

std::string BrowserProgram() { return ParsePartnerEntry(Ui(kBrowserEntry)).program; }

// The media browser becomes the player's file source when it is installed.
bool HandToBrowser() {
  Player& p = App();
  std::string program = SKFINDF(BrowserProgram());
  if (program.empty()) return false;
  bool started = false;
  HWND browser = FindOrStartPartner(program, kClassBrowser, kCodeNone, &started);
  if (browser && started) {
    // Started, it gets the player's program and class, so that it sends its lists here.
    p.startedBrowser = true;
    SENDCOPYDATA(browser, kCodeSetPartner, FormatPartnerEntry(p.exePath, kClassPlayer));
  } else if (browser) {
    BringPartnerToFront(browser);
  }
  return true;
}

std::string PickFiles() {
  Player& p = App();
  win::Module pick = LoadProgramLibrary("nadrix.dll");
  if (!pick) return std::string();
  std::string chosen;
  auto pickF = Export<SkPickFProc>(pick, "skPickF");
  auto multi = Export<SkSwitchProc>(pick, "skPickMulti");
  if (auto thumbs = Export<SkShowThumbProc>(pick, "skShowThumb"))
    thumbs(".JPG.GIF.TIF.BMP.PCX.PNG.TGA.PSD.JPEG.ICO.WMF.EMF.", 1);
  if (pickF && multi) {
    multi(1);
    std::string filters = Ui(10) + "|*.*|" + Ui(11) + "|" + Ui(3) + Ui(88) + "|" + Ui(32) + "|*.m3u;*.upl";
    std::vector<char> resultText(65536, '\0'), nameText(MAX_PATH, '\0');
    SkTextBuffer result{resultText.data(), int32_t(resultText.size()), 0};
    SkTextBuffer name{nameText.data(), int32_t(nameText.size()), 0};
    std::string start = p.settings.openFolder;
    if (Option(kOptPaneLayout)) EnableWindow(p.frame, FALSE);
    int button = pickF(p.frame, start.c_str(), Ui(85).c_str(), filters.c_str(), Ui(33).c_str(), "", "", "", 0, "", 0,
                       &result, &name);
    EnableWindow(p.frame, TRUE);
    if (button == 2) chosen = TrimBars(resultText.data());
  }
  return chosen;
}

}  // namespace

bool HasFileSource() {
  std::string program = BrowserProgram();
  return (!program.empty() && SKEXIST(program)) || SKEXIST("nadrix.dll");
}

void OpenFiles() {
  Player& p = App();
  if (HandToBrowser()) return;
  std::string list = PickFiles();
  KillThreadTimer(p.slideTimer);
  KillThreadTimer(p.stepTimer);
  if (list.empty()) return;
  CLOSEMEDIA();
  SetForegroundWindow(p.frame);
  InvalidateRect(p.frame, nullptr, TRUE);
  if (ItemCount(list) == 1) list = ListOfName(list);
  p.settings.openFolder = fileio::FolderOf(ItemAt(list, 1));
  OpenList(list, false);
  if (p.barKind == kBarPicture) SetSliderPosition(kPositionSlider, PictureSliderPosition(p.itemCount));
}

}  // namespace falcet
