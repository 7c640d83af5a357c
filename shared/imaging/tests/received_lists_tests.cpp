#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/received_lists.h"

using startup::HandOver;
using startup::ReceivedLists;

TEST(ReceivedLists, OpenEachTakesEveryListOldestFirst) {
  ReceivedLists lists;
  lists.Add("a.jpg");
  lists.Add("b.jpg|c.jpg");
  lists.Add("");
  EXPECT_EQ(lists.Count(), 3u);
  std::vector<std::string> opened;
  lists.OpenEach([&](const std::string& list) { opened.push_back(list); });
  EXPECT_EQ(opened, (std::vector<std::string>{"a.jpg", "b.jpg|c.jpg", ""}));
  EXPECT_TRUE(lists.Empty());
  // Nothing waits: nothing is opened.
  lists.OpenEach([&](const std::string& list) { opened.push_back(list); });
  EXPECT_EQ(opened.size(), 3u);
}

TEST(ReceivedLists, OpenNewestDropsTheListsItReplaces) {
  ReceivedLists lists;
  lists.Add("old");
  lists.Add("older is gone");
  lists.Add("newest");
  std::vector<std::string> opened;
  lists.OpenNewest([&](const std::string& list) { opened.push_back(list); });
  EXPECT_EQ(opened, (std::vector<std::string>{"newest"}));
  EXPECT_TRUE(lists.Empty());
}

// An open that runs a message loop (a question box) may receive the next list and see
// kMsgOpenReceived again: that inner call must not open it in the middle of the first.
TEST(ReceivedLists, AListArrivingDuringAnOpenFollowsIt) {
  ReceivedLists lists;
  lists.Add("first");
  std::vector<std::string> log;
  std::function<void(const std::string&)> open = [&](const std::string& list) {
    log.push_back("begin " + list);
    if (list == "first") {
      lists.Add("second");
      lists.Add("third");
      lists.OpenEach(open);  // the posted message, handled inside the box's loop
      EXPECT_EQ(lists.Count(), 2u);
    }
    log.push_back("end " + list);
  };
  lists.OpenEach(open);
  EXPECT_EQ(log, (std::vector<std::string>{"begin first", "end first", "begin second", "end second", "begin third",
                                           "end third"}));
  EXPECT_TRUE(lists.Empty());

  // The newest rule applies to what arrived meanwhile as well.
  log.clear();
  lists.Add("first");
  std::function<void(const std::string&)> openNewest = [&](const std::string& list) {
    log.push_back(list);
    if (list == "first") {
      lists.Add("second");
      lists.Add("third");
      lists.OpenNewest(openNewest);
    }
  };
  lists.OpenNewest(openNewest);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "third"}));
}

TEST(HandOver, JoinsListsAndPutsTheOwnListFirstOnce) {
  HandOver h;
  h.Add("|C:\\b.jpg|");
  h.Add("C:\\c.jpg");
  EXPECT_TRUE(h.Pending());
  EXPECT_EQ(h.Take("C:\\a.jpg"), "C:\\a.jpg|C:\\b.jpg|C:\\c.jpg");
  EXPECT_FALSE(h.Pending());
  h.Add("C:\\d.jpg");
  EXPECT_EQ(h.Take("C:\\a.jpg|C:\\b.jpg|C:\\c.jpg"), "C:\\d.jpg");
  HandOver empty;
  empty.Add("x");
  EXPECT_EQ(empty.Take(""), "x");
  // An empty hand-over joins nothing; the first one still brings the own list.
  HandOver first;
  first.Add("");
  EXPECT_FALSE(first.Pending());
  EXPECT_EQ(first.Take("C:\\own.mp3"), "C:\\own.mp3");
  first.Add("");
  EXPECT_EQ(first.Take("C:\\own.mp3"), "");
}
