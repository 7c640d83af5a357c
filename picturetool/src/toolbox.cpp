// The tool boxes as far as this version has them: the geometric effects (flip, mirror,
// quarter turns) apply at once, resizing and the new picture ask for a size; the filter
// effects and the text and shape boxes take their values through the skin engine's
// input box.
#include "toolbox.h"

#include <array>

#include "boxes.h"
#include "bravik/object_rules.h"
#include "bravik/picture_rules.h"
#include "commands.h"
#include "fileio/fields.h"
#include "fileio/paths.h"
#include "imglib/imglib.h"
#include "skin/sk_boxes.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {
namespace {

struct EffectRange {
  int index, minimum, maximum, value, multiplier;
};

// Minimum, maximum, default value and multiplier of the effects that take a value.
constexpr std::array<EffectRange, 17> kEffects{{
    {1, -100, 100, 0, 10}, {2, -100, 100, 0, 10}, {3, -360, 360, 0, 1},  {4, -10, 10, 0, 50},
    {5, -100, 100, 0, 1},  {8, -1000, 1000, 0, 1}, {11, -100, 100, 70, 10}, {12, 0, 255, 0, 1},
    {13, 2, 62, 2, 1},     {14, 0, 100, 0, 1},    {15, 0, 100, 0, 1},    {16, 0, 100, 2, 1},
    {17, 0, 1000, 500, 1}, {25, 0, 10, 7, 1},     {31, 0, 244, 70, 1},   {33, 0, 0, 0, 1},
    {34, 0, 0, 0, 1},
}};

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

// Asks for a size; false when cancelled or not two numbers from 1 to 9999.
bool AskSize(const std::string& title, int& width, int& height) {
  std::string answer = std::to_string(width) + " x " + std::to_string(height);
  SkBoxStyle style = SkBoxStyle::Input(nullptr, 16);
  for (;;) {
    if (SKINPUTBOX(App().frame, SKCAPTIONFONT(), title, Ui(60), "", answer, style) != 1) return false;
    if (ParseSizeText(answer, width, height)) return true;
    ErrorBox(answer + Ui(64));
  }
}

// Loads the picture, applies a geometric effect and writes the temporary copy.
bool ApplyGeometric(const std::string& file, int boxIndex, int width, int height) {
  ToolState& t = App();
  imglib::BitmapOwner picture;
  if (L_LoadBitmap(file, picture.Get(), 24) != imglib::kSuccess) return false;
  int r = imglib::kSuccess;
  switch (boxIndex) {
    case kBoxFlip: r = L_FlipBitmap(picture.Get()); break;
    case kBoxMirror: r = L_ReverseBitmap(picture.Get()); break;
    case kBoxTurnLeft: r = L_RotateBitmap(picture.Get(), -9000, imglib::kRotateResize, RGB(0, 0, 0)); break;
    case kBoxTurnRight: r = L_RotateBitmap(picture.Get(), 9000, imglib::kRotateResize, RGB(0, 0, 0)); break;
    case kBoxResize: r = L_SizeBitmap(picture.Get(), width, height, imglib::kSizeResample); break;
    default: return false;
  }
  if (r != imglib::kSuccess) return false;
  SKKILLFILE(t.tempLayer);
  return L_SaveBitmap(t.tempCopy, picture.Get(), imglib::kFormatBmp, 24, 0) == imglib::kSuccess;
}

}  // namespace

ToolBoxParams& TOOLBOXPARAMS() {
  static ToolBoxParams params;
  return params;
}

FontBoxParams& FONTBOXPARAMS() {
  static FontBoxParams params;
  return params;
}

void SetEffectDefaults(int boxIndex) {
  ToolBoxParams& p = TOOLBOXPARAMS();
  p.minimum = p.maximum = p.value = 0;
  p.multiplier = 1;
  int key = boxIndex >= kBoxFirstEmboss && boxIndex <= kBoxLastEmboss ? kBoxFirstEmboss : boxIndex;
  for (const EffectRange& e : kEffects) {
    if (e.index != key) continue;
    p.minimum = e.minimum;
    p.maximum = e.maximum;
    p.value = e.value;
    p.multiplier = e.multiplier;
  }
}

int RUNTOOLBOX(std::string& file, const std::string& title, int& width, int& height, int value, int boxIndex) {
  ToolState& t = App();
  ToolBoxParams& p = TOOLBOXPARAMS();
  p.file = file;
  p.value = value;
  p.boxIndex = boxIndex;
  std::string caption = title;
  if (width != 0 || height != 0)
    caption += ReplaceAll(ReplaceAll(Ui(14), "@", std::to_string(width)), "#", std::to_string(height));
  int result = 0;
  std::string out;
  switch (boxIndex) {
    case kBoxFlip: case kBoxMirror: case kBoxTurnLeft: case kBoxTurnRight:
      if (ApplyGeometric(file, boxIndex, 0, 0)) out = t.tempCopy, result = 2;
      break;
    case kBoxResize: {
      ImgFileInfo info;
      int w = 0, h = 0;
      if (L_FileInfo(file, &info) == imglib::kSuccess) w = info.width, h = info.height;
      if (w > 0 && AskSize(caption, w, h) && ApplyGeometric(file, kBoxResize, w, h)) out = t.tempCopy, result = 2;
      break;
    }
    case kBoxNewPicture: {
      int w = width > 0 ? width : 640, h = height > 0 ? height : 480;
      if (AskSize(caption, w, h)) {
        width = w;
        height = h;
        p.minimum = w;
        p.maximum = h;
        result = 2;
      }
      break;
    }
    default:
      // The filter effects need the imaging layer's filters, which this version lacks.
      InformationBox(caption, Ui(59));
      break;
  }
  p.file = out;
  p.boxIndex = result;
  file = out;
  return result;
}

void ApplyFixedEffect(int command) {
  InformationBox(PlainCaption(SKGETMENUSTRING(command)), Ui(59));
}

int FONTBOX(HWND owner, const std::string& caption) {
  FontBoxParams& p = FONTBOXPARAMS();
  std::string text = p.text;
  SkBoxStyle style = SkBoxStyle::Input(nullptr, 1024, 300);
  p.answer = SKINPUTBOX(owner, SKCAPTIONFONT(), caption, Ui(61), "", text, style) == 1 ? 2 : 1;
  if (p.answer == 2) {
    p.text = text;
    if (p.size <= 0) p.size = 14;
    if (p.family.empty()) p.family = "Arial";
  }
  p.kindAndStyle = 0;
  return p.answer;
}

int DRAWBOX(HWND owner, const std::string& caption) {
  FontBoxParams& p = FONTBOXPARAMS();
  std::string size = std::to_string(p.size > 0 ? p.size : 1);
  p.answer = SKINPUTBOX(owner, SKCAPTIONFONT(), caption, Ui(62), "", size, SkBoxStyle::Input(nullptr, 3)) == 1 ? 2 : 1;
  if (p.answer == 2) {
    int pen = fileio::LeadingNumber(size);
    p.size = pen >= 1 && pen <= 512 ? pen : 1;
  }
  return p.answer;
}

}  // namespace bravik
