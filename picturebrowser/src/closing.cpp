#include "closing.h"

#include <windows.h>

#include "hessam/texts.h"
#include "settings.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"
#include "zoom.h"

namespace hessam {

void CloseBrowser() {
  BrowserState& b = App();
  b.printer.Reset();
  if (b.frame) {
    ShowWindow(b.frame, SW_RESTORE);
    RECT r;
    GetWindowRect(b.frame, &r);
    int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
    PICTURESETTINGS(left, top, width, height, 1);
  }
  CloseZoom();
  if (b.zoom && IsWindow(b.zoom)) DestroyWindow(b.zoom);
  b.zoom = nullptr;
  PostQuitMessage(0);
}

void ShowAbout() {
  BrowserState& b = App();
  SYSTEMTIME today{};
  GetLocalTime(&today);
  SkBoxStyle style = SkBoxStyle::Skinned(b.icon, kSkBoxInformation);
  SKMSGBOX(b.frame, SKCAPTIONFONT(), Ui(4), AboutText(SkinCurrent().credit, Ui(1), today.wYear), "", style);
}

}  // namespace hessam
