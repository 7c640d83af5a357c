// The tests' OLE control (suite_testctl.dll beside the tests): its class, its event
// interface (the web browser's, so that it can stand in for one) and its registration.
#pragma once
#include <windows.h>

#include <string>

// {6B1C7A52-3E0F-4D8A-9C41-2A7E5D0B9F13}
constexpr GUID kTestControlClsid = {0x6b1c7a52, 0x3e0f, 0x4d8a, {0x9c, 0x41, 0x2a, 0x7e, 0x5d, 0x0b, 0x9f, 0x13}};
// The web browser's event interface.
constexpr GUID kTestEventsIid = {0x34a715a0, 0x6587, 0x11d0, {0x92, 0x4a, 0x00, 0x20, 0xaf, 0xc7, 0xac, 0x4d}};
constexpr char kTestControlProgId[] = "SuiteTest.Control";
constexpr char kTestControlDll[] = "suite_testctl.dll";

constexpr LONG kTestEventProgressChange = 108;
constexpr LONG kTestEventTitleChange = 113;
constexpr LONG kTestEventDocumentComplete = 259;

// Registers the control in the prefix's classes under its class and the ProgIDs while it
// lives (the DLL is the one beside the running test), and removes what it wrote at its end.
// extraProgId (a system class such as "Shell.Explorer.2") is taken over for that time and
// then given back; with missingClass it names a class that is registered nowhere, so that
// creating it fails.
class TestControlRegistration {
 public:
  explicit TestControlRegistration(const std::string& extraProgId = "", bool missingClass = false);
  ~TestControlRegistration();
  TestControlRegistration(const TestControlRegistration&) = delete;
  TestControlRegistration& operator=(const TestControlRegistration&) = delete;
  bool Ok() const { return ok_; }

 private:
  bool ok_ = false;
  std::string extraProgId_, extraProgIdWas_;
};

// How many of the control's objects live in this process (0 while its DLL is not loaded).
long TestControlObjects();
