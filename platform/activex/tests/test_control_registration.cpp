#include <windows.h>
#include <objbase.h>

#include "test_control.h"
#include "test_windows.h"

namespace {

// {6B1C7A52-3E0F-4D8A-9C41-2A7E5D0B9F15}: registered nowhere.
constexpr GUID kMissingClsid = {0x6b1c7a52, 0x3e0f, 0x4d8a, {0x9c, 0x41, 0x2a, 0x7e, 0x5d, 0x0b, 0x9f, 0x15}};

std::string ClsidText(const GUID& clsid = kTestControlClsid) {
  wchar_t text[64] = {};
  StringFromGUID2(clsid, text, 64);
  std::string narrow;
  for (const wchar_t* c = text; *c; ++c) narrow += char(*c);
  return narrow;
}

bool SetValue(const std::string& key, const char* name, const std::string& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool ok = RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           DWORD(value.size() + 1)) == ERROR_SUCCESS;
  RegCloseKey(opened);
  return ok;
}

std::string ValueOf(const std::string& key) {
  char value[256] = {};
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return {};
  return value;
}

bool RegisterProgId(const std::string& progId, const GUID& clsid = kTestControlClsid) {
  return SetValue(progId + "\\CLSID", nullptr, ClsidText(clsid));
}

}  // namespace

TestControlRegistration::TestControlRegistration(const std::string& extraProgId, bool missingClass)
    : extraProgId_(extraProgId) {
  // A system class taken over for the test gets its own class back afterwards.
  if (!extraProgId.empty()) extraProgIdWas_ = ValueOf(extraProgId + "\\CLSID");
  std::string key = "CLSID\\" + ClsidText();
  ok_ = SetValue(key + "\\InprocServer32", nullptr, TestProgramFolder() + kTestControlDll) &&
        SetValue(key + "\\InprocServer32", "ThreadingModel", "Apartment") && RegisterProgId(kTestControlProgId) &&
        (extraProgId.empty() || RegisterProgId(extraProgId, missingClass ? kMissingClsid : kTestControlClsid));
}

TestControlRegistration::~TestControlRegistration() {
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + ClsidText()).c_str());
  RegDeleteTreeA(HKEY_CLASSES_ROOT, std::string(kTestControlProgId).c_str());
  if (extraProgId_.empty()) return;
  if (extraProgIdWas_.empty()) RegDeleteTreeA(HKEY_CLASSES_ROOT, extraProgId_.c_str());
  else SetValue(extraProgId_ + "\\CLSID", nullptr, extraProgIdWas_);
}

long TestControlObjects() {
  HMODULE dll = GetModuleHandleA(kTestControlDll);
  if (!dll) return 0;
  auto count = reinterpret_cast<long(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "TestControlCount")));
  return count ? count() : -1;
}
