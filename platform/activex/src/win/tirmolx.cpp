// The ActiveX host. Each control gets a site of its own (client site, in-place site and the
// frame in one object) and, once subscribed, an event sink that answers as the control's
// default source interface and turns each call into a JaEvent named from the type
// information.
#include "activex/tirmolx.h"

#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
#include <commctrl.h>
#include <wrl/client.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "win/raii.h"
#include "win/wide_text.h"

using Microsoft::WRL::ComPtr;

struct JaEvent {
  IDispatch* sender = nullptr;
  std::string name;
  std::vector<std::string> parameterNames;  // in declaration order
  const DISPPARAMS* parameters = nullptr;
};

namespace {

constexpr UINT_PTR kResizeSubclassId = 0x4A41;

class Site;
class Sink;

struct Control {
  std::string name;
  HWND parent = nullptr;
  RECT rect{};
  bool visible = false;
  int style = kJaResizeNone;
  ComPtr<IUnknown> identity;
  ComPtr<IDispatch> dispatch;
  ComPtr<IOleObject> ole;
  ComPtr<Site> site;
  ComPtr<Sink> sink;
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
};

std::vector<std::unique_ptr<Control>>& Controls() {
  static std::vector<std::unique_ptr<Control>> controls;
  return controls;
}

ComPtr<IUnknown> IdentityOf(IUnknown* object) {
  ComPtr<IUnknown> identity;
  if (object) object->QueryInterface(IID_PPV_ARGS(&identity));
  return identity;
}

Control* Find(IUnknown* object) {
  if (!object) return nullptr;
  for (auto& c : Controls())
    if (c->dispatch.Get() == object) return c.get();
  ComPtr<IUnknown> identity = IdentityOf(object);
  if (!identity) return nullptr;
  for (auto& c : Controls())
    if (c->identity.Get() == identity.Get()) return c.get();
  return nullptr;
}

int CopyOut(const std::string& text, char* out, int size) {
  if (!out || size <= 0) return 0;
  size_t n = std::min(text.size(), size_t(size - 1));
  text.copy(out, n);
  out[n] = '\0';
  return int(n);
}

// The client site, in-place site and in-place frame of one control.
class Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit Site(Control* control) : control_(control) {}
  void Detach() { control_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) *out = static_cast<IOleInPlaceFrame*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (site and frame alike answer the parent)
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = control_ ? control_->parent : nullptr;
    return *out ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return control_ ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (frame) {
      *frame = this;
      AddRef();
    }
    if (document) *document = nullptr;
    if (control_) {
      if (position) *position = control_->rect;
      if (clip) *clip = control_->rect;
    }
    if (info) {
      info->fMDIApp = FALSE;
      info->hwndFrame = control_ ? control_->parent : nullptr;
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT position) override;

  // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus, tools or status line of our own.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ~Site() = default;
  Control* control_;
  std::atomic<ULONG> references_{1};
};

void ApplyRect(Control& c) {
  ComPtr<IOleInPlaceObject> inPlace;
  if (SUCCEEDED(c.ole.As(&inPlace))) inPlace->SetObjectRects(&c.rect, &c.rect);
}

STDMETHODIMP Site::OnPosRectChange(LPCRECT position) {
  if (!control_ || !position) return E_INVALIDARG;
  control_->rect = *position;
  ApplyRect(*control_);
  return S_OK;
}

// The sink of the control's default source interface.
class Sink final : public IDispatch {
 public:
  Sink(Control* control, const IID& events, ComPtr<ITypeInfo> info, JAEVENTCALLBACK callback)
      : control_(control), events_(events), info_(std::move(info)), callback_(callback) {}
  void Detach() { control_ = nullptr; }
  void SetCallback(JAEVENTCALLBACK callback) { callback_ = callback; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != events_) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                      UINT*) override;

 private:
  ~Sink() = default;
  Control* control_;
  IID events_;
  ComPtr<ITypeInfo> info_;
  JAEVENTCALLBACK callback_;
  std::atomic<ULONG> references_{1};
};

STDMETHODIMP Sink::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*) {
  if (!control_ || !callback_) return S_OK;
  // The callback may delete the control (and with it this sink's last outside reference).
  ComPtr<Sink> keep(this);
  JaEvent event;
  event.sender = control_->dispatch.Get();
  event.parameters = parameters;
  BSTR names[64] = {};
  UINT count = 0;
  if (info_ && SUCCEEDED(info_->GetNames(member, names, 64, &count))) {
    for (UINT i = 0; i < count; ++i) {
      std::string text = names[i] ? win::Narrow(names[i]) : std::string();
      if (i == 0) event.name = text;
      else event.parameterNames.push_back(text);
      SysFreeString(names[i]);
    }
  }
  callback_(&event);
  return S_OK;
}

// The default source interface of the control and its type information: the control's
// own word (IProvideClassInfo2), else the coclass entry marked default source.
bool FindEvents(IUnknown* object, IID* events, ComPtr<ITypeInfo>* info) {
  *events = GUID_NULL;
  ComPtr<IProvideClassInfo2> classInfo2;
  if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&classInfo2))))
    classInfo2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, events);
  ComPtr<IProvideClassInfo> classInfo;
  ComPtr<ITypeInfo> coclass;
  if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&classInfo)))) classInfo->GetClassInfo(&coclass);
  if (coclass) {
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(coclass->GetTypeAttr(&attr))) {
      WORD implemented = attr->cImplTypes;
      coclass->ReleaseTypeAttr(attr);
      for (UINT i = 0; i < implemented; ++i) {
        INT flags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> candidate;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FSOURCE)) continue;
        if (FAILED(coclass->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(coclass->GetRefTypeInfo(reference, &candidate)))
          continue;
        TYPEATTR* candidateAttr = nullptr;
        if (FAILED(candidate->GetTypeAttr(&candidateAttr))) continue;
        IID iid = candidateAttr->guid;
        candidate->ReleaseTypeAttr(candidateAttr);
        bool wanted = *events == GUID_NULL ? (flags & IMPLTYPEFLAG_FDEFAULT) != 0 : iid == *events;
        if (wanted) {
          *events = iid;
          *info = candidate;
          return true;
        }
      }
    }
    ComPtr<ITypeLib> library;
    UINT index = 0;
    if (*events != GUID_NULL && SUCCEEDED(coclass->GetContainingTypeLib(&library, &index)))
      library->GetTypeInfoOfGuid(*events, info->GetAddressOf());
  }
  return *events != GUID_NULL;
}

bool ClassOf(const std::string& creation, CLSID* clsid) {
  std::string text = creation;
  auto strip = [&text](const char* prefix) {
    size_t n = strlen(prefix);
    if (text.size() >= n && _strnicmp(text.c_str(), prefix, n) == 0) {
      text.erase(0, n);
      return true;
    }
    return false;
  };
  if (strip("CLSID:")) {
    if (!text.empty() && text.front() != '{') text = "{" + text + "}";
    return SUCCEEDED(CLSIDFromString(win::Widen(text).c_str(), clsid));
  }
  strip("ProgID:");
  if (text.empty()) return false;
  if (text.front() == '{') return SUCCEEDED(CLSIDFromString(win::Widen(text).c_str(), clsid));
  return SUCCEEDED(CLSIDFromProgID(win::Widen(text).c_str(), clsid));
}

void Disconnect(Control& c) {
  if (c.point && c.cookie) c.point->Unadvise(c.cookie);
  c.point.Reset();
  c.cookie = 0;
  if (c.sink) c.sink->Detach();
  c.sink.Reset();
}

LRESULT CALLBACK FollowParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_SIZE) {
    for (auto& c : Controls()) {
      if (c->parent != window || c->style != kJaResizeFill) continue;
      c->rect = RECT{0, 0, LOWORD(lParam), HIWORD(lParam)};
      ApplyRect(*c);
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void UpdateFollowing(HWND parent) {
  bool any = std::any_of(Controls().begin(), Controls().end(),
                         [parent](auto& c) { return c->parent == parent && c->style == kJaResizeFill; });
  if (any) SetWindowSubclass(parent, FollowParent, kResizeSubclassId, 0);
  else RemoveWindowSubclass(parent, FollowParent, kResizeSubclassId);
}

// Pixels of the screen in hundredths of a millimetre, the unit of an object's extent.
SIZEL HiMetric(int width, int height) {
  HDC screen = GetDC(nullptr);
  int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96, dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  win::ReleaseWindowDC(nullptr, screen);
  return SIZEL{MulDiv(width, 2540, dpiX > 0 ? dpiX : 96), MulDiv(height, 2540, dpiY > 0 ? dpiY : 96)};
}

}  // namespace

bool JAInitializeHVClient() {
  HRESULT result = OleInitialize(nullptr);
  // A thread already started keeps its one count.
  if (result == S_FALSE) OleUninitialize();
  return SUCCEEDED(result);
}

IDispatch* JACreateControl(HWND parent, const char* creation, const char* name, int x, int y, int width,
                           int height) {
  CLSID clsid{};
  if (!parent || !IsWindow(parent) || !creation || !ClassOf(creation, &clsid)) return nullptr;
  auto control = std::make_unique<Control>();
  control->name = name ? name : "";
  control->parent = parent;
  control->rect = RECT{x, y, x + width, y + height};
  ComPtr<IUnknown> object;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object)))) return nullptr;
  if (FAILED(object.As(&control->ole)) || FAILED(object.As(&control->dispatch))) return nullptr;
  control->identity = IdentityOf(object.Get());
  control->site.Attach(new Site(control.get()));
  Control& c = *control;
  auto fail = [&c]() -> IDispatch* {
    c.ole->Close(OLECLOSE_NOSAVE);
    c.ole->SetClientSite(nullptr);
    c.site->Detach();
    return nullptr;
  };
  if (FAILED(c.ole->SetClientSite(static_cast<IOleClientSite*>(c.site.Get())))) return fail();
  ComPtr<IPersistStreamInit> persist;
  if (SUCCEEDED(object.As(&persist))) persist->InitNew();
  SIZEL himetric = HiMetric(width, height);
  c.ole->SetExtent(DVASPECT_CONTENT, &himetric);
  if (FAILED(c.ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, c.site.Get(), 0, parent, &c.rect))) return fail();
  ApplyRect(c);
  Controls().push_back(std::move(control));
  return c.dispatch.Get();
}

bool JASetControlResizeStyle(IDispatch* control, int style) {
  Control* c = Find(control);
  if (!c) return false;
  c->style = style;
  UpdateFollowing(c->parent);
  if (style == kJaResizeFill) {
    RECT client{};
    GetClientRect(c->parent, &client);
    c->rect = client;
    ApplyRect(*c);
  }
  return true;
}

bool JASetControlPosition(IDispatch* control, int x, int y, int width, int height) {
  Control* c = Find(control);
  if (!c) return false;
  c->rect = RECT{x, y, x + width, y + height};
  ApplyRect(*c);
  return true;
}

bool JASetControlVisible(IDispatch* control, bool visible) {
  Control* c = Find(control);
  if (!c) return false;
  HRESULT result = c->ole->DoVerb(visible ? OLEIVERB_SHOW : OLEIVERB_HIDE, nullptr, c->site.Get(), 0, c->parent,
                                  &c->rect);
  if (FAILED(result)) return false;
  c->visible = visible;
  return true;
}

bool JAGetControlVisible(IDispatch* control) {
  Control* c = Find(control);
  if (!c) return false;
  ComPtr<IOleInPlaceObject> inPlace;
  HWND window = nullptr;
  if (SUCCEEDED(c->ole.As(&inPlace)) && SUCCEEDED(inPlace->GetWindow(&window)) && window)
    return IsWindowVisible(window) != FALSE;
  return c->visible;
}

bool JASubscribeEvents(IDispatch* control, JAEVENTCALLBACK callback) {
  Control* c = Find(control);
  if (!c || !callback) return false;
  if (c->sink) {
    c->sink->SetCallback(callback);
    return true;
  }
  IID events{};
  ComPtr<ITypeInfo> info;
  ComPtr<IConnectionPointContainer> container;
  if (!FindEvents(c->identity.Get(), &events, &info) || FAILED(c->identity.As(&container))) return false;
  ComPtr<IConnectionPoint> point;
  if (FAILED(container->FindConnectionPoint(events, &point))) return false;
  ComPtr<Sink> sink;
  sink.Attach(new Sink(c, events, info, callback));
  DWORD cookie = 0;
  if (FAILED(point->Advise(sink.Get(), &cookie))) {
    sink->Detach();
    return false;
  }
  c->point = point;
  c->sink = sink;
  c->cookie = cookie;
  return true;
}

IDispatch* JAGetEventSenderDispatch(const JaEvent* event) {
  if (!event || !event->sender) return nullptr;
  event->sender->AddRef();
  return event->sender;
}

int JAGetControlName(IDispatch* control, char* name, int size) {
  Control* c = Find(control);
  if (!c) {
    CopyOut("", name, size);
    return 0;
  }
  return CopyOut(c->name, name, size);
}

int JAGetEventName(const JaEvent* event, char* name, int size) { return CopyOut(event ? event->name : "", name, size); }

bool JAGetEventNamedParameterValue(const JaEvent* event, const char* name, VARIANT* value) {
  if (!value) return false;
  VariantInit(value);
  if (!event || !name || !event->parameters) return false;
  const DISPPARAMS& p = *event->parameters;
  for (size_t i = 0; i < event->parameterNames.size(); ++i) {
    if (_stricmp(event->parameterNames[i].c_str(), name) != 0) continue;
    // Arguments are passed last first; a named one carries its position as its DISPID.
    const VARIANT* argument = nullptr;
    for (UINT k = 0; k < p.cNamedArgs && k < p.cArgs; ++k)
      if (p.rgdispidNamedArgs[k] == DISPID(i)) argument = &p.rgvarg[k];
    if (!argument && i < p.cArgs) argument = &p.rgvarg[p.cArgs - 1 - i];
    if (!argument) return false;
    // A parameter passed by reference is handed over as its value.
    VARIANT copy;
    VariantInit(&copy);
    const VARIANT* source = argument;
    if (V_VT(argument) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(argument)) source = V_VARIANTREF(argument);
    if ((V_VT(source) & VT_BYREF) && SUCCEEDED(VariantCopyInd(&copy, const_cast<VARIANT*>(source)))) {
      *value = copy;
      return true;
    }
    return SUCCEEDED(VariantCopy(value, const_cast<VARIANT*>(source)));
  }
  return false;
}

void JAReleaseDispatch(IDispatch* dispatch) {
  if (dispatch) dispatch->Release();
}

bool JADeleteControl(IDispatch* control) {
  auto& controls = Controls();
  Control* c = Find(control);
  if (!c) return false;
  auto at = std::find_if(controls.begin(), controls.end(), [c](auto& owned) { return owned.get() == c; });
  std::unique_ptr<Control> owned = std::move(*at);
  controls.erase(at);
  UpdateFollowing(owned->parent);
  Disconnect(*owned);
  owned->ole->Close(OLECLOSE_NOSAVE);
  owned->ole->SetClientSite(nullptr);
  owned->site->Detach();
  return true;
}
