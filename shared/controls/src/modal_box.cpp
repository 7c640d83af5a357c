#include "controls/modal_box.h"

#include "skin/sk_modal.h"
#include "win/window_class.h"

namespace controls {

void EndModalBox(HWND box) {
  if (!box || !IsWindow(box)) return;
  HWND owner = GetWindow(box, GW_OWNER);
  if (owner) {
    EnableWindow(owner, TRUE);
    ShowWindow(box, SW_HIDE);
    SetActiveWindow(owner);
  }
  DestroyWindow(box);
}

bool RunModalBox(const ModalBoxSpec& spec) {
  if (!win::RegisterClassOnce({.name = spec.className, .procedure = spec.procedure, .style = spec.classStyle}))
    return false;
  HWND owner = spec.owner && IsWindow(spec.owner) ? spec.owner : nullptr;
  HWND box = CreateWindowExA(0, spec.className, spec.caption.c_str(), spec.style, 0, 0, spec.width, spec.height,
                             owner, nullptr, GetModuleHandleA(nullptr), spec.store);
  if (!box) return false;
  if (spec.prepare) spec.prepare(box);
  if (!IsWindow(box)) return true;
  SkModalLoop loop;
  loop.box = box;
  loop.owner = owner;
  loop.focus = spec.focus ? spec.focus(box) : nullptr;
  loop.done = [box] { return !IsWindow(box); };
  // The box decides what a close without a button means (its check states, say).
  loop.finish = [box](int) {
    if (IsWindow(box)) SendMessageA(box, WM_CLOSE, 0, 0);
  };
  loop.key = spec.key;
  loop.escapeEnds = spec.escapeEnds;
  SkRunModal(loop);
  // A box that refused its close is not left behind without a loop.
  if (IsWindow(box)) EndModalBox(box);
  return true;
}

}  // namespace controls
