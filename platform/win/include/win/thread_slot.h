// A value of its own for every thread, made on first use and deleted when the thread ends.
// On Windows a thread's thread_local storage is freed before the destructors of its
// thread_local objects run, so an object that touches itself in its destructor corrupts the
// heap; a fiber-local slot's callback deletes the value instead. Elsewhere thread_local
// serves.
#pragma once
#include <memory>
#include <unordered_map>

#ifdef _WIN32
#include <windows.h>
#endif

namespace win {

template <typename T>
class ThreadSlot {
 public:
  ThreadSlot() = default;
  ThreadSlot(const ThreadSlot&) = delete;
  ThreadSlot& operator=(const ThreadSlot&) = delete;
#ifdef _WIN32
  // Deletes every thread's value.
  ~ThreadSlot() {
    if (slot_ != FLS_OUT_OF_INDEXES) FlsFree(slot_);
  }
#else
  ~ThreadSlot() { Values().erase(this); }
#endif

  // This thread's value, made on first use; null only when Windows has no slot left.
  T* Get() {
#ifdef _WIN32
    if (slot_ == FLS_OUT_OF_INDEXES) return nullptr;
    auto value = static_cast<T*>(FlsGetValue(slot_));
    if (!value) {
      value = new T();
      if (!FlsSetValue(slot_, value)) {
        delete value;
        return nullptr;
      }
    }
    return value;
#else
    auto& value = Values()[this];
    if (!value) value = std::make_unique<T>();
    return value.get();
#endif
  }

  // Deletes this thread's value; the next Get makes a new one.
  void Reset() {
#ifdef _WIN32
    if (slot_ == FLS_OUT_OF_INDEXES) return;
    auto value = static_cast<T*>(FlsGetValue(slot_));
    FlsSetValue(slot_, nullptr);
    delete value;
#else
    Values().erase(this);
#endif
  }

 private:
#ifdef _WIN32
  static void WINAPI Delete(void* value) { delete static_cast<T*>(value); }
  DWORD slot_ = FlsAlloc(&Delete);
#else
  // Every slot's value of the calling thread.
  static std::unordered_map<const ThreadSlot*, std::unique_ptr<T>>& Values() {
    thread_local std::unordered_map<const ThreadSlot*, std::unique_ptr<T>> values;
    return values;
  }
#endif
};

}  // namespace win
