#include "driver.h"

#include <algorithm>

#include "imaging/copydata.h"
#include "skin/sk_msgbox.h"
#include "test_windows.h"
#include "win/raii.h"

namespace driver {
namespace {

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

struct ChildSearch {
  int id;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindChildProc(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (s->className) {
    char cls[256];
    if (GetClassNameA(w, cls, sizeof cls) && lstrcmpiA(cls, s->className) == 0) {
      s->found = w;
      return FALSE;
    }
  } else if (GetDlgCtrlID(w) == s->id) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

std::string StripAmpersands(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '&') out += c;
  return out;
}

}  // namespace

HWND WaitWindow(const std::string& className, DWORD milliseconds) { return WaitForWindow(className, milliseconds); }

HWND FindChild(HWND parent, int id) {
  ChildSearch s{id, nullptr, nullptr};
  EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindChildByClass(HWND parent, const std::string& className) {
  ChildSearch s{0, className.c_str(), nullptr};
  EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitChild(HWND parent, int id, DWORD milliseconds) {
  HWND found = nullptr;
  // A parent that is gone will not get the control: no need to wait out the time.
  PumpUntil([&] { return (found = FindChild(parent, id)) != nullptr || !IsWindow(parent); },
            std::chrono::milliseconds(milliseconds));
  return found;
}

LRESULT SendCommand(HWND target, int code, const std::string& text) { return SENDCOPYDATA(target, code, text); }

bool PostCommand(HWND window, int id) { return PostMessageA(window, WM_COMMAND, WPARAM(id), 0) != FALSE; }

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return {};
  std::wstring w(size_t(length) + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, WPARAM(w.size()), reinterpret_cast<LPARAM>(w.data()), SMTO_NORMAL, 5000,
                      &got);
  w.resize(std::min<size_t>(size_t(got), w.size()));
  return Narrow(w);
}

bool SetText(HWND window, const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), w.data(), n);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), SMTO_NORMAL, 5000,
                             &result) != 0;
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> out;
  char cls[64] = {};
  GetClassNameA(list, cls, sizeof cls);
  bool combo = lstrcmpiA(cls, "ComboBox") == 0;
  UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT;
  UINT getLength = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
  LRESULT count = SendMessageW(list, getCount, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT len = SendMessageW(list, getLength, WPARAM(i), 0);
    if (len < 0) len = 0;
    std::wstring w(size_t(len) + 1, L'\0');
    LRESULT got = SendMessageW(list, getText, WPARAM(i), reinterpret_cast<LPARAM>(w.data()));
    w.resize(got > 0 ? size_t(got) : 0);
    out.push_back(Narrow(w));
  }
  return out;
}

HWND FindButton(HWND box, int number, const std::string& caption) {
  int n = 0;
  for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[64];
    if (!GetClassNameA(w, cls, sizeof cls) || lstrcmpiA(cls, "Button") != 0) continue;
    ++n;
    if (caption.empty() ? n == number : StripAmpersands(WindowText(w)) == StripAmpersands(caption)) return w;
  }
  return nullptr;
}

std::string BoxText(HWND box) {
  HWND text = box ? GetDlgItem(box, kSkBoxTextId) : nullptr;
  return text ? WindowText(text) : std::string();
}

bool PressButton(const std::string& boxClass, int number, const std::string& caption, DWORD milliseconds) {
  HWND target = nullptr;
  if (!PumpUntil(
          [&] {
            HWND box = FindWindowA(boxClass.c_str(), nullptr);
            return box && (target = FindButton(box, number, caption)) != nullptr;
          },
          std::chrono::milliseconds(milliseconds)))
    return false;
  PostMessageA(target, BM_CLICK, 0, 0);
  return true;
}

bool AnswerInputBox(const std::string& text, DWORD milliseconds, DWORD processId) {
  constexpr int kField = 1, kFirstButton = 100;
  HWND box = nullptr;
  if (!PumpUntil(
          [&] {
            box = FindTopWindow("SKINPUTBOX", [processId](HWND w) {
              DWORD pid = 0;
              GetWindowThreadProcessId(w, &pid);
              return (processId == 0 || pid == processId) && IsWindowVisible(w);
            });
            return box && GetDlgItem(box, kField) && GetDlgItem(box, kFirstButton);
          },
          std::chrono::milliseconds(milliseconds)))
    return false;
  if (!SetText(GetDlgItem(box, kField), text)) return false;
  if (!PostMessageA(GetDlgItem(box, kFirstButton), BM_CLICK, 0, 0)) return false;
  return PumpUntil([box] { return !IsWindow(box); }, std::chrono::milliseconds(milliseconds));
}

bool CaptureScreenPixels(const RECT& r, std::vector<unsigned char>& bgr) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  bgr.clear();
  if (w <= 0 || h <= 0) return false;
  win::WindowDC screen(nullptr);
  win::CompatibleDC mem(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  win::Bitmap dib(CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return false;
  win::SelectObj selected(mem, dib.Get());
  bool ok = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) != FALSE;
  GdiFlush();
  int stride = (w * 3 + 3) & ~3;
  bgr.assign(size_t(w) * size_t(h) * 3, 0);
  for (int y = 0; y < h; ++y)
    memcpy(&bgr[size_t(y) * size_t(w) * 3], static_cast<unsigned char*>(bits) + size_t(y) * size_t(stride),
           size_t(w) * 3);
  return ok;
}

bool CaptureWindowPixels(HWND window, int& w, int& h, std::vector<unsigned char>& bgr) {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  w = h = 0;
  if (window && !GetWindowRect(window, &r)) return false;
  w = r.right - r.left;
  h = r.bottom - r.top;
  return CaptureScreenPixels(r, bgr);
}

bool CaptureWindow(HWND window, const std::string& bmpPath) {
  int w = 0, h = 0;
  std::vector<unsigned char> pixels;
  return CaptureWindowPixels(window, w, h, pixels) && WriteBmp(bmpPath, w, h, pixels);
}

}  // namespace driver
