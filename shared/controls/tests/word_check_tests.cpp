// The thesaurus check over real archive files: a record file filed with DBCREF and the
// topic indexes the database library keeps for it.
#include <gtest/gtest.h>

#include "archive_records.h"
#include "controls/word_check.h"
#include "db/archive.h"
#include "fileio/file.h"
#include "temp_dir.h"

namespace {

constexpr int kTopics = 3;

class WordCheckTest : public ::testing::Test {
 protected:
  WordCheckTest() : f01_(ArchiveRecordFile(dir_.Path(), "ARCHIVE")), fields_(db::ArchiveFields(kTopics, 2024, 5)) {}

  // Files a record with these topics (the other topic slots hold "(NONE)").
  void File(const std::string& key, const std::vector<std::string>& topics) {
    ASSERT_EQ(FileArchiveRecord(f01_, fields_, key, topics, kTopics, "(NONE)"), 0);
  }

  WordCheck Check(const std::string& word) { return CheckWordUse(f01_, fields_, word); }

  // The check of a word that cannot be made: which index and why (code 0: any reason).
  void ExpectCannotCheck(const std::string& word, int index, int code) {
    WordCheck check = Check(word);
    EXPECT_EQ(check.use, WordUse::kUnknown);
    EXPECT_EQ(check.index, index);
    EXPECT_NE(check.code, 0);
    if (code != 0) {
      EXPECT_EQ(check.code, code);
    }
  }

  void Damage(const std::string& path, size_t offset) {
    std::string bytes;
    ASSERT_EQ(fileio::ReadWholeFile(path, bytes), 0);
    ASSERT_LT(offset, bytes.size());
    bytes[offset] = char(bytes[offset] ^ 0x5A);
    fileio::File f;
    ASSERT_EQ(f.Open(path, fileio::Access::WriteNew), 0);
    ASSERT_EQ(f.WriteAt(0, bytes.data(), bytes.size()), 0);
  }

  TempDir dir_;
  std::string f01_;
  std::vector<DBFIELD> fields_;
};

TEST_F(WordCheckTest, TheRecordFileIsNamedByTheDataFolderAndTheArchive) {
  EXPECT_EQ(ArchiveRecordFile("C:\\DATA\\", "QORARC"), "C:\\DATA\\QORARC.F01");
}

TEST_F(WordCheckTest, AWordFiledUnderTheSecondTopicIsFoundInTheSecondIndex) {
  File("00000001", {"CAT", "BIRD"});
  File("00000002", {"DOG"});
  WordCheck check = Check("bird");
  EXPECT_EQ(check.use, WordUse::kInUse);
  EXPECT_EQ(check.index, 2);
  EXPECT_EQ(check.indexFile, DBINDEX(f01_, 2));
  check = Check("DOG");
  EXPECT_EQ(check.use, WordUse::kInUse);
  EXPECT_EQ(check.index, 1);
  EXPECT_EQ(Check("HORSE").use, WordUse::kUnused);
  // The first index that holds a word answers.
  EXPECT_EQ(Check("(NONE)").index, 2);
}

TEST_F(WordCheckTest, IndexesAreCountedAsTheLibraryCountsThem) {
  // Field 2 indexed as well (flag 10 counts as 1): the topics move to the indexes 2 to 4.
  fields_[1].flag = 10;
  File("00000001", {"CAT", "BIRD"});
  WordCheck check = Check("BIRD");
  EXPECT_EQ(check.use, WordUse::kInUse);
  EXPECT_EQ(check.index, 3);
  EXPECT_EQ(Check("").index, 1);  // the record's empty field 2
}

TEST_F(WordCheckTest, AnArchiveWithoutRecordsHoldsNoWordAndGetsNoIndex) {
  EXPECT_EQ(Check("CAT").use, WordUse::kUnused);  // not even a record file
  ASSERT_EQ(DBCREATE(f01_, DbRecordLength(fields_)), 0);
  EXPECT_EQ(Check("CAT").use, WordUse::kUnused);
  for (int k = 0; k <= kTopics; ++k) EXPECT_FALSE(fileio::Exists(DBINDEX(f01_, k))) << k;
}

TEST_F(WordCheckTest, AMissingIndexOfAnArchiveWithRecordsKeepsTheWord) {
  File("00000001", {"CAT", "BIRD"});
  ASSERT_EQ(fileio::RemoveFile(DBINDEX(f01_, 2)), 0);
  ExpectCannotCheck("HORSE", 2, kDbErrNotFound);
  EXPECT_FALSE(fileio::Exists(DBINDEX(f01_, 2)));  // the check made no index
  // A word found before the missing index is still in use.
  EXPECT_EQ(Check("CAT").use, WordUse::kInUse);
}

TEST_F(WordCheckTest, ADamagedIndexOrPageKeepsTheWord) {
  File("00000001", {"CAT", "BIRD"});
  Damage(DBINDEX(f01_, 2), 4096 + 20);  // the root leaf's first entry
  ExpectCannotCheck("HORSE", 2, 0);
  Damage(DBINDEX(f01_, 1), 0);  // the header's magic
  ExpectCannotCheck("HORSE", 1, kDbErrCorrupt);
}

TEST_F(WordCheckTest, AnIndexOfAnotherKeyLengthKeepsTheWord) {
  File("00000001", {"CAT"});
  ASSERT_EQ(fileio::RemoveFile(DBINDEX(f01_, 1)), 0);
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBINDEX(f01_, 1), 10, handle, status), 0);
  qBtClose(handle);
  ExpectCannotCheck("CAT", 1, kDbErrInvalidParameter);
}

TEST_F(WordCheckTest, AFormTheLibraryCannotIndexKeepsTheWord) {
  fields_[12].width = 0;  // the second topic has no columns
  ExpectCannotCheck("CAT", 0, kDbErrInvalidParameter);
}

}  // namespace
