// The skin engine's menus: built from the UI text file's menu table, shown in a skinned
// menu bar (the frame's "SKMENU" holder) and as popup menus; the system's menu animation
// kept off while a program's popup menu is open.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "skin/ui_text.h"

// Builds the program's menus from the table and shows the bar menus in the frame's menu
// holder. Returns the menu bar's handle (its popups are the bar menus).
HMENU SKMENU(HWND frame, const MenuTable& table);
// Shows the menu bar in a menu holder (SKMENU does it for the frame's holder).
void SKMENUBAR(HWND holder);
// Rebuilds the menus after the table changed (items added, removed or renamed); check
// marks and greyed states of commands that are still there are kept.
void SKCHANGEMENU(HWND frame, const MenuTable& table);
// The popup menu of a menu number, null when there is none.
HMENU SKPOPUPHANDLE(int menuNumber);
// The caption of a command as the menu shows it, "" when there is no such command.
std::string SKGETMENUSTRING(int command);
// Translucent menus on or off (kept; menus are drawn by the system).
void SKSETTRANSMENU(int on);

// Around a skinned popup menu the system's menu animation is off, so that the window under
// the menu repaints at once. The object switches it off when it finds it on, and back on
// when it ends; animation that was off is left alone.
class SkMenuAnimationOff {
 public:
  SkMenuAnimationOff();
  ~SkMenuAnimationOff();
  SkMenuAnimationOff(const SkMenuAnimationOff&) = delete;
  SkMenuAnimationOff& operator=(const SkMenuAnimationOff&) = delete;
  // Whether this object switched the animation off (and will switch it on again).
  bool SwitchedOff() const { return switchedOff_; }

 private:
  bool switchedOff_ = false;
};

// The same for popup menus whose opening and closing a window procedure only sees as
// messages (WM_INITMENUPOPUP, WM_UNINITMENUPOPUP): off when the first popup opens, back on
// when the last open one (submenus included) closes.
class SkMenuAnimationWhilePopups {
 public:
  void Opened();
  void Closed();

 private:
  int open_ = 0;
  std::optional<SkMenuAnimationOff> off_;
};
