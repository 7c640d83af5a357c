#include "mainwindow.h"

#include <windows.h>

#include "imaging/suite_classes.h"
#include "skin/sk_controls.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace narwen {

namespace {

constexpr int kFrameStyle = 27;
constexpr int kMargin = 12;
constexpr int kBarHeight = 20;

}  // namespace

bool CreateMainWindow() {
  Narwen& a = App();
  if (!win::RegisterClassOnce({.name = kClassMaintenance,
                               .procedure = WNDPROC,
                               .instance = a.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = LoadIcon(nullptr, IDI_APPLICATION)}))
    return false;
  SKAPPTITLE(Ui(1));
  SKWINDOWSTYLE(kFrameStyle);
  a.frame = CreateWindowExA(0, kClassMaintenance, Ui(1).c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                            a.place.left, a.place.top, a.place.width, a.place.height, nullptr, nullptr, a.instance,
                            nullptr);
  if (!a.frame) return false;
  a.clientHolder = SKHOLDER(a.frame, "SKCLIP", WNDPROC);
  SKHOLDER(a.frame, "SKMENU", WNDPROC);
  a.status = SKSTATUSWINDOW(a.frame, "");
  SKMENU(a.frame, a.menus);
  if (!a.clientHolder) return false;
  RECT client;
  GetClientRect(a.clientHolder, &client);
  a.progress = SKPROGRESS32(a.clientHolder, kMargin, kMargin, client.right - 2 * kMargin, kBarHeight, kProgressBarId);
  return a.progress != nullptr;
}

void LayoutChildren() {
  Narwen& a = App();
  if (!a.clientHolder || !a.progress) return;
  RECT client;
  GetClientRect(a.clientHolder, &client);
  MoveWindow(a.progress, kMargin, (client.bottom - kBarHeight) / 2, client.right - 2 * kMargin, kBarHeight, TRUE);
}

}  // namespace narwen
