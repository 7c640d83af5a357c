#include "jorvel/play_list.h"

#include "fileio/item_list.h"
#include "fileio/paths.h"

namespace jorvel {

std::string SoundTypeList(const std::string& entry88) {
  std::string list = fileio::Trim(entry88);
  while (!list.empty() && list.back() == ';') list.pop_back();
  for (size_t at = list.find(";*"); at != std::string::npos; at = list.find(";*", at)) list.erase(at, 2);
  list += '.';
  if (!list.empty() && list[0] == '*') list.erase(0, 1);
  return fileio::ToLower(list);
}

int ISPLAYABLE(const std::string& item, const std::string& typeList) {
  size_t dot = item.rfind('.');
  if (dot == std::string::npos || typeList.empty()) return 0;
  size_t at = typeList.find(fileio::ToLower(item.substr(dot)) + ".");
  return at == std::string::npos ? 0 : int(at) + 1;
}

void PlayList::Set(const std::string& text, int index) {
  text_ = text;
  count_ = fileio::ItemCount(text);
  index_ = index;
}

std::string PlayList::ItemToOpen(int index) const {
  std::string item = fileio::ItemAt(text_, index);
  return item.empty() ? text_ : item;
}

std::string PlayList::Next() {
  if (count_ < 2) return std::string();
  index_ = index_ >= count_ || index_ < 1 ? 1 : index_ + 1;
  return ItemToOpen(index_);
}

std::string PlayList::Previous() {
  if (count_ < 2) return std::string();
  index_ = index_ <= 1 || index_ > count_ ? count_ : index_ - 1;
  return ItemToOpen(index_);
}

PlayList::EndStep PlayList::AtItemEnd(bool repeat, std::string& item) {
  if (count_ > 1 && index_ < count_) return EndStep::kNext;
  if (!repeat) return EndStep::kNothing;
  if (index_ == count_) index_ = 1;
  item = ItemToOpen(index_);
  return item.empty() ? EndStep::kNothing : EndStep::kAgain;
}

}  // namespace jorvel
