// Relief and underlay work on the picture as the user sees it (the working copy with its
// red-eye touches and earlier effects), not on the file as it was loaded; the objects stay
// objects over the result.
#include "effects.h"

#include <functional>

#include "boxes.h"
#include "bravik/box_rules.h"
#include "bravik/picture_rules.h"
#include "imglib/filters.h"
#include "picture.h"
#include "state.h"
#include "toolbox.h"

namespace bravik {
namespace {

void ApplyToWorkingCopy(const std::function<bool(imglib::Raster&)>& effect) {
  ToolState& t = App();
  if (t.pictureWidth <= 0) return;
  if (!WorkingCopy()) {
    ErrorBox(t.tempCopy + Ui(58));
    return;
  }
  if (!MakeToolResult(t.tempCopy, effect)) return;
  int colours = 0;
  t.redEye.clear();  // their pixels are part of the result now
  LOADPICTURE(t.tempCopy, colours, true);
  t.modified |= kModifiedContent;
  PICTUREINFO();
}

}  // namespace

void EFFECTPREVIEW(int command) {
  ApplyToWorkingCopy([command](imglib::Raster& picture) { return ReliefOf(picture, command); });
}

void UnderlayPicture() {
  ToolState& t = App();
  imglib::Raster underlay;
  if (t.underlayFile.empty() || !LoadPixels(t.underlayFile, underlay)) {
    ErrorBox(t.underlayFile + Ui(72));
    return;
  }
  ApplyToWorkingCopy([&underlay](imglib::Raster& picture) { return imglib::Underlay(picture, underlay); });
}

}  // namespace bravik
