// The pick-file window "SSPICKFILE" and the target-folder window "SSTARGETFOLDER": the media
// browser's list-file and target boxes (kelmor/modal_boxes.h) under the maker's own classes.
#include <windows.h>

#include "boxes.h"
#include "fileio/paths.h"
#include "kelmor/modal_boxes.h"

namespace dunmere {

int PICKFILEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& name,
                const std::string& folder, const std::string& extension, const std::string& presetName, int saveMode) {
  kelmor::ListFiles files{fileio::WithTrailingSeparator(folder), extension, kPickFileClass, true};
  std::string chosen = presetName;
  int answer = kelmor::PICKFILEBOX(owner && IsWindow(owner) ? owner : nullptr, caption,
                                   buttons.empty() ? std::string("OK") : buttons, chosen, saveMode, files);
  name = answer ? chosen : std::string();
  return answer;
}

int TARGETFOLDERBOX(HWND owner, const std::string& buttons, const std::string& inputTitle,
                    const std::string& newFolderPrompt, const std::string& inputButtons, std::string& folder) {
  kelmor::TargetBoxTexts texts{inputTitle, newFolderPrompt, inputButtons};
  return kelmor::RUNTARGETBOX(owner && IsWindow(owner) ? owner : nullptr, buttons, folder, texts, kTargetFolderClass);
}

}  // namespace dunmere
