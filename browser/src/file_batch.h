// What the long file commands share: the batch of files selected when the command started
// (the folder watcher stopped meanwhile, the wait cursor, the command's busy flag), finding
// a batch file's entry again, the status line, and the target-folder question.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace kelmor {

class FileBatch {
 public:
  explicit FileBatch(bool& busy);
  ~FileBatch();
  FileBatch(const FileBatch&) = delete;
  FileBatch& operator=(const FileBatch&) = delete;
  bool Started() const { return started_; }
  const std::string& Folder() const { return folder_; }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  bool& busy_;
  bool started_ = false;
  std::string folder_;
  std::vector<std::string> names_;
  HCURSOR oldCursor_ = nullptr;
};

// The batch's entry in the file list, when the list still shows the batch's folder; -1
// otherwise.
int EntryIndex(const std::string& folder, const std::string& name);
void ShowInStatus(const std::string& text);
// Selects or deselects a batch file's entry, when it is listed.
void MarkEntry(const std::string& folder, const std::string& name, bool selected);

// The target-folder box with buttons (UI entry 47 or 48), preset with folder. A new
// folder is created; a target on a CD-ROM or one that cannot be created is reported. True
// with the chosen folder (ending in "\") in folder; false when nothing is to be done.
bool AskTargetFolder(const std::string& buttons, std::string& folder);
bool OnCdRom(const std::string& folder);

}  // namespace kelmor
