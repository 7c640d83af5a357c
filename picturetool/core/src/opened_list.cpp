#include "bravik/opened_list.h"

#include <algorithm>

namespace bravik {

void OpenedList::Assign(const std::string& text) {
  items_.clear();
  index_ = 0;
  if (text.empty()) return;
  size_t start = 0;
  for (;;) {
    size_t bar = text.find('|', start);
    items_.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  index_ = 1;
}

void OpenedList::AssignSingle(const std::string& path) {
  items_.assign(1, path);
  index_ = 1;
}

void OpenedList::Clear() {
  items_.clear();
  index_ = 0;
}

std::string OpenedList::Current() const { return Item(index_); }

std::string OpenedList::Item(int index) const {
  if (index < 1 || index > Count()) return {};
  return items_[size_t(index - 1)];
}

std::string OpenedList::Text() const {
  std::string out;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (i) out += '|';
    out += items_[i];
  }
  return out;
}

bool OpenedList::Next() {
  if (items_.empty()) return false;
  index_ = index_ >= Count() ? 1 : index_ + 1;
  return true;
}

bool OpenedList::Previous() {
  if (items_.empty()) return false;
  index_ = index_ <= 1 ? Count() : index_ - 1;
  return true;
}

bool OpenedList::GoTo(int index) {
  if (items_.empty()) return false;
  index_ = std::clamp(index, 1, Count());
  return true;
}

void OpenedList::ReplaceCurrent(const std::string& path) {
  if (items_.empty()) {
    AssignSingle(path);
    return;
  }
  items_[size_t(index_ - 1)] = path;
}

void OpenedList::RemoveCurrent() {
  if (items_.empty()) return;
  items_.erase(items_.begin() + (index_ - 1));
  if (items_.empty()) {
    index_ = 0;
    return;
  }
  if (index_ > Count()) index_ = 1;
}

void OpenedList::InsertAfterCurrent(const std::string& path) {
  if (items_.empty()) {
    AssignSingle(path);
    return;
  }
  items_.insert(items_.begin() + index_, path);
  ++index_;
}

std::string OpenedList::Label() const { return std::to_string(index_) + "/" + std::to_string(Count()); }

}  // namespace bravik
