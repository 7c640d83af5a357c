// nadrix.dll: the pick library as a DLL. Its functions are those of the static library,
// exported under their plain names by nadrix.def.
#include <windows.h>

#include "pick_dialog_internal.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  // The DLL's own skin engine draws with the program's skin.
  if (reason == DLL_PROCESS_ATTACH) pick_dialog::FollowProgramSkin();
  return TRUE;
}
