#include "pick_module.h"

namespace pick_module {

HINSTANCE Instance() {
  static HINSTANCE module = [] {
    HMODULE m = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&Instance), &m))
      m = GetModuleHandleA(nullptr);
    return m;
  }();
  return module;
}

void ForgetClasses() {
  UnregisterClassA("QORDLG", Instance());
  UnregisterClassA("skBff", Instance());
}

}  // namespace pick_module
