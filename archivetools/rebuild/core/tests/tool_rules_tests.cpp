#include <gtest/gtest.h>

#include "narwen/tool_rules.h"

namespace narwen {
namespace {

TEST(NarwenToolRules, PickedKeysKeepTheirBlanksAndLoseTheirFolder) {
  EXPECT_EQ(PickedKeys("C:\\DATA\\AB      .WAV|C:\\DATA\\00000001.JPG|"),
            (std::vector<std::string>{"AB      .WAV", "00000001.JPG"}));
  EXPECT_EQ(PickedKeys("C:\\DATA\\00000001.JPG"), (std::vector<std::string>{"00000001.JPG"}));
  EXPECT_TRUE(PickedKeys("").empty());
  EXPECT_TRUE(PickedKeys("C:\\DATA\\|").empty());
}

TEST(NarwenToolRules, ItemFilesAndFailureLines) {
  EXPECT_EQ(ItemFileName("AB      .WAV"), "AB.WAV");
  EXPECT_EQ(ItemFileName("00000042.JPG"), "00000042.JPG");
  EXPECT_EQ(ItemFileName("NOEXT       "), "NOEXT");
  EXPECT_EQ(ItemFileName("KEY     .   "), "KEY");
  EXPECT_EQ(ItemFailure("AB.WAV", "Not found."), "AB.WAV|Not found.");
}

TEST(NarwenToolRules, StatusLineAndCommands) {
  EXPECT_EQ(StatusLine("Disk space", true, ""), "Disk space [1]");
  EXPECT_EQ(StatusLine("Disk space", false, "C:\\DATA\\QORIMAGE002.B01"), "Disk space [2] QORIMAGE002.B01");
  EXPECT_EQ(LibraryPickPath("C:\\DATA", "QORIMAGE"), "C:\\DATA\\QORIMAGE*.B*");
  EXPECT_EQ(ItemOperation(kCmdCopyItemsOut), 2);
  EXPECT_EQ(ItemOperation(kCmdRemoveItems), 3);
  EXPECT_EQ(ItemOperation(kCmdCheckItems), 4);
  EXPECT_EQ(ItemOperation(kCmdStoreFiles), 0);
}

}  // namespace
}  // namespace narwen
