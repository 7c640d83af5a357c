#include "hessam_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "hessam/strip.h"
#include "hessam/settings.h"
#include "imaging/copydata.h"
#include "win/raii.h"

namespace hessam {
namespace {

std::chrono::milliseconds Ms(DWORD milliseconds) { return std::chrono::milliseconds(milliseconds); }

}  // namespace

HessamFolder::HessamFolder(bool uiFile) : ProgramCopy("hessam", uiFile) {
  pictures_ = File("pics.2024\\");
  fileio::MakeDirectories(pictures_);
  WriteSettingsAt(0, 0, pictures_);
}

void HessamFolder::SetHelpViewer(const std::string& className) {
  AddStandinAs("standin.exe");
  CopyFromSuite("hessam.htm");
  SetUiEntry(13, "standin.exe," + className);
}

void HessamFolder::WriteSettingsAt(int left, int top, const std::string& folder) {
  WriteSettings(EncodeSettings({left, top, kDefaultWidth, kDefaultHeight, folder}));
}

bool WritePicture(const std::string& path, int width, int height, COLORREF colour) {
  return WriteBmp(path, width, height, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

bool Near(uint32_t pixel, COLORREF colour, int tolerance) {
  int r = int(pixel >> 16) & 255, g = int(pixel >> 8) & 255, b = int(pixel) & 255;
  return std::abs(r - GetRValue(colour)) <= tolerance && std::abs(g - GetGValue(colour)) <= tolerance &&
         std::abs(b - GetBValue(colour)) <= tolerance;
}

int Shot::Count(int x, int y, int w, int h, COLORREF colour, int tolerance) const {
  int n = 0;
  for (int yy = std::max(0, y); yy < std::min(height, y + h); ++yy)
    for (int xx = std::max(0, x); xx < std::min(width, x + w); ++xx) n += Near(At(xx, yy), colour, tolerance);
  return n;
}

Shot Capture(HWND window) {
  Shot shot;
  std::vector<unsigned char> bgr;
  if (!driver::CaptureWindowPixels(window, shot.width, shot.height, bgr)) return Shot{};
  shot.pixels.resize(size_t(shot.width) * size_t(shot.height));
  for (size_t i = 0; i < shot.pixels.size(); ++i)
    shot.pixels[i] = uint32_t(bgr[3 * i]) | uint32_t(bgr[3 * i + 1]) << 8 | uint32_t(bgr[3 * i + 2]) << 16;
  return shot;
}

HWND Browser::Control(int id) const { return frame_ ? driver::FindChild(frame_, id) : nullptr; }

HWND Browser::Zoom() const {
  DWORD pid = process_.Id();
  return FindTopWindow("SKZOOM", [pid](HWND w) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    return owner == pid;
  });
}

std::string Browser::Count() const { return driver::WindowText(Control(kCountControl)); }

std::string Browser::Status() const {
  HWND status = frame_ ? driver::FindChildByClass(frame_, "SKSTATUS") : nullptr;
  return status ? driver::WindowText(status) : std::string();
}

std::string Browser::SelectionLabel(int n) const { return driver::WindowText(Control(kSelectionLabelControl + n - 1)); }

bool Browser::WaitCount(const std::string& count, DWORD milliseconds) const {
  return PumpUntil([&] { return Count() == count; }, Ms(milliseconds));
}

void Browser::Run(int command) { SendAndWait(frame_, WM_COMMAND, WPARAM(command), 0); }

void Browser::Post(int command) { driver::PostCommand(frame_, command); }

bool Browser::Open(const std::vector<std::string>& list) {
  std::string text;
  for (const std::string& path : list) text += (text.empty() ? "" : "|") + path;
  driver::SendCommand(frame_, kCodeOpen, text);
  return WaitCount(std::to_string(list.size()));
}

void Browser::ClickStrip(int cell, bool right) {
  HWND strip = Control(kPictureStripControl);
  RECT r;
  GetClientRect(strip, &r);
  LPARAM at = MAKELPARAM(r.right / 4 * cell + r.right / 8, r.bottom / 2);
  SendAndWait(strip, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
}

void Browser::ClickSelection(int cell) {
  HWND strip = Control(kSelectionStripControl);
  RECT r;
  GetClientRect(strip, &r);
  SendAndWait(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 4 * cell + r.right / 8, r.bottom / 2));
}

void Browser::ClickPosition(int position) {
  // The browser's message loop takes a position's click before it is dispatched.
  HWND slot = Control(kPositionControl + position - 1);
  std::string before = driver::WindowText(slot);
  PostMessageA(slot, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendAndWait(frame_, WM_NULL, 0, 0);
  PumpUntil([&] { return driver::WindowText(slot) != before; }, Ms(2000));
}

uint32_t Browser::CellColour(int cell) const {
  HWND strip = Control(kPictureStripControl);
  Shot shot = Capture(strip);
  if (shot.width == 0) return 0;
  int cellWidth = CellWidth(shot.width);
  return shot.At(cellWidth * cell + cellWidth / 2, 13 + (shot.height - 26) / 2);
}

bool Browser::WaitCell(int cell, COLORREF colour, DWORD milliseconds) const {
  return PumpUntil([&] { return Near(CellColour(cell), colour); }, Ms(milliseconds));
}

bool Browser::CellNumbered(int cell) const {
  HWND strip = Control(kPictureStripControl);
  Shot shot = Capture(strip);
  int x = CellWidth(shot.width) * cell;
  return shot.Count(x, 13, 24, 18, RGB(255, 255, 0), 40) > 0 && shot.Count(x, 13, 24, 18, RGB(0, 0, 0), 40) > 0;
}

bool Browser::Answer(int button, DWORD milliseconds) {
  return PressNextBox("SKMSGBOX", button, "", &lastBox_, milliseconds);
}

int Browser::End() {
  driver::SendCommand(frame_, kCodeClose, "");
  return process_.Wait(kWaitMs);
}

}  // namespace hessam
