#include "controls/buildbox.h"

#include "controls/modal_box.h"

#include <algorithm>
#include <vector>

#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_modal.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "window_data.h"

namespace {

constexpr int kFirstButtonId = 100;
constexpr int kFirstCheckId = 200;
constexpr int kCloseOnly = 1;  // frame style: a close button only

struct Box {
  HWND owner = nullptr;
  HFONT font = nullptr;
  BuildBoxStyle style;
  std::vector<std::string> lines;
  std::vector<std::string> checkLabels;
  std::vector<std::string> captions;
  uint32_t presets = 0;
  BuildBoxGeometry geometry;
  std::vector<HWND> checks;
  std::vector<HWND> buttons;
  int result = 0;
  uint32_t mask = 0;
  bool done = false;
};


// The states are collected however the box closes, so a ticked option is not lost when the
// user closes the box with its caption button.
void Finish(HWND window, Box& b, int result) {
  if (b.done) return;
  std::vector<bool> checked;
  for (HWND c : b.checks) checked.push_back(SKGETCHECK(c) != 0);
  b.mask = CheckMask(checked);
  b.result = result;
  b.done = true;
  controls::EndModalBox(window);
}

void PrintLine(HDC dc, const Box& b, const BoxRect& r, const std::string& text) {
  COLORREF colour = b.style.textColour ? b.style.textColour : SKGETSYSCOLOR(kSkinText);
  switch (b.style.textStyle) {
    case kTextRaised:
      SKPRINT3DU(dc, r.x, r.y, text, colour, b.style.secondColour, b.font);
      return;
    case kTextEngraved:
      SKPRINT3DU(dc, r.x - 1, r.y - 1, text, b.style.secondColour, b.style.secondColour, b.font);
      [[fallthrough]];
    default: {
      win::SelectObj font(dc, b.font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, colour);
      TextOutA(dc, r.x, r.y, text.c_str(), int(text.size()));
    }
  }
}

void Paint(HWND window, const Box& b) {
  win::PaintDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  int w = client.right, h = client.bottom;
  win::MemoryDC mem(dc, w, h);
  if (HBITMAP tile = SKCTLBACK()) SKTILEBLT(mem, 0, 0, w, h, tile);
  else SKFILLRECT(mem, 0, 0, w, h, SKGETSYSCOLOR(kSkinWindowBack));
  if (b.style.raisedFrame && b.style.layout != 0) {
    COLORREF light = SKGETSYSCOLOR(kSkinEdgeLight), dark = SKGETSYSCOLOR(kSkinEdgeDark);
    SKDRAWRECT3D(mem, 1, 1, w - 1, h - 1, light, light);
    SKDRAWRECT3D(mem, 2, 2, w - 2, h - 2, light, light);
    SKDRAWRECT3D(mem, 1, 1, w - 2, h - 2, dark, dark);
  } else {
    RECT edge = client;
    DrawEdge(mem, &edge, EDGE_ETCHED, BF_RECT);
  }
  if (b.style.icon) DrawIconEx(mem, b.geometry.icon.x, b.geometry.icon.y, b.style.icon, kBuildBoxIconSize,
                               kBuildBoxIconSize, 0, nullptr, DI_NORMAL);
  for (size_t i = 0; i < b.lines.size() && i < b.geometry.lines.size(); ++i)
    PrintLine(mem, b, b.geometry.lines[i], b.lines[i]);
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
}

// Enter in the box: the focused button, or the first one.
int DefaultButton(const Box& b) {
  HWND focus = GetFocus();
  for (size_t i = 0; i < b.buttons.size(); ++i)
    if (b.buttons[i] == focus) return int(i) + 1;
  return b.buttons.empty() ? 0 : 1;
}

BuildBoxMeasures Measure(const Box& b) {
  BuildBoxMeasures m;
  int w = 0, h = 0;
  for (const auto& line : b.lines) {
    SKGETTEXTEXTENT(b.font, line.empty() ? " " : line, w, h);
    m.lineWidths.push_back(w);
    m.lineHeight = std::max(m.lineHeight, h);
  }
  for (const auto& label : b.checkLabels) {
    SKGETTEXTEXTENT(SKDEFAULTFONT(), label, w, h);
    m.checkWidths.push_back(w);
  }
  for (const auto& caption : b.captions) {
    SKGETTEXTEXTENT(SKCAPTIONFONT(), caption, w, h);
    m.buttonWidths.push_back(w);
    m.buttonHeight = std::max(m.buttonHeight, h + 10);
  }
  SKGETTEXTEXTENT(b.font, "W", m.unit, h);
  m.checkGlyph = GetSystemMetrics(SM_CXMENUCHECK);
  m.icon = b.style.icon != nullptr;
  m.layout = b.style.layout;
  return m;
}

void CreateControls(HWND window, Box& b) {
  for (size_t i = 0; i < b.checkLabels.size(); ++i) {
    const BoxRect& r = b.geometry.checks[i];
    HWND c = SKCHECKBUTTON(window, b.checkLabels[i], r.x, r.y, r.width, r.height, kFirstCheckId + int(i));
    SKSETCHECK(c, SKINSET(int(b.presets), int(uint32_t(1) << i)));
    b.checks.push_back(c);
  }
  for (size_t i = 0; i < b.captions.size(); ++i) {
    const BoxRect& r = b.geometry.buttons[i];
    b.buttons.push_back(SKBUT3D(window, b.captions[i], r.x, r.y, r.width, r.height, kFirstButtonId + int(i)));
  }
}

}  // namespace

LRESULT CALLBACK BUILDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  Box* b = controls::WindowData<Box>(window, message, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (b) {
        Paint(window, *b);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (!b) break;
      if (int answer = SkButtonRowAnswer(wParam, lParam, kFirstButtonId, int(b->buttons.size()), DefaultButton(*b));
          answer >= 0) {
        Finish(window, *b, answer);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (b) Finish(window, *b, 0);
      return 0;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

int BUILDBOX(HWND owner, HFONT font, const std::string& caption, const std::string& text,
             const std::string& checkTexts, const std::string& buttonTexts, uint32_t& checkStates,
             const BuildBoxStyle& style) {
  Box b;
  b.owner = owner && IsWindow(owner) ? owner : nullptr;
  b.font = font ? font : SKCAPTIONFONT();
  b.style = style;
  b.lines = SplitBoxItems(text);
  b.checkLabels = SplitBoxItems(checkTexts);
  b.captions = BoxButtonCaptions(buttonTexts);
  b.presets = checkStates;
  b.geometry = ComputeBuildBoxGeometry(Measure(b));

  controls::ModalBoxSetup setup;
  setup.className = kBuildBoxClass;
  setup.procedure = BUILDPROC;
  setup.owner = b.owner;
  setup.caption = caption;
  setup.style = WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN;
  setup.width = b.geometry.clientWidth + SKGETSYSTEMMETRICS(kSkinLeftBorder) + SKGETSYSTEMMETRICS(kSkinRightBorder);
  setup.height =
      b.geometry.clientHeight + SKGETSYSTEMMETRICS(kSkinCaptionHeight) + SKGETSYSTEMMETRICS(kSkinBottomBorder);
  setup.store = &b;
  // The frame style is read when the box is created, and given back at once.
  int oldStyle = SkWindowStyle();
  setup.prepare = [&b, oldStyle](HWND window) {
    SKWINDOWSTYLE(oldStyle);
    SKCENTERWIND(window, b.owner);
    CreateControls(window, b);
  };
  setup.focus = [&b](HWND) { return b.buttons.empty() ? nullptr : b.buttons.front(); };
  SKWINDOWSTYLE(kCloseOnly);
  if (!controls::RunModalBox(setup)) {
    SKWINDOWSTYLE(oldStyle);
    return 0;
  }
  if (!b.checks.empty()) checkStates = b.mask;
  return b.result;
}
