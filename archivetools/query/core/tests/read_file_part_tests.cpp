#include "ostrel/read_file_part.h"

#include <gtest/gtest.h>

#include "skin/sk_files.h"
#include "temp_dir.h"

namespace ostrel {
namespace {

class ReadFilePart : public ::testing::Test {
 protected:
  TempDir dir;
  int file = 0;
  ~ReadFilePart() override { SKFCLOSE(file); }
  void Open(const std::string& bytes) {
    SKFCLOSE(file);
    dir.Write("F", bytes);
    ASSERT_EQ(SKFOPEN(dir.File("F"), 0, 4, file), 0);
  }
  int64_t Find(int64_t start, const std::string& text, int factor = 1) {
    int error = -1;
    int64_t at = READFILEPART(file, start, text, factor, error);
    EXPECT_EQ(error, 0);
    return at;
  }
};

TEST_F(ReadFilePart, FindsTheFirstOccurrenceFromTheStart) {
  Open("abcHELLOxyzHELLO");
  EXPECT_EQ(Find(1, "HELLO"), 4);
  EXPECT_EQ(Find(0, "HELLO"), 4);  // below 1 counts as 1
  EXPECT_EQ(Find(-7, "a"), 1);
  EXPECT_EQ(Find(4, "HELLO"), 4);
  EXPECT_EQ(Find(5, "HELLO"), 12);
  EXPECT_EQ(Find(13, "HELLO"), 0);
  EXPECT_EQ(Find(16, "O"), 16);
}

TEST_F(ReadFilePart, FindsATextAcrossEveryBlockBorder) {
  for (int offset = 990; offset <= 1003; ++offset) {
    std::string bytes(3000, '.');
    bytes.replace(size_t(offset), 7, "NEEDLE!");
    Open(bytes);
    EXPECT_EQ(Find(1, "NEEDLE!"), offset + 1) << offset;
  }
  // The second block's border too, and the last byte of the file.
  std::string bytes(2500, '.');
  bytes.replace(1997, 6, "NEEDLE");
  bytes.back() = '#';
  Open(bytes);
  EXPECT_EQ(Find(1, "NEEDLE"), 1998);
  EXPECT_EQ(Find(1, "#"), 2500);
}

TEST_F(ReadFilePart, EndsOnATextLongerThanABlock) {
  std::string text(1500, 'x');
  text.back() = 'y';
  std::string bytes(5000, 'x');
  Open(bytes);
  EXPECT_EQ(Find(1, text), 0);
  bytes.replace(2600, text.size(), text);
  Open(bytes);
  EXPECT_EQ(Find(1, text), 2601);
  // A text as long as a block.
  std::string block(1000, 'z');
  Open(std::string(4000, 'z'));
  EXPECT_EQ(Find(100, block), 100);
  EXPECT_EQ(Find(3002, block), 0);
}

TEST_F(ReadFilePart, GivesNothingForAnEmptyTextFileOrAStartPastTheEnd) {
  Open("some bytes");
  EXPECT_EQ(Find(1, ""), 0);
  EXPECT_EQ(Find(11, "s"), 0);
  EXPECT_EQ(Find(50, "s"), 0);
  EXPECT_EQ(Find(1, "some bytes and more"), 0);
  Open("");
  EXPECT_EQ(Find(1, "s"), 0);
}

TEST_F(ReadFilePart, ReportsAnUnknownFile) {
  int error = 0;
  EXPECT_EQ(READFILEPART(9999, 1, "x", 1, error), 0);
  EXPECT_NE(error, 0);
}

}  // namespace
}  // namespace ostrel
