#include "items.h"

#include "audio/bass.h"
#include "bars.h"
#include "boxes.h"
#include "falcet/command_line.h"
#include "falcet/item_lists.h"
#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "jorvel/m3u_list.h"
#include "jorvel/pane.h"
#include "mainwindow.h"
#include "media.h"
#include "pictures.h"
#include "skin/sk_controls.h"
#include "skin/sk_system.h"
#include "skin/skin.h"
#include "state.h"
#include "web.h"
#include "wndproc.h"

namespace falcet {

namespace {

// A web address needs a connection; without one the default dial-up is tried.
bool Connected(const std::string& item) {
  Player& p = App();
  if (!NeedsConnection(item) || SKINTERNETSTATE()) return true;
  if (!p.dialUp) p.dialUp = SKRASCONNECT();
  if (p.dialUp) return true;
  WarningBox(SKWINERR(1203) + "|" + item);
  SetStatusText(fileio::NameOf(item));
  return false;
}

// A built show list: the slides become the item list, the header goes to the player
// itself as command messages. Returns the item to open ("" for none).
std::string ReadShowList(const std::string& item) {
  Player& p = App();
  std::string folder = fileio::FolderOf(item);
  if (folder.empty()) folder = p.programFolder;
  p.showFolder = folder;
  std::string text;
  fileio::ReadWholeFile(item, text);
  ShowItems show = ReadShowItems(text, folder, IsExistingFile);
  if (p.recordMode) show.flagTwo = 1;
  p.showHeader = show;
  if (show.pictureTime > 0) p.options = WithOption(p.options, kOptStepInterval, std::to_string(show.pictureTime));
  p.itemList = show.items;
  p.timeList = show.times;
  SENDCOPYDATA(p.frame, kCodeAttachedSound,
               show.soundFile + "|" + std::to_string(show.soundNumberOne) + "|" +
                   std::to_string(show.soundNumberTwo) + "|" + std::to_string(show.pictureTime));
  if (show.flagThree) SENDCOPYDATA(p.frame, kCodeShowKeywords, "");
  if (show.flagOne == 0) SENDCOPYDATA(p.frame, kCodeEnlargedView, "");
  SENDCOPYDATA(p.frame, kCodePressPlay, "");
  p.itemCount = ItemCount(p.itemList);
  if (p.itemCount > 1) {
    p.currentIndex = 1;
    return ItemAt(p.itemList, 1);
  }
  p.currentIndex = p.itemCount;
  return p.itemList;
}

// After a step: the picture bar's slider follows the index and the item opens.
void OpenStepped() {
  Player& p = App();
  if (p.barKind == kBarPicture) SetSliderPosition(kPositionSlider, ListPercent(p.currentIndex, p.itemCount));
  OPENITEM(ItemAt(p.itemList, p.currentIndex));
  if (p.slideState == 1 && p.zoom) InvalidateRect(p.zoom, nullptr, FALSE);
}

// The skin's waiting animation (element 81) on the pane: it turns while a medium opens.
void StartWaitingAnimation(int kind) {
  HWND animation = jorvel::PaneAnimation();
  if (!animation) animation = jorvel::CreatePaneAnimation(BarStyle(kind));
  if (animation) SendMessageA(animation, kSkAnimationPlay, 0, 0);
}

}  // namespace

void StopWaitingAnimation() {
  if (HWND animation = jorvel::PaneAnimation()) SendMessageA(animation, kSkAnimationStop, 0, 0);
}

void OPENITEM(const std::string& given) {
  Player& p = App();
  KillThreadTimer(p.stepTimer);
  StopWaitingAnimation();
  std::string item = given;
  if (item.empty()) return;
  bool medium = IsMedium(item, Ui(3), Ui(88), BASSAVAILABLE() != 0);
  if (!Connected(item)) return;
  if (medium) {
    int kind = MatchesPatterns(item, Ui(88)) ? kBarSound : kBarVideo;
    if (!BarShows(kind)) BUILDMEDIABAR(kind);
    p.itemKind = kBarVideo;
    p.mediumKind = kind;
    StartWaitingAnimation(kind);
    if (SHOWMEDIAINFO(item) < 1) StopWaitingAnimation();
    return;
  }
  if (!Ui(89).empty() && EndsWithNoCase(item, Ui(89))) {
    item = ReadShowList(item);
    if (item.empty()) return;
  }
  if (IsPictureFile(item)) {
    if (p.barKind != kBarPicture) BUILDPICTUREBAR();
    p.itemKind = kBarPicture;
    ShowPicture(item);
    return;
  }
  if (p.barKind != kBarWeb) BUILDWEBBAR();
  p.itemKind = kBarWeb;
  ShowWebPage(item);
}

void OpenList(const std::string& list, bool leaveShow) {
  Player& p = App();
  p.itemList = list;
  p.timeList.clear();
  p.itemCount = ItemCount(list);
  if (p.itemCount > 1) {
    p.currentIndex = 1;
    OPENITEM(ItemAt(list, 1));
  } else if (p.itemCount == 1) {
    p.currentIndex = 1;
    if (leaveShow) LeaveSlideShow();
    OPENITEM(list);
  }
}

std::string BuiltShowList() { return App().basePath + Ui(89); }

std::string ListOfName(const std::string& name) {
  Player& p = App();
  if (EndsWithNoCase(name, ".m3u")) {
    std::string list;
    jorvel::READPLAYLIST(name, p.programFolder, list);
    return list;
  }
  if (EndsWithNoCase(name, ".upl")) return READUPL(name, p.programFolder);
  return name;
}

void NextItem() {
  Player& p = App();
  if (p.itemCount < 2) {
    if (WebPanelShows()) WebForward();
    return;
  }
  p.stepDirection = 2;
  bool pastTheLast = p.currentIndex >= p.itemCount;
  p.currentIndex = NextIndex(p.currentIndex, p.itemCount);
  if (pastTheLast) {
    // Past the last item: the show ends here and the list stands at its start again.
    SendMessageA(p.frame, WM_KEYDOWN, VK_ESCAPE, 0);
    if (p.recorderMode == 1) StopRecorder();
    StopAttachedSound();
    if (uint32_t channel = BASSCURRENTCHANNEL()) BASSCHANNELPAUSE(channel);
    PAUSEMEDIA();
    if (p.recordMode) {
      // The recording is complete, and input is disabled in record mode: the program that
      // asked for it waits for the player to end, so it ends here.
      PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
  }
  OpenStepped();
}

void PreviousItem() {
  Player& p = App();
  if (p.itemCount < 2) {
    if (WebPanelShows()) WebBack();
    return;
  }
  p.stepDirection = 1;
  p.currentIndex = PreviousIndex(p.currentIndex, p.itemCount);
  OpenStepped();
}

}  // namespace falcet
