#include "remote_drop.h"

#include <shlobj.h>

#include <cstring>

namespace driver {

RemoteDrop::RemoteDrop(DWORD processId, HWND target, const std::vector<std::string>& files)
    : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId)) {
  std::string block(sizeof(DROPFILES), '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  std::memcpy(block.data(), &header, sizeof header);
  for (const std::string& file : files) block += file + '\0';
  block += '\0';
  if (!process_) return;
  memory_ = VirtualAllocEx(process_.Get(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (memory_ && WriteProcessMemory(process_.Get(), memory_, block.data(), block.size(), nullptr))
    posted_ = PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory_), 0) != FALSE;
}

RemoteDrop::~RemoteDrop() {
  if (memory_) VirtualFreeEx(process_.Get(), memory_, 0, MEM_RELEASE);
}

}  // namespace driver
