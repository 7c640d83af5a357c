// Many items copied out of one media library: the library's index is opened and mapped
// once for all of them, instead of once per item as qBtMmLib (library, file, -2) does.
// Each copy answers as that call does, and takes the library's lock as it does while it
// reads the item, so that an item being stored, removed or moved by a compaction in
// another program is never read half way.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace db {

class LibraryReader {
 public:
  // `library`: the library's path, as qBtMmLib takes it. Nothing is opened yet.
  explicit LibraryReader(const std::string& library);
  ~LibraryReader();
  LibraryReader(const LibraryReader&) = delete;
  LibraryReader& operator=(const LibraryReader&) = delete;

  // Copies the item `item` ("key.ext", made into the library's 12-character name as
  // qBtMmText does) to the file `target`: 0, 2 for an item the library does not hold (or
  // a library never written), 1392 for a damaged item or index, or the file layer's code.
  // Several threads may copy at once.
  int CopyOut(const std::string& item, const std::string& target);

  // Copies several items with one lock of the library and one open of its file; each
  // copy's answer (as above) goes into its `rc`.
  struct Copy {
    std::string item, target;
    int rc = 0;
  };
  void CopyOut(std::vector<Copy>& copies);

 private:
  int OpenIndex();
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace db
