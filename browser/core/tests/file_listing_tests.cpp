// The file list's rules: which files a filter lists, the refresh after a change, and the
// texts of the status line and the hover text.
#include <gtest/gtest.h>

#include "kelmor/details_table.h"
#include "kelmor/file_listing.h"

namespace kelmor {

namespace {

constexpr uint32_t kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4, kFolder = 0x10, kArchive = 0x20, kNormal = 0x80;
const std::string kExcluded = ".kwd|.tim|.sfx|.qmf|.sys|";

std::vector<std::string> Listed(const FileListRule& rule, const std::vector<std::pair<std::string, uint32_t>>& files) {
  std::vector<std::string> out;
  for (const auto& [name, attributes] : files)
    if (FileListed(name, attributes, rule)) out.push_back(FileListEntry(name));
  return out;
}

TEST(FileListRule, SeveralPatternsBecomeALowerCasePatternListSearchedWithStarDotStar) {
  EXPECT_EQ(PatternListFromFilter("*.JPG;*.gif"), "*.jpg|*.gif|");
  EXPECT_EQ(PatternListFromFilter(";*.jpg;*.jpeg;"), "*.jpg|*.jpeg|");
  EXPECT_EQ(PatternListFromFilter("*.jpg"), "");
  FileListRule rule = MakeFileListRule("*.jpg;*.jpeg", kExcluded, ".PNG|");
  EXPECT_EQ(rule.searchPattern, "*.*");
  EXPECT_EQ(rule.patternList, "*.jpg|*.jpeg|");
  // One pattern is searched for and takes the pick library's extension list.
  rule = MakeFileListRule("*.txt", kExcluded, ".PNG|");
  EXPECT_EQ(rule.searchPattern, "*.txt");
  EXPECT_EQ(rule.patternList, ".png|");
  EXPECT_EQ(MakeFileListRule("", kExcluded, "").searchPattern, "*.*");
}

TEST(FileListRule, TheTestFolderShowsOnlyItsJpegInLowerCase) {
  FileListRule rule = MakeFileListRule("*.jpg;*.jpeg", kExcluded, "");
  std::vector<std::string> got = Listed(rule, {{"A.JPG", kArchive},
                                               {"b.png", kArchive},
                                               {"h.jpg", kArchive | kHidden},
                                               {".x.jpg", kArchive},
                                               {"sub", kFolder},
                                               {"sub.jpg", kFolder},
                                               {"noext", kArchive}});
  EXPECT_EQ(got, std::vector<std::string>{" a.jpg"});
}

TEST(FileListRule, OnlyPlainFilesAreListedWhateverTheFilter) {
  FileListRule all = MakeFileListRule("*.*", "", "");
  // Compressed (0x800), not indexed (0x2000) and encrypted (0x4000) files are ordinary files.
  for (uint32_t attributes : {0u, kReadOnly, kArchive, kArchive | kReadOnly, kNormal, 0x2000u, 0x800u,
                              kArchive | 0x4000u, kArchive | 0x800u | 0x2000u})
    EXPECT_TRUE(FileListed("a.jpg", attributes, all)) << attributes;
  // Temporary (0x100) and offline files (0x1000, and the two recall marks of files kept in
  // remote storage): reading one for its thumbnail would recall it.
  for (uint32_t attributes : {kHidden, kSystem, kFolder, kArchive | kHidden, kArchive | kSystem, 0x40u,
                              kArchive | 0x100u, kNormal | 0x100u, kArchive | 0x1000u, 0x1000u,
                              kArchive | 0x40000u, kArchive | 0x400000u, kArchive | 0x1000u | 0x400000u})
    EXPECT_FALSE(FileListed("a.jpg", attributes, all)) << attributes;
  EXPECT_FALSE(FileListed(".profile", kArchive, all));
  EXPECT_FALSE(FileListed("", kArchive, all));
}

TEST(FileListRule, WithoutAPatternListTheExcludedExtensionsStayOut) {
  FileListRule rule = MakeFileListRule("*.*", ".KWD|.tim|", "");
  EXPECT_EQ(Listed(rule, {{"a.jpg", kArchive}, {"a.kwd", kArchive}, {"A.TIM", kArchive}, {"readme", kArchive},
                          {"a.kwdx", kArchive}}),
            (std::vector<std::string>{" a.jpg", " readme", " a.kwdx"}));
}

TEST(FileListRule, APatternListLooksAtTheLastExtensionOnly) {
  FileListRule rule = MakeFileListRule("*.jpg;*.gif", "", "");
  EXPECT_TRUE(FileListed("holiday.2004.JPG", kArchive, rule));
  EXPECT_FALSE(FileListed("a.jpg.txt", kArchive, rule));
  EXPECT_FALSE(FileListed("a.pg", kArchive, rule));  // ".pg|" is not in "*.jpg|"
  EXPECT_FALSE(FileListed("jpg", kArchive, rule));
}

TEST(FileListRule, ASinglePatternIsMatchedByName) {
  FileListRule rule = MakeFileListRule("*.txt", "", "");
  EXPECT_TRUE(FileListed("Notes.TXT", kArchive, rule));
  EXPECT_FALSE(FileListed("notes.md", kArchive, rule));
  FileListRule withExtensions = MakeFileListRule("*.*", "", ".JPG|.PNG|");
  EXPECT_TRUE(FileListed("a.png", kArchive, withExtensions));
  EXPECT_FALSE(FileListed("a.bmp", kArchive, withExtensions));
}

TEST(FileListTexts, EntriesFoldersAndThePluralRule) {
  EXPECT_EQ(FileListEntry("Holiday.JPG"), " holiday.jpg");
  EXPECT_EQ(EntryFileName("  a b.jpg"), "a b.jpg");
  EXPECT_EQ(CurrentFolderText("c:\\pics\\\\"), "c:\\pics\\");
  EXPECT_EQ(CurrentFolderText("c:\\pics"), "c:\\pics\\");
  EXPECT_EQ(CurrentFolderText(""), "");
  EXPECT_TRUE(SameFolder("C:\\Pics\\", "c:\\pics"));
  EXPECT_FALSE(SameFolder("c:\\pics\\a", "c:\\pics"));
  EXPECT_EQ(PLURALS(0, " file(s) in "), " file in ");
  EXPECT_EQ(PLURALS(1, "(s)(s)"), "");
  EXPECT_EQ(PLURALS(2, " file(s), folder(s)"), " files, folders");
  EXPECT_EQ(FileListStatus(1, " file(s) in ", "\\c:\\pics\\"), "1 file in c:\\pics");
  EXPECT_EQ(FileListStatus(12, " file(s) in ", "c:\\pics\\"), "12 files in c:\\pics");
}

TEST(FileListTexts, HoverTextNamesTheSizeDepthAndLayer) {
  PictureDetails d;
  d.width = 640;
  d.height = 480;
  d.depth = 24;
  d.fileSize = 123456;
  EXPECT_EQ(HoverText(" photo.jpg", d, " bits, ", " bytes)", "(layered picture)"),
            "PHOTO.JPG  640 x 480 (24 bits, 123,456 bytes)");
  d.layered = true;
  EXPECT_EQ(HoverText(" photo.jpg", d, " bits, ", " bytes)", "(layered picture)"),
            "PHOTO.JPG  640 x 480 (24 bits, 123,456 bytes) (layered picture)");
}

TEST(Refresh, GoneFilesGoNewOnesComeAndRewrittenOnesLoseTheirThumbnails) {
  std::vector<std::string> listed{" a.jpg", " b.jpg", " c.jpg"};
  std::vector<FoundFile> found{{" a.jpg", 100}, {" c.jpg", 250}, {" d.jpg", 300}, {" e.jpg", 10}};
  RefreshPlan plan = PlanRefresh(listed, found, 200);
  EXPECT_EQ(plan.removed, std::vector<std::string>{" b.jpg"});
  EXPECT_EQ(plan.added, (std::vector<std::string>{" d.jpg", " e.jpg"}));
  EXPECT_EQ(plan.stale, std::vector<std::string>{" c.jpg"});
  EXPECT_FALSE(plan.Empty());
}

TEST(Refresh, AnUnchangedFolderChangesNothingAndAnEmptyOneRemovesAll) {
  std::vector<std::string> listed{" a.jpg", " b.jpg"};
  EXPECT_TRUE(PlanRefresh(listed, {{" b.jpg", 5}, {" a.jpg", 5}}, 5).Empty());
  EXPECT_EQ(PlanRefresh(listed, {}, 5).removed, listed);
  EXPECT_EQ(PlanRefresh({}, {{" x.jpg", 1}, {" x.jpg", 1}}, 0).added, std::vector<std::string>{" x.jpg"});
}

TEST(DetailsTable, RecordsAreFoundByTheirThumbnailAndHandedBackWhenEmptied) {
  DetailsTable table;
  PictureDetails d;
  d.width = 3;
  table.Add(0x10, d);
  d.width = 4;
  table.Add(0x20, d);
  table.Add(0, d);  // no thumbnail, no record
  ASSERT_NE(table.Find(0x10), nullptr);
  EXPECT_EQ(table.Find(0x10)->width, 3);
  EXPECT_EQ(table.Find(0x30), nullptr);
  EXPECT_EQ(table.Size(), 2u);
  EXPECT_TRUE(table.Remove(0x10));
  EXPECT_FALSE(table.Remove(0x10));
  std::vector<uintptr_t> all = table.TakeAll();
  EXPECT_EQ(all, std::vector<uintptr_t>{0x20});
  EXPECT_EQ(table.Size(), 0u);
}

}  // namespace

}  // namespace kelmor
