// Every program of the installed suite, started from a fresh copy of the program folder as a
// user starts it: its main window comes, it ends with exit code 0 on the end code (10), and
// without its UI text file it names the file in a box and ends with code 2. The time from
// the start to the complete main window is printed for each.
#include <gtest/gtest.h>

#include <cstdio>

#include "driver.h"
#include "fileio/file.h"
#include "imaging/program_paths.h"
#include "installed_suite.h"
#include "program_test.h"

namespace roads {
namespace {

constexpr std::chrono::milliseconds kStartLimit{30000};
constexpr DWORD kBoxLimitMs = 30000;

class InstalledProgram : public ::testing::TestWithParam<std::string> {
 protected:
  const SuiteProgramInfo& Program() const { return SuiteProgramNamed(GetParam()); }
};

TEST(InstalledFolder, HoldsTheTenProgramsAndNothingTestOnly) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  for (const SuiteProgramInfo& p : SuitePrograms()) {
    EXPECT_TRUE(fileio::Exists(suite.Folder() + p.name + ".exe")) << p.name;
    EXPECT_TRUE(fileio::Exists(suite.Folder() + p.name + ".SYS")) << p.name;
  }
  for (const std::string& f : suite.Files()) EXPECT_FALSE(IsTestOnlyFile(f)) << f << " is a test's file";
}

TEST_P(InstalledProgram, ShowsItsMainWindowAndEndsWithCode0OnTheEndCode) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  const SuiteProgramInfo& p = Program();
  ChildProcess process;
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(suite.Start(process, p.name));
  HWND frame = WaitForProgram(process, p);
  double took = MsSince(start);
  ASSERT_NE(frame, nullptr) << p.name << " showed no complete " << p.frameClass << " window";
  std::printf("start-up of %s from the installed folder: %.0f ms to its complete main window\n", p.name, took);
  RecordProperty("start_ms", int(took));
  EXPECT_EQ(IsWindowVisible(frame) != FALSE, !p.hiddenFrame);
  // Nothing asked the user anything on the way.
  EXPECT_EQ(FindTopWindow("SKMSGBOX", [&](HWND w) {
              DWORD pid = 0;
              GetWindowThreadProcessId(w, &pid);
              return pid == process.Id();
            }),
            nullptr);
  EXPECT_EQ(EndProgram(process, frame, kStartLimit), 0);
  // It left nothing behind in its program folder that a second user would find.
  for (const std::string& f : suite.Files()) EXPECT_FALSE(IsTestOnlyFile(f)) << f;
}

TEST_P(InstalledProgram, WithoutItsUiFileItSaysSoAndEndsWithCode2) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  const SuiteProgramInfo& p = Program();
  const std::string uiFile = suite.Folder() + p.name + ".SYS";
  ASSERT_EQ(fileio::RemoveFile(uiFile), fileio::kOk);
  ChildProcess process;
  ASSERT_TRUE(suite.Start(process, p.name));
  HWND box = WaitForWindow("SKMSGBOX", kBoxLimitMs, process.Id());
  ASSERT_NE(box, nullptr) << p.name << " showed no box";
  // The box's text may come a moment after the box.
  std::string text;
  WaitUntil([&] { return !(text = driver::BoxText(box)).empty(); }, std::chrono::milliseconds(kBoxLimitMs));
  EXPECT_NE(text.find(p.name + std::string(".SYS")), std::string::npos) << text;
  EXPECT_NE(text.find("missing !"), std::string::npos) << text;
  EXPECT_EQ(FindTopWindow(p.frameClass), nullptr);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kBoxLimitMs));
  EXPECT_EQ(process.Wait(kBoxLimitMs), startup::kExitMissingUiFile);
}

std::vector<std::string> ProgramNames() {
  std::vector<std::string> names;
  for (const SuiteProgramInfo& p : SuitePrograms()) names.push_back(p.name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Suite, InstalledProgram, ::testing::ValuesIn(ProgramNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace roads
