// The names that partner programs and tools look up in the suite's programs: each built
// program is mapped (its imports not resolved, nothing of it run) and asked for every name
// it must export, spelled exactly so.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "test_windows.h"
#include "win/raii.h"

namespace {

struct Exports {
  const char* program;
  std::vector<const char*> names;
};

// Who exports what: the window procedures every program hands out under one name, the
// picture tool's object list, and the list panel and info popup of the shared controls in
// the programs that show them.
const Exports kExpected[] = {
    {"kelmor.exe", {"WNDPROC", "SKSTATIC"}},
    {"bravik.exe", {"WNDPROC", "QENUMOBJECT"}},
    {"hessam.exe", {"WNDPROC", "SKSTATIC"}},
    {"grilton.exe", {"WNDPROC", "DIAPOTRANSBLT", "SKLISTBOX", "LISTPROC"}},
    {"lumbric.exe", {"WNDPROC", "SKLISTBOX", "LISTPROC"}},
    {"ostrel.exe", {"WNDPROC", "SKLISTBOX", "LISTPROC"}},
};

// A built program mapped as an image, its imports not resolved and nothing of it run.
class MappedModule {
 public:
  explicit MappedModule(const std::string& path)
      : module_(LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES)) {}
  explicit operator bool() const { return bool(module_); }
  FARPROC Find(const char* name) const { return GetProcAddress(module_.Get(), name); }

 private:
  win::Module module_;
};

TEST(ProgramExports, EachProgramExportsItsNamesUndecorated) {
  for (const Exports& e : kExpected) {
    std::string path = SuiteFolder() + e.program;
    MappedModule module(path);
    ASSERT_TRUE(module) << path << " cannot be mapped (error " << GetLastError() << ")";
    for (const char* name : e.names) EXPECT_NE(module.Find(name), nullptr) << e.program << " does not export " << name;
  }
}

// A name is not exported under its internal spelling as well: partners find one entry.
TEST(ProgramExports, InternalNamesStayInside) {
  MappedModule tool(SuiteFolder() + "bravik.exe");
  ASSERT_TRUE(tool);
  EXPECT_EQ(tool.Find("BravikWindowProc"), nullptr);
  EXPECT_EQ(tool.Find("BravikEnumObjects"), nullptr);
  MappedModule archive(SuiteFolder() + "grilton.exe");
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive.Find("ControlsListBox"), nullptr);
  EXPECT_EQ(archive.Find("ControlsListProc"), nullptr);
  MappedModule browser(SuiteFolder() + "hessam.exe");
  ASSERT_TRUE(browser);
  EXPECT_EQ(browser.Find("ControlsInfoPopup"), nullptr);
}

}  // namespace
