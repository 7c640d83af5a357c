#include "kelmor/menus.h"

#include "fileio/macros.h"
#include "fileio/paths.h"
#include "imaging/partner_entry.h"

namespace kelmor {

namespace {

// Drops separators that no longer separate anything.
void TidySeparators(Menu& menu) {
  std::vector<MenuItem> kept;
  for (const auto& item : menu.items) {
    if (item.separator && (kept.empty() || kept.back().separator)) continue;
    kept.push_back(item);
  }
  while (!kept.empty() && kept.back().separator) kept.pop_back();
  menu.items = std::move(kept);
}

struct PruneRange {
  int menu;
  int firstItem;
};
constexpr PruneRange kPruned[] = {{5, 3}, {2, 11}, {10, 1}, {11, 9}};

}  // namespace

void ReplaceProgramTitle(MenuTable& table, const std::string& title) {
  const fileio::PathMacros macros{.programTitle = title};
  for (auto& menu : table.menus) {
    menu.caption = fileio::ExpandPathMacros(menu.caption, macros);
    for (auto& item : menu.items) item.caption = fileio::ExpandPathMacros(item.caption, macros);
  }
}


bool PruneProgramMenus(MenuTable& table, const std::function<bool(const std::string&)>& programExists) {
  bool burner = false;
  if (const MenuItem* item = table.FindItem(kDiscBurnerCommand)) {
    std::string program = ParsePartnerEntry(item->action).program;
    burner = !program.empty() && programExists(program);
  }
  for (const auto& range : kPruned) {
    int first = range.menu * 100 + range.firstItem;
    int last = range.menu * 100 + 99;
    for (auto& menu : table.menus) {
      bool changed = false;
      for (size_t i = menu.items.size(); i-- > 0;) {
        const MenuItem& item = menu.items[i];
        if (item.separator || item.command < first || item.command > last) continue;
        std::string program = ParsePartnerEntry(item.action).program;
        if (program.empty() || !programExists(program)) {
          menu.items.erase(menu.items.begin() + std::ptrdiff_t(i));
          changed = true;
        }
      }
      if (changed) TidySeparators(menu);
    }
  }
  return burner;
}

void BuildSkinMenu(MenuTable& table, const std::vector<std::string>& skins, const std::string& currentSkinFolder) {
  Menu* menu = table.FindMenu(kSkinMenu);
  if (!menu) {
    table.menus.push_back(Menu{kSkinMenu, "&Skins", true, {}});
    menu = &table.menus.back();
  }
  menu->items.clear();
  size_t count = std::min<size_t>(skins.size(), 99);
  for (size_t i = 0; i < count; ++i) {
    MenuItem item;
    item.command = kSkinMenu * 100 + 1 + int(i);
    item.caption = fileio::NameOf(skins[i]);
    item.action = skins[i];
    item.grayed = count == 1;
    item.checked = !currentSkinFolder.empty() &&
                   fileio::EqualsNoCase(fileio::FolderOf(skins[i]), fileio::WithTrailingSeparator(currentSkinFolder));
    menu->items.push_back(item);
  }
}

}  // namespace kelmor
