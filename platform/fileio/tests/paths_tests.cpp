#include <gtest/gtest.h>

#include "fileio/paths.h"

using namespace fileio;

TEST(Paths, SplitsFolderNameAndExtension) {
  EXPECT_EQ(FolderOf("C:\\a\\b.jpg"), "C:\\a\\");
  EXPECT_EQ(NameOf("C:\\a\\b.jpg"), "b.jpg");
  EXPECT_EQ(FolderOf("b.jpg"), "");
  EXPECT_EQ(FolderOf("C:b.jpg"), "C:");
  EXPECT_EQ(NameOf("C:b.jpg"), "b.jpg");
  EXPECT_EQ(StemOf("C:\\a\\b.tar.gz"), "b.tar");
  EXPECT_EQ(ExtensionOf("C:\\a\\b.tar.gz"), "gz");
  // A dot in a folder name is not an extension.
  EXPECT_EQ(ExtensionOf("D:\\my.pics\\scan"), "");
  EXPECT_EQ(WithoutExtension("D:\\my.pics\\scan"), "D:\\my.pics\\scan");
  EXPECT_EQ(WithoutExtension("D:\\my.pics\\scan.jpg"), "D:\\my.pics\\scan");
}

TEST(Paths, JoinsAndTrimsSeparators) {
  EXPECT_EQ(JoinPath("C:\\a", "b"), "C:\\a\\b");
  EXPECT_EQ(JoinPath("C:\\a\\\\", "\\b"), "C:\\a\\b");
  EXPECT_EQ(WithTrailingSeparator("C:\\a"), "C:\\a\\");
  EXPECT_EQ(WithTrailingSeparator(""), "");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\a\\\\"), "C:\\a");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\"), "C:\\");
}

TEST(Paths, CaseAndTrim) {
  EXPECT_TRUE(EqualsNoCase("Picture.JPG", "picture.jpg"));
  EXPECT_FALSE(EqualsNoCase("a.jpg", "a.jpeg"));
  EXPECT_EQ(Trim("  \tx y \t"), "x y");
  EXPECT_EQ(ToUpper("a.Jpg"), "A.JPG");
}

TEST(Wildcard, MatchesLikeFindFirstFile) {
  EXPECT_TRUE(WildcardMatch("*.jpg", "A.JPG"));
  EXPECT_TRUE(WildcardMatch("*.*", "noext"));
  EXPECT_TRUE(WildcardMatch("*", "anything.x"));
  EXPECT_TRUE(WildcardMatch("a?c.*", "abc.txt"));
  EXPECT_FALSE(WildcardMatch("a?c.*", "ac.txt"));
  EXPECT_FALSE(WildcardMatch("*.jpg", "x.jpeg"));
  EXPECT_TRUE(WildcardMatch("*.I01", "ARC000.i01"));
  EXPECT_TRUE(WildcardMatch("qorct???.htm", "QORCT001.HTM"));
  // Long names with many stars finish quickly and correctly.
  std::string name(5000, 'a');
  EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*b", name));
}
