#include "jorvel/fx_window.h"

#include <algorithm>
#include <vector>

#include "audio/bass.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace jorvel {

namespace {

constexpr const char* kFxClass = "QFXEFFECT";
constexpr int kMinimumDirectX = 8;
constexpr int kBarHeight = 100;
constexpr int kCheckHeight = 18;
constexpr int kCloseRequest = 32196;  // the popup container's close button

struct FxState {
  HWND window = nullptr;
  FxWindowSetup setup;
};

FxState& Fx() {
  static FxState state;
  return state;
}

std::string SettingsPath() {
  const std::string& path = Fx().setup.settingsPath;
  return path.empty() ? fileio::JoinPath(fileio::TempFolder(), kFxSettingsFile) : path;
}

void Warn(const std::string& text) {
  if (Fx().setup.warn) Fx().setup.warn(text);
}

HBITMAP CopyOf(HBITMAP bitmap) {
  return bitmap ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
}

SIZE TextSize(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  return size;
}

bool IsBar(int id) { return id >= 1 && id <= kFxBarCount; }

void SetControls(HWND w, const FxControls& values) {
  for (int id = 1; id <= kFxControlCount; ++id) {
    HWND control = GetDlgItem(w, id);
    if (!control) continue;
    if (IsBar(id)) SKSETTRACKPOS(control, values[id - 1]);
    else SKSETCHECK(control, values[id - 1]);
  }
}

// The layout of WM_CREATE; answers the content's size.
SIZE Build(HWND w) {
  const FxWindowSetup& s = Fx().setup;
  std::vector<std::string> texts = fileio::SplitFields(kFxTexts, '|');
  std::vector<std::string> labels = fileio::SplitFields(kFxBandLabels, ',');
  HFONT font = SKDEFAULTFONT();
  HFONT caption = SKCAPTIONFONT();
  win::WindowDC screen(w);
  win::CompatibleDC dc(screen);
  win::SelectObj selected(dc, font);
  int thumbWidth = 16, thumbHeight = 0;
  if (s.thumb) SKGETPIXMAPSIZE(s.thumb, thumbWidth, thumbHeight);
  int band = thumbWidth, labelHeight = 0;
  for (const std::string& label : labels) {
    SIZE size = TextSize(dc, label);
    band = std::max(band, int(size.cx));
    labelHeight = std::max(labelHeight, int(size.cy));
  }
  // The bars in one row, each centred in its band, its label 2 pixels under it.
  const int top = 20;
  int x = 12;
  for (int id = 1; id <= kFxBarCount; ++id, x += band + 2) {
    HWND bar = SKTRACKBAR(w, x + (band - thumbWidth) / 2, top, thumbWidth, kBarHeight, id, 0, 100,
                          {CopyOf(s.channel), CopyOf(s.thumb), true});
    SKSETTRACKPOS(bar, kFxBarFlat);
    HWND label = CreateWindowExA(0, "STATIC", labels[id - 1].c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER, x,
                                 top + kBarHeight + 2, band, labelHeight, w, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  int rowRight = x - 2;
  int checksTop = top + kBarHeight + 2 + labelHeight + 6;
  SKCHECKBUTTON(w, texts[2], 12, checksTop, 80, kCheckHeight, kFxOnOff, caption);
  SKCHECKBUTTON(w, texts[3], 96, checksTop, 80, kCheckHeight, kFxResetCheck, caption);
  int groupBottom = checksTop + kCheckHeight + 6;
  SKGROUPBOX(w, texts[1], 4, 2, rowRight + 8 - 4, groupBottom - 2, 0, caption);
  // The effects in a row under the group.
  int effectsTop = groupBottom + 6;
  int ex = 8;
  for (int id = kFxFirstEffect; id <= kFxControlCount; ++id) {
    int width = TextSize(dc, texts[id - 10 + 1]).cx + 26;
    SKCHECKBUTTON(w, texts[id - 10 + 1], ex, effectsTop, width, kCheckHeight, id, caption);
    ex += width + 4;
  }
  int right = std::max(rowRight + 8, ex);
  int bottom = effectsTop + kCheckHeight;
  if (!s.helpPicture.empty() && fileio::Exists(s.helpPicture)) {
    int width = 0, height = 0;
    win::Bitmap picture(SKLOADBITMAPFILE(s.helpPicture, width, height));
    HWND button = picture ? SKBUTIMAGE(w, picture.Get(), ex, effectsTop, kFxHelpButton) : nullptr;
    if (button) {
      picture.Release();  // the button's now
      SKBUTTONTIP(button, s.helpTip);
      right = std::max(right, ex + width);
      bottom = std::max(bottom, effectsTop + height);
    }
  }
  return SIZE{right + 8, bottom + 8};
}

void OnCreate(HWND w) {
  Fx().window = w;
  SIZE content = Build(w);
  const SkinTheme& theme = SkinCurrent();
  int width = content.cx + theme.Metric(4) + theme.Metric(5);
  int height = content.cy + theme.Metric(1) + theme.Metric(6);
  RECT pane{0, 0, 0, 0};
  HWND paneWindow = Fx().setup.pane;
  if (paneWindow && IsWindow(paneWindow)) GetWindowRect(paneWindow, &pane);
  RECT area = SKGETWORKAREA();
  FxPlace place = PlaceFxWindow(pane.left, pane.top, width, height, {area.left, area.top, area.right, area.bottom});
  FXSETTINGS(0);
  SKPOPUPCONTAINER(w, fileio::SplitFields(kFxTexts, '|')[0], place.x, place.y, width, height, FXPROC);
  BASSFXWINDOW(w, 1);
}

void OnCommand(HWND w, int id) {
  if (IsBar(id)) {
    BASSUPDATEEQ(0, id);
    return;
  }
  switch (id) {
    case kFxOnOff:
      for (int band = 1; band <= kFxBarCount; ++band) BASSUPDATEEQ(0, band);
      break;
    case kFxResetCheck:
      if (SKGETCHECK(GetDlgItem(w, kFxResetCheck))) {
        BASSRESETEQ(0);
        // The bars go flat too, so that what is shown, saved and heard agree.
        SetControls(w, ResetFxControls(FxWindowControls()));
        for (int band = 1; band <= kFxBarCount; ++band) BASSUPDATEEQ(0, band);
      }
      break;
    case 13: BASSUPDATEREVERB(0); break;
    case 14: BASSUPDATECHORUS(0); break;
    case 15: BASSUPDATEFLANGER(0); break;
    case 16: BASSUPDATEECHO(0); break;
    case 17: BASSUPDATEROTATE(0); break;
    case kCloseRequest:
      PostMessageA(w, WM_CLOSE, 0, 0);
      break;
    case kFxHelpButton:
      if (Fx().setup.help) Fx().setup.help();
      break;
    default:
      break;
  }
}

void OnDestroy(HWND w) {
  FXSETTINGS(1);
  if (HWND help = GetDlgItem(w, kFxHelpButton)) {
    SKBUTTONTIP(help, "");
    if (!DestroyWindow(help)) Warn(SKWINERR(6));
  }
  SKFREEOBJECTCOLOR(w);
  SKFREEOBJECTFONT(w);
  SKFREECHECKBUTTON(w);
  Fx().window = nullptr;
  BASSFXWINDOW(nullptr, 1);
}

}  // namespace

HWND FxWindow() {
  HWND w = Fx().window;
  return w && IsWindow(w) ? w : nullptr;
}

HWND FXWIN(const FxWindowSetup& setup) {
  if (HWND w = FxWindow()) return w;
  Fx().setup = setup;
  int version = BASSDIRECTXVERSION();
  if (version < kMinimumDirectX) {
    Warn("DirectX" + std::to_string(version) + "|" + SKWINERR(1756));
    return nullptr;
  }
  if (!SKCHECKCLASS(kFxClass)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | (SKOSVERSION() > 500 ? CS_DROPSHADOW : 0);
    wc.lpfnWndProc = FXPROC;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIconSm = setup.icon;
    wc.lpszClassName = kFxClass;
    SKREGISTERCLASS(wc);
  }
  HWND w = CreateWindowExA(0, kFxClass, "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, setup.owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!w) Warn(SKWINERR(2002));
  return w;
}

void ToggleFxWindow(const FxWindowSetup& setup) {
  HWND w = FxWindow();
  if (!w) w = FXWIN(setup);
  if (!w) return;
  ShowWindow(w, IsWindowVisible(w) ? SW_HIDE : SW_SHOW);
}

FxControls FxWindowControls() {
  FxControls values{};
  HWND w = FxWindow();
  if (!w) return values;
  for (int id = 1; id <= kFxControlCount; ++id) {
    HWND control = GetDlgItem(w, id);
    if (!control) continue;
    values[id - 1] = IsBar(id) ? SKGETTRACKPOS(control) : SKGETCHECK(control);
  }
  return values;
}

void FXSETTINGS(int write) {
  HWND w = FxWindow();
  if (!w) return;
  std::string path = SettingsPath();
  if (write) {
    fileio::RemoveFile(path);
    fileio::WriteFileReplacing(path, FormatFxSettings(FxWindowControls()));
    return;
  }
  std::string text;
  if (fileio::ReadWholeFile(path, text) != 0 || text.empty()) return;
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  SetControls(w, ParseFxSettings(line));
}

}  // namespace jorvel

using namespace jorvel;

LRESULT CALLBACK FXPROC(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_CREATE) {
    OnCreate(w);
    return 0;
  }
  if (LRESULT answer = SKGETMESSAGE(w, m, wp, lp)) return answer;
  switch (m) {
    case WM_CTLCOLORSTATIC:
      return SKCTLCOLORSTATIC(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM:
      return SKDRAWITEM(lp);
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(w, &r);
      SKTILEBLT(reinterpret_cast<HDC>(wp), 0, 0, r.right, r.bottom, SKCTLBACK());
      return 1;
    }
    case WM_COMMAND:
      OnCommand(w, LOWORD(wp));
      return 0;
    case WM_DESTROY:
      OnDestroy(w);
      return 0;
    default:
      return DefWindowProcA(w, m, wp, lp);
  }
}
