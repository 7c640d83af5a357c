#include "imaging/program_frame.h"

#include "skin/skin.h"
#include "win/window_class.h"

namespace startup {

bool CreateSkinnedFrame(const FrameSetup& setup, SkinnedFrame& made) {
  made = SkinnedFrame{};
  if (!win::RegisterClassOnce({.name = setup.className,
                               .procedure = setup.procedure,
                               .instance = setup.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = setup.icon}))
    return false;
  SKAPPTITLE(setup.title);
  SKWINDOWSTYLE(setup.skinStyle);
  int maxWidth = setup.screenWidth, maxHeight = setup.screenHeight;
  SKSETMAXSIZE(setup.width, setup.height, maxWidth, maxHeight);
  made.frame = CreateWindowExA(0, setup.className, setup.title.c_str(),
                               WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN, setup.left,
                               setup.top, setup.width, setup.height, nullptr, nullptr, setup.instance, nullptr);
  if (!made.frame) return false;
  made.menuHolder = SKHOLDER(made.frame, "SKMENU", setup.procedure);
  made.clientHolder = SKHOLDER(made.frame, setup.clientKind, setup.procedure);
  for (const char* kind : setup.hiddenHolders) {
    HWND holder = SKHOLDER(made.frame, kind, setup.procedure);
    if (holder) ShowWindow(holder, SW_HIDE);
    made.hiddenHolders.push_back(holder);
  }
  if (!setup.sysButtonTips.empty()) SKSETSYSBUTTONTIP(setup.sysButtonTips);
  made.status = SKSTATUSWINDOW(made.frame, "");
  if (setup.menus) SKMENU(made.frame, *setup.menus);
  if (made.clientHolder)
    SetWindowLongPtrA(made.clientHolder, GWL_EXSTYLE,
                      GetWindowLongPtrA(made.clientHolder, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  return made.clientHolder != nullptr;
}

}  // namespace startup
