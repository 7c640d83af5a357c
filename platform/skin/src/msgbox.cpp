// The engine's modal boxes: the message box, the input box and the password box. Each is a
// skinned popup with an icon, lines of text, optional input fields and a row of buttons; it
// disables its owner and runs its own message loop until a button is pressed or the box is
// closed.
#include <windows.h>

#include <algorithm>

#include "engine_internal.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_modal.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace {

constexpr int kFirstButtonId = 100;
constexpr int kCloseStyle = 1;  // frame style: a close button only

struct Field {
  std::string prompt;   // a line above the field (second field of the password box)
  std::string text;     // preset, then the answer
  bool password = false;
  HWND window = nullptr;
  RECT promptRect{};
};

struct Box {
  const char* className = "SKMSGBOX";
  HWND owner = nullptr;
  HFONT font = nullptr;
  SkBoxStyle style;
  std::vector<std::string> lines;
  std::vector<std::string> captions;
  std::vector<Field> fields;
  bool fieldsMustAgree = false;
  std::vector<HWND> buttons;
  RECT textRect{};
  int result = 0;
  bool done = false;
};

std::vector<std::string> SplitButtons(const std::string& text, const char* fallback) {
  std::vector<std::string> out;
  if (text.empty()) {
    SKSPLITS(fallback, "|", out);
    return out;
  }
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
  if (result > 0) {
    for (auto& f : b.fields) f.text = SkGetCtlText(f.window);
    if (b.fieldsMustAgree && result == 1 && b.fields.size() == 2 && b.fields[0].text != b.fields[1].text) {
      MessageBeep(MB_ICONEXCLAMATION);
      SetFocus(b.fields[1].window);
      return;  // the confirmation differs: the box stays
    }
  }
  b.done = true;
  b.result = result;
  // The owner comes back before the box goes, so that activation returns to it.
  if (b.owner) EnableWindow(b.owner, TRUE);
  DestroyWindow(box);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + (lines[i].empty() ? " " : lines[i]);
  return text;
}

void PaintBox(HWND box, Box& b) {
  win::PaintDC dc(box);
  RECT r;
  GetClientRect(box, &r);
  const SkinTheme& t = SkinCurrent();
  win::MemoryDC mem(dc, r.right, r.bottom);
  win::Brush back(CreateSolidBrush(t.Colour(kSkinWindowBack)));
  FillRect(mem, &r, back.Get());
  int pad = std::max(6, int(b.style.spacing)) + 4;
  if (b.style.icon) DrawIconEx(mem, pad, pad, b.style.icon, 32, 32, 0, nullptr, DI_NORMAL);
  win::SelectObj font(mem, b.font);
  SetBkMode(mem, TRANSPARENT);
  COLORREF textColour = b.style.textColour ? b.style.textColour : t.Colour(kSkinText);
  std::string text = JoinLines(b.lines);
  auto draw = [&](const std::string& s, RECT tr) {
    if (b.style.secondColour != textColour && b.style.secondColour != t.Colour(kSkinWindowBack)) {
      SetTextColor(mem, b.style.secondColour);
      RECT shadow = tr;
      OffsetRect(&shadow, 1, 1);
      DrawTextA(mem, s.c_str(), int(s.size()), &shadow, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    SetTextColor(mem, textColour);
    DrawTextA(mem, s.c_str(), int(s.size()), &tr, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  };
  draw(text, b.textRect);
  for (const auto& f : b.fields)
    if (!f.prompt.empty()) draw(f.prompt, f.promptRect);
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
      }
      break;
    case WM_CLOSE:
      if (b) Finish(box, *b, 0);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

// Enter presses the button that has the focus, or the first one from an input field.
bool EnterKey(HWND box, Box& b, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
  HWND focus = GetFocus();
  for (size_t i = 0; i < b.buttons.size(); ++i) {
    if (b.buttons[i] == focus) {
      Finish(box, b, int(i) + 1);
      return true;
    }
  }
  for (const auto& f : b.fields) {
    if (f.window == focus) {
      Finish(box, b, 1);
      return true;
    }
  }
  return false;
}

int RunBox(Box& b, const std::string& caption) {
  skin_engine::EnsureResources();
  if (!win::RegisterClassOnce({.name = b.className, .procedure = BoxProc})) return 0;
  b.owner = b.owner && IsWindow(b.owner) ? b.owner : nullptr;
  if (!b.font) b.font = SKCAPTIONFONT();

  // Measure: text block (wrapped at 60 % of the screen), icon, fields, button row.
  int pad = std::max(6, int(b.style.spacing)) + 4;
  int maxText = std::max(200, GetSystemMetrics(SM_CXSCREEN) * 6 / 10);
  std::string text = JoinLines(b.lines);
  RECT tr{0, 0, maxText, 0};
  SIZE em{};
  int buttonWidth = 72;
  {
    win::WindowDC screen(nullptr);
    win::SelectObj font(screen, b.font);
    DrawTextA(screen, text.c_str(), int(text.size()), &tr, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    GetTextExtentPoint32A(screen, "W", 1, &em);
    for (const auto& c : b.captions) {
      SIZE s{};
      GetTextExtentPoint32A(screen, c.c_str(), int(c.size()), &s);
      buttonWidth = std::max(buttonWidth, int(s.cx + 2 * em.cx + 6));
    }
  }
  int buttonHeight = em.cy + 10;
  int gap = std::max(4, int(b.style.spacing));
  int count = int(b.captions.size());
  int rowWidth = count * buttonWidth + (count - 1) * gap;
  int iconWidth = b.style.icon ? 32 + pad : 0;
  int textWidth = tr.right - tr.left;
  int textHeight = std::max(int(tr.bottom - tr.top), b.style.icon ? 32 : 0);
  int fieldWidth = b.fields.empty() ? 0 : std::max(160, int(b.style.fieldWidth));
  int fieldHeight = em.cy + 8;
  int clientWidth = std::max({iconWidth + textWidth, iconWidth + fieldWidth, rowWidth}) + 2 * pad;
  clientWidth = std::max(clientWidth, 220);
  int y = pad;
  b.textRect = RECT{pad + iconWidth, y, pad + iconWidth + std::max(textWidth, fieldWidth) + 1, y + textHeight};
  y += textHeight + pad;
  for (auto& f : b.fields) {
    if (!f.prompt.empty()) {
      f.promptRect = RECT{pad + iconWidth, y, clientWidth - pad, y + em.cy + 2};
      y += em.cy + 4;
    }
    y += fieldHeight + pad;
  }
  int clientHeight = y + buttonHeight + pad;

  const SkinTheme& t = SkinCurrent();
  int width = clientWidth + t.Metric(kSkinLeftBorder) + t.Metric(kSkinRightBorder);
  int height = clientHeight + t.Metric(kSkinCaptionHeight) + t.Metric(kSkinBottomBorder);
  int oldStyle = SkWindowStyle();
  SKWINDOWSTYLE(kCloseStyle);
  HWND box = CreateWindowExA(0, b.className, caption.c_str(), WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, width,
                             height, b.owner, nullptr, GetModuleHandleA(nullptr), &b);
  SKWINDOWSTYLE(oldStyle);
  if (!box) return 0;
  SKCENTERWIND(box, b.owner);

  y = pad + textHeight + pad;
  int fieldId = 1;
  for (auto& f : b.fields) {
    if (!f.prompt.empty()) y += em.cy + 4;
    f.window = SKINPUT(box, f.text, pad + iconWidth, y, clientWidth - 2 * pad - iconWidth, fieldHeight, fieldId++,
                       b.style.maxLength ? b.style.maxLength : 0);
    if (f.password) SendMessageA(f.window, EM_SETPASSWORDCHAR, '*', 0);
    SendMessageA(f.window, EM_SETSEL, 0, -1);
    y += fieldHeight + pad;
  }
  // The text also stands in a hidden child, for tools that read what a box says.
  CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, box,
                  reinterpret_cast<HMENU>(INT_PTR(kSkBoxTextId)), GetModuleHandleA(nullptr), nullptr);
  int x = (clientWidth - rowWidth) / 2;
  for (size_t i = 0; i < b.captions.size(); ++i) {
    b.buttons.push_back(SKBUT3D(box, b.captions[i], x, y, buttonWidth, buttonHeight, kFirstButtonId + int(i),
                                SKDEFAULTFONT()));
    x += buttonWidth + gap;
  }

  SkModalLoop loop;
  loop.box = box;
  loop.owner = b.owner;
  loop.focus = !b.fields.empty() ? b.fields.front().window : (b.buttons.empty() ? nullptr : b.buttons.front());
  loop.done = [&b] { return b.done; };
  loop.finish = [box, &b](int result) { Finish(box, b, result); };
  loop.key = [box, &b](const MSG& msg) { return EnterKey(box, b, msg); };
  SkRunModal(loop);
  return b.result;
}

}  // namespace

int SKMSGBOX(HWND owner, HFONT font, const std::string& caption, const std::string& message,
             const std::string& buttons, const SkBoxStyle& style, int) {
  Box b;
  b.owner = owner;
  b.font = font;
  b.style = style;
  SKSPLITS(message, "|", b.lines);
  b.captions = SplitButtons(buttons, "OK");
  return RunBox(b, caption);
}

int SKINPUTBOX(HWND owner, HFONT font, const std::string& caption, const std::string& prompt,
               const std::string& buttons, std::string& answer, const SkBoxStyle& style) {
  Box b;
  b.className = "SKINPUTBOX";
  b.owner = owner;
  b.font = font;
  b.style = style;
  SKSPLITS(prompt, "|", b.lines);
  b.captions = SplitButtons(buttons, "OK|Cancel");
  Field f;
  f.text = answer;
  b.fields.push_back(f);
  int result = RunBox(b, caption);
  if (result > 0) answer = b.fields[0].text;
  return result;
}

int SKINPUTPW(HWND owner, const std::string& caption, const std::string& prompt, const std::string& confirmPrompt,
              std::string& password) {
  Box b;
  b.className = "SKINPUTBOX";
  b.owner = owner;
  SKSPLITS(prompt, "|", b.lines);
  b.captions = SplitButtons("", "OK|Cancel");
  Field first;
  first.password = true;
  b.fields.push_back(first);
  if (!confirmPrompt.empty()) {
    Field second;
    second.password = true;
    second.prompt = confirmPrompt;
    b.fields.push_back(second);
    b.fieldsMustAgree = true;
  }
  int result = RunBox(b, caption);
  if (result != 1) return 0;
  password = b.fields[0].text;
  return 1;
}

SkBoxStyle SkBoxStyle::Skinned(HICON icon, SkBoxKind kind) {
  SkBoxStyle style;
  style.icon = icon;
  style.textColour = SKGETSYSCOLOR(kSkinText);
  style.secondColour = SKGETSYSCOLOR(kSkinTextShadow);
  style.kind = kind;
  return style;
}

SkBoxStyle SkBoxStyle::Warning() { return Skinned(LoadIcon(nullptr, IDI_EXCLAMATION)); }

SkBoxStyle SkBoxStyle::Question(HICON icon) {
  return Skinned(icon ? icon : LoadIcon(nullptr, IDI_QUESTION), kSkBoxQuestion);
}

SkBoxStyle SkBoxStyle::Stop() {
  SkBoxStyle style;
  style.icon = LoadIcon(nullptr, IDI_HAND);
  return style;
}

SkBoxStyle SkBoxStyle::Input(HICON icon, uint16_t maxLength, uint16_t fieldWidth) {
  SkBoxStyle style = Skinned(icon);
  style.maxLength = maxLength;
  style.fieldWidth = fieldWidth;
  return style;
}
