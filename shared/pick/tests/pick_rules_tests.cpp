// The pick library's rules that need no window: filters, listing, results, remembered
// values and the folder tree's path and drag rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <utility>

#include "pick/folder_rules.h"
#include "pick/pick_filters.h"
#include "pick/pick_listing.h"
#include "pick/pick_memory.h"
#include "pick/pick_result.h"

namespace {

using pick::ListedName;

fileio::DirEntry File(const std::string& name, uint32_t attributes = 32) {
  fileio::DirEntry e;
  e.name = name;
  e.attributes = attributes;
  e.directory = (attributes & 0x10) != 0;
  e.hidden = (attributes & 0x2) != 0;
  return e;
}

std::vector<std::string> Shown(const std::vector<ListedName>& names) {
  std::vector<std::string> out;
  for (const auto& n : names) out.push_back(n.shown + n.extension);
  return out;
}

TEST(FilterList, PairsNamesWithPatternsAndTakesALoneLastItemAsItsOwnPatterns) {
  auto entries = pick::ParseFilterList("Audio|*.mp3;*.wav|Winamp|*.m3u");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Audio");
  EXPECT_EQ(entries[0].patterns, "*.mp3;*.wav");
  EXPECT_EQ(entries[1].name, "Winamp");
  EXPECT_EQ(entries[1].patterns, "*.m3u");

  auto bare = pick::ParseFilterList("*.bmp");
  ASSERT_EQ(bare.size(), 1u);
  EXPECT_EQ(bare[0].name, "*.bmp");
  EXPECT_EQ(bare[0].patterns, "*.bmp");

  EXPECT_TRUE(pick::ParseFilterList("").empty());
  auto trailing = pick::ParseFilterList("All|*.*|");
  ASSERT_EQ(trailing.size(), 1u);
  auto noPatterns = pick::ParseFilterList("Everything|");
  ASSERT_EQ(noPatterns.size(), 1u);
  EXPECT_EQ(noPatterns[0].patterns, "*.*");
}

TEST(FilterList, TipListsTheExtensions) {
  EXPECT_EQ(pick::FilterTip("*.jpg;*.png;*.gif"), "jpg, png, gif");
  EXPECT_EQ(pick::FilterTip("*.*"), "*");
  EXPECT_EQ(pick::FilterTip("TWN*.jpg"), "TWNjpg");  // only "*." goes, as the box shows it
}

TEST(FilterList, KeptFormsOfTheFilterListAndTheExtensionFilter) {
  EXPECT_EQ(pick::NormalFilterList("Pictures|*.JPG|||"), "Pictures|*.JPG|");
  EXPECT_EQ(pick::NormalFilterList(".BAK"), ".BAK|");
  EXPECT_EQ(pick::NormalFilterList(""), "");
  EXPECT_EQ(pick::NormalFilterList("|||"), "");

  EXPECT_EQ(pick::NormalExtensionFilter(".JPG.PNG."), ".JPG|.PNG|");
  EXPECT_EQ(pick::NormalExtensionFilter(".JPG.CMP.GIF.TIF.BMP."), ".JPG|.CMP|.GIF|.TIF|.BMP|");
  EXPECT_EQ(pick::NormalExtensionFilter(".jpg|.png|"), ".jpg|.png|");  // already in list form
  EXPECT_EQ(pick::NormalExtensionFilter(""), "");  // an empty text switches the filter off
  EXPECT_EQ(pick::NormalExtensionFilter("."), "");
}

TEST(FilterRules, IncludeListWinsOverExcludeAndComparesInAnyCase) {
  EXPECT_EQ(pick::ExtensionKey("a.b.Jpg"), ".JPG|");
  EXPECT_EQ(pick::ExtensionKey("readme"), "");
  EXPECT_EQ(pick::IncludeListFromPatterns("*.jpg; *.PNG"), "*.JPG|*.PNG|");

  // Include list from the patterns: only its extensions.
  EXPECT_TRUE(pick::NameAccepted("x.jpg", "*.JPG|*.PNG|", ""));
  EXPECT_TRUE(pick::NameAccepted("X.PNG", "*.JPG|*.PNG|", ".PNG|"));  // the exclude list has no say
  EXPECT_FALSE(pick::NameAccepted("x.gif", "*.JPG|*.PNG|", ""));
  EXPECT_FALSE(pick::NameAccepted("readme", "*.JPG|", ""));
  // An extension filter kept in lower case still matches (it is compared upper-cased).
  EXPECT_TRUE(pick::NameAccepted("x.JPG", ".jpg|.png|", ""));
  EXPECT_TRUE(pick::NameAccepted("x.jpg", ".jpg|", ""));
  // A key must match a whole extension: ".PG" is not inside "*.JPG".
  EXPECT_FALSE(pick::NameAccepted("x.pg", "*.JPG|", ""));
  // Exclude list alone.
  EXPECT_FALSE(pick::NameAccepted("x.bak", "", ".BAK|.TMP|"));
  EXPECT_FALSE(pick::NameAccepted("x.Bak", "", ".bak|"));
  EXPECT_TRUE(pick::NameAccepted("x.jpg", "", ".BAK|"));
  EXPECT_TRUE(pick::NameAccepted("readme", "", ".BAK|"));
}

TEST(FilterRules, OnlyPlainFilesAreListed) {
  EXPECT_TRUE(pick::AttributesAccepted(0));
  EXPECT_TRUE(pick::AttributesAccepted(1));     // read-only
  EXPECT_TRUE(pick::AttributesAccepted(32));    // archive
  EXPECT_TRUE(pick::AttributesAccepted(128));   // normal
  EXPECT_TRUE(pick::AttributesAccepted(0x820)); // compressed archive file
  EXPECT_TRUE(pick::AttributesAccepted(0x2020));  // not content-indexed
  EXPECT_TRUE(pick::AttributesAccepted(0x4020));  // encrypted
  EXPECT_FALSE(pick::AttributesAccepted(0x10));
  EXPECT_FALSE(pick::AttributesAccepted(0x22));
  EXPECT_FALSE(pick::AttributesAccepted(0x24));
  EXPECT_FALSE(pick::AttributesAccepted(0x120));     // temporary
  EXPECT_FALSE(pick::AttributesAccepted(0x1020));    // offline
  EXPECT_FALSE(pick::AttributesAccepted(0x400020));  // recalled from remote storage when read
  EXPECT_FALSE(pick::AttributesAccepted(0x40020));   // recalled when opened
}

TEST(Listing, SeveralPatternsSearchEverythingAndListOnlyTheirExtensions) {
  auto rule = pick::MakeListingRule("*.JPG;*.PNG", ".GIF|", ".PNG|");
  EXPECT_EQ(rule.searchPattern, "*.*");
  EXPECT_EQ(rule.includeList, "*.JPG|*.PNG|");
  std::vector<fileio::DirEntry> entries{File("B.png"), File("a.JPG"), File("c.gif"), File("notes.txt"),
                                        File("readme"), File(".hidden.jpg"), File("sub.jpg", 0x10),
                                        File("h.jpg", 0x22), File("s.png", 0x24), File("z.jpg", 1)};
  EXPECT_EQ(Shown(pick::ListNames(entries, rule, 1)), (std::vector<std::string>{"a.jpg", "b.png", "z.jpg"}));
}

TEST(Listing, ASinglePatternTakesTheKeptExtensionFilterAndTheExcludeList) {
  auto rule = pick::MakeListingRule("*.*", ".jpg|.png|", "");
  EXPECT_EQ(rule.searchPattern, "*.*");
  EXPECT_EQ(rule.includeList, ".JPG|.PNG|");
  std::vector<fileio::DirEntry> entries{File("a.jpg"), File("b.txt"), File("c.PNG"), File("d")};
  EXPECT_EQ(Shown(pick::ListNames(entries, rule, 0)), (std::vector<std::string>{"a.jpg", "c.png"}));

  auto exclude = pick::MakeListingRule("", "", "Backups|*.bak|");
  EXPECT_EQ(exclude.searchPattern, "*.*");
  EXPECT_EQ(exclude.excludeList, "BACKUPS|*.BAK|");
  std::vector<fileio::DirEntry> more{File("a.bak"), File("b.txt"), File("d")};
  EXPECT_EQ(Shown(pick::ListNames(more, exclude, 0)), (std::vector<std::string>{"b.txt", "d"}));

  // The long name must match the pattern itself, not only its short name.
  auto jpg = pick::MakeListingRule("*.jpg", "", "");
  std::vector<fileio::DirEntry> shortNames{File("a.jpeg"), File("b.jpg")};
  EXPECT_EQ(Shown(pick::ListNames(shortNames, jpg, 0)), (std::vector<std::string>{"b.jpg"}));
}

TEST(Listing, ModeTwoHoldsEachEntrysOwnExtension) {
  auto rule = pick::MakeListingRule("*.*", "", "");
  std::vector<fileio::DirEntry> entries{File("Song.MP3"), File("alpha.jpg"), File("beta.png"), File("plain")};
  auto names = pick::ListNames(entries, rule, pick::kModeNoExtension);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0].shown, "alpha");
  EXPECT_EQ(names[0].extension, ".jpg");
  EXPECT_EQ(names[1].shown, "beta");
  EXPECT_EQ(names[1].extension, ".png");
  EXPECT_EQ(names[2].shown, "plain");
  EXPECT_EQ(names[2].extension, "");
  EXPECT_EQ(names[3].shown, "Song");  // not lower-cased in this mode
  EXPECT_EQ(names[3].extension, ".MP3");
}

TEST(Results, StartPathSearchMaskAndPresetName) {
  auto s = pick::SplitStartPath("C:\\pics\\*.jpg");
  EXPECT_EQ(s.folder, "C:\\pics\\");
  EXPECT_EQ(s.pattern, "*.jpg");
  s = pick::SplitStartPath("C:\\pics\\");
  EXPECT_EQ(s.pattern, "*.*");
  s = pick::SplitStartPath("C:*.txt");
  EXPECT_EQ(s.folder, "C:\\");
  EXPECT_EQ(pick::SearchMaskFor("C:\\pics\\"), "C:\\pics\\*.*");
  EXPECT_EQ(pick::SearchMaskFor("C:\\"), "C:\\*.*");
  EXPECT_EQ(pick::SearchMaskFor("C:\\pics"), "C:\\pics\\*.*");
  EXPECT_EQ(pick::FolderOfMask("C:\\pics\\*.*"), "C:\\pics\\");

  auto p = pick::SplitPresetName("C:\\x\\old.jpg|new.jpg");
  EXPECT_TRUE(p.hasPreset);
  EXPECT_EQ(p.presetResult, "C:\\x\\old.jpg");
  EXPECT_EQ(p.nameText, "new.jpg");
  p = pick::SplitPresetName("name");
  EXPECT_FALSE(p.hasPreset);
  EXPECT_EQ(p.nameText, "name");
}

TEST(Results, TypedNamesBecomePathsUnlessTheyAreURLsOrPaths) {
  EXPECT_EQ(pick::NameToPath("C:\\d\\", "foo"), "C:\\d\\foo");
  EXPECT_EQ(pick::NameToPath("C:\\d\\", "a\\b"), "a\\b");
  EXPECT_EQ(pick::NameToPath("C:\\d\\", "http://x"), "http://x");
  EXPECT_EQ(pick::NameToPath("C:\\d\\", "ftp://host/f"), "ftp://host/f");
  EXPECT_EQ(pick::NameToPath("C:\\d\\", "https://example.org/a"), "https://example.org/a");
  EXPECT_EQ(pick::NameToPath("C:\\d\\", "HTTPS://example.org"), "HTTPS://example.org");
  EXPECT_EQ(pick::NameToPath("C:\\d\\", "http:x"), "C:\\d\\http:x");
  EXPECT_EQ(pick::NameToPath("C:\\d\\", ""), "");
}

TEST(Results, MultiSelectionEndsEveryPathWithABar) {
  std::vector<ListedName> picked{{"a.jpg", ""}, {"b.jpg", ""}};
  EXPECT_EQ(pick::JoinSelection("C:\\d\\", picked), "C:\\d\\a.jpg|C:\\d\\b.jpg|");
  std::vector<ListedName> modeTwo{{"a", ".jpg"}, {"b", ".png"}};
  EXPECT_EQ(pick::JoinSelection("C:\\d\\", modeTwo), "C:\\d\\a.jpg|C:\\d\\b.png|");
  EXPECT_EQ(pick::JoinSelection("C:\\d\\", {}), "");
}

TEST(Results, CaptionsLabelsAndItems) {
  EXPECT_EQ(pick::CaptionText("#Open"), "Open");
  EXPECT_EQ(pick::CaptionText("Open"), "Open");
  EXPECT_EQ(pick::CaptionText("##x"), "#x");
  EXPECT_EQ(pick::DoubleAmpersands(" C:\\R&D\\a&b.jpg"), " C:\\R&&D\\a&&b.jpg");
  EXPECT_EQ(pick::SplitItems("&OK|&Cancel|"), (std::vector<std::string>{"&OK", "&Cancel"}));
  EXPECT_EQ(pick::SplitItems("Cancel|OK|Help"), (std::vector<std::string>{"Cancel", "OK", "Help"}));
  EXPECT_TRUE(pick::SplitItems("").empty());
}

TEST(Memory, OneShotSwitchesDisarmOnTheSecondCall) {
  pick::PickMemory m;
  EXPECT_EQ(m.OneShot(pick::Switch::kMultiSelection, 1), 0);
  EXPECT_EQ(m.OneShot(pick::Switch::kMultiSelection, 1), -1);  // armed twice: disarmed
  EXPECT_EQ(m.OneShot(pick::Switch::kMultiSelection, 0), 0);   // stays off
  EXPECT_EQ(m.OneShot(pick::Switch::kMultiSelection, 1), 0);
  EXPECT_EQ(m.OneShot(pick::Switch::kMultiSelection, 0), -1);  // the dialog's reading consumes it
  EXPECT_EQ(m.OneShot(pick::Switch::kMultiSelection, 0), 0);
  // The switches are independent.
  EXPECT_EQ(m.OneShot(pick::Switch::kNoIconise, 1), 0);
  EXPECT_EQ(m.OneShot(pick::Switch::kMultiSelection, 0), 0);
  EXPECT_EQ(m.OneShot(pick::Switch::kNoIconise, 0), -1);
}

TEST(Memory, KeepsTextsInTheirNormalForms) {
  pick::PickMemory m;
  EXPECT_EQ(m.Get(pick::Kept::kLastFile), "");
  m.Keep(pick::Kept::kLastFile, "C:\\a.jpg");
  m.Keep(pick::Kept::kStartFile, "C:\\start\\");
  m.Keep(pick::Kept::kFilterChoice, "*.JPG;*.PNG");
  m.Keep(pick::Kept::kFilterList, ".BAK|.TMP||");
  m.Keep(pick::Kept::kExtensionFilter, ".JPG.PNG.");
  EXPECT_EQ(m.Get(pick::Kept::kLastFile), "C:\\a.jpg");
  EXPECT_EQ(m.Get(pick::Kept::kStartFile), "C:\\start\\");
  EXPECT_EQ(m.Get(pick::Kept::kFilterChoice), "*.JPG;*.PNG");
  EXPECT_EQ(m.Get(pick::Kept::kFilterList), ".BAK|.TMP|");
  EXPECT_EQ(m.Get(pick::Kept::kExtensionFilter), ".JPG|.PNG|");
  m.Keep(pick::Kept::kExtensionFilter, "");
  EXPECT_EQ(m.Get(pick::Kept::kExtensionFilter), "");
  EXPECT_EQ(m.SetThumbnails(1), 0);
  EXPECT_EQ(m.SetThumbnails(0), 1);
  m.Reset();
  EXPECT_EQ(m.Get(pick::Kept::kLastFile), "");
}

TEST(FolderChain, WalksFromTheDrivesRootDown) {
  std::vector<std::string> chain;
  ASSERT_TRUE(pick::FolderChain("", "C:\\t\\a\\b", chain));
  EXPECT_EQ(chain, (std::vector<std::string>{"", "C:\\", "C:\\t", "C:\\t\\a", "C:\\t\\a\\b"}));
  ASSERT_TRUE(pick::FolderChain("", "c:/t/", chain));
  EXPECT_EQ(chain, (std::vector<std::string>{"", "c:\\", "c:\\t"}));
  ASSERT_TRUE(pick::FolderChain("", "D:", chain));
  EXPECT_EQ(chain, (std::vector<std::string>{"", "D:\\"}));
}

TEST(FolderChain, AFolderRootStartsTheChainAtItself) {
  std::vector<std::string> chain;
  ASSERT_TRUE(pick::FolderChain("C:\\Photos\\", "c:\\photos\\2004\\rome", chain));
  EXPECT_EQ(chain, (std::vector<std::string>{"c:\\photos", "c:\\photos\\2004", "c:\\photos\\2004\\rome"}));
  ASSERT_TRUE(pick::FolderChain("C:\\Photos", "C:\\Photos", chain));
  EXPECT_EQ(chain.size(), 1u);
  EXPECT_FALSE(pick::FolderChain("C:\\Photos", "C:\\Photographs\\x", chain));
  EXPECT_TRUE(chain.empty());
  EXPECT_FALSE(pick::FolderChain("C:\\Photos", "D:\\Photos", chain));
}

TEST(FolderChain, RefusesNetworkRelativeAndDottedPaths) {
  std::vector<std::string> chain;
  EXPECT_FALSE(pick::FolderChain("", "\\\\server\\share\\x", chain));
  EXPECT_FALSE(pick::FolderChain("", "C:\\a\\\\b", chain));
  EXPECT_FALSE(pick::FolderChain("", "relative\\x", chain));
  EXPECT_FALSE(pick::FolderChain("", "", chain));
  EXPECT_FALSE(pick::FolderChain("", "C:\\a\\..\\b", chain));
  EXPECT_FALSE(pick::FolderChain("", "C:x", chain));
  EXPECT_FALSE(pick::FolderChain("", "1:\\x", chain));
  EXPECT_TRUE(chain.empty());
}

// A folder of entries as the disk would hand them out, counting how many were read.
struct CountingFolder {
  std::vector<std::pair<std::string, bool>> entries;  // name, is a folder
  size_t read = 0;
  bool Next(std::string& name, bool& isFolder) {
    if (read >= entries.size()) return false;
    name = entries[read].first;
    isFolder = entries[read].second;
    ++read;
    return true;
  }
};

CountingFolder Entries(size_t files, size_t folderAt = SIZE_MAX) {
  CountingFolder f;
  f.entries = {{".", true}, {"..", true}};
  for (size_t i = 0; i < files; ++i) f.entries.push_back({"p" + std::to_string(i) + ".jpg", false});
  if (folderAt != SIZE_MAX) f.entries.insert(f.entries.begin() + 2 + ptrdiff_t(folderAt), {"sub", true});
  return f;
}

bool Probe(CountingFolder& f) {
  return pick::ProbeSubfolders([&f](std::string& name, bool& isFolder) { return f.Next(name, isFolder); });
}

TEST(SubfolderProbe, StopsAtTheFirstSubfolderAndNeverReadsALargeFolderWhole) {
  // 20,000 entries, the first a folder: found with the first entry after "." and "..".
  CountingFolder first = Entries(19999, 0);
  EXPECT_TRUE(Probe(first));
  EXPECT_EQ(first.read, 3u);
  // A subfolder among the first entries is found where it stands.
  CountingFolder early = Entries(19999, 40);
  EXPECT_TRUE(Probe(early));
  EXPECT_EQ(early.read, 43u);
  // 20,000 pictures and no subfolder: the probe gives up early and keeps the expand button.
  CountingFolder pictures = Entries(20000);
  EXPECT_TRUE(Probe(pictures));
  EXPECT_EQ(pictures.read, size_t(pick::kSubfolderProbeEntries));
  // A subfolder far down a large folder costs no more.
  CountingFolder late = Entries(20000, 19000);
  EXPECT_TRUE(Probe(late));
  EXPECT_EQ(late.read, size_t(pick::kSubfolderProbeEntries));
  // A small folder is read to its end: files only (or nothing but "." and "..") is no.
  CountingFolder small = Entries(10);
  EXPECT_FALSE(Probe(small));
  EXPECT_EQ(small.read, 12u);
  CountingFolder empty = Entries(0);
  EXPECT_FALSE(Probe(empty));
  CountingFolder none;
  EXPECT_FALSE(Probe(none));
}

TEST(AutoScroll, ZonesInsideScrollSlowlyAndOutsideFast) {
  // Client rectangle 0,0 - 200,100, zone 16.
  auto at = [](int x, int y, bool range = true) { return pick::DecideAutoScroll(range, 0, 0, 200, 100, x, y, 16); };
  auto s = at(50, 5);
  EXPECT_EQ(s.action, pick::AutoScroll::kRun);
  EXPECT_EQ(s.direction, 0);
  EXPECT_EQ(s.period, 200);
  s = at(50, 90);
  EXPECT_EQ(s.action, pick::AutoScroll::kRun);
  EXPECT_EQ(s.direction, 1);
  EXPECT_EQ(s.period, 200);
  EXPECT_EQ(at(50, 15).action, pick::AutoScroll::kRun);
  EXPECT_EQ(at(50, 16).action, pick::AutoScroll::kStop);
  EXPECT_EQ(at(50, 84).action, pick::AutoScroll::kRun);
  EXPECT_EQ(at(50, 83).action, pick::AutoScroll::kStop);
  s = at(50, -3);
  EXPECT_EQ(s.action, pick::AutoScroll::kRun);
  EXPECT_EQ(s.direction, 0);
  EXPECT_EQ(s.period, 50);
  s = at(50, 140);
  EXPECT_EQ(s.direction, 1);
  EXPECT_EQ(s.period, 50);
  EXPECT_EQ(at(-10, 50).action, pick::AutoScroll::kKeep);   // beside the tree
  EXPECT_EQ(at(250, 50).action, pick::AutoScroll::kKeep);
  EXPECT_EQ(at(50, 5, false).action, pick::AutoScroll::kStop);  // nothing to scroll
  EXPECT_EQ(at(50, 140, false).action, pick::AutoScroll::kStop);
}

TEST(DropRule, RefusesSelfDescendantsAndEmptySpace) {
  // 1 root; 2 and 3 under 1; 4 under 2; 5 under 4.
  std::map<int, int> parent{{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 4}};
  auto parentOf = [&](int i) { return parent.at(i); };
  EXPECT_TRUE(pick::DropAllowed(2, 3, parentOf));
  EXPECT_TRUE(pick::DropAllowed(4, 3, parentOf));
  EXPECT_TRUE(pick::DropAllowed(4, 1, parentOf));
  EXPECT_FALSE(pick::DropAllowed(2, 2, parentOf));
  EXPECT_FALSE(pick::DropAllowed(2, 4, parentOf));
  EXPECT_FALSE(pick::DropAllowed(2, 5, parentOf));
  EXPECT_FALSE(pick::DropAllowed(1, 5, parentOf));
  EXPECT_FALSE(pick::DropAllowed(2, 0, parentOf));
  EXPECT_FALSE(pick::DropAllowed(0, 3, parentOf));
}

}  // namespace
