// The fixture of the whole-program tests: the player in a program folder of its own,
// started and waited for until its control bar is there, and ended with the test.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "commands.h"
#include "driver.h"
#include "falcet_fixture.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "program_test.h"

namespace falcet {

// The main window's title while an item is open.
inline std::string Title(const std::string& name) { return "Media player - " + name; }

// The player's pane ("qPlayer"), which carries the bars, of the process of frame.
HWND PaneOf(HWND frame);
// A control of the bar on the pane, waited for (null after the time).
HWND WaitBarControl(HWND frame, int id, DWORD milliseconds);
// The player's box with its text, answered; "" when none came.
std::string AnswerBox(DWORD processId);

class Falcet : public ProgramTestOf<FalcetFolder> {
 protected:
  // The picture bar, made at every start, is complete with its next button on the pane.
  Falcet() : ProgramTestOf({"falcet", kClassPlayer, kNextButton}) {}
  bool Ready(HWND frame) override {
    HWND pane = PaneOf(frame);
    return pane && driver::FindChild(pane, kNextButton);
  }
};

}  // namespace falcet
