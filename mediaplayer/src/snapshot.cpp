// The video snapshot (button 63): the frame as the video window shows it, saved as a BMP
// file where the pick dialog says.
#include <vector>

#include "boxes.h"
#include "falcet/player_rules.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imglib/imglib.h"
#include "media.h"
#include "pick/nadrix.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace falcet {

void SaveSnapshot() {
  Player& p = App();
  if (p.media.holder != Holder::kClip || !p.media.video || (p.media.mmState != 3 && p.media.mmState != 2)) return;
  bool wasPlaying = p.media.mmState == 3;
  if (wasPlaying) PAUSEMEDIA();
  std::string temp = SKGETTEMPPATH() + Ui(28);
  fileio::RemoveFile(temp);
  RECT r;
  GetClientRect(p.view, &r);
  imglib::BitmapOwner frame;
  bool saved = false;
  if (r.right > 0 && r.bottom > 0 && L_CreateBitmap(frame.Get(), r.right, r.bottom, 24) == imglib::kSuccess) {
    // The frame as the window shows it.
    win::WindowDC source(p.view);
    if (HDC dc = L_CreateLeadDC(frame.Get())) {
      BitBlt(dc, 0, 0, r.right, r.bottom, source, 0, 0, SRCCOPY);
      L_DeleteLeadDC(dc);
    }
    saved = L_SaveBitmap(temp, frame.Get(), imglib::kFormatBmp, 24, 0) == imglib::kSuccess;
  }
  win::Module pick = saved ? LoadProgramLibrary("nadrix.dll") : win::Module();
  auto pickF = pick ? Export<SkPickFProc>(pick, "skPickF") : nullptr;
  if (pickF) {
    std::vector<char> resultText(MAX_PATH * 2, '\0'), nameText(MAX_PATH, '\0');
    SkTextBuffer result{resultText.data(), int32_t(resultText.size()), 0};
    SkTextBuffer name{nameText.data(), int32_t(nameText.size()), 0};
    std::string start = p.settings.snapshotFolder + "*.bmp";
    int button = pickF(p.frame, start.c_str(), Ui(29).c_str(), "*.bmp|*.bmp", Ui(30).c_str(), Ui(31).c_str(),
                       Ui(32).c_str(), "", 0, Ui(33).c_str(), 1, &result, &name);
    std::string target = SnapshotTarget(nameText.data());
    if (button == 2 && !target.empty()) {
      int error = SKSHELLCOPY(p.frame, temp, target);
      if (error) WarningBox(SKWINERR(error));
      else p.settings.snapshotFolder = fileio::FolderOf(target);
    }
  }
  fileio::RemoveFile(temp);
  if (wasPlaying) RESUMEMEDIA();
}

}  // namespace falcet
