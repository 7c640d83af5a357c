// What the picture tool exports for other programs and tools (bravik.def): its window
// procedure under the plain name WNDPROC, and its list of picture objects as QENUMOBJECT.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "objects.h"
#include "wndproc.h"

extern "C" LRESULT CALLBACK BravikWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return bravik::WNDPROC(window, message, wParam, lParam);
}

// The object windows of parent (mode as QENUMOBJECT) as a text of 4-byte little-endian
// handles one after another, as many whole ones as fit into the buffer; the answer is the
// byte length of the whole list, so that a caller can ask again with room enough. Window
// handles keep their meaning in their low 32 bits on 64-bit Windows, which is why the
// 4-byte form the callers read is enough there too.
extern "C" int32_t CALLBACK BravikEnumObjects(HWND parent, int32_t mode, char* buffer, int32_t bufferBytes) {
  std::vector<HWND> windows = bravik::QENUMOBJECT(parent, int(mode));
  int32_t room = buffer && bufferBytes > 0 ? bufferBytes / 4 : 0;
  for (int32_t i = 0; i < room && size_t(i) < windows.size(); ++i) {
    uint32_t handle = uint32_t(reinterpret_cast<uintptr_t>(windows[size_t(i)]));
    for (int byte = 0; byte < 4; ++byte) buffer[4 * i + byte] = char((handle >> (8 * byte)) & 0xFF);
  }
  return int32_t(windows.size() * 4);
}
