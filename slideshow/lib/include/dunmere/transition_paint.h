// The painting of a slide's transition, shared by the slide show maker's preview and the
// media player's slide show: the effects plug-in for its effects, the imaging layer's
// effect painter for the others, the plain picture for none. Windows only.
#pragma once
#include <windows.h>

#include <string>

#include "dunmere/effect_choice.h"
#include "imglib/imglib_effects.h"
#include "win/raii.h"

namespace dunmere {

// "skEffect" of the effects plug-in (stdcall, 11 arguments): the target device context;
// the target rectangle's left, top, width and height; a device-dependent bitmap of the
// picture at that size; 0; the status callback; step; time; the plug-in's effect number.
// It answers 1, or the callback's stop value when the callback stopped it.
using SkEffectProc = int(WINAPI*)(HDC dc, int left, int top, int width, int height, HBITMAP picture, int reserved,
                                  STATUSCALLBACK callback, int step, int time, int effect);
inline constexpr const char* kEffectPluginFile = "pellox.dll";
inline constexpr const char* kEffectPluginEntry = "skEffect";

// The effects plug-in of a program folder.
class EffectPlugin {
 public:
  // Loads programFolder + pellox.dll unless one is loaded; false when it is missing or
  // does not load.
  bool Load(const std::string& programFolder);
  void Unload() { module_.Reset(); }
  bool Loaded() const { return bool(module_); }
  // Its "skEffect", looked up at every call; null when none is loaded or it has none.
  SkEffectProc Entry() const;

 private:
  win::Module module_;
};

// Paints the picture (a bitmap of the area's size) over the area of dc as the plan says,
// starting from what the area shows: through the plug-in's entry (a plug-in that is not
// loaded, or has no entry, plays nothing), through the imaging layer's effect painter
// with callback as the status callback meanwhile (the previous one is put back after), or
// not at all for a plain plan. The picture is then painted plainly, so that the area
// always ends on it. A window's repaint pending for the area is dropped first. Answers
// kSuccess, or the stop value of a transition that was stopped.
int PaintSlideTransition(HDC dc, const RECT& area, const ImgBitmap& picture, const TransitionPlan& plan,
                         STATUSCALLBACK callback, const EffectPlugin* plugin);

// The pump of a transition's status callback: handles the thread's waiting messages until
// the queue is empty and at least minMs have passed since `since` (GetTickCount). A message
// stopsTransition picks is posted back to its window, so that it takes effect after the
// transition, and ends the pump at once. True when such a message came.
using TransitionStopTest = bool (*)(const MSG& message);
bool PumpDuringTransition(TransitionStopTest stopsTransition, DWORD since, DWORD minMs);

}  // namespace dunmere
