// The new index of a library's compaction, built in batches: it holds exactly the pairs
// added, in key order, across batch borders, and answers for pairs still waiting.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "db/db.h"
#include "db/index_builder.h"
#include "db_test_util.h"
#include "temp_dir.h"

TEST(IndexBuilder, HoldsExactlyThePairsAddedInKeyOrder) {
  TempDir dir;
  const std::string path = dir.File("NEW.I01");
  std::set<std::pair<std::string, int32_t>> expected;
  {
    db::IndexBuilder builder;
    ASSERT_EQ(builder.Open(path, 12), 0);
    // More pairs than a batch, added from the highest name down as a backward scan
    // finds them, every hundredth added twice.
    for (int i = 70000; i > 0; --i) {
      char name[16];
      std::snprintf(name, sizeof name, "%08d.JPG", i);
      ASSERT_EQ(builder.Add(name, i * 10), 0);
      if (i % 100 == 0) {
        ASSERT_EQ(builder.Add(name, i * 10), 0);
      }
      expected.insert({Padded(name, 12), i * 10});
      if (i == 60000) {  // a name still waiting in its batch, and one never added
        bool holds = false;
        ASSERT_EQ(builder.Holds("00060000.JPG", holds), 0);
        EXPECT_TRUE(holds);
        ASSERT_EQ(builder.Holds("00000001.JPG", holds), 0);
        EXPECT_FALSE(holds);
      }
    }
    // A short name is blank-padded; two values of one name are two pairs.
    ASSERT_EQ(builder.Add("A.DOC", 7), 0);
    ASSERT_EQ(builder.Add("A.DOC", 3), 0);
    expected.insert({Padded("A.DOC", 12), 7});
    expected.insert({Padded("A.DOC", 12), 3});
    ASSERT_EQ(builder.Close(), 0);
    EXPECT_NE(builder.Add("LATE.JPG", 1), 0);
  }
  Index ix(path, 12);
  ASSERT_EQ(ix.rc, 0);
  EXPECT_EQ(qBtKeyNbr(ix.handle), int(expected.size()));
  auto want = expected.begin();
  std::string key;
  int32_t value = 0;
  int status = 0;
  int walked = 0;
  for (int rc = qBtFirst(ix.handle, key, value, status); rc == 0 && status == 0;
       rc = qBtNext(ix.handle, key, value, status), ++want, ++walked) {
    ASSERT_NE(want, expected.end());
    ASSERT_EQ(key, want->first);
    ASSERT_EQ(value, want->second);
  }
  EXPECT_EQ(walked, int(expected.size()));
  // No journal was written beside it.
  EXPECT_FALSE(fileio::Exists(path + ".UND"));
}
