// The skin engine's menus: built from the UI text file's menu table, shown in a skinned
// menu bar (the frame's "SKMENU" holder) and as popup menus.
#pragma once
#include <windows.h>

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
