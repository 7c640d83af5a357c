// Preparation of the media browser's menus before they are shown: the program title in
// the menu texts, the program commands pruned to the programs that are installed, and the
// skin menu built from the skin folders. Portable: it works on the menu table of the UI
// text file.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "kelmor/command_ids.h"
#include "skin/ui_text.h"

namespace kelmor {

// Replaces "@prog@" (any case) by the title in every menu caption and item caption.
void ReplaceProgramTitle(MenuTable& table, const std::string& title);

// Removes the program commands whose program is not installed: the items of menu 5 from
// item 3, of menu 2 from item 11, of menu 10 from item 1 and of menu 11 from item 9 (found
// by their command numbers, wherever the UI file places them) whose action text's first
// field names no existing file (programExists gets that field). Separators left at the
// start or end of a menu, or doubled, go too. Returns whether the disc burner's program
// (command 212) exists, checked before the pruning.
bool PruneProgramMenus(MenuTable& table, const std::function<bool(const std::string&)>& programExists);

// Makes the skin menu list the skins (full paths of their skin files, sorted): commands 301
// on, each labelled by the skin's file name with the skin's path as its action text. With
// exactly one skin its command is greyed; the skin whose folder equals currentSkinFolder
// (without regard to letter case) is checked. At most 99 skins are listed.
void BuildSkinMenu(MenuTable& table, const std::vector<std::string>& skins, const std::string& currentSkinFolder);

}  // namespace kelmor
