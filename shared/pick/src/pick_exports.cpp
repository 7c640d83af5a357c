// The pick library's exported functions: the remembered values and switches with
// std::string texts, and the C layer with caller-owned buffers that nadrix.dll exports.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "fileio/paths.h"
#include "pick/pick.h"
#include "pick/pick_memory.h"
#include "pick_dialog_internal.h"
#include "skin/skin.h"

namespace pick_dialog {
namespace {

struct SkinChoice {
  std::mutex mutex;
  bool follow = false;   // set in the DLL
  bool started = false;
  std::string file;      // named by SKPICKSKIN
};

SkinChoice& Skin() {
  static SkinChoice choice;
  return choice;
}

// The last dialog's results, for SKPICKRESULT.
struct LastResults {
  std::mutex mutex;
  std::string result, nameText;
};

LastResults& Last() {
  static LastResults last;
  return last;
}

}  // namespace

void FollowProgramSkin() {
  std::lock_guard<std::mutex> lock(Skin().mutex);
  Skin().follow = true;
}

void StartSkinIfNeeded() {
  SkinChoice& s = Skin();
  std::string file;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.started || (!s.follow && s.file.empty())) return;
    s.started = true;
    file = s.file.empty() ? fileio::FolderOf(SKEXENAME()) + "TOLVERN.SKL" : s.file;
  }
  SKINITENGINE(file);
}

}  // namespace pick_dialog

namespace {

std::string In(const char* text) { return text ? std::string(text) : std::string(); }

std::string In(const SkTextBuffer* buffer) {
  if (!buffer || !buffer->text || buffer->size <= 0) return {};
  size_t n = strnlen(buffer->text, size_t(buffer->size));
  return std::string(buffer->text, n);
}

int Out(SkTextBuffer* buffer, const std::string& text) {
  if (!buffer) return int(text.size());
  buffer->length = int32_t(std::min<size_t>(text.size(), INT32_MAX));
  if (buffer->text && buffer->size > 0) {
    size_t n = std::min(text.size(), size_t(buffer->size) - 1);
    memcpy(buffer->text, text.data(), n);
    buffer->text[n] = '\0';
  }
  return int(buffer->length);
}

void KeptText(pick::Kept which, std::string& text, int store) {
  if (store) pick::Memory().Keep(which, text);
  else text = pick::Memory().Get(which);
}

int KeptText(pick::Kept which, SkTextBuffer* buffer, int store) {
  if (store) {
    pick::Memory().Keep(which, In(buffer));
    return int(pick::Memory().Get(which).size());
  }
  return Out(buffer, pick::Memory().Get(which));
}

}  // namespace

void SKPICKINFILE(std::string& text, int store) { KeptText(pick::Kept::kStartFile, text, store); }
void SKPICKLASTFILE(std::string& text, int store) { KeptText(pick::Kept::kLastFile, text, store); }
void SKFILTERCHOICE(std::string& text, int store) { KeptText(pick::Kept::kFilterChoice, text, store); }
void SKPICKFILTER(std::string& text, int store) { KeptText(pick::Kept::kFilterList, text, store); }
void SKUSEFILTER(std::string& text, int store) { KeptText(pick::Kept::kExtensionFilter, text, store); }

int SKSHOWTHUMB(const std::string& extensions, int on) {
  pick::Memory().Keep(pick::Kept::kThumbExtensions, extensions);
  pick::Memory().SetThumbnails(on);
  return 0;
}

extern "C" {

int WINAPI SKPICKF(HWND owner, const char* startPath, const char* caption, const char* filterList, const char* buttons,
                   const char* listCaption, const char* treeCaption, const char* filterCaption, int reserved,
                   const char* nameCaption, int nameMode, SkTextBuffer* result, SkTextBuffer* nameText) {
  std::string picked;
  std::string name = In(nameText);
  int button = SKPICKF(owner, In(startPath), In(caption), In(filterList), In(buttons), In(listCaption),
                       In(treeCaption), In(filterCaption), reserved, In(nameCaption), nameMode, picked, name);
  {
    std::lock_guard<std::mutex> lock(pick_dialog::Last().mutex);
    pick_dialog::Last().result = picked;
    pick_dialog::Last().nameText = name;
  }
  Out(result, picked);
  if (nameText) Out(nameText, name);
  return button;
}

int WINAPI SKPICKRESULT(SkTextBuffer* result, SkTextBuffer* nameText) {
  std::lock_guard<std::mutex> lock(pick_dialog::Last().mutex);
  if (nameText) Out(nameText, pick_dialog::Last().nameText);
  return Out(result, pick_dialog::Last().result);
}

int WINAPI SKPICKMULTI(int flag) { return pick::Memory().OneShot(pick::Switch::kMultiSelection, flag); }
int WINAPI SKNOTICONISE(int flag) { return pick::Memory().OneShot(pick::Switch::kNoIconise, flag); }

int WINAPI SKPICKINFILE(SkTextBuffer* text, int store) { return KeptText(pick::Kept::kStartFile, text, store); }
int WINAPI SKPICKLASTFILE(SkTextBuffer* text, int store) { return KeptText(pick::Kept::kLastFile, text, store); }
int WINAPI SKFILTERCHOICE(SkTextBuffer* text, int store) { return KeptText(pick::Kept::kFilterChoice, text, store); }
int WINAPI SKPICKFILTER(SkTextBuffer* text, int store) { return KeptText(pick::Kept::kFilterList, text, store); }
int WINAPI SKUSEFILTER(SkTextBuffer* text, int store) { return KeptText(pick::Kept::kExtensionFilter, text, store); }

int WINAPI SKSHOWTHUMB(const char* extensions, int on) { return SKSHOWTHUMB(In(extensions), on); }

int WINAPI SKPICKSKIN(const char* skinFile) {
  pick_dialog::SkinChoice& s = pick_dialog::Skin();
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    s.file = In(skinFile);
    s.started = false;
  }
  pick_dialog::StartSkinIfNeeded();
  return 1;
}

}  // extern "C"
