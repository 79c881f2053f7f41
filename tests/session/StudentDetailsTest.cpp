// What the check-in dialogue shows: numbers, status line, today's activity.
#include <gtest/gtest.h>

#include "session/StudentDetails.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;

TEST(StudentDetailsTest, CardAndIdNumbersShowTheirRightmostDigits) {
  EXPECT_EQ(StrKh(1001, 10), "0000001001");
  EXPECT_EQ(StrKh(1001, 4), "1001");
  EXPECT_EQ(StrKh(123456789012345, 10), "6789012345");  // longer than the pattern
  EXPECT_EQ(StrZh(42, 0), "");
  EXPECT_EQ(StrZh(42, 20), "000000000042");
  EXPECT_EQ(FormatFixed(0.5f, 2), "0.50");
  EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
}

TEST(StudentDetailsTest, PhotoPathByNamingMode) {
  Options o;
  o.photoFolder = "/photos/";
  o.photoExtension = ".jpg";
  o.photoNameLength = 4;
  StudentRecord s;
  s.card = 12;
  s.idNumber = 7;
  s.name = "张伟";
  o.photoNaming = 1;
  EXPECT_EQ(PhotoPath(s, o), "/photos/0012.jpg");
  o.photoNaming = 0;
  EXPECT_EQ(PhotoPath(s, o), "/photos/0007.jpg");
  o.photoNaming = 2;
  EXPECT_EQ(PhotoPath(s, o), "/photos/张伟.jpg");
}

class DialogueData : public ::testing::Test {
 protected:
  Installation inst_{true, {2012, 9, 1}};
};

TEST_F(DialogueData, ExpiredSuspensionIsLiftedAndSaved) {
  auto desk = inst_.startDesk();
  const int slot = 15;  // the suspended demo card
  StudentRecord& s = desk->students()[slot];
  ASSERT_TRUE(s.isSuspended());
  SuspensionFile suspensions(inst_.folder(), desk->settings());
  DateTime later{{2012, 9, 1}, 10, 0, 0};
  later.date = FromDayNumber(DayNumber(later.date) + kDemoSuspensionDays);
  StatusLine still = MakeStatusLine(s, slot, later, suspensions, inst_.folder());
  EXPECT_EQ(still.text, "状态:[停用]");
  EXPECT_EQ(still.colour, StatusColour::Red);
  EXPECT_NE(still.tooltip.find("到期  [剩余0天]"), std::string::npos) << still.tooltip;

  later.date = FromDayNumber(DayNumber(later.date) + 1);
  StatusLine lifted = MakeStatusLine(s, slot, later, suspensions, inst_.folder());
  EXPECT_EQ(lifted.text, "状态:[已恢复使用]");
  EXPECT_EQ(lifted.colour, StatusColour::Yellow);
  EXPECT_EQ(s.status, 0);
  EXPECT_EQ(suspensions.find(slot, s.enrolled, 1), 0.0);
  StudentTable reread;
  ASSERT_TRUE(reread.load(inst_.folder()).ok());
  EXPECT_EQ(reread[slot].status, 0);
}

TEST_F(DialogueData, LostAndSuspendedStaysRed) {
  auto desk = inst_.startDesk();
  StudentRecord s = desk->students()[1];
  s.status = 3;
  SuspensionFile suspensions(inst_.folder(), desk->settings());
  ASSERT_TRUE(suspensions.add(1, s.enrolled, ToOle(CivilDate{2012, 8, 1}), 1).ok());
  StatusLine line = MakeStatusLine(s, 1, {{2012, 9, 1}, 9, 0, 0}, suspensions, inst_.folder());
  EXPECT_EQ(line.text, "状态:[挂失][已恢复使用]");
  EXPECT_EQ(line.colour, StatusColour::Red);
  EXPECT_EQ(s.status, 1);
}

TEST_F(DialogueData, TodaysActivityIsOldestFirstAndSkipsAnEarlierHolderOfTheSlot) {
  auto desk = inst_.startDesk();
  const OleDate key = desk->students()[2].enrolled;
  const OleDate today = ToOle(CivilDate{2012, 9, 1});
  auto add = [&](int16_t time, uint8_t kind, float fee, OleDate date, OleDate keyDate, int16_t student) {
    CheckinRecord r;
    r.room = 1;
    r.student = student;
    r.time = time;
    r.date = date;
    r.kind = kind;
    r.fee = fee;
    r.keyDate = keyDate;
    ASSERT_TRUE(desk->checkins().append(Pack(r)).ok());
  };
  add(500, 0, 0, today - 1, key, 2);    // yesterday: the reading stops here
  add(540, 0, 0, today, key - 400, 2);  // an earlier holder of slot 2
  add(545, 0, 0, today, key, 2);
  add(600, 1, 4.5f, today, key, 2);
  add(601, 0, 0, today, key, 3);  // someone else
  add(610, 0, 0, today, key, 2);
  TodaysActivity a = ReadTodaysActivity(desk->checkins(), 2, key, {2012, 9, 1}, desk->rooms(), desk->categories(),
                                        desk->operationNames());
  ASSERT_EQ(a.lines.size(), 3u);
  EXPECT_EQ(a.checkins, 2);
  EXPECT_EQ(a.lines[0], "9:05登录琴房101 钢琴");
  EXPECT_EQ(a.lines[1], "10:00下线琴房101 钢琴 费用:4.50");
  EXPECT_EQ(a.lines[2], "10:10登录琴房101 钢琴");
  EXPECT_EQ(a.heading, "--------------今日活动(3)--------------");
}

TEST_F(DialogueData, DetailValuesFollowTheOptions) {
  auto desk = inst_.startDesk();
  StudentRecord s = desk->students()[1];
  s.semesterMinutes = 90;
  s.totalMinutes = 150;
  s.checkinCount = 4;
  s.balance = 12.5f;
  auto v = DetailValues(s, desk->categories(), desk->options(), {2012, 9, 1});
  EXPECT_EQ(v[0], StrKh(s.card, desk->options().cardDigits));
  EXPECT_EQ(v[8], "1.5小时");
  EXPECT_EQ(v[9], "2.5小时  4次");
  EXPECT_EQ(v[11], "12.50元");
  EXPECT_NE(v[5].find("级 ("), std::string::npos);
}

}  // namespace
}  // namespace tarvolen
