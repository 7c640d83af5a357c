// A copy of the picture tool in a program folder of its own, for whole-program tests: its
// UI text file is the shipped one (with the partner pointed at the stand-in when a test
// asks), and it gets a temporary folder of its own, so that its settings file and its
// temporary copies are the test's. Helpers drive the tool's windows and boxes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "commands.h"
#include "imaging/layer_file.h"
#include "imaging/suite_classes.h"
#include "program_test.h"

namespace bravik {

constexpr DWORD kWaitMs = 30000;

class BravikFolder : public ProgramCopy {
 public:
  // uiFile: write bravik.SYS (false: leave it out).
  explicit BravikFolder(bool uiFile = true);

  // A file in the pictures folder.
  std::string Picture(const std::string& name) const { return pictures_ + name; }
  const std::string& PicturesFolder() const { return pictures_; }
  std::string Log(const std::string& name) const { return File(name); }

  // The partner of UI entry 40: the stand-in (copied into the program folder) with this
  // class, logging into log.
  void SetPartner(const std::string& className, const std::string& log);
  // The help viewer of UI entry 44: the stand-in (in the program folder) with this class.
  void SetHelpViewer(const std::string& className);
  void RemoveSettings();

 private:
  std::string pictures_;
};

// A 24-bit BMP of width x height in one colour (red, green, blue), with a darker pixel row
// at the top so that flips show.
bool WritePicture(const std::string& path, int width, int height, unsigned char r, unsigned char g, unsigned char b);

// The objects of a picture's layered side file, empty when it has no readable one.
std::vector<layer::Object> SideObjects(const std::string& picture);

// The helpers over a started tool: its main window and its process (which the fixture
// ends).
class Tool {
 public:
  Tool(HWND frame, ChildProcess& process) : process_(process), frame_(frame) {}
  bool Started() const { return frame_ != nullptr; }
  HWND Frame() const { return frame_; }
  HWND Canvas() const;
  DWORD ProcessId() const { return process_.Id(); }
  std::string ListLabel() const;
  std::string Status() const;
  // Waits until the list label shows the text.
  bool WaitLabel(const std::string& text, DWORD milliseconds = kWaitMs) const;
  bool WaitStatusHolds(const std::string& part, DWORD milliseconds = kWaitMs) const;

  // Sends a command and waits until it has run (for commands that open no box).
  void Run(int command);
  // Posts a command (for commands that open a box).
  void Post(int command);
  // Opens a "|" list as a partner does (kCodeOpen) and waits until the first item shows.
  bool Open(const std::string& list, const std::string& firstName);
  // Save as through the pick dialog with a name, and answers the box that follows: the
  // information box of a saved picture or the error box of a refused or failed one.
  bool SaveAs(const std::string& name);
  // Gives a command of the filter box and applies the box as it opens.
  bool ApplyBox(int command);
  // A text object through the text box.
  bool AddText(const std::string& text);
  // A rectangle (outline) with the pen width, from (x1, y1) to (x2, y2) of the canvas.
  bool AddRectangle(int penWidth, int x1, int y1, int x2, int y2);
  // A shape through its tool command (kCmdNewEllipse ... kCmdNewPolyline): the fill style
  // menu's item (none for the arrow), the shape box with the pen width, then a click on
  // each point of the canvas (curves and polylines end with a double click on the last).
  bool AddShape(int command, int styleItem, int penWidth, const std::vector<POINT>& points);
  // Answers the text box (a new or an edited text) with the text, or the shape box with
  // the pen width, with OK.
  bool AnswerTextBox(const std::string& text);
  bool AnswerShapeBox(int penWidth);
  // Opens an object's own menu as a right click on it does (the menu stays open).
  bool OpenObjectMenu(HWND object);
  // Gives a command that opens a popup menu and chooses its n-th item (from 1).
  bool ChooseFromCommandMenu(int command, int item);
  void Click(int x, int y, bool right = false);
  // The visible object windows over the canvas, in their order.
  std::vector<HWND> Objects() const;
  // Waits until count objects are visible (a posted command works on after its box closed).
  bool WaitObjects(size_t count, DWORD milliseconds = kWaitMs) const;
  // Answers a box of the tool (class SKMSGBOX) with button n; false when none came.
  bool Answer(int button, DWORD milliseconds = kWaitMs);
  bool BoxShows(DWORD milliseconds) const;
  // Ends the tool with code 10; its exit code.
  int End();
  int Close();  // through the frame's close request
  int Wait(DWORD milliseconds) { return process_.Wait(milliseconds); }

 private:
  ChildProcess& process_;
  HWND frame_ = nullptr;
};

// The fixture: the test's copy of the tool (Copy()), started with StartTool; whatever the
// test leaves running is ended when it ends.
class Bravik : public ProgramTestOf<BravikFolder> {
 protected:
  Bravik() : ProgramTestOf({"bravik", kClassPictureTool}) {}
  // The frame is shown once its controls exist; the canvas comes last.
  bool Ready(HWND frame) override;
  // Starts the copy and waits for its complete main window (a failure when it does not
  // come: the Tool is then not Started).
  Tool StartTool(const std::string& arguments = "") {
    HWND frame = Start(arguments);
    return Tool(frame, Process());
  }
  // A picture of one colour written into the pictures folder, the tool started and the
  // picture opened as a partner opens it; the Tool is not Started when a step failed.
  Tool StartWithPicture(const std::string& name, int width, int height, unsigned char grey = 255);
};

// A visible top-level window of the process, of the class and (when given) the title;
// waited for up to the time limit.
HWND WaitProcessWindow(DWORD processId, const std::string& className, const char* title, DWORD milliseconds);
// Clicks the button with the id in one of the tool's boxes.
bool PressBoxButton(HWND box, int id);
// A window of a class and title belonging to a process (a common dialog).
HWND WaitDialog(DWORD processId, const std::string& title, DWORD milliseconds);
// Waits for a visible popup menu of the process and chooses its n-th item (from 1).
bool ChooseMenuItem(DWORD processId, int item, DWORD milliseconds);
// The same for the n-th item of the submenu that the menu's m-th item opens.
bool ChooseSubmenuItem(DWORD processId, int item, int subItem, DWORD milliseconds);

}  // namespace bravik
