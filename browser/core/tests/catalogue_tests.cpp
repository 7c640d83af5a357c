#include "kelmor/catalogue.h"

#include <gtest/gtest.h>

#include <map>

#include "temp_dir.h"

namespace kelmor {
namespace {

TEST(Catalogue, ExtensionList) {
  std::string list = CatalogueExtensionList("*.jpg;*.gif");
  EXPECT_EQ(list, ".JPG.GIF.");
  EXPECT_TRUE(InExtensionList(list, ".gif"));
  EXPECT_TRUE(InExtensionList(list, ".JPG"));
  EXPECT_FALSE(InExtensionList(list, ".jp"));
  EXPECT_FALSE(InExtensionList(list, ".g"));
  EXPECT_FALSE(InExtensionList(list, "."));
  // All files: every extension, but still no name without one.
  EXPECT_TRUE(InExtensionList(CatalogueExtensionList("*.*"), ".txt"));
  EXPECT_TRUE(InExtensionList(CatalogueExtensionList("*.htm;*.*"), ".x"));
  EXPECT_FALSE(InExtensionList(CatalogueExtensionList("*.*"), ""));
  EXPECT_FALSE(InExtensionList(CatalogueExtensionList("*.*x"), ".txt"));
  EXPECT_TRUE(InExtensionList(kImagingPictureList, ".jpeg"));
}

TEST(Catalogue, GifHeaders) {
  GifHeader h;
  EXPECT_TRUE(ParseGifHeader(std::string("GIF89a\x80\x02\xe0\x01", 10), h));
  EXPECT_EQ(h.version, "89a");
  EXPECT_EQ(h.width, 640);
  EXPECT_EQ(h.height, 480);
  EXPECT_FALSE(ParseGifHeader(std::string("GIF89a\x80\x02\xe0", 9), h));
  EXPECT_EQ(h.width, 0);
  EXPECT_FALSE(ParseGifHeader("gif89a0000", h));
  EXPECT_EQ(h.version, "");

  TempDir dir;
  dir.Write("a.gif", std::string("GIF87a\x10\x00\x20\x00rest", 14));
  dir.Write("b.gif", "BM not a gif");
  int width = 1, height = 1;
  std::string version = "x";
  EXPECT_EQ(ISGIFFILE(dir.File("a.gif"), width, height, version), -1);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 32);
  EXPECT_EQ(version, "87a");
  EXPECT_EQ(ISGIFFILE(dir.File("b.gif"), width, height, version), 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(version, "");
  EXPECT_EQ(ISGIFFILE(dir.File("none.gif"), width, height, version), 0);
}

TEST(Catalogue, DatModAndMidProbes) {
  EXPECT_TRUE(NeedsFirstBytes(".dat"));
  EXPECT_TRUE(NeedsFirstBytes(".MOD"));
  EXPECT_FALSE(NeedsFirstBytes(".mid"));
  EXPECT_TRUE(KeepsDoubtfulMatch(".DAT", "riffxxxx"));
  EXPECT_FALSE(KeepsDoubtfulMatch(".DAT", "RIF"));
  EXPECT_FALSE(KeepsDoubtfulMatch(".DAT", "\0\0\0\0"));
  EXPECT_FALSE(KeepsDoubtfulMatch(".MOD", "Mz\x90"));
  EXPECT_TRUE(KeepsDoubtfulMatch(".MOD", "M.K."));
  EXPECT_TRUE(KeepsDoubtfulMatch(".MOD", ""));
  EXPECT_FALSE(KeepsDoubtfulMatch(".MID", "MThd"));
  EXPECT_TRUE(KeepsDoubtfulMatch(".AVI", ""));
}

TEST(Catalogue, AttributesOfFilesAndFolders) {
  for (uint32_t a : {0x0u, 0x1u, 0x20u, 0x21u, 0x80u}) EXPECT_TRUE(IsCatalogueFile(a)) << a;
  for (uint32_t a : {0x2u, 0x4u, 0x10u, 0x420u}) EXPECT_FALSE(IsCatalogueFile(a)) << a;
  EXPECT_TRUE(IsCatalogueFolder(0x10));
  EXPECT_TRUE(IsCatalogueFolder(0x11));
  EXPECT_FALSE(IsCatalogueFolder(0x410));
  EXPECT_FALSE(IsCatalogueFolder(0x20));
}

TEST(Catalogue, CollectionModes) {
  EXPECT_FALSE(CatalogueCollects(401, 1));
  EXPECT_TRUE(CatalogueCollects(401, 2));
  EXPECT_TRUE(CatalogueCollects(403, 1));
  EXPECT_FALSE(CatalogueCollects(405, 0));
  EXPECT_FALSE(CatalogueCollects(406, 2));
  EXPECT_TRUE(CatalogueCollects(406, 3));
}

TEST(Catalogue, Lines) {
  EXPECT_EQ(CatalogueLine(640, 480, 1536, "T:\\a.gif"), "640x480              2 k\tT:\\a.gif\r\n");
  EXPECT_EQ(CatalogueLine(0, 0, 1234567890, "T:\\m.dat"), std::string(12, ' ') + " 1,205,633 k\tT:\\m.dat\r\n");
  EXPECT_EQ(CatalogueLine(10, 0, 0, "x"), std::string(12, ' ') + "         0 k\tx\r\n");
  std::string header = CatalogueHeader('T', "@ pictures - # KB", 1234, 2048);
  EXPECT_EQ(header.size(), 80u);
  EXPECT_EQ(header.substr(0, 24), "T: 1,234 pictures - 2 KB");
  EXPECT_EQ(header.substr(24), std::string(56, ' '));
  EXPECT_EQ(CatalogueHeader('C', std::string(100, 'x'), 1, 1).size(), 80u);
}

// A drive of folders in memory: name -> entries; a junction is a folder entry whose
// identity is another folder's.
struct FakeDrive {
  std::map<std::string, std::vector<WalkEntry>> folders;
  std::map<std::string, std::string> same;  // folder -> the folder it really is
  std::vector<std::string> listed;
  FolderWalker Walker(std::vector<std::string>& found, int stopAfter = -1) {
    FolderWalker w;
    w.list = [this](const std::string& folder, std::vector<WalkEntry>& entries) {
      listed.push_back(folder);
      std::string real = same.count(folder) ? same[folder] : folder;
      auto it = folders.find(real);
      if (it == folders.end()) return false;
      entries = it->second;
      return true;
    };
    w.identity = [this](const std::string& folder) { return same.count(folder) ? same[folder] : folder; };
    w.found = [&found, stopAfter](const std::string& folder, const WalkEntry& e) {
      found.push_back(folder + e.name);
      return stopAfter < 0 || int(found.size()) < stopAfter;
    };
    return w;
  }
};

TEST(Catalogue, TheWalkIsDepthFirstAndWalksALoopOnce) {
  FakeDrive drive;
  drive.folders["T:\\"] = {{"a", 0x10, 0}, {"f.txt", 0x20, 5}, {"b", 0x10, 0}, {".hidden", 0x10, 0}};
  drive.folders["T:\\a\\"] = {{"deep", 0x10, 0}, {"up", 0x10, 0}};
  drive.folders["T:\\a\\deep\\"] = {{"g.txt", 0, 1}};
  drive.folders["T:\\b\\"] = {{"link", 0x410, 0}, {"h.txt", 0x80, 1}};
  // "up" is the root again under another path (a loop without the reparse bit).
  drive.same["T:\\a\\up\\"] = "T:\\";
  std::vector<std::string> found;
  EXPECT_TRUE(WalkFolders("T:", drive.Walker(found)));
  EXPECT_EQ(found, (std::vector<std::string>{"T:\\a", "T:\\f.txt", "T:\\b", "T:\\a\\deep", "T:\\a\\up",
                                             "T:\\a\\deep\\g.txt", "T:\\b\\link", "T:\\b\\h.txt"}));
  // The root is listed once; the link (a reparse point) never.
  int rootLists = 0;
  for (const auto& f : drive.listed) rootLists += f == "T:\\" ? 1 : 0;
  EXPECT_EQ(rootLists, 1);
  for (const auto& f : drive.listed) EXPECT_EQ(f.find("link"), std::string::npos);
}

TEST(Catalogue, TheWalkGrowsPastFiveHundredPendingFoldersAndStopsWhenAsked) {
  FakeDrive drive;
  for (int i = 0; i < 1200; ++i) drive.folders["T:\\"].push_back({"d" + std::to_string(i), 0x10, 0});
  for (int i = 0; i < 1200; ++i) drive.folders["T:\\d" + std::to_string(i) + "\\"] = {{"x.txt", 0, 1}};
  std::vector<std::string> found;
  EXPECT_TRUE(WalkFolders("T:\\", drive.Walker(found)));
  EXPECT_EQ(found.size(), 2400u);
  EXPECT_EQ(found.back(), "T:\\d1199\\x.txt");
  found.clear();
  EXPECT_FALSE(WalkFolders("T:\\", drive.Walker(found, 3)));
  EXPECT_EQ(found.size(), 3u);
}

}  // namespace
}  // namespace kelmor
