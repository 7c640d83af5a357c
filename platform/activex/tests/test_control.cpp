// A small in-place OLE control of the tests (suite_testctl.dll). It draws nothing but a
// window of class "SuiteTestControl" and fires the web browser's events on request:
//   WM_SETTEXT to its window      -> TitleChange(Text)
//   WM_APP (wParam, lParam)       -> ProgressChange(Progress, ProgressMax)
//   WM_APP + 1 (text in WM_SETTEXT's form, lParam) -> DocumentComplete(pDisp, URL by reference)
// It also stands in for the web browser (IWebBrowser2): Navigate fires DocumentComplete and,
// for a local file with a <title>, TitleChange a moment later, as a browser does; the text
// size (ExecWB zoom) starts at 2; the calls are logged, one a line, to the file that
// SUITE_TESTCTL_LOG names.
// Its type information (a coclass with the default source interface) is built at run time.
// TestControlCount() tells how many of its objects are alive.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
#include <exdisp.h>
#include <docobj.h>
#include <wrl/client.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_control.h"

using Microsoft::WRL::ComPtr;

namespace {

std::atomic<long> gObjects{0};
std::atomic<long> gLocks{0};
HMODULE gModule = nullptr;

constexpr GUID kLibraryId = {0x6b1c7a52, 0x3e0f, 0x4d8a, {0x9c, 0x41, 0x2a, 0x7e, 0x5d, 0x0b, 0x9f, 0x14}};
constexpr GUID kStdOle = {0x00020430, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr char kWindowClass[] = "SuiteTestControl";

struct EventShape {
  DISPID id;
  std::vector<const wchar_t*> names;  // the event, then its parameters
};

const std::vector<EventShape>& Events() {
  static const std::vector<EventShape> events = {
      {kTestEventTitleChange, {L"TitleChange", L"Text"}},
      {kTestEventProgressChange, {L"ProgressChange", L"Progress", L"ProgressMax"}},
      {kTestEventDocumentComplete, {L"DocumentComplete", L"pDisp", L"URL"}},
  };
  return events;
}

// The coclass's type information, with the event interface as its default source.
ComPtr<ITypeInfo> BuildClassInfo() {
  ComPtr<ICreateTypeLib2> library;
  if (FAILED(CreateTypeLib2(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, L"suite_testctl.tlb", &library)))
    return nullptr;
  library->SetGuid(kLibraryId);
  library->SetName(const_cast<LPOLESTR>(L"SuiteTestControlLib"));
  library->SetVersion(1, 0);
  ComPtr<ITypeLib> stdole;
  ComPtr<ITypeInfo> dispatchInfo;
  if (FAILED(LoadRegTypeLib(kStdOle, 2, 0, 0, &stdole)) ||
      FAILED(stdole->GetTypeInfoOfGuid(IID_IDispatch, &dispatchInfo)))
    return nullptr;
  ComPtr<ICreateTypeInfo> events;
  if (FAILED(library->CreateTypeInfo(const_cast<LPOLESTR>(L"DWebBrowserEvents2"), TKIND_DISPATCH, &events)))
    return nullptr;
  events->SetGuid(kTestEventsIid);
  HREFTYPE reference = 0;
  events->AddRefTypeInfo(dispatchInfo.Get(), &reference);
  events->AddImplType(0, reference);
  UINT index = 0;
  for (const EventShape& e : Events()) {
    std::vector<ELEMDESC> parameters(e.names.size() - 1);
    for (ELEMDESC& p : parameters) p.tdesc.vt = VT_VARIANT;
    FUNCDESC f{};
    f.memid = e.id;
    f.funckind = FUNC_DISPATCH;
    f.invkind = INVOKE_FUNC;
    f.callconv = CC_STDCALL;
    f.cParams = SHORT(parameters.size());
    f.lprgelemdescParam = parameters.data();
    f.elemdescFunc.tdesc.vt = VT_VOID;
    if (FAILED(events->AddFuncDesc(index, &f))) return nullptr;
    events->SetFuncAndParamNames(index, const_cast<LPOLESTR*>(e.names.data()), UINT(e.names.size()));
    ++index;
  }
  if (FAILED(events->LayOut())) return nullptr;
  ComPtr<ITypeInfo> eventsInfo;
  ComPtr<ICreateTypeInfo> coclass;
  if (FAILED(events.As(&eventsInfo)) ||
      FAILED(library->CreateTypeInfo(const_cast<LPOLESTR>(L"TestControl"), TKIND_COCLASS, &coclass)))
    return nullptr;
  coclass->SetGuid(kTestControlClsid);
  coclass->AddRefTypeInfo(eventsInfo.Get(), &reference);
  coclass->AddImplType(0, reference);
  coclass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
  if (FAILED(coclass->LayOut())) return nullptr;
  ComPtr<ITypeInfo> classInfo;
  coclass.As(&classInfo);
  return classInfo;
}

class Control;

class Point final : public IConnectionPoint {
 public:
  explicit Point(Control* owner) : owner_(owner) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetConnectionInterface(IID* iid) override {
    *iid = kTestEventsIid;
    return S_OK;
  }
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
    ComPtr<IDispatch> dispatch;
    if (!sink || FAILED(sink->QueryInterface(kTestEventsIid, reinterpret_cast<void**>(dispatch.GetAddressOf()))))
      return CONNECT_E_CANNOTCONNECT;
    sinks_.push_back(dispatch);
    *cookie = DWORD(sinks_.size());
    return S_OK;
  }
  STDMETHODIMP Unadvise(DWORD cookie) override {
    if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
    sinks_[cookie - 1].Reset();
    return S_OK;
  }
  STDMETHODIMP EnumConnections(IEnumConnections** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  void Fire(DISPID id, std::vector<VARIANT> lastFirst) {
    DISPPARAMS parameters{lastFirst.data(), nullptr, UINT(lastFirst.size()), 0};
    for (auto sink : std::vector<ComPtr<IDispatch>>(sinks_))
      if (sink) sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
  }
  void Drop() { sinks_.clear(); }

 private:
  Control* owner_;
  std::vector<ComPtr<IDispatch>> sinks_;
};

void Log(const std::string& line) {
  char path[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("SUITE_TESTCTL_LOG", path, sizeof path)) return;
  if (FILE* f = fopen(path, "a")) {
    fprintf(f, "%s\n", line.c_str());
    fclose(f);
  }
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += char(*text);
  return out;
}

// The <title> of a local page ("" for another address or a page without one).
std::string TitleOf(std::string url) {
  for (const char* scheme : {"file:///", "file://"})
    if (_strnicmp(url.c_str(), scheme, strlen(scheme)) == 0) {
      url.erase(0, strlen(scheme));
      break;
    }
  std::ifstream in(url, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string page = text.str();
  size_t start = page.find("<title>"), end = page.find("</title>");
  if (start == std::string::npos || end == std::string::npos || end < start) return {};
  return page.substr(start + 7, end - start - 7);
}

#define NOT_HERE(name, ...) \
  STDMETHODIMP name(__VA_ARGS__) override { return E_NOTIMPL; }

class Control final : public IWebBrowser2,
                      public IOleObject,
                      public IOleInPlaceObject,
                      public IConnectionPointContainer,
                      public IProvideClassInfo2 {
 public:
  Control() : point_(this) { ++gObjects; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    else if (iid == IID_IWebBrowser || iid == IID_IWebBrowserApp || iid == IID_IWebBrowser2)
      *out = static_cast<IWebBrowser2*>(this);
    else if (iid == IID_IOleObject) *out = static_cast<IOleObject*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) *out = static_cast<IOleInPlaceObject*>(this);
    else if (iid == IID_IConnectionPointContainer) *out = static_cast<IConnectionPointContainer*>(this);
    else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) *out = static_cast<IProvideClassInfo2*>(this);
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

  // IDispatch: nothing to call by name.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  // IWebBrowser2: what the web panel calls.
  STDMETHODIMP GoBack() override { return Logged("GoBack"); }
  STDMETHODIMP GoForward() override { return Logged("GoForward"); }
  STDMETHODIMP Refresh() override { return Logged("Refresh"); }
  STDMETHODIMP Stop() override { return Logged("Stop"); }
  STDMETHODIMP Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* postData, VARIANT* headers) override {
    // Arguments left out come as "absent" (VT_ERROR, DISP_E_PARAMNOTFOUND).
    int absent = 0;
    for (VARIANT* v : {flags, target, postData, headers})
      if (v && V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND) ++absent;
    location_ = Narrow(url);
    Log("Navigate " + location_ + " absent=" + std::to_string(absent));
    if (window_) PostMessageA(window_, WM_APP + 2, 0, 0);
    return S_OK;
  }
  STDMETHODIMP ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) override {
    std::string line = "ExecWB " + std::to_string(int(command)) + " " + std::to_string(int(option));
    if (command == OLECMDID_ZOOM) {
      if (in && V_VT(in) == VT_I4) {
        zoom_ = V_I4(in);
        line += " set " + std::to_string(zoom_);
      }
      if (out) {
        VariantClear(out);
        V_VT(out) = VT_I4;
        V_I4(out) = zoom_;
      }
    }
    Log(line);
    return S_OK;
  }
  STDMETHODIMP get_LocationURL(BSTR* url) override {
    std::wstring wide(location_.begin(), location_.end());
    *url = SysAllocString(wide.c_str());
    return S_OK;
  }
  NOT_HERE(GoHome) NOT_HERE(GoSearch) NOT_HERE(Refresh2, VARIANT*) NOT_HERE(get_Application, IDispatch**)
  NOT_HERE(get_Parent, IDispatch**) NOT_HERE(get_Container, IDispatch**) NOT_HERE(get_Document, IDispatch**)
  NOT_HERE(get_TopLevelContainer, VARIANT_BOOL*) NOT_HERE(get_Type, BSTR*) NOT_HERE(get_Left, LONG*)
  NOT_HERE(put_Left, LONG) NOT_HERE(get_Top, LONG*) NOT_HERE(put_Top, LONG) NOT_HERE(get_Width, LONG*)
  NOT_HERE(put_Width, LONG) NOT_HERE(get_Height, LONG*) NOT_HERE(put_Height, LONG)
  NOT_HERE(get_LocationName, BSTR*) NOT_HERE(get_Busy, VARIANT_BOOL*) NOT_HERE(Quit)
  NOT_HERE(ClientToWindow, int*, int*) NOT_HERE(PutProperty, BSTR, VARIANT) NOT_HERE(GetProperty, BSTR, VARIANT*)
  NOT_HERE(get_Name, BSTR*) NOT_HERE(get_HWND, SHANDLE_PTR*) NOT_HERE(get_FullName, BSTR*) NOT_HERE(get_Path, BSTR*)
  NOT_HERE(get_Visible, VARIANT_BOOL*) NOT_HERE(put_Visible, VARIANT_BOOL) NOT_HERE(get_StatusBar, VARIANT_BOOL*)
  NOT_HERE(put_StatusBar, VARIANT_BOOL) NOT_HERE(get_StatusText, BSTR*) NOT_HERE(put_StatusText, BSTR)
  NOT_HERE(get_ToolBar, int*) NOT_HERE(put_ToolBar, int) NOT_HERE(get_MenuBar, VARIANT_BOOL*)
  NOT_HERE(put_MenuBar, VARIANT_BOOL) NOT_HERE(get_FullScreen, VARIANT_BOOL*) NOT_HERE(put_FullScreen, VARIANT_BOOL)
  NOT_HERE(Navigate2, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*) NOT_HERE(QueryStatusWB, OLECMDID, OLECMDF*)
  NOT_HERE(ShowBrowserBar, VARIANT*, VARIANT*, VARIANT*) NOT_HERE(get_ReadyState, READYSTATE*)
  NOT_HERE(get_Offline, VARIANT_BOOL*) NOT_HERE(put_Offline, VARIANT_BOOL) NOT_HERE(get_Silent, VARIANT_BOOL*)
  NOT_HERE(put_Silent, VARIANT_BOOL) NOT_HERE(get_RegisterAsBrowser, VARIANT_BOOL*)
  NOT_HERE(put_RegisterAsBrowser, VARIANT_BOOL) NOT_HERE(get_RegisterAsDropTarget, VARIANT_BOOL*)
  NOT_HERE(put_RegisterAsDropTarget, VARIANT_BOOL) NOT_HERE(get_TheaterMode, VARIANT_BOOL*)
  NOT_HERE(put_TheaterMode, VARIANT_BOOL) NOT_HERE(get_AddressBar, VARIANT_BOOL*) NOT_HERE(put_AddressBar, VARIANT_BOOL)
  NOT_HERE(get_Resizable, VARIANT_BOOL*) NOT_HERE(put_Resizable, VARIANT_BOOL)

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override {
    site_ = site;
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** out) override {
    *out = site_.Get();
    if (*out) (*out)->AddRef();
    return S_OK;
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override {
    point_.Drop();
    InPlaceDeactivate();
    return S_OK;
  }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) override {
    *clsid = kTestControlClsid;
    return S_OK;
  }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR* out) override {
    *out = nullptr;
    return OLE_S_USEREG;
  }
  STDMETHODIMP SetExtent(DWORD, SIZEL* size) override {
    extent_ = *size;
    return S_OK;
  }
  STDMETHODIMP GetExtent(DWORD, SIZEL* size) override {
    *size = extent_;
    return S_OK;
  }
  STDMETHODIMP Advise(IAdviseSink*, DWORD* cookie) override {
    *cookie = 0;
    return E_NOTIMPL;
  }
  STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
    *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND* out) override {
    *out = window_;
    return window_ ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override {
    if (!window_) return S_OK;
    DestroyWindow(window_);
    window_ = nullptr;
    ComPtr<IOleInPlaceSite> site;
    if (site_ && SUCCEEDED(site_.As(&site))) site->OnInPlaceDeactivate();
    return S_OK;
  }
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override {
    if (window_ && position)
      MoveWindow(window_, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, TRUE);
    return S_OK;
  }
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    *out = nullptr;
    if (iid != kTestEventsIid) return CONNECT_E_NOCONNECTION;
    *out = &point_;
    point_.AddRef();
    return S_OK;
  }

  // IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** out) override {
    static ComPtr<ITypeInfo> info = BuildClassInfo();
    *out = info.Get();
    if (!info) return E_FAIL;
    info->AddRef();
    return S_OK;
  }
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override {
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = kTestEventsIid;
    return S_OK;
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  ~Control() {
    InPlaceDeactivate();
    --gObjects;
    Log("Deleted");
  }
  HRESULT Logged(const char* call) {
    Log(call);
    return S_OK;
  }
  void Navigated();
  std::string location_;
  int zoom_ = 2;
  std::atomic<ULONG> references_{1};
  Point point_;
  ComPtr<IOleClientSite> site_;
  HWND window_ = nullptr;
  SIZEL extent_{};
};

STDMETHODIMP_(ULONG) Point::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) Point::Release() { return owner_->Release(); }
STDMETHODIMP Point::GetConnectionPointContainer(IConnectionPointContainer** out) {
  return owner_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(out));
}

VARIANT Text(const char* text) {
  VARIANT v;
  VariantInit(&v);
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocStringLen(nullptr, UINT(n > 0 ? n - 1 : 0));
  if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, V_BSTR(&v), n);
  return v;
}

VARIANT Number(LONG value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

LRESULT CALLBACK Control::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && message == WM_SETTEXT && lParam) {
    ComPtr<Control> keep(self);
    VARIANT text = Text(reinterpret_cast<const char*>(lParam));
    self->point_.Fire(kTestEventTitleChange, {text});
    VariantClear(&text);
  } else if (self && message == WM_APP) {
    ComPtr<Control> keep(self);
    self->point_.Fire(kTestEventProgressChange, {Number(LONG(lParam)), Number(LONG(wParam))});
    return 0;
  } else if (self && message == WM_APP + 1 && lParam) {
    ComPtr<Control> keep(self);
    VARIANT url = Text(reinterpret_cast<const char*>(lParam));
    VARIANT byReference, sender;
    VariantInit(&byReference);
    V_VT(&byReference) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&byReference) = &url;
    VariantInit(&sender);
    V_VT(&sender) = VT_DISPATCH;
    V_DISPATCH(&sender) = static_cast<IDispatch*>(self);
    self->point_.Fire(kTestEventDocumentComplete, {byReference, sender});
    VariantClear(&url);
    return 0;
  } else if (self && message == WM_APP + 2) {
    ComPtr<Control> keep(self);
    self->Navigated();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Control::Navigated() {
  SendMessageA(window_, WM_APP + 1, 0, reinterpret_cast<LPARAM>(location_.c_str()));
  std::string title = TitleOf(location_);
  if (!title.empty() && window_) SetWindowTextA(window_, title.c_str());
}

STDMETHODIMP Control::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) {
  if (site && !site_) site_ = site;
  if (verb == OLEIVERB_HIDE) {
    if (window_) ShowWindow(window_, SW_HIDE);
    return S_OK;
  }
  if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_PRIMARY &&
      verb != OLEIVERB_UIACTIVATE)
    return OLEOBJ_S_INVALIDVERB;
  if (!window_) {
    ComPtr<IOleInPlaceSite> inPlace;
    if (!site_ || FAILED(site_.As(&inPlace)) || inPlace->CanInPlaceActivate() != S_OK) return E_FAIL;
    inPlace->OnInPlaceActivate();
    HWND host = parent;
    if (!host) inPlace->GetWindow(&host);
    RECT r = position ? *position : RECT{0, 0, 100, 100};
    window_ = CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, host, nullptr, gModule, nullptr);
    if (!window_) return E_FAIL;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  if (verb != OLEIVERB_INPLACEACTIVATE) ShowWindow(window_, SW_SHOW);
  return S_OK;
}

class Factory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* control = new Control();
    HRESULT result = control->QueryInterface(iid, out);
    control->Release();
    return result;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    gLocks += lock ? 1 : -1;
    return S_OK;
  }
};

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModule = instance;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Control::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
  }
  return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  static Factory factory;
  *out = nullptr;
  if (clsid != kTestControlClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() { return gObjects == 0 && gLocks == 0 ? S_OK : S_FALSE; }

long WINAPI TestControlCount() { return gObjects; }

}  // extern "C"
