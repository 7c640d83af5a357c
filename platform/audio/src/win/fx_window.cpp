// The effects window the wrapper reads: its band bars (track bars) and check buttons.
#include <windows.h>
#include <commctrl.h>

#include "audio/bass.h"

namespace {

// Calls come from the window's thread, which is the one that attaches it.
HWND& Attached() {
  static HWND window = nullptr;
  return window;
}

int ReadControl(int id) {
  HWND window = Attached();
  HWND control = window ? GetDlgItem(window, id) : nullptr;
  if (!control) return 0;
  if (id >= audio::kFxFirstBand && id <= audio::kFxLastBand) return int(SendMessageA(control, TBM_GETPOS, 0, 0));
  return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

int Apply(uint32_t channel, std::initializer_list<int> ids) {
  bool attached = Attached() && IsWindow(Attached());
  return BassApplyEffectControls(channel, ids, attached ? ReadControl : std::function<int(int)>());
}

}  // namespace

int BASSFXWINDOW(HWND window, int attach) {
  if (!window || !attach) {
    Attached() = nullptr;
    return kBassOk;
  }
  if (!IsWindow(window)) return kBassErrorHandle;
  Attached() = window;
  using namespace audio;
  return Apply(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, kFxEqualiser, kFxReverb, kFxChorus, kFxFlanger, kFxEcho, kFxRotate});
}

int BASSUPDATEEQ(uint32_t channel, int band) {
  if (band < audio::kFxFirstBand || band > audio::kFxLastBand) return kBassErrorNotAvail;
  return Apply(channel, {audio::kFxEqualiser, band});
}

int BASSUPDATEREVERB(uint32_t channel) { return Apply(channel, {audio::kFxReverb}); }
int BASSUPDATECHORUS(uint32_t channel) { return Apply(channel, {audio::kFxChorus}); }
int BASSUPDATEFLANGER(uint32_t channel) { return Apply(channel, {audio::kFxFlanger}); }
int BASSUPDATEECHO(uint32_t channel) { return Apply(channel, {audio::kFxEcho}); }
int BASSUPDATEROTATE(uint32_t channel) { return Apply(channel, {audio::kFxRotate}); }
