#include "effects.h"

#include "boxes.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "jorvel/fx_window.h"
#include "pane.h"
#include "partners.h"
#include "state.h"
#include "win/raii.h"

namespace jorvel {

namespace {

std::string ProgramPath(const std::string& entry) {
  if (entry.empty()) return {};
  fileio::PathMacros macros;
  macros.programFolder = App().programFolder;
  std::string path = fileio::ExpandPathMacros(entry, macros);
  return path.find(':') == std::string::npos && path.rfind("\\\\", 0) != 0 ? App().programFolder + path : path;
}

// The bars' pictures live while the window is made.
struct Pictures {
  win::Bitmap channel{PaneBitmap(kFxChannelElement)};
  win::Bitmap thumb{PaneBitmap(kFxThumbElement)};
};

FxWindowSetup Setup(const Pictures& pictures) {
  Jorvel& p = App();
  FxWindowSetup s;
  s.owner = p.frame;
  s.pane = p.pane && IsWindow(p.pane) ? p.pane : nullptr;
  s.icon = p.icon;
  s.channel = pictures.channel.Get();
  s.thumb = pictures.thumb.Get();
  // The help button shows its picture only when the help document is not there.
  std::string document = ProgramPath(Ui(77));
  if (document.empty() || !fileio::Exists(document)) s.helpPicture = ProgramPath(Ui(80));
  s.helpTip = Ui(79);
  s.help = [] { ShowHelpDocument(Ui(79)); };
  s.warn = [](const std::string& text) { WARNINGBOX(text); };
  return s;
}

}  // namespace

void EnsureEffectsWindow() {
  if (FxWindow()) return;
  Pictures pictures;
  FXWIN(Setup(pictures));
}

void ToggleEffectsWindow() {
  Pictures pictures;
  ToggleFxWindow(Setup(pictures));
}

void CloseEffectsWindow() {
  if (HWND w = FxWindow()) DestroyWindow(w);
}

}  // namespace jorvel
