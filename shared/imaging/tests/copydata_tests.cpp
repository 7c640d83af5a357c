// The command message between two processes: this test sends, the stand-in partner
// receives with GETCOPYDATA and logs what it got.
#include <gtest/gtest.h>

#include "imaging/copydata.h"
#include "temp_dir.h"
#include "test_windows.h"

namespace {

constexpr const char* kClass = "SUITETESTPARTNER";
// A code no program acts on: it travels like any other.
constexpr int kUnknownCode = 12345;

class CopyDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = dir_.File("received.log");
    ASSERT_TRUE(partner_.Start(TestProgramFolder() + "standin.exe", std::string(kClass) + " \"" + log_ + "\" 3000"));
    window_ = WaitForWindow(kClass, kEventLimitMs, partner_.Id());
    ASSERT_NE(window_, nullptr);
  }
  std::vector<LoggedMessage> CloseAndRead() {
    SENDCOPYDATA(window_, kCodeClose, "");
    EXPECT_EQ(partner_.Wait(10000), 0);
    return ReadStandinLog(log_);
  }
  // Sends a raw WM_COPYDATA whose fields the test chooses.
  LRESULT SendRaw(int code, WPARAM declared, const void* data, DWORD bytes) {
    COPYDATASTRUCT cds{};
    cds.dwData = ULONG_PTR(code);
    cds.cbData = bytes;
    cds.lpData = const_cast<void*>(data);
    return SendMessageA(window_, WM_COPYDATA, declared, reinterpret_cast<LPARAM>(&cds));
  }

  TempDir dir_;
  std::string log_;
  ChildProcess partner_;
  HWND window_ = nullptr;
};

TEST_F(CopyDataTest, TextsArriveExactlyAndEveryCodeIsAnsweredWithOne) {
  std::string longText(300, 'x');
  longText[0] = 'A';
  longText[299] = 'Z';
  std::string allBytes;
  for (int c = 1; c < 256; ++c) allBytes += char(c);
  EXPECT_EQ(SENDCOPYDATA(window_, kCodeOpen, ""), 1);
  EXPECT_EQ(SENDCOPYDATA(window_, kCodeOpen, longText), 1);
  EXPECT_EQ(SENDCOPYDATA(window_, kUnknownCode, "C:\\a b\\x.jpg|D:\\y.png,QPLAYER"), 1);
  EXPECT_EQ(SENDCOPYDATA(window_, kUnknownCode, allBytes), 1);
  auto got = CloseAndRead();
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_EQ(got[0].text, "");
  EXPECT_EQ(got[1].text, longText);
  EXPECT_EQ(got[2].code, kUnknownCode);
  EXPECT_EQ(got[2].text, "C:\\a b\\x.jpg|D:\\y.png,QPLAYER");
  EXPECT_EQ(got[3].text, allBytes);
  EXPECT_EQ(got[4].code, kCodeClose);
}

TEST_F(CopyDataTest, ReceiverTrustsNoLengthBeyondTheDeliveredBlock) {
  std::string big(1000, 'q');
  memcpy(big.data(), "wxyz", 4);
  EXPECT_EQ(SendRaw(kCodeRecordingCounts, 4, big.data(), 1000), 1);  // cbData 1000, wParam 4
  EXPECT_EQ(SendRaw(kCodeFileWritten, 10, "abc", 3), 1);             // wParam larger than the block
  EXPECT_EQ(SendRaw(kCodeGoToFolder, 5, nullptr, 0), 1);             // no block at all
  EXPECT_EQ(SendRaw(kCodeBurnNewList, WPARAM(~0u), "ok", 2), 1);     // an absurd length
  auto got = CloseAndRead();
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[0].code, kCodeRecordingCounts);
  EXPECT_EQ(got[0].text, "wxyz");
  EXPECT_EQ(got[1].code, kCodeFileWritten);
  EXPECT_EQ(got[1].text, "abc");
  EXPECT_EQ(got[2].code, kCodeGoToFolder);
  EXPECT_EQ(got[2].text, "");
  EXPECT_EQ(got[3].code, kCodeBurnNewList);
  EXPECT_EQ(got[3].text, "ok");
}

TEST_F(CopyDataTest, AHungReceiverReleasesTheSenderAfterTheTimeLimit) {
  SetSendCopyDataTimeout(300);
  DWORD start = GetTickCount();
  EXPECT_EQ(SENDCOPYDATA(window_, kStandinHangCode, "hang"), 0);  // the partner sleeps 3000 ms
  DWORD waited = GetTickCount() - start;
  SetSendCopyDataTimeout(0);
  EXPECT_LT(waited, 2500u);
  // Once it is responsive again it answers as before.
  ASSERT_TRUE(WaitUntil(
      [this] {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 100, &answer) != 0;
      },
      std::chrono::seconds(10)));
  EXPECT_EQ(SENDCOPYDATA(window_, kCodeOpen, "after"), 1);
  auto got = CloseAndRead();
  ASSERT_GE(got.size(), 2u);
  EXPECT_EQ(got[0].code, kStandinHangCode);
  EXPECT_EQ(got[1].text, "after");
}

TEST(CopyData, NoWindowMeansNothingIsSent) {
  EXPECT_EQ(SENDCOPYDATA(nullptr, kCodeOpen, "x"), 0);
  std::string text = "stale";
  EXPECT_EQ(GETCOPYDATA(text, 5, 0), kCodeNone);
  EXPECT_EQ(text, "");
}

}  // namespace
