#include "pictures.h"

#include "fileio/file.h"
#include "hessam/texts.h"
#include "imaging/side_files.h"
#include "imaging/thumbnails.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"

namespace hessam {

constexpr COLORREF kYellow = 0x00FFFF;

bool LoadPicture(const std::string& path, int boxWidth, int boxHeight, LoadedPicture& picture) {
  picture = LoadedPicture{};
  int colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  picture.bitmap.Reset(LOADTHUMB(path, boxWidth, boxHeight, picture.width, picture.height, colours, bits, hasLayer, 0,
                                 LayerTest::kExistence));
  if (!picture.bitmap || picture.width <= 0 || picture.height <= 0) {
    picture = LoadedPicture{};
    return false;
  }
  if (boxWidth > 0 && boxHeight > 0) {
    SKICONISE(picture.width, picture.height, boxWidth, boxHeight, picture.left, picture.top, picture.fitWidth,
              picture.fitHeight);
  } else {
    picture.fitWidth = picture.width;
    picture.fitHeight = picture.height;
  }
  // The loader may deliver a bitmap a pixel off the fitted size: never copy beyond it.
  BITMAP bm{};
  GetObjectA(picture.bitmap.Get(), sizeof bm, &bm);
  picture.fitWidth = std::min(picture.fitWidth, int(bm.bmWidth));
  picture.fitHeight = std::min(picture.fitHeight, int(std::abs(bm.bmHeight)));
  return true;
}

void DrawPicture(HDC dc, const LoadedPicture& picture, int x, int y) {
  if (!picture) return;
  win::CompatibleDC source(dc);
  win::SelectObj selected(source, picture.bitmap.Get());
  BitBlt(dc, x + picture.left, y + picture.top, picture.fitWidth, picture.fitHeight, source, 0, 0, SRCCOPY);
}

std::string KeywordsOf(const std::string& path) {
  std::string side = SideFilePath(path, "KWD", SideFileNoDot::kNone);
  std::string bytes;
  if (side.empty() || fileio::ReadWholeFile(side, bytes) != fileio::kOk) return {};
  return KeywordText(bytes);
}

void DrawCaption(HDC dc, const std::string& text, int x, int y, int width, int height) {
  if (text.empty()) return;
  int textWidth = 0, textHeight = 0;
  SKGETTEXTEXTENT(App().defaultFont, text, textWidth, textHeight);
  int boxWidth = textWidth + 2, boxHeight = textHeight + 2;
  int at = x + (width - boxWidth) / 2, atY = y + height - boxHeight;
  if (boxWidth > width) {
    at = x;
    atY = y;
  }
  SkPrintOutlined(dc, at, atY, text, kYellow, RGB(0, 0, 0), App().defaultFont);
}

}  // namespace hessam
