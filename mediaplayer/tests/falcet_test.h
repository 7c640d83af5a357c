// The test fixture of the whole-program tests: starting the player and closing it.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "falcet_fixture.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"

constexpr DWORD kStartMs = 30000;
constexpr int kWebText = 1005;  // the web panel's address
constexpr int kPlayButton = 51;
constexpr int kPositionSlider = 77;

// The main window's title while an item is open.
inline std::string Title(const std::string& name) { return "Media player - " + name; }

class Falcet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The first start of a program in a fresh prefix is slow; partners get two seconds.
    TempDir dir;
    ChildProcess warm;
    StartStandin(warm, "FALCETWARMUP", dir.File("log.txt"));
    CloseStandin("FALCETWARMUP");
  }

  // Starts the player and waits for its window with its control bar.
  HWND Start(FalcetFolder& folder, ChildProcess& process, const std::string& arguments = "") {
    EXPECT_TRUE(folder.Start(process, arguments));
    HWND frame = WaitForWindow(kClassPlayer, kStartMs, process.Id());
    EXPECT_NE(frame, nullptr);
    if (frame) {
      driver::WaitChild(frame, 56, kStartMs);
      for (int i = 0; i < 400 && !IsWindowVisible(frame); ++i) PumpMessages(50);
    }
    return frame;
  }

  int Close(HWND frame, ChildProcess& process) {
    driver::SendCommand(frame, kCodeClose, "");
    return process.Wait(kStartMs);
  }
};
