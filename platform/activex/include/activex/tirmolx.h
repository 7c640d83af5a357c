// The ActiveX host tirmolx: embeds OLE controls in a window of the caller (our own client
// site, in-place site and frame), places and shows them, and hands their events to one
// callback with the event's name and its parameters by name (both read from the control's
// type information). A control is known by its IDispatch, which the host owns from
// JACreateControl to JADeleteControl; callers query it for the control's own interfaces.
// Everything runs on the thread that called JAInitializeHVClient.
#pragma once
#include <windows.h>
#include <oaidl.h>

// How a control follows its parent window.
enum JaResizeStyle : int {
  kJaResizeNone = 0,  // stays where JASetControlPosition put it
  kJaResizeFill = 1,  // fills the parent's client area whenever the parent is sized
};

// One event of a control, valid only during the callback it is passed to.
struct JaEvent;
using JAEVENTCALLBACK = void (*)(const JaEvent* event);

// Starts OLE on this thread (once; later calls answer true at once).
bool JAInitializeHVClient();
// Creates the control of the creation text ("ProgID:Shell.Explorer.2", "CLSID:{...}" or a
// bare ProgID) as a child of parent at the rectangle, hidden, under the name. Null when the
// control cannot be created or activated.
IDispatch* JACreateControl(HWND parent, const char* creation, const char* name, int x, int y, int width, int height);
bool JASetControlResizeStyle(IDispatch* control, int style);
bool JASetControlPosition(IDispatch* control, int x, int y, int width, int height);
bool JASetControlVisible(IDispatch* control, bool visible);
bool JAGetControlVisible(IDispatch* control);
// Connects the control's default event interface to the callback (one callback a control;
// a second call replaces the first).
bool JASubscribeEvents(IDispatch* control, JAEVENTCALLBACK callback);
// The control that sent the event, with a reference of the caller's (JAReleaseDispatch).
IDispatch* JAGetEventSenderDispatch(const JaEvent* event);
// The name given at creation of the control (any interface of it) into name (size bytes
// with the terminating zero); its length, or 0 when the host holds no such control.
int JAGetControlName(IDispatch* control, char* name, int size);
// The event's name, as JAGetControlName.
int JAGetEventName(const JaEvent* event, char* name, int size);
// The parameter of that name (case does not count) copied into value, which the caller
// clears; false (value left VT_EMPTY) when the event has no such parameter.
bool JAGetEventNamedParameterValue(const JaEvent* event, const char* name, VARIANT* value);
void JAReleaseDispatch(IDispatch* dispatch);
// Disconnects, closes and releases the control; its window goes, and the handle is no
// longer valid. False for null or a dispatch the host does not hold.
bool JADeleteControl(IDispatch* control);
