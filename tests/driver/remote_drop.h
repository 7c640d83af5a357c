// Files dropped on a window of another process, as the shell drops them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "win/raii.h"

namespace driver {

// The DROPFILES block is written into that process, where a fixed block's address serves
// as its handle, and WM_DROPFILES posted. The receiver's DragFinish cannot free a block it
// did not allocate (Wine refuses it quietly); the block is freed here, so the owner lives
// until the receiver has read the names.
class RemoteDrop {
 public:
  RemoteDrop(DWORD processId, HWND target, const std::vector<std::string>& files);
  ~RemoteDrop();
  RemoteDrop(const RemoteDrop&) = delete;
  RemoteDrop& operator=(const RemoteDrop&) = delete;
  bool Posted() const { return posted_; }

 private:
  win::Handle process_;
  void* memory_ = nullptr;
  bool posted_ = false;
};

}  // namespace driver
