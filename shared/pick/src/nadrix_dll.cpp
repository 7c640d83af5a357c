// nadrix.dll: the pick library as a DLL. Its functions are those of the static library,
// exported under their plain names by nadrix.def.
#include <windows.h>

#include "pick_dialog_internal.h"
#include "pick_module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // The DLL's own skin engine draws with the program's skin.
  if (reason == DLL_PROCESS_ATTACH) pick_dialog::FollowProgramSkin();
  // Freed by the program (not at process end): its classes go with its code.
  if (reason == DLL_PROCESS_DETACH && !reserved) pick_module::ForgetClasses();
  return TRUE;
}
