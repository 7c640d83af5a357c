// A copy of the picture browser in a program folder of its own, for whole-program tests:
// its shipped UI text file (a test may point the help viewer at the stand-in or change the
// shows' action texts), a temporary folder of its own for its settings, and a pictures
// folder whose name holds a ".". Helpers drive the browser's windows and read its screen.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "hessam/command_ids.h"
#include "imaging/suite_classes.h"
#include "program_test.h"

namespace hessam {

constexpr DWORD kWaitMs = 30000;

class HessamFolder : public ProgramCopy {
 public:
  explicit HessamFolder(bool uiFile = true);
  // A file in the pictures folder ("pics.2024\").
  std::string Picture(const std::string& name) const { return pictures_ + name; }
  const std::string& PicturesFolder() const { return pictures_; }
  std::string Log(const std::string& name) const { return File(name); }
  // The help viewer of UI entry 13: the stand-in (in the program folder) with this class.
  void SetHelpViewer(const std::string& className);
  // Settings that put the window at the screen's top-left corner, over the folder given.
  void WriteSettingsAt(int left, int top, const std::string& folder);

 private:
  std::string pictures_;
};

// A 24-bit BMP of one colour.
bool WritePicture(const std::string& path, int width, int height, COLORREF colour);

// Pixels copied from the screen (0x00RRGGBB, rows from the top).
struct Shot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  // Pixels of a colour (within tolerance) inside a rectangle.
  int Count(int x, int y, int w, int h, COLORREF colour, int tolerance = 24) const;
};
// The screen's pixels of a window (or of the whole screen for null).
Shot Capture(HWND window);
bool Near(uint32_t pixel, COLORREF colour, int tolerance = 24);

// The helpers over a started browser.
class Browser {
 public:
  Browser(HWND frame, ChildProcess& process) : process_(process), frame_(frame) {}
  bool Started() const { return frame_ != nullptr; }
  HWND Frame() const { return frame_; }
  DWORD ProcessId() const { return process_.Id(); }
  HWND Control(int id) const;
  // The zoom window (hidden until a view or a show).
  HWND Zoom() const;
  std::string Count() const;
  std::string Status() const;
  std::string SelectionLabel(int n) const;
  bool WaitCount(const std::string& count, DWORD milliseconds = kWaitMs) const;

  // Sends a command and waits until it has run; posts one that runs a loop of its own.
  void Run(int command);
  void Post(int command);
  // Hands over a "|" list (code 3) and waits until the count shows its length.
  bool Open(const std::vector<std::string>& list);
  // A click on a cell (0 to 3) of the picture strip or the selection strip, or on a layout
  // position (1 to 10); each waits until the browser has taken it.
  void ClickStrip(int cell, bool right = false);
  void ClickSelection(int cell);
  void ClickPosition(int position);
  // The colour at the centre of a cell of the picture strip as the screen shows it, and
  // whether the cell's top-left corner shows the outlined list number.
  uint32_t CellColour(int cell) const;
  bool CellNumbered(int cell) const;
  // Waits until the cell shows the colour (the count shows before the strip is drawn).
  bool WaitCell(int cell, COLORREF colour, DWORD milliseconds = kWaitMs) const;
  // Answers the browser's next box (class SKMSGBOX) with button n.
  bool Answer(int button, DWORD milliseconds = kWaitMs);
  // Ends the browser with code 10; its exit code.
  int End();

 private:
  ChildProcess& process_;
  HWND frame_ = nullptr;
  HWND lastBox_ = nullptr;
};

class Hessam : public ProgramTestOf<HessamFolder> {
 protected:
  Hessam() : ProgramTestOf({"hessam", kClassPictureBrowser, kCountControl}) {}
  Browser StartBrowser(const std::string& arguments = "") {
    HWND frame = Start(arguments);
    return Browser(frame, Process());
  }
};

}  // namespace hessam
