// The slide list's editing rules, kept apart from the list control: moving the selected
// slides, pasting held slides, and the selection commands. Portable.
#pragma once
#include <string>
#include <vector>

namespace dunmere {

// A page of the slide list for Alt+Left and Alt+Right: the client height over
// (10 + row height); never below 1.
int PageStep(int clientHeight, int rowHeight);

// Moves the entries at the selected indices (ascending) by step up or down. The move
// happens only when every moved entry stays inside the list: moving up needs the first
// selected index >= step, moving down the last < count - step. Returns the new indices
// (ascending), or an empty list when nothing moves. Each moved entry keeps its order
// relative to the other moved ones.
std::vector<int> MovedIndices(int count, const std::vector<int>& selected, int step, bool down);
// The same applied to a list: entries are taken out and put in again at their new places.
template <typename T>
std::vector<int> MoveEntries(std::vector<T>& entries, const std::vector<int>& selected, int step, bool down) {
  std::vector<int> moved = MovedIndices(int(entries.size()), selected, step, down);
  if (moved.empty()) return moved;
  auto one = [&entries](int from, int to) {
    T item = entries[size_t(from)];
    entries.erase(entries.begin() + from);
    entries.insert(entries.begin() + to, item);
  };
  if (down) {
    for (size_t i = selected.size(); i-- > 0;) one(selected[i], moved[i]);
  } else {
    for (size_t i = 0; i < selected.size(); ++i) one(selected[i], moved[i]);
  }
  return moved;
}
// Whether a downward move lands in the list's last, partly filled page (index + 1 above the
// count rounded down to whole pages): the list then redraws with its background.
bool InLastPartialPage(int newIndex, int count, int page);

// Which held slides a paste inserts: those whose path the list does not hold yet (exact
// text), and none twice. Returns their positions in held.
std::vector<size_t> PasteChoice(const std::vector<std::string>& listPaths, const std::vector<std::string>& held);

// Invert the selection: with nothing selected nothing changes; else every unselected entry.
std::vector<int> InvertedSelection(int count, const std::vector<int>& selected);

}  // namespace dunmere
