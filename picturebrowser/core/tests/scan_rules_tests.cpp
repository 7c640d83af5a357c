// Which entries a folder listing keeps, and the order of the list.
#include <gtest/gtest.h>

#include "hessam/scan_rules.h"

namespace hessam {
namespace {

TEST(ScanRules, AttributesThatAreListed) {
  for (uint32_t a : {0u, 1u, 32u, 33u, 128u, 0x800u, 0x2000u, 0x2821u})
    EXPECT_TRUE(ListedAttributes(a)) << a;
  // Hidden, system, folder, and anything else beside the allowed bits.
  for (uint32_t a : {2u, 4u, 16u, 34u, 0x100u, 0x1000u, 0x2002u, 0x823u})
    EXPECT_FALSE(ListedAttributes(a)) << a;
}

TEST(ScanRules, NamesAndExtensions) {
  EXPECT_FALSE(ListedName(".hidden.jpg"));
  EXPECT_FALSE(ListedName(""));
  EXPECT_TRUE(ListedName("a.jpg"));
  EXPECT_TRUE(HasPictureExtension("C:\\Pics\\a.jpg"));
  EXPECT_TRUE(HasPictureExtension("C:\\Pics\\a.JPEG"));
  EXPECT_TRUE(HasPictureExtension("C:\\Pics\\b.tga"));
  EXPECT_FALSE(HasPictureExtension("C:\\Pics\\a.txt"));
  // The extension is taken from the last "." of the whole path: a folder's dot is no
  // extension of a file without one.
  EXPECT_FALSE(HasPictureExtension("C:\\Trip.jpg\\readme"));
  EXPECT_TRUE(CountsAsGif("C:\\Pics\\anim.Gif"));
  EXPECT_FALSE(CountsAsGif("C:\\Pics\\anim.gif.png"));
}

TEST(ScanRules, ListIsSortedWithoutRegardToCase) {
  std::vector<std::string> list{"C:\\p\\b.jpg", "C:\\p\\A.jpg", "C:\\p\\a.jpg", "C:\\p\\C.jpg"};
  SortPictureList(list);
  EXPECT_EQ(list, (std::vector<std::string>{"C:\\p\\A.jpg", "C:\\p\\a.jpg", "C:\\p\\b.jpg", "C:\\p\\C.jpg"}));
}

}  // namespace
}  // namespace hessam
