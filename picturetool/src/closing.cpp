#include "closing.h"

#include <windows.h>

#include "canvas.h"
#include "imaging/copydata.h"
#include "imaging/partner_entry.h"
#include "picture.h"
#include "settings.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {

void OnClose() {
  ToolState& t = App();
  if (!CHECKSAVE()) return;
  if (IsIconic(t.frame)) ShowWindow(t.frame, SW_RESTORE);
  PrepareToEnd();
  if (t.zoomBox && IsWindow(t.zoomBox)) DestroyWindow(t.zoomBox);
  HideFullView();
  ZOOMPICTURE(0);
  DestroyWindow(t.frame);
}

void PrepareToEnd() {
  PICSETTINGS(1);
  CloseStartedPartner();
}

void CloseStartedPartner() {
  ToolState& t = App();
  if (!t.partnerStarted) return;
  t.partnerStarted = false;
  PartnerEntry partner = ParsePartnerEntry(Ui(40));
  if (HWND window = partner.className.empty() ? nullptr : FindWindowA(partner.className.c_str(), nullptr))
    SENDCOPYDATA(window, kCodeClose, "");
}

void RemoveTemporaryFiles() { SKKILLFILE(App().conversionPath); }

}  // namespace bravik
