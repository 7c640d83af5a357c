// Calling the pick dialog of nadrix.dll (imported, or looked up by name) from a program:
// the caller's texts go in as strings and the two results come back whole, however long
// they are. A result longer than the first buffers (a large multi-selection) is read again
// with SKPICKRESULT at the size it needs, so that no caller ever sees a list cut in the
// middle of a path.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "pick/nadrix.h"

namespace pick {

struct PickRequest {
  HWND owner = nullptr;
  std::string startPath;
  std::string caption;
  std::string filterList;
  std::string buttons;
  std::string listCaption;
  std::string treeCaption;
  std::string filterCaption;
  std::string nameCaption;
  int nameMode = 0;
  std::string nameText;  // the preset name (or "path|name")
};

struct PickAnswer {
  int button = 0;  // 0 when the dialog could not run
  std::string result;
  std::string name;
};

// The first buffers: enough for a single pick and its name.
constexpr int32_t kPickFirstBuffer = 4096;

// A buffer that holds text (cut to its size) and takes the dialog's answer.
class PickBuffer {
 public:
  PickBuffer(const std::string& text, int32_t size)
      : bytes_(size_t(std::max<int32_t>(size, int32_t(text.size()) + 1)), '\0') {
    std::copy(text.begin(), text.end(), bytes_.begin());
    buffer_ = SkTextBuffer{bytes_.data(), int32_t(bytes_.size()), 0};
  }
  SkTextBuffer* Get() { return &buffer_; }
  // The answer did not fit: its full length is at least the buffer's size.
  bool Cut() const { return buffer_.length >= buffer_.size; }
  int32_t Needed() const { return buffer_.length + 1; }
  std::string Text() const { return std::string(bytes_.data()); }

 private:
  std::vector<char> bytes_;
  SkTextBuffer buffer_{};
};

// Runs the dialog. pickResult may be null (a library without SKPICKRESULT): a result that
// did not fit then comes back empty rather than cut.
inline PickAnswer CallPickDialog(SkPickFProc pickF, SkPickResultProc pickResult, const PickRequest& r) {
  PickAnswer answer;
  if (!pickF) return answer;
  PickBuffer result("", kPickFirstBuffer), name(r.nameText, kPickFirstBuffer);
  answer.button = pickF(r.owner, r.startPath.c_str(), r.caption.c_str(), r.filterList.c_str(), r.buttons.c_str(),
                        r.listCaption.c_str(), r.treeCaption.c_str(), r.filterCaption.c_str(), 0, r.nameCaption.c_str(),
                        r.nameMode, result.Get(), name.Get());
  if (result.Cut() || name.Cut()) {
    PickBuffer fullResult("", result.Needed()), fullName("", name.Needed());
    if (pickResult) pickResult(fullResult.Get(), fullName.Get());
    bool whole = pickResult && !fullResult.Cut() && !fullName.Cut();
    answer.result = whole ? fullResult.Text() : std::string();
    answer.name = whole ? fullName.Text() : std::string();
    return answer;
  }
  answer.result = result.Text();
  answer.name = name.Text();
  return answer;
}

}  // namespace pick
