// The engine's modal message box: a skinned popup with an icon, lines of text and a row of
// buttons. It disables its owner and runs its own message loop until a button is pressed
// or the box is closed.
#include <windows.h>

#include <algorithm>

#include "engine_internal.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace {

constexpr const char* kBoxClass = "SKMSGBOX";
constexpr int kFirstButtonId = 100;
constexpr int kCloseStyle = 1;  // frame style: a close button only

struct Box {
  HWND owner = nullptr;
  HFONT font = nullptr;
  SkBoxStyle style;
  std::vector<std::string> lines;
  std::vector<HWND> buttons;
  RECT textRect{};
  int result = 0;
  bool done = false;
};

std::vector<std::string> SplitButtons(const std::string& text) {
  std::vector<std::string> out;
  if (text.empty()) return {"OK"};
  std::string cur;
  for (char c : text) {
    if (c == '|' || c == '\0') {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  // A trailing separator adds no button.
  while (out.size() > 1 && out.back().empty()) out.pop_back();
  return out;
}

void Finish(HWND box, Box& b, int result) {
  if (b.done) return;
  b.done = true;
  b.result = result;
  // The owner comes back before the box goes, so that activation returns to it.
  if (b.owner) EnableWindow(b.owner, TRUE);
  DestroyWindow(box);
}

void PaintBox(HWND box, Box& b) {
  win::PaintDC dc(box);
  RECT r;
  GetClientRect(box, &r);
  const SkinTheme& t = SkinCurrent();
  win::MemoryDC mem(dc, r.right, r.bottom);
  win::Brush back(CreateSolidBrush(t.Colour(kSkinWindowBack)));
  FillRect(mem, &r, back.Get());
  int pad = std::max(6, int(b.style.layout)) + 4;
  int x = pad;
  if (b.style.icon) {
    DrawIconEx(mem, pad, pad, b.style.icon, 32, 32, 0, nullptr, DI_NORMAL);
    x += 32 + pad;
  }
  win::SelectObj font(mem, b.font);
  SetBkMode(mem, TRANSPARENT);
  COLORREF textColour = b.style.textColour ? b.style.textColour : t.Colour(kSkinText);
  RECT tr = b.textRect;
  std::string text;
  for (size_t i = 0; i < b.lines.size(); ++i) text += (i ? "\r\n" : "") + b.lines[i];
  if (b.style.secondColour != textColour && b.style.secondColour != t.Colour(kSkinWindowBack)) {
    SetTextColor(mem, b.style.secondColour);
    RECT shadow = tr;
    OffsetRect(&shadow, 1, 1);
    DrawTextA(mem, text.c_str(), int(text.size()), &shadow, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  SetTextColor(mem, textColour);
  DrawTextA(mem, text.c_str(), int(text.size()), &tr, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = SKGETMESSAGE(box, message, wParam, lParam)) return r;
  Box* b = reinterpret_cast<Box*>(GetWindowLongPtrA(box, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
      break;
    }
    case WM_PAINT:
      if (b) {
        PaintBox(box, *b);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
      if (b && HIWORD(wParam) == BN_CLICKED) {
        int id = LOWORD(wParam);
        if (id >= kFirstButtonId && id < kFirstButtonId + int(b->buttons.size())) {
          Finish(box, *b, id - kFirstButtonId + 1);
          return 0;
        }
        if (id == IDCANCEL) {
          Finish(box, *b, 0);
          return 0;
        }
      }
      break;
    case WM_CLOSE:
      if (b) Finish(box, *b, 0);
      return 0;
    case WM_DRAWITEM:
      break;
    default:
      break;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

// Escape closes the box without an answer; Enter presses the button that has the focus.
bool BoxKey(HWND box, Box& b, const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam == VK_ESCAPE) {
    Finish(box, b, 0);
    return true;
  }
  if (msg.wParam == VK_RETURN) {
    HWND focus = GetFocus();
    for (size_t i = 0; i < b.buttons.size(); ++i) {
      if (b.buttons[i] == focus) {
        Finish(box, b, int(i) + 1);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

int SKMSGBOX(HWND owner, HFONT font, const std::string& caption, const std::string& message,
             const std::string& buttons, const SkBoxStyle& style, int) {
  skin_engine::EnsureResources();
  if (!SKCHECKCLASS(kBoxClass)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kBoxClass;
    if (!SKREGISTERCLASS(wc)) return 0;
  }
  Box b;
  b.owner = owner && IsWindow(owner) ? owner : nullptr;
  b.font = font ? font : SKCAPTIONFONT();
  b.style = style;
  SKSPLITS(message, "|", b.lines);
  std::vector<std::string> captions = SplitButtons(buttons);

  // Measure: text block (wrapped at 60 % of the screen), icon, button row.
  int pad = std::max(6, int(style.layout)) + 4;
  int maxText = std::max(200, GetSystemMetrics(SM_CXSCREEN) * 6 / 10);
  HDC screen = GetDC(nullptr);
  HGDIOBJ oldFont = SelectObject(screen, b.font);
  std::string text;
  for (size_t i = 0; i < b.lines.size(); ++i) text += (i ? "\r\n" : "") + (b.lines[i].empty() ? " " : b.lines[i]);
  RECT tr{0, 0, maxText, 0};
  DrawTextA(screen, text.c_str(), int(text.size()), &tr, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SIZE em{};
  GetTextExtentPoint32A(screen, "W", 1, &em);
  int buttonWidth = 0;
  for (const auto& c : captions) {
    SIZE s{};
    GetTextExtentPoint32A(screen, c.c_str(), int(c.size()), &s);
    buttonWidth = std::max(buttonWidth, int(s.cx + 2 * em.cx + 6));
  }
  SelectObject(screen, oldFont);
  ReleaseDC(nullptr, screen);
  buttonWidth = std::max(buttonWidth, 72);
  int buttonHeight = em.cy + 10;
  int gap = std::max(4, int(style.layout));
  int rowWidth = int(captions.size()) * buttonWidth + int(captions.size() - 1) * gap;
  int iconWidth = style.icon ? 32 + pad : 0;
  int textWidth = tr.right - tr.left;
  int textHeight = std::max(int(tr.bottom - tr.top), style.icon ? 32 : 0);
  int clientWidth = std::max(iconWidth + textWidth, rowWidth) + 2 * pad;
  clientWidth = std::max(clientWidth, 220);
  int clientHeight = pad + textHeight + pad + buttonHeight + pad;
  b.textRect = RECT{pad + iconWidth, pad, pad + iconWidth + textWidth + 1, pad + textHeight};

  const SkinTheme& t = SkinCurrent();
  int width = clientWidth + t.Metric(kSkinLeftBorder) + t.Metric(kSkinRightBorder);
  int height = clientHeight + t.Metric(kSkinCaptionHeight) + t.Metric(kSkinBottomBorder);

  int oldStyle = SkWindowStyle();
  SKWINDOWSTYLE(kCloseStyle);
  HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME & 0, kBoxClass, caption.c_str(),
                             WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, width, height, b.owner, nullptr,
                             GetModuleHandleA(nullptr), &b);
  SKWINDOWSTYLE(oldStyle);
  if (!box) return 0;
  SKCENTERWIND(box, b.owner);

  int x = (clientWidth - rowWidth) / 2;
  int y = clientHeight - pad - buttonHeight;
  for (size_t i = 0; i < captions.size(); ++i) {
    HWND button = CreateWindowExA(0, "BUTTON", captions[i].c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  x, y, buttonWidth, buttonHeight, box, reinterpret_cast<HMENU>(INT_PTR(kFirstButtonId + i)),
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
    b.buttons.push_back(button);
    x += buttonWidth + gap;
  }

  if (b.owner) EnableWindow(b.owner, FALSE);
  ShowWindow(box, SW_SHOW);
  SetForegroundWindow(box);
  if (!b.buttons.empty()) SetFocus(b.buttons.front());

  MSG msg;
  while (!b.done && IsWindow(box)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      // A quit request ends the box and goes on to the caller's loop.
      PostQuitMessage(int(msg.wParam));
      Finish(box, b, 0);
      break;
    }
    if (got == -1) break;
    if ((msg.hwnd == box || IsChild(box, msg.hwnd)) && BoxKey(box, b, msg)) continue;
    if (IsDialogMessageA(box, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(box)) Finish(box, b, b.result);
  if (b.owner) {
    EnableWindow(b.owner, TRUE);
    SetActiveWindow(b.owner);
  }
  return b.result;
}
