// Finding or starting a partner: a started partner gets its start code before anything
// else, a running one gets none, a missing program gives no window.
#include <gtest/gtest.h>

#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "temp_dir.h"
#include "test_windows.h"

namespace {

constexpr const char* kClass = "SUITETESTPARTNER";

TEST(Partner, AStartedPartnerGetsCodeOneFirstARunningOneDoesNot) {
  TempDir dir;
  std::string log = dir.File("log.txt");
  std::string program = TestProgramFolder() + "standin.exe " + kClass + " " + log;
  bool started = false;
  HWND w = FindOrStartPartner(program, kClass, kCodeStarted, &started);
  if (!w) {
    // The first start of a program under a cold Wine can take longer than the rule allows.
    w = WaitForWindow(kClass, kEventLimitMs);
    ASSERT_NE(w, nullptr);
    SENDCOPYDATA(w, kCodeStarted, "");
  } else {
    EXPECT_TRUE(started);
  }
  SENDCOPYDATA(w, kCodeOpen, "C:\\a.jpg|C:\\b.jpg");
  HWND again = FindOrStartPartner(program, kClass, kCodeStarted, &started);
  EXPECT_EQ(again, w);
  EXPECT_FALSE(started);
  SENDCOPYDATA(again, kCodeOpen, "C:\\c.jpg");
  SENDCOPYDATA(w, kCodeClose, "");
  ASSERT_TRUE(WaitForNoWindow(kClass, kEventLimitMs));
  auto got = ReadStandinLog(log);
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[0].text, "");
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_EQ(got[2].text, "C:\\c.jpg");
  EXPECT_EQ(got[3].code, kCodeClose);
}

TEST(Partner, AMissingProgramGivesNoWindowWithinTheLimit) {
  DWORD start = GetTickCount();
  EXPECT_EQ(FindOrStartPartner(TestProgramFolder() + "nosuchprogram.exe", "NOSUCHCLASS", kCodeStarted), nullptr);
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_EQ(FindOrStartPartner("x.exe", "", kCodeStarted), nullptr);
}

}  // namespace
