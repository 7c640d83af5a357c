// Open files (button 67, menu item 103): the media browser is the player's file source
// when it is installed; else the pick library's dialog chooses the files.
#include "bars.h"
#include "falcet/item_lists.h"
#include "falcet/options.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "items.h"
#include "media.h"
#include "pick/nadrix_call.h"
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

// UI entry of the open dialog's buttons: cancel and open.
constexpr int kOpenButtonsEntry = 34;

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
    pick::PickRequest request;
    request.owner = p.frame;
    request.startPath = p.settings.openFolder;
    request.caption = Ui(85);
    request.filterList = Ui(10) + "|*.*|" + Ui(11) + "|" + Ui(3) + Ui(88) + "|" + Ui(32) + "|*.m3u;*.upl";
    // A second button opens what is selected: with only the cancel button a selection of
    // several files could never be opened.
    request.buttons = Ui(kOpenButtonsEntry);
    request.listCaption = Ui(11);
    request.treeCaption = Ui(32);
    if (Option(kOptPaneLayout)) EnableWindow(p.frame, FALSE);
    pick::PickAnswer answer = pick::CallPickDialog(pickF, Export<SkPickResultProc>(pick, "SKPICKRESULT"), request);
    EnableWindow(p.frame, TRUE);
    multi(0);
    if (answer.button == 2) chosen = TrimBars(answer.result);
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
