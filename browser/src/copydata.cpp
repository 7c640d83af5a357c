#include "copydata.h"

#include "commands.h"
#include "detail_filler.h"
#include "filelist.h"
#include "folders.h"
#include "imaging/copydata.h"
#include "kelmor/file_listing.h"
#include "kelmor/partner_rules.h"
#include "skin/sk_controls.h"
#include "state.h"

namespace kelmor {

namespace {

// Code 2: a program names itself (program file and window class) as the partner that gets
// the browser's files from now on. It then decides when to take them, so the option to hand
// over every selection at once goes away; it is switched off too, so that a hidden option
// cannot go on handing files over.
void TakePartnerOverride(const std::string& text) {
  BrowserState& b = App();
  b.partnerOverride = ParsePartnerEntry(text);
  if (!b.partnerOverride.program.empty() && b.optionCheck) {
    SKSETCHECK(b.optionCheck, 0);
    ShowWindow(b.optionCheck, SW_HIDE);
  }
}

// Code 10: close. An iconic browser is hidden first, so that it does not flash up.
void CloseOnRequest() {
  BrowserState& b = App();
  if (IsIconic(b.frame)) ShowWindow(b.frame, SW_HIDE);
  PostMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Code 22: a partner wrote a file (a side file) in a folder; the cells of that folder show
// its markers again.
void FileWritten(const std::string& folder) {
  BrowserState& b = App();
  if (b.markers && b.thumbnailLayout && !b.currentFolder.empty() && SameFolder(folder, b.currentFolder))
    PostMessageA(b.frame, kMsgRepaint, reinterpret_cast<WPARAM>(b.fileList), 0);
}

// Code 23: go to a folder; the fill starts the detail filler. A folder that does not exist
// changes nothing.
void GoToReceivedFolder(const std::string& folder) { GoToFolder(folder, true); }

}  // namespace

LRESULT OnCopyData(HWND, WPARAM wParam, LPARAM lParam) {
  std::string text;
  int code = GETCOPYDATA(text, wParam, lParam);
  switch (code) {
    case kCodeSetPartner:
      TakePartnerOverride(text);
      break;
    case kCodeClose:
      CloseOnRequest();
      break;
    case kCodeFileType1:
    case kCodeFileType2:
    case kCodeFileType3:
    case kCodeFileType4:
    case kCodeFileType5:
    case kCodeFileType6:
      ChooseFileType(code - kCodeFileType1);
      break;
    case kCodeFileWritten:
      FileWritten(text);
      break;
    case kCodeGoToFolder:
      GoToReceivedFolder(text);
      break;
    default:
      // Every code is answered with 1, also those the browser does not act on.
      break;
  }
  return 1;
}

}  // namespace kelmor
