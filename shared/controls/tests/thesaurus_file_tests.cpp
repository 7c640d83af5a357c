// Thesaurus files in a temporary folder: reading, the save sequence with its ".BAK", a
// write that fails part-way, empty lists and long lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/thesaurus_file.h"
#include "fileio/file.h"
#include "temp_dir.h"

namespace {

using Words = std::vector<std::string>;

class ThesaurusFile : public ::testing::Test {
 protected:
  std::string Thm() const { return dir_.File("STANDARD.THM"); }
  std::string Bak() const { return dir_.File("STANDARD.BAK"); }
  std::string Read(const std::string& path) const {
    std::string bytes;
    return fileio::ReadWholeFile(path, bytes) == 0 ? bytes : "<missing>";
  }
  // The names in the folder, so that a left-over temporary file shows.
  Words Names() const {
    Words names;
    for (const auto& e : fileio::ListDirectory(dir_.File("*"))) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  TempDir dir_;
};

TEST_F(ThesaurusFile, NamesFollowTheDataFolderAndTheThesaurus) {
  EXPECT_EQ(ThesaurusPath("C:\\DATA\\", "STANDARD"), "C:\\DATA\\STANDARD.THM");
  EXPECT_EQ(ThesaurusBackupPath("C:\\DATA\\STANDARD.THM"), "C:\\DATA\\STANDARD.BAK");
  EXPECT_EQ(ThesaurusBackupPath("C:\\DATA.D\\MY.WORDS.THM"), "C:\\DATA.D\\MY.WORDS.BAK");
}

TEST_F(ThesaurusFile, TheEmptyFirstEntryOfATopicBoxWritesNoLine) {
  ASSERT_EQ(SaveThesaurus(Thm(), {"", "CAT", "DOG"}), 0);
  EXPECT_EQ(Read(Thm()), "CAT\r\nDOG\r\n");
  Words words;
  ASSERT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_EQ(words, (Words{"CAT", "DOG"}));
}

TEST_F(ThesaurusFile, ReadingTakesEveryLineEndAndSkipsOnlyEmptyLines) {
  dir_.Write("STANDARD.THM", "ANT\r\n\r\nBEE\nCOW\r \r\nDOVE");
  Words words;
  ASSERT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_EQ(words, (Words{"ANT", "BEE", "COW", " ", "DOVE"}));
}

TEST_F(ThesaurusFile, AMissingFileIsAnEmptyListAndAnUnreadableOneAFailure) {
  Words words{"STALE"};
  EXPECT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_TRUE(words.empty());
  EXPECT_EQ(ReadThesaurus(dir_.File("NOFOLDER\\STANDARD.THM"), words), 0);
  ASSERT_EQ(fileio::MakeDirectories(dir_.File("FOLDER.THM")), 0);
  words = {"STALE"};
  EXPECT_NE(ReadThesaurus(dir_.File("FOLDER.THM"), words), 0);
  EXPECT_TRUE(words.empty());
}

TEST_F(ThesaurusFile, TheBackupIsThePreviousVersionAlsoWhenOneExists) {
  dir_.Write("STANDARD.THM", "OLD\r\n");
  dir_.Write("STANDARD.BAK", "OLDER\r\n");
  ASSERT_EQ(SaveThesaurus(Thm(), {"NEW"}), 0);
  EXPECT_EQ(Read(Thm()), "NEW\r\n");
  EXPECT_EQ(Read(Bak()), "OLD\r\n");
  ASSERT_EQ(SaveThesaurus(Thm(), {"NEWER"}), 0);
  EXPECT_EQ(Read(Thm()), "NEWER\r\n");
  EXPECT_EQ(Read(Bak()), "NEW\r\n");
  EXPECT_EQ(Names(), (Words{"STANDARD.BAK", "STANDARD.THM"}));
}

TEST_F(ThesaurusFile, AFirstSaveLeavesAnOlderBackupAlone) {
  dir_.Write("STANDARD.BAK", "OLDER\r\n");
  ASSERT_EQ(SaveThesaurus(Thm(), {"FIRST"}), 0);
  EXPECT_EQ(Read(Thm()), "FIRST\r\n");
  EXPECT_EQ(Read(Bak()), "OLDER\r\n");
}

TEST_F(ThesaurusFile, AWriteFailingPartWayLeavesBothFilesAsTheyWere) {
  dir_.Write("STANDARD.THM", "OLD\r\n");
  dir_.Write("STANDARD.BAK", "OLDER\r\n");
  std::string written;
  auto halfThenDiskFull = [&written](const std::string& path, std::string_view bytes) {
    fileio::File f;
    if (int rc = f.Open(path, fileio::Access::WriteNew)) return rc;
    written = std::string(bytes.substr(0, bytes.size() / 2));
    f.WriteAt(0, written.data(), written.size());
    return int(fileio::kErrDiskFull);
  };
  EXPECT_EQ(SaveThesaurus(Thm(), {"NEW", "WORDS", "THAT", "DO", "NOT", "FIT"}, halfThenDiskFull),
            fileio::kErrDiskFull);
  EXPECT_FALSE(written.empty());
  EXPECT_EQ(Read(Thm()), "OLD\r\n");
  EXPECT_EQ(Read(Bak()), "OLDER\r\n");
  EXPECT_EQ(Names(), (Words{"STANDARD.BAK", "STANDARD.THM"}));
}

// A save killed as the new list is put in place: whatever the moment, a reader finds
// every word of the old list, and the next start reads it.
TEST_F(ThesaurusFile, ASaveKilledAsTheNewListIsPutInPlaceLosesNoWord) {
  dir_.Write("STANDARD.THM", "ANT\r\nBEE\r\n");
  Words seen{"<not placed>"};
  auto killedWhilePlacing = [&](const std::string&, const std::string& path) {
    ReadThesaurus(path, seen);  // what a reader finds if the program dies now
    return int(fileio::kErrAccessDenied);
  };
  EXPECT_NE(SaveThesaurus(Thm(), {"ANT", "BEE", "COW"}, {}, killedWhilePlacing), 0);
  EXPECT_EQ(seen, (Words{"ANT", "BEE"}));
}

// The state an older program leaves when it is killed between moving the list to ".BAK"
// and renaming the new one in: the new file was whole by then and is read, and saved again
// under the list's name; without the new file the ".BAK" is read.
TEST_F(ThesaurusFile, AMissingListIsReadFromTheNewFileOrItsBackup) {
  dir_.Write("STANDARD.BAK", "ANT\r\nBEE\r\n");
  Words words;
  ASSERT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_EQ(words, (Words{"ANT", "BEE"}));
  dir_.Write("STANDARD.THM.new~", "ANT\r\nBEE\r\nCOW\r\n");
  ASSERT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_EQ(words, (Words{"ANT", "BEE", "COW"}));
  words.push_back("DOG");
  ASSERT_EQ(SaveThesaurus(Thm(), words), 0);
  EXPECT_EQ(Read(Thm()), "ANT\r\nBEE\r\nCOW\r\nDOG\r\n");
  EXPECT_EQ(Read(Bak()), "ANT\r\nBEE\r\n");
  EXPECT_EQ(Names(), (Words{"STANDARD.BAK", "STANDARD.THM"}));
}

// A first save killed while it wrote leaves a new file that may be cut short, and no
// ".BAK": the list is empty, not that part.
TEST_F(ThesaurusFile, ANewFileWithoutABackupIsNotTakenForTheList) {
  dir_.Write("STANDARD.THM.new~", "ANT\r\nBE");
  Words words{"STALE"};
  ASSERT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_TRUE(words.empty());
}

TEST_F(ThesaurusFile, AListThatCannotBeWrittenChangesNothing) {
  // The folder of the list is gone: no file can be made there.
  std::string gone = dir_.File("GONE\\STANDARD.THM");
  EXPECT_NE(SaveThesaurus(gone, {"WORD"}), 0);
  EXPECT_FALSE(fileio::Exists(gone));
  EXPECT_TRUE(Names().empty());
}

TEST_F(ThesaurusFile, AnEmptiedListIsSavedAsAnEmptyFile) {
  dir_.Write("STANDARD.THM", "CAT\r\nDOG\r\n");
  ASSERT_EQ(SaveThesaurus(Thm(), {}), 0);
  EXPECT_EQ(fileio::FileSize(Thm()), 0);
  EXPECT_EQ(Read(Bak()), "CAT\r\nDOG\r\n");
  Words words{"STALE"};
  ASSERT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_TRUE(words.empty());
}

TEST_F(ThesaurusFile, EntriesOfAnyLengthAreWrittenAndReadWhole) {
  const std::string longWord(1000, 'W'), longer = std::string(300, 'A') + "Z";
  ASSERT_EQ(SaveThesaurus(Thm(), {"", longWord, "SHORT", longer}), 0);
  Words words;
  ASSERT_EQ(ReadThesaurus(Thm(), words), 0);
  EXPECT_EQ(words, (Words{longWord, "SHORT", longer}));
}

}  // namespace
