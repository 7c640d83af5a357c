// Media libraries filled with test items, some removed, and the check that afterwards
// every live item copies out as stored and the index holds exactly those.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "../core/tests/test_bytes.h"
#include "db/db.h"
#include "fileio/file.h"
#include "fileio/paths.h"

namespace narwen {

class LibraryItems {
 public:
  // Stores A (100 bytes), B (5,000) and C (20,000) into lib (their files made in work)
  // and removes B.
  void Fill(const std::string& lib, const std::string& work, int seed) {
    fileio::MakeDirectories(fileio::FolderOf(lib));
    fileio::MakeDirectories(work);
    const std::map<std::string, size_t> sizes{{"A.JPG", 100}, {"B.JPG", 5000}, {"C.JPG", 20000}};
    for (const auto& [key, size] : sizes) {
      const std::string data = TestBytes(size, seed + int(size));
      const std::string file = fileio::WithTrailingSeparator(work) + key;
      ASSERT_EQ(fileio::WriteFileReplacing(file, data), fileio::kOk);
      std::string item = key;
      EXPECT_EQ(qBtMmText(item, 1), 0);
      EXPECT_EQ(qBtMmLib(lib, file, 1), 0);
      if (key != "B.JPG") live[lib][key] = data;
    }
    std::string item = "B.JPG";
    qBtMmText(item, 1);
    EXPECT_EQ(qBtMmLib(lib, fileio::WithTrailingSeparator(work) + "B.JPG", 3), 0);
  }

  // Copies every live item out into the folder out and compares it.
  void ExpectLive(const std::string& out) const {
    fileio::MakeDirectories(out);
    for (const auto& [lib, items] : live) {
      int handle = 0, status = 0;
      ASSERT_EQ(qBtOpen(DBNAME(lib, 'I'), 12, handle, status), 0);
      EXPECT_EQ(qBtKeyNbr(handle), int(items.size())) << lib;
      qBtClose(handle);
      for (const auto& [key, data] : items) {
        const std::string target = fileio::WithTrailingSeparator(out) + key;
        fileio::RemoveFile(target);
        std::string item = key;
        qBtMmText(item, 1);
        ASSERT_EQ(qBtMmLib(lib, target, 2), 0) << lib << " " << key;
        std::string copied;
        fileio::ReadWholeFile(target, copied);
        EXPECT_TRUE(copied == data) << lib << " " << key;
      }
    }
  }

  // Library -> item name -> its bytes.
  std::map<std::string, std::map<std::string, std::string>> live;
};

}  // namespace narwen
