// Memory device contexts and the shell services of the GDI+ helpers.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/gdiplus_helpers.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"

int CREATEMEMDC(void* windowOrContext, HDC& context, HBITMAP bitmap, HDC& memoryContext, DWORD& rasterOperation,
                int contextGiven) {
  if (rasterOperation == 0) rasterOperation = SRCCOPY;
  memoryContext = nullptr;
  context = contextGiven ? static_cast<HDC>(windowOrContext) : SKGETDC(static_cast<HWND>(windowOrContext));
  if (!context) return 0;
  memoryContext = CreateCompatibleDC(context);
  if (!memoryContext) {
    if (!contextGiven) SKRELEASEDC(static_cast<HWND>(windowOrContext), context);
    context = nullptr;
    return 0;
  }
  if (bitmap) SelectObject(memoryContext, bitmap);
  return contextGiven ? -1 : 1;
}

void DELETEMEMDC(int contextGiven, HWND window, HDC context, HDC memoryContext) {
  // Deleting the memory context releases the bitmap selected into it.
  win::DeleteCreatedDC(memoryContext);
  if (!contextGiven && context) SKRELEASEDC(window, context);
}

void BLITANDFREE(void* windowOrContext, HBITMAP& bitmap, int x, int y, int width, int height, DWORD rasterOperation,
                 int keep, int contextGiven) {
  if (!bitmap) return;
  HDC context = nullptr, memory = nullptr;
  DWORD rop = rasterOperation;
  if (CREATEMEMDC(windowOrContext, context, nullptr, memory, rop, contextGiven) != 0) {
    {
      win::SelectObj selected(memory, bitmap);
      BitBlt(context, x, y, width, height, memory, 0, 0, rop);
    }
    DELETEMEMDC(contextGiven, contextGiven ? nullptr : static_cast<HWND>(windowOrContext), context, memory);
  }
  if (!keep) {
    SKDELETEBITMAP(bitmap);
    bitmap = nullptr;  // the caller's variable no longer names a deleted bitmap
  }
}

int IMAGELISTADDICON(HIMAGELIST imageList, HICON icon) { return ImageList_ReplaceIcon(imageList, -1, icon); }

int RECYCLEFILE(const std::string& path, int confirm) { return RECYCLEFILES({path}, confirm); }

int RECYCLEFILES(const std::vector<std::string>& paths, int confirm) {
  std::string from;
  for (const auto& path : paths) {
    if (path.empty() || !fileio::Exists(path)) continue;
    from += path;
    from.push_back('\0');
  }
  if (from.empty()) return 2;
  from.push_back('\0');  // the list ends with an empty entry
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FILEOP_FLAGS(confirm ? 0x40 : 0x54);  // to the recycle bin; silently unless asked
  return SHFileOperationA(&op);
}

namespace {
LONG SetDefault(HKEY parent, const std::string& subKey, const std::string& value) {
  HKEY key = nullptr;
  LONG r = RegCreateKeyExA(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                           nullptr);
  if (r != ERROR_SUCCESS) return r;
  r = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
  RegCloseKey(key);
  return r;
}
}  // namespace

int REGISTERFILETYPE(const std::string& entry) {
  FileTypeRegistration reg;
  if (!ParseFileTypeRegistration(entry, fileio::FolderOf(SKEXENAME()), reg)) return ERROR_INVALID_PARAMETER;
  LONG r = SetDefault(HKEY_CLASSES_ROOT, reg.extension, reg.typeName);
  if (r == ERROR_SUCCESS) r = SetDefault(HKEY_CLASSES_ROOT, reg.typeName, reg.description);
  if (r == ERROR_SUCCESS) r = SetDefault(HKEY_CLASSES_ROOT, reg.typeName + "\\shell\\open\\command", reg.command + " %1");
  return int(r);
}
