#include "mainwindow.h"

#include "imaging/suite_classes.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace jorvel {

namespace {
// The frame style the player gives the skin engine; its bit 0x40 (no menu bar) decides
// whether the main window gets a menu holder.
constexpr int kFrameStyle = 0x5F;
}  // namespace

bool CreateMainWindow() {
  Jorvel& p = App();
  if (!win::RegisterClassOnce({.name = kClassAudioPlayer,
                               .procedure = WNDPROC,
                               .instance = p.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = p.icon,
                               .cursor = nullptr}))
    return false;
  SKAPPTITLE(Ui(1));
  SKWINDOWSTYLE(kFrameStyle);
  SKSETSHADOW(0);
  // Never shown. It keeps the settings' place and size, so that they go back to the file as
  // they came.
  const AudioSettings& s = p.settings;
  p.frame = CreateWindowExA(0, kClassAudioPlayer, Ui(1).c_str(), WS_POPUP | WS_SYSMENU, s.left, s.top, s.width,
                            s.height, nullptr, nullptr, p.instance, nullptr);
  if (!p.frame) return false;
  SKMENU(p.frame, p.menus);
  if (!SKINSET(kFrameStyle, 0x40)) SKHOLDER(p.frame, "SKMENU", WNDPROC);
  return true;
}

}  // namespace jorvel
