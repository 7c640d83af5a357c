// Small owners for Windows handles, so that what a function acquires it also releases:
// kernel handles, find and change-notification handles, modules, device contexts, GDI
// objects, selected objects and critical sections. The raw release calls of the suite
// stand here and nowhere else.
#pragma once
#include <windows.h>

#include <type_traits>
#include <utility>

namespace win {

// ---- the releases ---------------------------------------------------------------------------
// For the few functions whose own job is a release (an engine's delete call, a record
// that outlives one function). Each takes the empty value and answers false for it.
inline bool CloseKernelHandle(HANDLE h) { return h && h != INVALID_HANDLE_VALUE && CloseHandle(h); }
inline bool CloseFindHandle(HANDLE h) { return h && h != INVALID_HANDLE_VALUE && FindClose(h); }
inline bool CloseChangeNotification(HANDLE h) {
  return h && h != INVALID_HANDLE_VALUE && FindCloseChangeNotification(h);
}
inline bool UnloadModule(HMODULE m) { return m && FreeLibrary(m); }
inline bool DeleteGdiObject(HGDIOBJ o) { return o && DeleteObject(o); }
// A context of CreateDC or CreateCompatibleDC (not one of GetDC: see ReleaseWindowDC).
inline bool DeleteCreatedDC(HDC dc) { return dc && DeleteDC(dc); }
inline bool ReleaseWindowDC(HWND w, HDC dc) { return dc && ReleaseDC(w, dc); }
// Deletes a GDI object that a long-lived record holds and clears the record's handle.
template <typename T>
void ClearGdiObject(T& object) {
  DeleteGdiObject(object);
  object = nullptr;
}

// ---- the owner -------------------------------------------------------------------------------
// Owns one value of T (a handle, a pointer, a token) and hands it to Close when it ends.
// The empty value is T{}; for HANDLE, INVALID_HANDLE_VALUE (what failing CreateFile,
// FindFirstFile and FindFirstChangeNotification answer) is taken as empty too. Moving
// leaves the source empty; Release gives the value up without closing it.
template <typename T, auto Close>
class Owner {
 public:
  Owner() = default;
  explicit Owner(T h) : h_(Adopted(h)) {}
  ~Owner() { Reset(); }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  Owner(Owner&& o) noexcept : h_(o.Release()) {}
  Owner& operator=(Owner&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  T Get() const { return h_; }
  explicit operator bool() const { return h_ != T{}; }
  T Release() { return std::exchange(h_, T{}); }
  void Reset(T h = T{}) {
    T old = std::exchange(h_, Adopted(h));
    if (old != T{}) Close(old);
  }
  // For calls that create into a pointer (GDI+): whatever was owned goes first.
  T* Out() {
    Reset();
    return &h_;
  }

 private:
  static T Adopted(T h) {
    if constexpr (std::is_same_v<T, HANDLE>) {
      if (h == INVALID_HANDLE_VALUE) return T{};
    }
    return h;
  }

  T h_{};
};

// A kernel handle (file, event, thread, process, section); closed when the owner ends.
using Handle = Owner<HANDLE, &CloseKernelHandle>;
// FindFirstFile / FindClose.
using FindHandle = Owner<HANDLE, &CloseFindHandle>;
// FindFirstChangeNotification / FindCloseChangeNotification.
using ChangeNotification = Owner<HANDLE, &CloseChangeNotification>;
// LoadLibrary / FreeLibrary.
using Module = Owner<HMODULE, &UnloadModule>;

// A named mutex that marks a running program. It is created without an owner and never
// waited on, so nothing is ever given back with ReleaseMutex: ending the owner closes the
// handle (the mutex goes with the last handle), and Release() hands the handle on
// unclosed, as with every owner here.
class Mutex : public Owner<HANDLE, &CloseKernelHandle> {
 public:
  using Owner::Owner;
  // Creates the mutex or opens the one of that name; existed tells which.
  static Mutex Create(const char* name, bool* existed = nullptr) {
    Mutex m(CreateMutexA(nullptr, FALSE, name));
    if (existed) *existed = m && GetLastError() == ERROR_ALREADY_EXISTS;
    return m;
  }
  // The existing mutex of that name; empty when there is none.
  static Mutex Open(const char* name, DWORD access = SYNCHRONIZE) { return Mutex(OpenMutexA(access, FALSE, name)); }
};

// A GDI object (pen, brush, font, bitmap, region, palette); deleted when the owner ends.
template <typename T>
using GdiObject = Owner<T, &DeleteGdiObject>;

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using Palette = GdiObject<HPALETTE>;

// A device context of CreateDC or CreateCompatibleDC; deleted when the owner ends.
using CreatedDC = Owner<HDC, &DeleteCreatedDC>;

// A memory context compatible with another one (null: the screen) that borrows what is
// drawn on: select a bitmap into it with SelectObj, which puts the old one back before
// the context goes.
class CompatibleDC : public CreatedDC {
 public:
  CompatibleDC() = default;
  explicit CompatibleDC(HDC like) : CreatedDC(CreateCompatibleDC(like)) {}
  operator HDC() const { return Get(); }
};

// Selects an object into a device context and puts the previous one back at the end.
class SelectObj {
 public:
  SelectObj(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectObj() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectObj(const SelectObj&) = delete;
  SelectObj& operator=(const SelectObj&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// GetDC / ReleaseDC (or GetWindowDC with whole = true); a null window gives the screen's.
class WindowDC {
 public:
  explicit WindowDC(HWND w, bool whole = false) : w_(w), dc_(whole ? GetWindowDC(w) : GetDC(w)) {}
  ~WindowDC() { ReleaseWindowDC(w_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HWND w_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND w) : w_(w) { dc_ = BeginPaint(w, &ps_); }
  ~PaintDC() { EndPaint(w_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }
  const PAINTSTRUCT& Info() const { return ps_; }

 private:
  HWND w_;
  HDC dc_;
  PAINTSTRUCT ps_{};
};

// A memory device context compatible with another one, with its own bitmap (at least
// 1 x 1) selected: draw into it, then copy it out with BitBlt, or take the bitmap with
// ReleaseBitmap. Empty when either could not be made; everything is freed at the end.
class MemoryDC {
 public:
  MemoryDC() = default;
  MemoryDC(HDC like, int width, int height)
      : dc_(like), bitmap_(CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1)) {
    if (!dc_ || !bitmap_) {
      Reset();
      return;
    }
    old_ = SelectObject(dc_, bitmap_.Get());
    width_ = width > 0 ? width : 1;
    height_ = height > 0 ? height : 1;
  }
  ~MemoryDC() { Reset(); }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  MemoryDC(MemoryDC&& o) noexcept
      : dc_(std::move(o.dc_)),
        bitmap_(std::move(o.bitmap_)),
        old_(std::exchange(o.old_, nullptr)),
        width_(std::exchange(o.width_, 0)),
        height_(std::exchange(o.height_, 0)) {}
  MemoryDC& operator=(MemoryDC&& o) noexcept {
    if (this != &o) {
      Reset();
      dc_ = std::move(o.dc_);
      bitmap_ = std::move(o.bitmap_);
      old_ = std::exchange(o.old_, nullptr);
      width_ = std::exchange(o.width_, 0);
      height_ = std::exchange(o.height_, 0);
    }
    return *this;
  }
  HDC Get() const { return dc_.Get(); }
  operator HDC() const { return dc_.Get(); }
  explicit operator bool() const { return bool(dc_); }
  HBITMAP GetBitmap() const { return bitmap_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The bitmap, no longer selected, is the caller's; the context stays until Reset.
  HBITMAP ReleaseBitmap() {
    Deselect();
    return bitmap_.Release();
  }
  void Reset() {
    Deselect();
    bitmap_.Reset();
    dc_.Reset();
    width_ = height_ = 0;
  }

 private:
  void Deselect() {
    if (old_) SelectObject(dc_.Get(), old_);
    old_ = nullptr;
  }

  CompatibleDC dc_;
  Bitmap bitmap_;
  HGDIOBJ old_ = nullptr;
  int width_ = 0, height_ = 0;
};

// A critical section and its scoped lock.
class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&cs_); }
  ~CriticalSection() { DeleteCriticalSection(&cs_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void Enter() { EnterCriticalSection(&cs_); }
  void Leave() { LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

class Lock {
 public:
  explicit Lock(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
  ~Lock() { cs_.Leave(); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CriticalSection& cs_;
};

}  // namespace win
