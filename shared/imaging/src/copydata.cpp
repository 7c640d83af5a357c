#include "imaging/copydata.h"

#include <atomic>
#include <vector>

namespace {
std::atomic<UINT> gTimeout{kSendCopyDataTimeoutMs};
}

void SetSendCopyDataTimeout(UINT milliseconds) { gTimeout = milliseconds ? milliseconds : kSendCopyDataTimeoutMs; }

LRESULT SENDCOPYDATA(HWND target, int code, const std::string& text) {
  std::vector<char> block(text.size() + 1, '\0');
  text.copy(block.data(), text.size());
  COPYDATASTRUCT cds{};
  cds.dwData = ULONG_PTR(uint32_t(code));
  cds.cbData = DWORD(block.size());
  cds.lpData = block.data();
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(target, WM_COPYDATA, WPARAM(text.size()), reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL,
                           gTimeout.load(), &answer)) {
    return 0;
  }
  return LRESULT(answer);
}

int GETCOPYDATA(std::string& text, WPARAM wParam, LPARAM lParam) {
  text.clear();
  const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (!cds) return 0;
  text = CopyDataText(cds->lpData, cds->cbData, uint64_t(wParam));
  return int(uint32_t(cds->dwData));
}
