// The audio player's play list: the items, the current index (from 1; 0 without a list),
// the sound types it plays, and what happens at the end of an item. Portable.
#pragma once
#include <string>

namespace jorvel {

// The sound types of UI entry 88 ("*.mp3;*.wav"): the extensions framed by dots
// (".mp3.wav."), lower case. A trailing ";" names no type.
std::string SoundTypeList(const std::string& entry88);
// ISPLAYABLE: where ".ext." of the item's extension (from its last ".") lies in the type
// list, from 1; 0 when the item is no sound type (an item without "." never is).
int ISPLAYABLE(const std::string& item, const std::string& typeList);

class PlayList {
 public:
  // The list becomes text, with the index at item index (0: none yet).
  void Set(const std::string& text, int index);
  void Clear() { Set(std::string(), 0); }
  const std::string& Text() const { return text_; }
  int Count() const { return count_; }
  int Index() const { return index_; }
  // Item n; the whole text for a list of one item or for an index that names no item.
  std::string ItemToOpen(int index) const;

  // NEXTITEM and PREVIOUSITEM: only a list of two or more items moves; the index wraps
  // round. The item to open, "" when the list does not move.
  std::string Next();
  std::string Previous();

  // What the tick does when an item has played to its end.
  enum class EndStep { kNothing, kNext, kAgain };
  // kNext while items follow; at the last (or only) item, with repeat, kAgain from the
  // first item (or the same one, in a list of one): item receives what to open.
  EndStep AtItemEnd(bool repeat, std::string& item);

 private:
  std::string text_;
  int count_ = 0;
  int index_ = 0;
};

}  // namespace jorvel
