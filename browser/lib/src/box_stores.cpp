// The boxes' stores: program-wide, main thread only, as the boxes are.
#include "kelmor/modal_boxes.h"

namespace kelmor {

namespace {

struct TextStore {
  std::string text;
  int32_t result = 0;
  int32_t value = 0;

  void Exchange(std::string& t, int32_t& r, int32_t& v, int store) {
    if (store) {
      text = t, result = r, value = v;
    } else {
      t = text, r = result, v = value;
    }
  }
};

struct SizeStore {
  int32_t width = 0;
  int32_t height = 0;
  std::string text;
  int32_t result = 0;
  int32_t keep = 0;
};

TextStore gBoxParams;
TextStore gPickFileParams;
SizeStore gNewSizeParams;

}  // namespace

void BOXPARAMS(std::string& text, int32_t& result, int32_t& value, int store) {
  gBoxParams.Exchange(text, result, value, store);
}

void PICKFILEPARAMS(std::string& text, int32_t& result, int32_t& value, int store) {
  gPickFileParams.Exchange(text, result, value, store);
}

void NEWSIZEPARAMS(int32_t& width, int32_t& height, std::string& text, int32_t& result, int32_t& keep, int store) {
  SizeStore& s = gNewSizeParams;
  if (store) {
    s.width = width, s.height = height, s.text = text, s.result = result, s.keep = keep;
  } else {
    width = s.width, height = s.height, text = s.text, result = s.result, keep = s.keep;
  }
}

}  // namespace kelmor
