// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once
#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder with its final separator.
  const std::string& Path() const { return path_; }
  // Path() + name.
  std::string File(const std::string& name) const { return path_ + name; }
  // Writes a file below the folder (creating folders on the way); returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

// Removes a folder and everything below it.
void RemoveTree(const std::string& folder);
