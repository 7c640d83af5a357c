// The module that holds the pick library's code: the program that links it, or nadrix.dll.
// Its window classes are registered for that module, so that a DLL loaded, freed and loaded
// again never finds a class whose procedure pointed into its old copy.
#pragma once
#include <windows.h>

namespace pick_module {

HINSTANCE Instance();
// Unregisters the library's classes ("QORDLG", "skBff"); the DLL calls it when it is freed.
void ForgetClasses();

}  // namespace pick_module
