// The size box: width and height of a resized or a new picture, the other side following
// the picture's proportions while the check box is ticked.
#include <algorithm>
#include <utility>

#include "boxes.h"
#include "boxframe.h"
#include "imglib/imglib.h"
#include "imglib/transforms.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "toolbox.h"

namespace bravik {
namespace {

constexpr int kMargin = 8;
constexpr int kLabelWidth = 110;
constexpr int kFieldWidth = 70;
constexpr int kNewWidth = 640;
constexpr int kNewHeight = 480;

struct SizeBox {
  HWND window = nullptr;
  HWND width = nullptr;
  HWND height = nullptr;
  HWND keep = nullptr;
  int pictureWidth = 0;   // the proportions to keep
  int pictureHeight = 0;
  bool updating = false;
  bool done = false;
};

SizeBox& Box() {
  static SizeBox box;
  return box;
}

void Finish(int result) { FinishToolBox(Box().window, Box().done, result); }

// Keeps the other side in proportion to the edited one.
void FollowProportions(HWND edited) {
  SizeBox& b = Box();
  if (b.updating || !b.keep || !SKGETCHECK(b.keep)) return;
  bool widthEdited = edited == b.width;
  int side = ControlNumber(edited);
  int other = widthEdited ? ProportionalSide(side, b.pictureWidth, b.pictureHeight)
                          : ProportionalSide(side, b.pictureHeight, b.pictureWidth);
  if (other <= 0) return;
  b.updating = true;
  SetControlNumber(widthEdited ? b.height : b.width, other);
  b.updating = false;
}

void Apply() {
  SizeBox& b = Box();
  ToolBoxParams& p = TOOLBOXPARAMS();
  int width = ControlNumber(b.width), height = ControlNumber(b.height);
  if (!SizeAllowed(width, height)) {
    // A size of 0, or one too large to hold, is named and the box stays.
    ErrorBox(std::to_string(width) + " x " + std::to_string(height) + Ui(70));
    return;
  }
  p.minimum = width;
  p.maximum = height;
  if (p.boxIndex == kBoxNewPicture) {
    Finish(2);
    return;
  }
  auto resize = [width, height](imglib::Raster& picture) {
    imglib::Raster sized;
    if (!imglib::Resize(picture, width, height, imglib::kSizeResample, sized)) return false;
    picture = std::move(sized);
    return true;
  };
  if (!MakeToolResult(p.file, resize)) {
    Finish(0);
    return;
  }
  p.file = App().tempCopy;
  Finish(2);
}

}  // namespace

int RunSizeBox(const std::string& title) {
  ToolBoxParams& p = TOOLBOXPARAMS();
  SizeBox& b = Box();
  b = SizeBox{};
  bool newPicture = p.boxIndex == kBoxNewPicture;
  NEWSIZEPROC(nullptr, kBoxLoadPicture, 0, reinterpret_cast<LPARAM>(p.file.c_str()));
  int clientWidth = kLabelWidth + kFieldWidth + 3 * kMargin, clientHeight = 4 * 30 + 2 * kMargin;
  HWND box = MakeBox(kSizeBoxClass, NEWSIZEPROC, title, clientWidth, clientHeight);
  if (!box) return 0;
  b.window = box;
  std::vector<std::string> labels;
  SKSPLITS(Ui(71).empty() ? std::string("Width|Height|Keep the proportions") : Ui(71), "|", labels);
  labels.resize(3);
  int x = kMargin, y = kMargin;
  int width = newPicture ? (p.minimum > 0 ? p.minimum : kNewWidth) : b.pictureWidth;
  int height = newPicture ? (p.maximum > 0 ? p.maximum : kNewHeight) : b.pictureHeight;
  BoxLabel(box, labels[0], x, y + 3, kLabelWidth, 16);
  b.width = SKINPUT(box, std::to_string(width), x + kLabelWidth + kMargin, y, kFieldWidth, 22, kBoxWidthField, 4, 0,
                    9999);
  y += 30;
  BoxLabel(box, labels[1], x, y + 3, kLabelWidth, 16);
  b.height = SKINPUT(box, std::to_string(height), x + kLabelWidth + kMargin, y, kFieldWidth, 22, kBoxHeightField, 4, 0,
                     9999);
  y += 30;
  b.keep = SKCHECKBUTTON(box, labels[2], x, y, clientWidth - 2 * kMargin, 20, kBoxKeepProportions);
  // A new picture has no proportions of its own to keep.
  SKSETCHECK(b.keep, newPicture ? 0 : 1);
  y += 30;
  ApplyCancelButtons(box, x, y, clientWidth - 2 * kMargin, kMargin);
  SendMessageA(b.width, EM_SETSEL, 0, -1);
  RunBox(box, b.width, [] { return Box().done; }, [](int r) { Finish(r); });
  return p.boxIndex;
}

LRESULT CALLBACK NEWSIZEPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  SizeBox& b = Box();
  if (message == kBoxLoadPicture) {
    ImgFileInfo info;
    const char* file = reinterpret_cast<const char*>(lParam);
    if (file && *file && L_FileInfo(file, &info) == imglib::kSuccess) {
      b.pictureWidth = info.width;
      b.pictureHeight = info.height;
    }
    return 0;
  }
  if (LRESULT answer = SKGETMESSAGE(box, message, wParam, lParam)) return answer;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kBoxApply:
          Apply();
          return 0;
        case kBoxCancel:
          Finish(0);
          return 0;
        case kBoxWidthField:
        case kBoxHeightField:
          if (HIWORD(wParam) == EN_CHANGE) FollowProportions(reinterpret_cast<HWND>(lParam));
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      Finish(0);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

}  // namespace bravik
