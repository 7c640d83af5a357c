// The list of pictures the picture tool steps through: a "|" list of paths received by a
// command message, picked in the pick dialog or given on the command line, with the
// 1-based index of the shown item. Portable.
#pragma once
#include <string>
#include <vector>

namespace bravik {

class OpenedList {
 public:
  // Takes a "|" list; every "|"-separated item counts, an empty last one included. An
  // empty text makes an empty list. The index goes to 1.
  void Assign(const std::string& text);
  // One path: count 1, index 1.
  void AssignSingle(const std::string& path);
  void Clear();

  int Count() const { return int(items_.size()); }
  int Index() const { return index_; }
  bool Empty() const { return items_.empty(); }
  // The item at the index ("" for an empty list).
  std::string Current() const;
  std::string Item(int index) const;
  // The items joined by "|".
  std::string Text() const;

  // Moves to the next (previous) item, wrapping from the last to the first (the first to
  // the last). False for an empty list.
  bool Next();
  bool Previous();
  // Moves to an item (clamped to 1..count). False for an empty list.
  bool GoTo(int index);
  // Replaces the item at the index.
  void ReplaceCurrent(const std::string& path);
  // Removes the item at the index; the index goes to 1 when it is now beyond the count.
  void RemoveCurrent();
  // Inserts a path after the shown item and shows it.
  void InsertAfterCurrent(const std::string& path);

  // "index/count" for the list label.
  std::string Label() const;

 private:
  std::vector<std::string> items_;
  int index_ = 0;
};

}  // namespace bravik
