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

bool RunModalBox(const ModalBoxSetup& setup) {
  if (!win::RegisterClassOnce({.name = setup.className, .procedure = setup.procedure, .style = setup.classStyle}))
    return false;
  HWND owner = setup.owner && IsWindow(setup.owner) ? setup.owner : nullptr;
  HWND box = CreateWindowExA(0, setup.className, setup.caption.c_str(), setup.style, 0, 0, setup.width, setup.height,
                             owner, nullptr, GetModuleHandleA(nullptr), setup.store);
  if (!box) return false;
  if (setup.prepare) setup.prepare(box);
  if (!IsWindow(box)) return true;
  SkModalLoop loop;
  loop.box = box;
  loop.owner = owner;
  loop.focus = setup.focus ? setup.focus(box) : nullptr;
  loop.done = [box] { return !IsWindow(box); };
  // The box decides what a close without a button means (its check states, say).
  loop.finish = [box](int) {
    if (IsWindow(box)) SendMessageA(box, WM_CLOSE, 0, 0);
  };
  loop.key = setup.key;
  loop.escapeEnds = setup.escapeEnds;
  SkRunModal(loop);
  // A box that refused its close is not left behind without a loop.
  if (IsWindow(box)) EndModalBox(box);
  return true;
}

}  // namespace controls
