// nadrix.dll as the programs use it: loaded by name from the suite folder and called
// through GetProcAddress (the media player), or imported through its import library (the
// picture tool and the query tool; pickimport.exe).
#include <gtest/gtest.h>

#include <vector>

#include "driver.h"
#include "fileio/file.h"
#include "pick/nadrix_call.h"
#include "pick_dialog_driver.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/raii.h"

namespace {

using pick_test::DialogDriver;

template <typename T>
T Proc(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class Nadrix : public ::testing::Test {
 protected:
  void SetUp() override {
    module_.Reset(LoadLibraryA((SuiteFolder() + "nadrix.dll").c_str()));
    ASSERT_TRUE(module_) << GetLastError();
    pickF_ = Proc<SkPickFProc>(module_.Get(), "SKPICKF");
    multi_ = Proc<SkSwitchProc>(module_.Get(), "SKPICKMULTI");
    ASSERT_NE(pickF_, nullptr);
    ASSERT_NE(multi_, nullptr);
    while (multi_(0) != 0) {
    }
    // The dialog centres on its owner, at the lower right of the display that the test
    // programs share.
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 960, 700, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
    module_.Reset();
  }

  win::Module module_;
  HWND owner_ = nullptr;
  SkPickFProc pickF_ = nullptr;
  SkSwitchProc multi_ = nullptr;
  TempDir dir_;
};

TEST_F(Nadrix, ExportsEveryFunctionUnderItsPlainNameAndTheMixedCaseAliases) {
  for (const char* name : {"SKPICKF", "SKPICKMULTI", "SKNOTICONISE", "SKSHOWTHUMB", "SKPICKFILTER", "SKUSEFILTER",
                           "SKFILTERCHOICE", "SKPICKINFILE", "SKPICKLASTFILE", "DLDIALOGMESSAGE", "DIRLISTPROC",
                           "SKPICKRESULT", "SKPICKSKIN"})
    EXPECT_NE(GetProcAddress(module_.Get(), name), nullptr) << name;
  EXPECT_EQ(GetProcAddress(module_.Get(), "skPickF"), GetProcAddress(module_.Get(), "SKPICKF"));
  EXPECT_EQ(GetProcAddress(module_.Get(), "skPickMulti"), GetProcAddress(module_.Get(), "SKPICKMULTI"));
  EXPECT_EQ(GetProcAddress(module_.Get(), "skPickFilter"), GetProcAddress(module_.Get(), "SKPICKFILTER"));
  EXPECT_EQ(GetProcAddress(module_.Get(), "skUseFilter"), GetProcAddress(module_.Get(), "SKUSEFILTER"));
  EXPECT_EQ(GetProcAddress(module_.Get(), "skShowThumb"), GetProcAddress(module_.Get(), "SKSHOWTHUMB"));
  EXPECT_EQ(GetProcAddress(module_.Get(), "SKPICKF@52"), nullptr);  // no decorated names

  auto notIconise = Proc<SkSwitchProc>(module_.Get(), "SKNOTICONISE");
  EXPECT_EQ(notIconise(1), 0);
  EXPECT_EQ(notIconise(1), -1);
  EXPECT_EQ(Proc<SkShowThumbProc>(module_.Get(), "SKSHOWTHUMB")(".JPG.PNG.", 1), 0);
  EXPECT_EQ(Proc<SkPickSkinProc>(module_.Get(), "SKPICKSKIN")(""), 1);
}

TEST_F(Nadrix, PicksTwoFilesThroughGetProcAddress) {
  dir_.Write("a.jpg", "1");
  dir_.Write("b.jpg", "2");
  dir_.Write("c.txt", "3");
  std::vector<std::string> entries;
  ASSERT_EQ(multi_(1), 0);
  DialogDriver drive([&](HWND dialog) {
    entries = pick_test::Entries(dialog);
    pick_test::SelectEntries(dialog, {0, 1});
    pick_test::Press(2);
  });
  std::vector<char> resultText(4096, 'x'), nameText(MAX_PATH, '\0');
  SkTextBuffer result{resultText.data(), int32_t(resultText.size()), 0};
  SkTextBuffer name{nameText.data(), int32_t(nameText.size()), 0};
  std::string start = dir_.Path() + "*.jpg;*.png";
  int button = pickF_(owner_, start.c_str(), "Open", "Pictures|*.jpg;*.png|All|*.*", "Cancel|OK", "Files",
                      "Folders", "Type", 0, "", 0, &result, &name);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(button, 2);
  EXPECT_EQ(entries, (std::vector<std::string>{"a.jpg", "b.jpg"}));
  std::string expected = dir_.File("a.jpg") + "|" + dir_.File("b.jpg") + "|";
  EXPECT_EQ(std::string(result.text), expected);
  EXPECT_EQ(result.length, int32_t(expected.size()));
  EXPECT_EQ(multi_(0), 0);  // consumed by the dialog
}

TEST_F(Nadrix, ACutResultCanBeReadAgainWhole) {
  dir_.Write("picture with a long name.jpg", "1");
  DialogDriver drive([&](HWND) { pick_test::Press(2); });
  char small[8];
  SkTextBuffer result{small, sizeof small, 0};
  char nameIn[64] = "typed";
  SkTextBuffer name{nameIn, sizeof nameIn, 0};
  std::string start = dir_.Path();
  EXPECT_EQ(pickF_(owner_, start.c_str(), "Save", "All|*.*", "Cancel|OK", "", "", "", 0, "Name", 1, &result, &name),
            2);
  ASSERT_TRUE(drive.Finish());
  std::string full = dir_.File("picture with a long name.jpg");
  EXPECT_EQ(result.length, int32_t(full.size()));
  EXPECT_EQ(std::string(small), full.substr(0, 7));
  std::string typed = dir_.File("typed");
  EXPECT_EQ(name.length, int32_t(typed.size()));

  std::vector<char> big(1024), bigName(1024);
  SkTextBuffer again{big.data(), int32_t(big.size()), 0};
  SkTextBuffer againName{bigName.data(), int32_t(bigName.size()), 0};
  EXPECT_EQ(Proc<SkPickResultProc>(module_.Get(), "SKPICKRESULT")(&again, &againName), int(full.size()));
  EXPECT_EQ(std::string(big.data()), full);
  EXPECT_EQ(std::string(bigName.data()), typed);
}

// What the suite's programs call: a selection far longer than the first buffers comes back
// whole, each path unbroken; without SKPICKRESULT it would rather come back empty than cut.
TEST_F(Nadrix, TheCallHelperBringsBackALongSelectionWhole) {
  std::string expected;
  std::string longName(100, 'n');
  for (int i = 0; i < 60; ++i) {
    std::string name = longName + std::to_string(100 + i) + ".jpg";
    dir_.Write(name, "x");
    expected += dir_.File(name) + "|";
  }
  ASSERT_GT(expected.size(), size_t(pick::kPickFirstBuffer));
  pick::PickRequest request;
  request.owner = owner_;
  request.startPath = dir_.Path();
  request.caption = "Open";
  request.filterList = "All|*.*";
  request.buttons = "Cancel|Open";
  request.nameText = "kept";
  auto selectAll = [](HWND dialog) {
    SendMessageA(pick_test::Control(dialog, 2), LB_SETSEL, TRUE, -1);
    pick_test::Press(2);
  };
  auto pickResult = Proc<SkPickResultProc>(module_.Get(), "SKPICKRESULT");
  ASSERT_EQ(multi_(1), 0);
  DialogDriver drive(selectAll);
  pick::PickAnswer answer = pick::CallPickDialog(pickF_, pickResult, request);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(answer.button, 2);
  EXPECT_EQ(answer.result, expected);
  EXPECT_EQ(answer.name, dir_.File("kept"));  // no name field: the preset, made a path

  ASSERT_EQ(multi_(1), 0);
  DialogDriver again(selectAll);
  answer = pick::CallPickDialog(pickF_, nullptr, request);
  ASSERT_TRUE(again.Finish());
  EXPECT_EQ(answer.button, 2);
  EXPECT_EQ(answer.result, "");
}

TEST_F(Nadrix, RememberedValuesLiveInTheLibrary) {
  auto useFilter = Proc<SkKeptTextProc>(module_.Get(), "SKUSEFILTER");
  auto pickFilter = Proc<SkKeptTextProc>(module_.Get(), "skPickFilter");
  auto choice = Proc<SkKeptTextProc>(module_.Get(), "SKFILTERCHOICE");
  char text[64] = ".TXT.";
  SkTextBuffer buffer{text, sizeof text, 0};
  EXPECT_EQ(useFilter(&buffer, 1), 5);  // ".TXT|"
  strcpy(text, "Backups|*.bak|||");
  EXPECT_EQ(pickFilter(&buffer, 1), 14);
  text[0] = '\0';
  pickFilter(&buffer, 0);
  EXPECT_STREQ(text, "Backups|*.bak|");

  dir_.Write("a.jpg", "1");
  dir_.Write("b.txt", "2");
  std::vector<std::string> entries;
  DialogDriver drive([&](HWND dialog) {
    entries = pick_test::Entries(dialog);
    pick_test::Press(1);
  });
  char out[8];
  SkTextBuffer result{out, sizeof out, 0};
  std::string start = dir_.Path() + "*.*";
  EXPECT_EQ(pickF_(owner_, start.c_str(), "Open", "All|*.*", "Cancel|OK", "", "", "", 0, "", 0, &result, nullptr), 1);
  ASSERT_TRUE(drive.Finish());
  EXPECT_EQ(entries, (std::vector<std::string>{"b.txt"}));
  EXPECT_STREQ(out, "");
  choice(&buffer, 0);
  EXPECT_STREQ(text, "*.*");
  text[0] = '\0';
  useFilter(&buffer, 1);  // switched off again for the other tests
}

TEST_F(Nadrix, ItsWindowClassesGoWhenItIsFreed) {
  dir_.Write("a.jpg", "1");
  DialogDriver drive([&](HWND) { pick_test::Press(2); });
  char out[MAX_PATH];
  SkTextBuffer result{out, sizeof out, 0};
  std::string start = dir_.Path();
  EXPECT_EQ(pickF_(owner_, start.c_str(), "Open", "All|*.*", "Cancel|OK", "", "Folders", "", 0, "", 0, &result,
                   nullptr),
            2);
  ASSERT_TRUE(drive.Finish());
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  HINSTANCE dll = module_.Get();
  EXPECT_TRUE(GetClassInfoExA(dll, "QORDLG", &wc));
  EXPECT_TRUE(GetClassInfoExA(dll, "skBff", &wc));
  EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "QORDLG", &wc));  // not the program's
  ASSERT_TRUE(win::UnloadModule(module_.Release()));
  // A later load registers them again with its own procedures.
  EXPECT_FALSE(GetClassInfoExA(dll, "QORDLG", &wc));
  EXPECT_FALSE(GetClassInfoExA(dll, "skBff", &wc));
}

TEST_F(Nadrix, AProgramImportsItThroughTheImportLibrary) {
  ChildProcess program;
  // Started in the suite folder, where the loader finds nadrix.dll.
  ASSERT_TRUE(program.Start(TestProgramFolder() + "pickimport.exe", "", SuiteFolder()));
  EXPECT_EQ(program.Wait(20000), 0);
}

}  // namespace
