// The video snapshot (button 63): the video's own frame at its position (through the
// clipboard, read from the file: a covered window gives the same frame), saved as a BMP
// file where the pick dialog says.
#include "boxes.h"
#include "falcet/player_rules.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imglib/imglib.h"
#include "imglib/imglib_devices.h"
#include "media.h"
#include "pick/nadrix_call.h"
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
  int32_t position = 0;
  L_MMGetCurrentPos(p.media.clip, &position);
  bool saved = false;
  if (L_MMCopyFrames(p.media.clip, position, 1) == imglib::kSuccess && L_ClipboardReady()) {
    imglib::BitmapOwner frame;
    if (L_CopyFromClipboard(p.frame, frame.Get()) == imglib::kSuccess)
      saved = L_SaveBitmap(temp, frame.Get(), imglib::kFormatBmp, 24, 0) == imglib::kSuccess;
    // The frame only passed through the clipboard.
    if (OpenClipboard(p.frame)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  win::Module pick = saved ? LoadProgramLibrary("nadrix.dll") : win::Module();
  auto pickF = pick ? Export<SkPickFProc>(pick, "skPickF") : nullptr;
  if (pickF) {
    pick::PickRequest request;
    request.owner = p.frame;
    request.startPath = p.settings.snapshotFolder + "*.bmp";
    request.caption = Ui(29);
    request.filterList = "*.bmp|*.bmp";
    request.buttons = Ui(30);
    request.listCaption = Ui(31);
    request.treeCaption = Ui(32);
    request.nameCaption = Ui(33);
    request.nameMode = 1;
    pick::PickAnswer answer = pick::CallPickDialog(pickF, Export<SkPickResultProc>(pick, "SKPICKRESULT"), request);
    // Only a name the user gave is a target: an empty one saves nothing.
    std::string target = SnapshotTarget(answer.name);
    if (answer.button == 2 && !target.empty()) {
      int error = SKSHELLCOPY(p.frame, temp, target);
      if (error) WarningBox(SKWINERR(error));
      else p.settings.snapshotFolder = fileio::FolderOf(target);
    }
  }
  fileio::RemoveFile(temp);
  if (wasPlaying) RESUMEMEDIA();
}

}  // namespace falcet
