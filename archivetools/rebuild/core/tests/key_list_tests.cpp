#include <gtest/gtest.h>

#include <cstdio>

#include "db/db.h"
#include "narwen/key_list.h"
#include "temp_dir.h"

namespace narwen {
namespace {

TEST(NarwenKeyList, FirstKeysInOrderAndMissingIndex) {
  TempDir dir;
  const std::string index = dir.File("ARC001.I01");
  std::vector<std::string> keys;
  EXPECT_EQ(ReadLibraryKeys(index, keys), kDbErrNotFound);
  EXPECT_TRUE(keys.empty());
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(index, 12, handle, status), 0);
  DbBeginBatch();
  // Filed in reverse, so that the order comes from the index.
  for (int i = 40000; i >= 1; --i) {
    char name[16];
    std::snprintf(name, sizeof name, "%08d.JPG", i);
    std::string key = name;
    int32_t value = i;
    ASSERT_EQ(qBtInsert(handle, key, value, status), 0);
  }
  std::string nulKey("AB\0\0\0\0\0\0.BMP", 12);
  int32_t value = 1;
  ASSERT_EQ(qBtInsert(handle, nulKey, value, status), 0);
  DbEndBatch();
  qBtClose(handle);
  ASSERT_EQ(ReadLibraryKeys(index, keys), 0);
  ASSERT_EQ(keys.size(), kMaxListedKeys);
  EXPECT_EQ(keys[0], "00000001.JPG");
  EXPECT_EQ(keys[32767], "00032768.JPG");
  ASSERT_EQ(ReadLibraryKeys(index, keys, 50000), 0);
  ASSERT_EQ(keys.size(), 40001u);
  EXPECT_EQ(keys.back(), "AB      .BMP");  // NUL bytes shown as blanks
}

}  // namespace
}  // namespace narwen
