#include "player.h"

#include "audio/bass.h"
#include "boxes.h"
#include "effects.h"
#include "fileio/paths.h"
#include "jorvel/command_line.h"
#include "jorvel/m3u_list.h"
#include "jorvel/player_texts.h"
#include "pane.h"
#include "skin/sk_controls.h"
#include "skin/sk_system.h"
#include "skin/skin.h"
#include "state.h"
#include "tick.h"
#include "transport.h"

namespace jorvel {

namespace {

// An internet address needs a connection; without one the default dial-up connection is
// tried. False, after telling the user, when there is none.
bool Connected(const std::string& item) {
  Jorvel& p = App();
  if (!IsInternetAddress(item) || SKINTERNETSTATE()) return true;
  if (!p.dialUp) p.dialUp = SKRASCONNECT();
  if (p.dialUp) return true;
  WARNINGBOX(SKWINERR(1203) + "|" + item);
  return false;
}

void ShowPlaying(const std::string& item) {
  Jorvel& p = App();
  std::string title = PlayingTitle(Ui(1), item);
  SetWindowTextA(p.frame, title.c_str());
  if (p.marquee && IsWindow(p.marquee) && p.paneMode == kPaneSound) {
    std::string text = MarqueeText(item, BASSMUSICNAME(), BASSSTREAMNAME());
    SetWindowTextA(p.marquee, text.c_str());
  }
  SwapButtons(kPauseButton, kPlayButton);
  AnimatePane(true);
}

}  // namespace

void PLAYITEM(const std::string& item, int32_t start, int32_t end) {
  Jorvel& p = App();
  if (item.empty()) return;
  // From now on the tick keeps the volume bar in step.
  KILLVOLUMETIMER();
  StopTick();
  p.medium.CLOSEMEDIA();
  if (HWND bar = Control(kPositionBar)) SKSETTRACKPOS(bar, 0);
  FadeMeterWhenLit();
  // Made with the first medium, so that the saved effects are heard.
  EnsureEffectsWindow();
  int result = p.medium.OPENMEDIUM(item, ISPLAYABLE(item, p.soundTypes) > 0);
  if (result == 2) result = p.medium.PLAYMEDIA(start, end);
  if (result == 1) {
    StartTick();
    ShowPlaying(item);
    return;
  }
  WARNINGBOX(PlayFailureText(Ui(12), item, result, Ui(13), p.medium.Failure()));
}

void OPENITEM(const std::string& link, const std::string& given, int32_t start, int32_t end) {
  Jorvel& p = App();
  p.itemReady = false;
  AnimatePane(false);
  std::string item = given;
  const std::string& linkText = Ui(11);
  if (link.size() > linkText.size() && fileio::ToLower(link).rfind(fileio::ToLower(linkText), 0) == 0) item = link;
  if (item.empty()) return;
  p.itemReady = ISPLAYABLE(item, p.soundTypes) > 0;
  if (!Connected(item)) {
    p.itemReady = false;
    return;
  }
  if (!p.itemReady) {
    // No sound type: the user hears nothing, and is told why.
    WARNINGBOX(PlayFailureText(Ui(12), item, 0, Ui(13), "type"));
    return;
  }
  if (p.paneMode != kPaneSound) BUILDPLAYER(kPaneSound);
  PLAYITEM(item, start, end);
}

void OpenReceivedList(const std::string& list) {
  Jorvel& p = App();
  ListOpening o = OpenList(list, [&p](const std::string& path, std::string& items) {
    return READPLAYLIST(path, p.programFolder, items);
  });
  if (o.item.empty()) return;
  p.playList.Set(o.playList, o.index);
  OPENITEM("", o.item, 0, 0);
}

void OpenListItem(const std::string& item) { OPENITEM("", item, 0, 0); }

}  // namespace jorvel
