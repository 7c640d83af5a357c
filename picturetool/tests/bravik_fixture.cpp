#include "bravik_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "fontbox.h"
#include "objects.h"
#include "toolbox.h"
#include "skin/ui_text.h"

namespace bravik {
namespace {

std::function<bool(HWND)> OfProcess(DWORD processId, const char* title) {
  return [processId, title](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == processId && IsWindowVisible(w) && (!title || driver::WindowText(w) == title);
  };
}

// The canvas, which the main window makes last.
constexpr const char* kCanvasClass = "SKCTL";

std::chrono::milliseconds Ms(DWORD milliseconds) { return std::chrono::milliseconds(milliseconds); }

}  // namespace

HWND WaitProcessWindow(DWORD processId, const std::string& className, const char* title, DWORD milliseconds) {
  HWND found = nullptr;
  PumpUntil([&] { return (found = FindTopWindow(className, OfProcess(processId, title))) != nullptr; },
            Ms(milliseconds));
  return found;
}

BravikFolder::BravikFolder(bool uiFile) : ProgramCopy("bravik", uiFile) {
  CopyFromSuite("nadrix.dll");
  // Without a partner of its own the tool would start the media browser of the build.
  SetUiEntry(40, "nopartner.exe,QNOPARTNER");
  pictures_ = File("pics\\");
  fileio::MakeDirectories(pictures_);
  // The status line shows the mouse's place over the canvas: the window stands in the
  // screen's top-left corner, away from the pointer in the screen's middle.
  WriteSettings(std::string("\0\0\0\0\x58\x02\x90\x01", 8) + pictures_ + "|#" + std::string(4, '\0'));
}

void BravikFolder::RemoveSettings() { fileio::RemoveFile(SettingsFile()); }

void BravikFolder::SetPartner(const std::string& className, const std::string& log) {
  AddStandinAs("standin.exe");
  SetUiEntry(40, "standin.exe " + className + " " + log + "," + className);
}

void BravikFolder::SetHelpViewer(const std::string& className) {
  AddStandinAs("standin.exe");
  CopyFromSuite("bravik.htm");
  SetUiEntry(44, "standin.exe," + className);
}

bool WritePicture(const std::string& path, int width, int height, unsigned char r, unsigned char g,
                  unsigned char b) {
  std::vector<unsigned char> bgr(size_t(width) * size_t(height) * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &bgr[(size_t(y) * size_t(width) + size_t(x)) * 3];
      bool dark = y == 0;
      p[0] = dark ? b / 2 : b;
      p[1] = dark ? g / 2 : g;
      p[2] = dark ? r / 2 : r;
    }
  return WriteBmp(path, width, height, bgr);
}

std::vector<layer::Object> SideObjects(const std::string& picture) {
  layer::Trailer trailer;
  std::vector<layer::Object> objects;
  layer::ReadFile(layer::LayerPathFor(picture), trailer, objects);
  return objects;
}

Tool Bravik::StartWithPicture(const std::string& name, int width, int height, unsigned char grey) {
  std::string path = Copy().Picture(name);
  if (!WritePicture(path, width, height, grey, grey, grey)) ADD_FAILURE() << path;
  Tool tool = StartTool();
  if (tool.Started() && !tool.Open(path, name + " " + std::to_string(width) + " x" + std::to_string(height))) {
    ADD_FAILURE() << "the tool did not show " << name;
    return Tool(nullptr, Process());
  }
  return tool;
}

bool Bravik::Ready(HWND frame) { return driver::FindChildByClass(frame, kCanvasClass) != nullptr; }

HWND Tool::Canvas() const { return frame_ ? driver::FindChildByClass(frame_, kCanvasClass) : nullptr; }

std::string Tool::ListLabel() const {
  HWND label = frame_ ? driver::FindChildByClass(frame_, "Static") : nullptr;
  return label ? driver::WindowText(label) : std::string();
}

std::string Tool::Status() const {
  HWND status = frame_ ? driver::FindChildByClass(frame_, "SKSTATUS") : nullptr;
  return status ? driver::WindowText(status) : std::string();
}

bool Tool::WaitLabel(const std::string& text, DWORD milliseconds) const {
  return PumpUntil([&] { return ListLabel() == text; }, Ms(milliseconds));
}

bool Tool::WaitStatusHolds(const std::string& part, DWORD milliseconds) const {
  return PumpUntil([&] { return Status().find(part) != std::string::npos; }, Ms(milliseconds));
}

void Tool::Run(int command) { SendAndWait(frame_, WM_COMMAND, WPARAM(command), 0); }

void Tool::Post(int command) { driver::PostCommand(frame_, command); }

bool Tool::Open(const std::string& list, const std::string& firstName) {
  driver::SendCommand(frame_, kCodeOpen, list);
  return WaitStatusHolds(" " + firstName + " ");
}

bool Tool::SaveAs(const std::string& name) {
  Post(kCmdSaveAs);
  HWND dialog = WaitProcessWindow(process_.Id(), "QORDLG", nullptr, kWaitMs);
  if (!dialog) return false;
  HWND field = driver::WaitChild(dialog, 4, kWaitMs);
  if (!field || !driver::SetText(field, name)) return false;
  if (!driver::PressButton("QORDLG", 2, "", kWaitMs)) return false;
  // Saved: an information box; refused or failed: an error box. Either is answered.
  return Answer(1);
}

bool Tool::AnswerTextBox(const std::string& text) {
  HWND box = WaitProcessWindow(process_.Id(), kFontBoxClass, nullptr, kWaitMs);
  if (!box) return false;
  HWND field = driver::WaitChild(box, kFontText, kWaitMs);
  if (!field || !driver::SetText(field, text)) return false;
  return PressBoxButton(box, kFontOk) &&
         PumpUntil([&] { return !WaitProcessWindow(process_.Id(), kFontBoxClass, nullptr, 0); }, Ms(kWaitMs));
}

bool Tool::AnswerShapeBox(int penWidth) {
  HWND box = WaitProcessWindow(process_.Id(), kDrawBoxClass, nullptr, kWaitMs);
  if (!box) return false;
  HWND size = driver::WaitChild(box, kFontSize, kWaitMs);
  if (!size || !driver::SetText(size, std::to_string(penWidth))) return false;
  return PressBoxButton(box, kFontOk) &&
         PumpUntil([&] { return !WaitProcessWindow(process_.Id(), kDrawBoxClass, nullptr, 0); }, Ms(kWaitMs));
}

bool Tool::AddText(const std::string& text) {
  size_t before = Objects().size();
  Post(kCmdNewText);
  if (!AnswerTextBox(text)) return false;
  return PumpUntil([&] { return Objects().size() == before + 1; }, Ms(kWaitMs));
}

bool Tool::ApplyBox(int command) {
  Post(command);
  HWND box = WaitProcessWindow(process_.Id(), kFilterBoxClass, nullptr, kWaitMs);
  if (!box || !PressBoxButton(box, kBoxApply)) return false;
  return PumpUntil([&] { return !IsWindow(box); }, Ms(kWaitMs));
}

bool PressBoxButton(HWND box, int id) {
  HWND button = driver::WaitChild(box, id, kWaitMs);
  return button && PostMessageA(button, BM_CLICK, 0, 0);
}

bool Tool::ChooseFromCommandMenu(int command, int item) {
  // Wine ends a popup menu on the focus change that can follow the close of a box a
  // moment later; such a menu returns no choice and its command does nothing, so the
  // command is given again once the tool shows no menu and no box.
  DWORD thread = GetWindowThreadProcessId(frame_, nullptr);
  for (int attempt = 0; attempt < 3; ++attempt) {
    PumpUntil([&] { return GetForegroundWindow() == frame_; }, Ms(5000));
    PumpMessages(200);
    Post(command);
    if (WaitProcessWindow(process_.Id(), "#32768", nullptr, 15000))
      return ChooseMenuItem(process_.Id(), item, kWaitMs);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    bool inMenu = GetGUIThreadInfo(thread, &gui) && (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
    if (inMenu || WaitProcessWindow(process_.Id(), kDrawBoxClass, nullptr, 0)) return false;
  }
  return false;
}

bool Tool::AddRectangle(int penWidth, int x1, int y1, int x2, int y2) {
  return AddShape(kCmdNewRectangle, 1, penWidth, {POINT{x1, y1}, POINT{x2, y2}});
}

bool Tool::AddShape(int command, int styleItem, int penWidth, const std::vector<POINT>& points) {
  if (command != kCmdNewArrow && !ChooseFromCommandMenu(command, styleItem)) {
    ADD_FAILURE() << "no fill style menu";
    return false;
  }
  if (command == kCmdNewArrow) Post(command);
  if (!AnswerShapeBox(penWidth)) {
    ADD_FAILURE() << "no shape box";
    return false;
  }
  size_t before = Objects().size();
  for (const POINT& p : points) Click(p.x, p.y);
  if (command == kCmdNewCurve || command == kCmdNewPolyline)
    SendAndWait(Canvas(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(points.back().x, points.back().y));
  return PumpUntil([&] { return Objects().size() == before + 1; }, Ms(kWaitMs));
}

bool Tool::OpenObjectMenu(HWND object) {
  PumpUntil([&] { return GetForegroundWindow() == frame_; }, Ms(5000));
  // Posted: the menu runs inside the message until a choice ends it.
  PostMessageA(object, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
  return WaitProcessWindow(process_.Id(), "#32768", nullptr, 15000) != nullptr;
}

void Tool::Click(int x, int y, bool right) {
  HWND canvas = Canvas();
  LPARAM at = MAKELPARAM(x, y);
  SendAndWait(canvas, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  SendAndWait(canvas, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

std::vector<HWND> Tool::Objects() const {
  std::vector<HWND> out;
  HWND canvas = Canvas();
  if (!canvas) return out;
  for (HWND w = GetWindow(canvas, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, kObjectClass) == 0 && IsWindowVisible(w)) out.push_back(w);
  }
  return out;
}

bool Tool::WaitObjects(size_t count, DWORD milliseconds) const {
  return PumpUntil([&] { return Objects().size() == count; }, Ms(milliseconds));
}

bool Tool::Answer(int button, DWORD milliseconds) {
  if (!WaitProcessWindow(process_.Id(), "SKMSGBOX", nullptr, milliseconds)) return false;
  if (!driver::PressButton("SKMSGBOX", button, "", milliseconds)) return false;
  return PumpUntil([&] { return WaitProcessWindow(process_.Id(), "SKMSGBOX", nullptr, 0) == nullptr; },
                   Ms(milliseconds));
}

bool Tool::BoxShows(DWORD milliseconds) const {
  return WaitProcessWindow(process_.Id(), "SKMSGBOX", nullptr, milliseconds) != nullptr;
}

int Tool::End() {
  driver::SendCommand(frame_, kCodeClose, "");
  return process_.Wait(kWaitMs);
}

int Tool::Close() {
  PostMessageA(frame_, WM_CLOSE, 0, 0);
  return process_.Wait(kWaitMs);
}

HWND WaitDialog(DWORD processId, const std::string& title, DWORD milliseconds) {
  return WaitProcessWindow(processId, "#32770", title.c_str(), milliseconds);
}

bool ChooseMenuItem(DWORD processId, int item, DWORD milliseconds) {
  HWND menu = WaitProcessWindow(processId, "#32768", nullptr, milliseconds);
  if (!menu) return false;
  // Keys that reach the menu before its tracking loop runs can be dropped on a busy
  // machine: while the menu stays open, the same keys are sent again.
  return PumpUntil(
      [&] {
        PumpMessages(100);
        for (int i = 0; i < item; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        return PumpUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, Ms(3000));
      },
      Ms(milliseconds));
}

bool ChooseSubmenuItem(DWORD processId, int item, int subItem, DWORD milliseconds) {
  HWND menu = WaitProcessWindow(processId, "#32768", nullptr, milliseconds);
  if (!menu) return false;
  for (int i = 0; i < item; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RIGHT, 0);  // opens the submenu on its first item
  HWND sub = nullptr;
  if (!PumpUntil(
          [&] {
            sub = FindTopWindow("#32768", [&](HWND w) {
              DWORD pid = 0;
              GetWindowThreadProcessId(w, &pid);
              return w != menu && pid == processId && IsWindowVisible(w);
            });
            return sub != nullptr;
          },
          Ms(milliseconds)))
    return false;
  for (int i = 1; i < subItem; ++i) PostMessageA(sub, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(sub, WM_KEYDOWN, VK_RETURN, 0);
  return PumpUntil([&] { return !IsWindowVisible(menu) && !IsWindowVisible(sub); }, Ms(milliseconds));
}

}  // namespace bravik
