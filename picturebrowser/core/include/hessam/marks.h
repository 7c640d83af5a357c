// The marks of a tiled show and what the answers to its question do with them. A mark
// belongs to a path: every entry of the list that names a marked path is marked, so that no
// file a kept entry names is ever deleted, and the list that is kept names each path once.
// Paths compare without regard to letter case, as the file system does. Portable.
#pragma once
#include <string>
#include <vector>

namespace hessam {

class MarkedPaths {
 public:
  // Marks the path, or clears its mark; true when it is marked now.
  bool Toggle(const std::string& path);
  bool Marked(const std::string& path) const;
  void Clear() { paths_.clear(); }
  bool Empty() const { return paths_.empty(); }

 private:
  std::vector<std::string> paths_;
};

// The different paths of a list in list order (the first entry of each path).
std::vector<std::string> DistinctPaths(const std::vector<std::string>& list);
// The number of different marked paths of the list: the question's caption.
int MarkedCount(const std::vector<std::string>& list, const MarkedPaths& marks);

// What an answer to the question does.
struct MarkOutcome {
  bool changesList = false;          // the list becomes newList
  std::vector<std::string> newList;  // each path once, in list order
  bool asksFirst = false;            // the warning box comes first; its first answer does it all
  int warnCount = 0;                 // the warning's "#": the files to delete
  std::vector<std::string> deleted;  // the files to delete, each once, in list order
};
// Answer 1: keep the marked pictures; 2: keep them and delete the others' files (nothing
// when every picture is marked); 3: keep the unmarked ones; 4: delete the marked pictures'
// files and keep the others (the list may become empty); any other: nothing.
MarkOutcome PlanAnswer(int answer, const std::vector<std::string>& list, const MarkedPaths& marks);

}  // namespace hessam
