#include "dunmere/transition_paint.h"

#include "fileio/file.h"

namespace dunmere {

bool EffectPlugin::Load(const std::string& programFolder) {
  if (module_) return true;
  std::string path = programFolder + kEffectPluginFile;
  if (!fileio::Exists(path)) return false;
  module_.Reset(LoadLibraryA(path.c_str()));
  return bool(module_);
}

SkEffectProc EffectPlugin::Entry() const {
  if (!module_) return nullptr;
  return reinterpret_cast<SkEffectProc>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), kEffectPluginEntry)));
}

namespace {

int PaintThroughPlugin(HDC dc, const RECT& area, const ImgBitmap& picture, const TransitionPlan& plan,
                       STATUSCALLBACK callback, const EffectPlugin* plugin) {
  SkEffectProc entry = plugin ? plugin->Entry() : nullptr;
  if (!entry) return imglib::kSuccess;
  int width = area.right - area.left, height = area.bottom - area.top;
  // The plug-in takes the picture as a device-dependent bitmap of the target's kind.
  win::Bitmap ddb(CreateCompatibleBitmap(dc, width, height));
  win::CompatibleDC memory(dc);
  if (!ddb || !memory) return imglib::kNoMemory;
  {
    win::SelectObj selected(memory, ddb.Get());
    RECT whole{0, 0, width, height};
    L_PaintDC(memory, &picture, nullptr, nullptr, &whole, nullptr, SRCCOPY);
  }
  return entry(dc, area.left, area.top, width, height, ddb.Get(), 0, callback, plan.step, plan.time, plan.effect);
}

int PaintThroughImaging(HDC dc, const RECT& area, const ImgBitmap& picture, const TransitionPlan& plan,
                        STATUSCALLBACK callback) {
  STATUSCALLBACK previous = nullptr;
  void* previousData = nullptr;
  L_SetStatusCallBack(callback, nullptr, &previous, &previousData);
  int result = L_EfxPaintBitmap(dc, &picture, &area, plan.effect, 1, 0);
  L_SetStatusCallBack(previous, previousData, nullptr, nullptr);
  return result;
}

}  // namespace

int PaintSlideTransition(HDC dc, const RECT& area, const ImgBitmap& picture, const TransitionPlan& plan,
                         STATUSCALLBACK callback, const EffectPlugin* plugin) {
  if (!dc || !picture.dib || area.right <= area.left || area.bottom <= area.top) return imglib::kInvalidParameter;
  // A repaint still pending for the area would paint the new picture whole at the callback's
  // first pump, before the transition has shown anything of it; the transition paints the
  // whole area and ends on the picture.
  if (HWND window = WindowFromDC(dc)) ValidateRect(window, &area);
  int result = imglib::kSuccess;
  switch (plan.painter) {
    case TransitionPainter::kPlugin:
      result = PaintThroughPlugin(dc, area, picture, plan, callback, plugin);
      break;
    case TransitionPainter::kImaging:
      result = PaintThroughImaging(dc, area, picture, plan, callback);
      break;
    case TransitionPainter::kPlain:
      break;
  }
  L_PaintDC(dc, &picture, nullptr, nullptr, &area, nullptr, SRCCOPY);
  return result;
}

bool PumpDuringTransition(TransitionStopTest stopsTransition, DWORD since, DWORD minMs) {
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // The loop that waits for it must still see it.
        PostQuitMessage(int(message.wParam));
        return true;
      }
      if (stopsTransition && stopsTransition(message)) {
        PostMessageA(message.hwnd, message.message, message.wParam, message.lParam);
        return true;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    DWORD elapsed = GetTickCount() - since;
    if (elapsed >= minMs) return false;
    // Sleeps until the pace's end or the next message, whichever comes first.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, minMs - elapsed, QS_ALLINPUT);
  }
}

}  // namespace dunmere
