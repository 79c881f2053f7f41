// A desk started on a shuju.dat holding a session whose start cannot be:
// the session is shown and can be checked out, but its time is never
// billed and the overtime monitor leaves it alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "store/ActiveSessionTable.h"
#include "session/Billing.h"
#include "desk/SessionEngine.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using namespace settings;

TEST(DamagedSessionFile, ImpossibleStartIsNeitherBilledNorCheckedOutByTheMonitor) {
  for (OleDate badDate : {1e308, std::numeric_limits<double>::quiet_NaN(), -1e308}) {
    SCOPED_TRACE(badDate);
    testing::Installation inst{true, {2012, 9, 3}};
    inst.clock().set({{2012, 9, 3}, 9, 0, 0});
    {
      auto file = RecordFile::Open(inst.folder().sessions(), kSessionRecordLength);
      ASSERT_TRUE(file.ok());
      ASSERT_TRUE(file->write(1, Pack(SessionRecord{1, 1, 600, badDate}).value()).ok());
      // Started at midnight: far over the default limit of 120 minutes.
      ASSERT_TRUE(file->write(2, Pack(SessionRecord{2, 2, 0, ToOle(CivilDate{2012, 9, 3})}).value()).ok());
      SettingsFile s = inst.settings();
      ASSERT_TRUE(s.writeLong(kSessionCount, 2).ok());
      ASSERT_TRUE(s.writeByte(kAutoCheckout, 1).ok());
      ASSERT_TRUE(s.writeByte(kProtectionMinutes, 0).ok());
    }
    auto desk = inst.startDesk();
    desk->mainWindowForeground = [] { return true; };
    desk->prompt().setPassword("pw");
    desk->prompt().setSecond("pw");
    ASSERT_EQ(desk->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);

    const auto& h = desk->notifier().history();
    EXPECT_NE(std::find(h.begin(), h.end(), InvalidStartMessage("琴房101")), h.end());
    ASSERT_EQ(desk->sessions().count(), 2);
    EXPECT_FALSE(desk->sessions().isOvertime(0));
    EXPECT_TRUE(desk->sessions().isOvertime(1));

    desk->engine().OvertimeTick();
    EXPECT_EQ(desk->sessions().FindSession(2), -1);  // the monitor is at work
    EXPECT_EQ(desk->sessions().FindSession(1), 0);   // but not on the damaged session

    // The operator checks the student out: billed as a session of no time.
    const float before = desk->students()[1].balance;
    for (char c : std::string("1001")) desk->KeyDown(96 + (c - '0'));
    desk->KeyDown(13);
    EXPECT_EQ(desk->sessions().FindSession(1), -1);
    const float charged = before - desk->students()[1].balance;
    EXPECT_GE(charged, 0.0f);
    EXPECT_LE(charged, ComputeBill(0, desk->rooms()[1], 100).fee);
  }
}

}  // namespace
}  // namespace tarvolen
