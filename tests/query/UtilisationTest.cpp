// Room utilisation from small year files: sessions split over the hours,
// overlaps counted once, unfinished check-ins, the rows and the table.
#include "query/Utilisation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "query/OccupiedMinutes.h"
#include "query/QueryFixture.h"

namespace tarvolen::query {
namespace {

using testing::QueryFixture;

constexpr CivilDate kMar10{2026, 3, 10};  // a Tuesday
constexpr CivilDate kMar11{2026, 3, 11};
constexpr int kTuesday = 1, kWednesday = 2;

class UtilisationTest : public QueryFixture {
 protected:
  UtilisationTest() {
    Room(1, "琴房01");
    Room(2, "琴房02");
  }

  UtilisationContext Context() {
    folder_ = folder();
    return UtilisationContext{folder_, rooms_, categories_, 30, running_, now_};
  }
  UtilisationReport Build(CivilDate from, CivilDate to) {
    UtilisationRequest rq;
    rq.from = from;
    rq.to = to;
    return Build(rq);
  }
  UtilisationReport Build(const UtilisationRequest& rq) { return BuildUtilisation(rq, Context()); }

  // The session of `student` in `room`, checked in and out the same day.
  void Session(int year, int student, int room, CivilDate day, int in, int out, float fee = 0) {
    WriteCheckins(year, {Checkin(student, room, day, in, 0), Checkin(student, room, day, out, 1, fee)});
  }

  static const RoomUtilisation* RowOf(const UtilisationReport& r, int slot) {
    for (const auto& row : r.rooms) {
      if (row.slot == slot) return &row;
    }
    return nullptr;
  }

  std::vector<SessionRecord> running_;
  DateTime now_{{2026, 12, 10}, 15, 0, 0};
};

TEST_F(UtilisationTest, ASessionAcrossMidnightSplitsBetweenTheDays) {
  WriteCheckins(2026, {Checkin(1, 1, kMar10, 23 * 60 + 30, 0), Checkin(1, 1, kMar11, 45, 1, 3.5f)});
  const auto r = Build(kMar10, kMar11);
  const auto* room = RowOf(r, 1);
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(room->minutesByHour[23], 30);
  EXPECT_EQ(room->minutesByHour[0], 45);
  EXPECT_EQ(room->occupiedMinutes, 75);
  EXPECT_EQ(room->sessions, 1);
  EXPECT_DOUBLE_EQ(room->fees, 3.5);
  EXPECT_EQ(r.minutesByWeekdayHour[kTuesday][23], 30);
  EXPECT_EQ(r.minutesByWeekdayHour[kWednesday][0], 45);
  EXPECT_EQ(r.availableByHour[0], 120);
  EXPECT_EQ(r.firstHour, 0);
  EXPECT_EQ(r.lastHour, 23);
  // Only the second day in range: the part after midnight.
  const auto second = Build(kMar11, kMar11);
  EXPECT_EQ(RowOf(second, 1)->occupiedMinutes, 45);
  EXPECT_EQ(second.firstHour, 0);
  EXPECT_EQ(second.lastHour, 0);
}

TEST_F(UtilisationTest, ASessionAcrossTheHourSplitsExactly) {
  Session(2026, 1, 1, kMar10, 10 * 60 + 50, 11 * 60 + 20);
  const auto r = Build(kMar10, kMar10);
  const auto* room = RowOf(r, 1);
  EXPECT_EQ(room->minutesByHour[10], 10);
  EXPECT_EQ(room->minutesByHour[11], 20);
  EXPECT_EQ(r.firstHour, 10);
  EXPECT_EQ(r.lastHour, 11);
  // Opening hours 10..11 of one day: 120 available minutes.
  EXPECT_DOUBLE_EQ(room->openingShare, 30.0 / 120.0);
  EXPECT_DOUBLE_EQ(r.Share(0, 11), 20.0 / 60.0);
}

TEST_F(UtilisationTest, ARunningSessionCountsUpToNow) {
  const CivilDate today = now_.date;
  WriteCheckins(2026, {Checkin(1, 1, today, 14 * 60, 0)});
  running_.push_back({1, 1, 14 * 60, ToOle(today)});
  const auto r = Build({2026, 12, 1}, {2026, 12, 31});
  EXPECT_EQ(r.activeSessions, 1);
  EXPECT_EQ(r.estimatedSessions, 0);
  EXPECT_EQ(RowOf(r, 1)->minutesByHour[14], 60);
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 60);
  // Nine whole days, then today up to 15:00; nothing after now.
  EXPECT_EQ(r.availableByHour[14], 9 * 60 + 60);
  EXPECT_EQ(r.availableByHour[15], 9 * 60);
  EXPECT_EQ(r.availableByHour[23], 9 * 60);
  EXPECT_EQ(r.Notes(), std::vector<std::string>{"1人正在使用，计至现在"});
}

struct LimitCase {
  const char* name;
  int16_t timeLimitCode;
  bool deleted;
  int64_t minutes;  // of a check-in at 20:00 left without a check-out
};

class UnfinishedCheckin : public UtilisationTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(UnfinishedCheckin, CountsUpToItsRoomsLimit) {
  const LimitCase& c = GetParam();
  if (c.deleted) {
    rooms_[1] = RoomRecord{};
  } else {
    rooms_[1].timeLimitCode = c.timeLimitCode;
  }
  WriteCheckins(2026, {Checkin(1, 1, kMar10, 20 * 60, 0)});
  const auto r = Build(kMar10, kMar11);
  ASSERT_EQ(r.rooms.size(), 2u);
  const auto* room = RowOf(r, 1);
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(room->occupiedMinutes, c.minutes);
  EXPECT_EQ(room->estimatedSessions, 1);
  EXPECT_EQ(r.estimatedSessions, 1);
  EXPECT_EQ(r.activeSessions, 0);
  EXPECT_EQ(r.Notes(), std::vector<std::string>{"1次签到没有签退，按房间限时估算"});
}

INSTANTIATE_TEST_SUITE_P(Limits, UnfinishedCheckin,
                         ::testing::Values(LimitCase{"Default", 0, false, 30},
                                           LimitCase{"NoneCountsToTheEndOfTheDay", 1, false, 4 * 60},
                                           LimitCase{"FiveMinuteSteps", 18, false, 90},
                                           LimitCase{"DeletedRoomTakesTheDefault", 0, true, 30}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(UtilisationTest, ACheckinMatchingNoRunningSessionIsEstimated) {
  const CivilDate today = now_.date;
  WriteCheckins(2026, {Checkin(1, 1, today, 14 * 60, 0)});
  running_.push_back({1, 1, 14 * 60 + 1, ToOle(today)});  // another start
  const auto r = Build(today, today);
  EXPECT_EQ(r.activeSessions, 0);
  EXPECT_EQ(r.estimatedSessions, 1);
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 30);
}

TEST_F(UtilisationTest, AnEstimateStopsAtNow) {
  const CivilDate today = now_.date;
  WriteCheckins(2026, {Checkin(1, 1, today, 14 * 60 + 50, 0)});
  const auto r = Build(today, today);
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 10);
}

TEST_F(UtilisationTest, AMissingCheckoutDoesNotJoinTheStudentsNextSession) {
  // Checked in on the 10th and never out; the check-out of the next day
  // belongs to that day's check-in.
  WriteCheckins(
      2026, {Checkin(1, 1, kMar10, 10 * 60, 0), Checkin(1, 2, kMar11, 9 * 60, 0), Checkin(1, 2, kMar11, 10 * 60, 1)});
  const auto r = Build(kMar10, kMar11);
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 30);
  EXPECT_EQ(RowOf(r, 1)->estimatedSessions, 1);
  EXPECT_EQ(RowOf(r, 2)->occupiedMinutes, 60);
  EXPECT_EQ(RowOf(r, 2)->estimatedSessions, 0);
  EXPECT_EQ(r.estimatedSessions, 1);
}

TEST_F(UtilisationTest, AnEstimateEndsWhenTheStudentChecksInAgain) {
  rooms_[1].timeLimitCode = 1;  // no limit: would run to midnight
  WriteCheckins(2026, {Checkin(1, 1, kMar10, 10 * 60, 0), Checkin(1, 2, kMar10, 10 * 60 + 20, 0),
                       Checkin(1, 2, kMar10, 11 * 60, 1)});
  const auto r = Build(kMar10, kMar10);
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 20);
  EXPECT_EQ(RowOf(r, 2)->occupiedMinutes, 40);
}

TEST_F(UtilisationTest, OverlappingSessionsOfARoomCountEachMinuteOnce) {
  rooms_[1].capacity = 3;
  WriteCheckins(2026, {Checkin(1, 1, kMar10, 10 * 60, 0), Checkin(2, 1, kMar10, 10 * 60 + 30, 0),
                       Checkin(3, 1, kMar10, 10 * 60 + 40, 0), Checkin(3, 1, kMar10, 10 * 60 + 50, 1),
                       Checkin(1, 1, kMar10, 11 * 60, 1), Checkin(2, 1, kMar10, 11 * 60 + 30, 1)});
  const auto r = Build(kMar10, kMar10);
  const auto* room = RowOf(r, 1);
  EXPECT_EQ(room->occupiedMinutes, 90);
  EXPECT_EQ(room->minutesByHour[10], 60);
  EXPECT_EQ(room->minutesByHour[11], 30);
  EXPECT_EQ(room->sessions, 3);
  EXPECT_EQ(r.minutesByWeekdayHour[kTuesday][10], 60);
}

TEST_F(UtilisationTest, ACheckoutBeforeItsCheckinIsIgnoredAndCounted) {
  WriteCheckins(2026, {Checkin(1, 1, kMar10, 10 * 60, 0), Checkin(1, 1, kMar10, 9 * 60, 1)});
  const auto r = Build(kMar10, kMar10);
  EXPECT_EQ(r.checkoutsBeforeCheckin, 1);
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 0);
  EXPECT_EQ(RowOf(r, 1)->sessions, 0);
  EXPECT_TRUE(r.empty());
  EXPECT_EQ(r.Notes(), (std::vector<std::string>{"所选时段没有使用记录", "签退早于签到的记录1条，未计入"}));
}

TEST_F(UtilisationTest, RowsAreOpenRoomsByTypeThenUsedRoomsOutOfServiceThenDeletedSlots) {
  rooms_[1].type = 1;
  Room(3, "琴房03").serviceStatus = 1;  // out of service, used
  Room(4, "琴房04").serviceStatus = 1;  // out of service, unused: not shown
  Session(2026, 1, 3, kMar10, 600, 660);
  Session(2026, 2, 7, kMar10, 600, 630, 2.0f);  // slot 7 has no room any more
  const auto r = Build(kMar10, kMar10);
  ASSERT_EQ(r.rooms.size(), 4u);
  EXPECT_EQ(r.rooms[0].slot, 2);  // type 0
  EXPECT_EQ(r.rooms[1].slot, 3);
  EXPECT_EQ(r.rooms[2].slot, 1);  // type 1
  EXPECT_EQ(r.rooms[2].typeName, "声乐");
  const RoomUtilisation& deleted = r.rooms[3];
  EXPECT_EQ(deleted.slot, 7);
  EXPECT_TRUE(deleted.deleted);
  EXPECT_EQ(deleted.label, "房间7(已删除)");
  EXPECT_EQ(deleted.typeName, "已删除");
  EXPECT_EQ(deleted.type, -1);
  EXPECT_EQ(deleted.occupiedMinutes, 30);
  EXPECT_DOUBLE_EQ(deleted.fees, 2.0);
  EXPECT_EQ(r.totals.label, "合计");
  EXPECT_EQ(r.totals.occupiedMinutes, 90);
  EXPECT_EQ(r.totals.sessions, 2);
  EXPECT_DOUBLE_EQ(r.totals.fees, 2.0);
  // Totals' share: 90 of the opening hour's 60 minutes of four rooms.
  EXPECT_DOUBLE_EQ(r.totals.openingShare, 90.0 / 240.0);
}

TEST_F(UtilisationTest, ATypeOrAListOfRoomsChoosesTheRows) {
  rooms_[2].type = 1;
  Room(5, "声乐05").type = 1;
  UtilisationRequest rq{kMar10, kMar10, {}, 1};
  auto r = Build(rq);
  ASSERT_EQ(r.rooms.size(), 2u);
  EXPECT_EQ(r.rooms[0].slot, 2);
  EXPECT_EQ(r.rooms[1].slot, 5);
  // A slot with no room any more has no type: it is listed with any type.
  Session(2026, 1, 9, kMar10, 600, 660);
  r = Build(rq);
  ASSERT_EQ(r.rooms.size(), 3u);
  EXPECT_EQ(r.rooms[2].label, "房间9(已删除)");
  rq = {kMar10, kMar10, {5, 1, 5, 0, 1000}, std::nullopt};
  r = Build(rq);
  ASSERT_EQ(r.rooms.size(), 2u);
  EXPECT_EQ(r.rooms[0].slot, 1);
  EXPECT_EQ(r.rooms[1].slot, 5);
}

TEST_F(UtilisationTest, ARangeAcrossTheYearReadsBothFilesAndTheOldFileForJanuary) {
  now_ = {{2027, 6, 1}, 12, 0, 0};
  // The desk started in 2026 kept writing 2026.dat after midnight.
  WriteCheckins(2026, {Checkin(1, 1, {2026, 12, 31}, 23 * 60, 0), Checkin(1, 1, {2027, 1, 1}, 60, 1),
                       Checkin(2, 2, {2027, 1, 2}, 9 * 60, 0), Checkin(2, 2, {2027, 1, 2}, 10 * 60, 1)});
  WriteCheckins(2027, {Checkin(3, 1, {2027, 1, 1}, 8 * 60, 0), Checkin(3, 1, {2027, 1, 1}, 8 * 60 + 15, 1)});
  auto r = Build({2026, 12, 31}, {2027, 1, 1});
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 120 + 15);
  EXPECT_EQ(RowOf(r, 2)->occupiedMinutes, 0);
  r = Build({2027, 1, 1}, {2027, 1, 5});
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 60 + 15);
  EXPECT_EQ(RowOf(r, 2)->occupiedMinutes, 60);
}

TEST_F(UtilisationTest, EmptyAndFutureRangesGiveEmptyReports) {
  Session(2026, 1, 1, kMar10, 600, 660);
  auto r = Build(kMar11, kMar10);  // from after to
  EXPECT_TRUE(r.empty());
  EXPECT_TRUE(r.rooms.empty());
  EXPECT_EQ(r.Notes(), std::vector<std::string>{"所选时段没有使用记录"});
  EXPECT_EQ(r.totals.label, "合计");
  r = Build({2026, 4, 1}, {2026, 4, 30});  // no records
  EXPECT_TRUE(r.empty());
  EXPECT_EQ(r.rooms.size(), 2u);
  r = Build({2027, 1, 1}, {2027, 1, 31});  // after now: nothing available
  EXPECT_EQ(r.availableByHour[10], 0);
  EXPECT_DOUBLE_EQ(r.Share(0, 10), 0.0);
  r = Build({2026, 2, 30}, {2026, 3, 31});  // no such day
  EXPECT_TRUE(r.empty());
}

TEST_F(UtilisationTest, TheWidestRangeCountsWithoutOverflow) {
  // A session whose check-out lies thousands of years after its check-in.
  WriteCheckins(2026, {Checkin(1, 1, kMar10, 600, 0), Checkin(1, 1, {9999, 12, 31}, 0, 1)});
  now_ = {{9999, 12, 31}, 0, 0, 0};
  const auto r = Build({1899, 12, 30}, {9999, 12, 31});
  const int64_t minutes = int64_t{DayNumber({9999, 12, 31}) - DayNumber(kMar10)} * 1440 - 600;
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, minutes);
  EXPECT_EQ(r.availableByHour[0], int64_t{DayNumber({9999, 12, 31}) - DayNumber({1900, 1, 1})} * 60);
  EXPECT_DOUBLE_EQ(r.rooms[0].openingShare,
                   static_cast<double>(minutes) / static_cast<double>(24 * r.availableByHour[0]));
}

TEST_F(UtilisationTest, JunkRecordsAreSkippedAndCounted) {
  std::vector<CheckinRecord> junk = {Checkin(1, 0, kMar10, 600, 0), Checkin(1, 1000, kMar10, 600, 0),
                                     Checkin(1, 1, kMar10, 600, 2), Checkin(1, 1, kMar10, 1440, 0),
                                     Checkin(1, 1, kMar10, -1, 0)};
  junk.push_back(Checkin(1, 1, kMar10, 600, 0));
  junk.back().date = 1.0;  // 1899-12-31
  junk.push_back(Checkin(1, 1, kMar10, 600, 0));
  junk.back().date = std::numeric_limits<double>::quiet_NaN();
  WriteCheckins(2026, junk);
  Session(2026, 2, 1, kMar10, 600, 610);
  const auto r = Build(kMar10, kMar10);
  EXPECT_EQ(r.skippedRecords, 7);
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 10);
  EXPECT_EQ(r.estimatedSessions, 0);
  EXPECT_EQ(r.Notes(), std::vector<std::string>{"7条记录无法识别，未计入"});
}

TEST_F(UtilisationTest, AYearFileThatCannotBeReadIsNamed) {
  Session(2025, 1, 1, {2025, 3, 10}, 600, 660);
  std::filesystem::create_directories(folder().checkinYear(2026));  // reading a folder fails
  const auto r = Build({2025, 3, 1}, {2026, 3, 31});
  EXPECT_EQ(RowOf(r, 1)->occupiedMinutes, 60);
  EXPECT_NE(r.readFault.find("2026.dat"), std::string::npos) << r.readFault;
  EXPECT_EQ(r.Notes().back(), r.readFault);
}

TEST_F(UtilisationTest, StepsReportProgressAndGiveTheWholeResult) {
  std::vector<CheckinRecord> records;
  for (int d = 1; d <= 28; ++d) {
    for (int s = 1; s <= 20; ++s) {
      records.push_back(Checkin(s, 1 + s % 2, {2026, 2, d}, 480 + s * 20, 0));
      records.push_back(Checkin(s, 1 + s % 2, {2026, 2, d}, 480 + s * 20 + 15, 1, 1.0f));
    }
  }
  WriteCheckins(2026, records);
  UtilisationRequest rq{{2026, 2, 1}, {2026, 2, 28}, {}, std::nullopt};
  UtilisationBuilder builder(rq, Context());
  EXPECT_DOUBLE_EQ(builder.Progress(), 0.0);
  double last = 0;
  int steps = 0;
  while (!builder.Step(16)) {
    EXPECT_GE(builder.Progress(), last);
    EXPECT_LT(builder.Progress(), 1.0);
    last = builder.Progress();
    ++steps;
  }
  EXPECT_GT(steps, 1);
  EXPECT_DOUBLE_EQ(builder.Progress(), 1.0);
  const auto stepped = builder.Take();
  const auto whole = Build(rq);
  EXPECT_EQ(stepped.totals.occupiedMinutes, 28 * 20 * 15);
  EXPECT_EQ(stepped.totals.occupiedMinutes, whole.totals.occupiedMinutes);
  EXPECT_EQ(stepped.minutesByWeekdayHour, whole.minutesByWeekdayHour);
  EXPECT_DOUBLE_EQ(stepped.totals.fees, 28 * 20);
}

// The weekday × hour map over two weeks, 2 to 15 March 2026 (Monday to
// Sunday twice): 14 days, each weekday twice, two rooms.
struct HeatCase {
  int weekday;
  int hour;
  double share;
};

class HeatMap : public UtilisationTest, public ::testing::WithParamInterface<HeatCase> {};

TEST_P(HeatMap, SharesOfTheWeekdayHours) {
  // Monday 2 March 10:00-11:00 in room 1, Monday 9 March 10:00-10:30 in
  // room 2; Sunday 15 March 20:30-21:15 in room 1.
  Session(2026, 1, 1, {2026, 3, 2}, 600, 660);
  Session(2026, 2, 2, {2026, 3, 9}, 600, 630);
  Session(2026, 3, 1, {2026, 3, 15}, 20 * 60 + 30, 21 * 60 + 15);
  const auto r = Build({2026, 3, 2}, {2026, 3, 15});
  const HeatCase& c = GetParam();
  EXPECT_EQ(r.availableByWeekdayHour[static_cast<size_t>(c.weekday)][static_cast<size_t>(c.hour)], 120);
  EXPECT_DOUBLE_EQ(r.WeekdayShare(c.weekday, c.hour), c.share);
}

// Two days × 60 minutes × two rooms = 240 available per cell.
INSTANTIATE_TEST_SUITE_P(Cells, HeatMap,
                         ::testing::Values(HeatCase{0, 10, 90.0 / 240.0}, HeatCase{0, 11, 0.0},
                                           HeatCase{6, 20, 30.0 / 240.0}, HeatCase{6, 21, 15.0 / 240.0},
                                           HeatCase{1, 10, 0.0}, HeatCase{0, 9, 0.0}));

TEST_F(UtilisationTest, TheTableHasTheRoomsTheTotalsAndTheWeekdays) {
  Session(2026, 1, 1, kMar10, 600, 690, 12.5f);
  Session(2026, 2, 2, kMar10, 11 * 60, 11 * 60 + 30);
  const auto r = Build(kMar10, kMar10);
  const auto rows = UtilisationTable(r);
  ASSERT_EQ(rows.size(), 2u + 2u + 1u + 1u + 1u + 7u);
  EXPECT_EQ(rows[0][0].text, "房间使用率 2026年03月10日至2026年03月10日");
  std::vector<std::string> heading;
  for (const auto& cell : rows[1]) heading.push_back(cell.text);
  EXPECT_EQ(heading,
            (std::vector<std::string>{"房间", "类型", "使用小时", "次数", "开放时段占用率", "收费", "10时", "11时"}));
  const CellRow& first = rows[2];
  ASSERT_EQ(first.size(), 8u);
  EXPECT_EQ(first[0].text, "琴房01");
  EXPECT_EQ(first[1].text, "钢琴");
  EXPECT_TRUE(first[2].number);
  EXPECT_DOUBLE_EQ(first[2].value, 1.5);
  EXPECT_EQ(first[2].text, "1.50");
  EXPECT_DOUBLE_EQ(first[3].value, 1);
  EXPECT_DOUBLE_EQ(first[4].value, 90.0 / 120.0);
  EXPECT_EQ(first[4].text, "0.750");
  EXPECT_EQ(first[5].text, "12.50");
  EXPECT_DOUBLE_EQ(first[6].value, 1.0);
  EXPECT_DOUBLE_EQ(first[7].value, 0.5);
  const CellRow& totals = rows[4];
  EXPECT_EQ(totals[0].text, "合计");
  EXPECT_DOUBLE_EQ(totals[2].value, 2.0);
  EXPECT_DOUBLE_EQ(totals[6].value, 0.5);  // 60 of 2 × 60
  EXPECT_DOUBLE_EQ(totals[7].value, 0.5);  // 30 + 30 of 2 × 60
  EXPECT_TRUE(rows[5].empty());
  EXPECT_EQ(rows[6][0].text, "星期");
  EXPECT_EQ(rows[8][0].text, "星期二");
  EXPECT_DOUBLE_EQ(rows[8][1].value, 0.5);
}

TEST_F(UtilisationTest, TheCsvQuotesAndEndsLinesWithCrLf) {
  rooms_[1].name = "A,\"B\"";
  Session(2026, 1, 1, kMar10, 600, 630);
  const auto csv = UtilisationCsv(Build(kMar10, kMar10));
  EXPECT_EQ(csv.substr(0, csv.find("\r\n", csv.find("\r\n") + 2) + 2),
            "房间使用率 2026年03月10日至2026年03月10日\r\n房间,类型,使用小时,次数,开放时段占用率,收费,10时\r\n");
  EXPECT_NE(csv.find("\r\n\"A,\"\"B\"\"\",钢琴,0.50,1,0.500,0.00,0.500\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\n合计,,0.50,1,0.250,0.00,0.250\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\n\r\n星期,10时\r\n星期一,0.000\r\n星期二,0.250\r\n"), std::string::npos) << csv;
  EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
  EXPECT_EQ(csv.find('\n'), csv.find("\r\n") + 1);
}

TEST(DefaultUtilisationRequest, IsTheSemesterOfToday) {
  const Dividers div{815, 215};
  struct Case {
    CivilDate today, from, to;
  };
  for (const Case& c :
       {Case{{2026, 12, 10}, {2026, 8, 15}, {2027, 2, 14}}, Case{{2026, 3, 1}, {2026, 2, 15}, {2026, 8, 14}},
        Case{{2026, 2, 14}, {2025, 8, 15}, {2026, 2, 14}}, Case{{2026, 8, 15}, {2026, 2, 15}, {2026, 8, 15}}}) {
    const auto rq = DefaultUtilisationRequest(c.today, div);
    EXPECT_EQ(rq.from, c.from) << c.today.year << "-" << c.today.month << "-" << c.today.day;
    EXPECT_EQ(rq.to, c.to) << c.today.year << "-" << c.today.month << "-" << c.today.day;
    EXPECT_TRUE(rq.rooms.empty());
    EXPECT_FALSE(rq.type);
  }
}

TEST(OccupiedMinutes, MergesOverlapsAndSpreadsOverTheHours) {
  std::vector<MinuteInterval> in = {{100, 200}, {150, 160}, {200, 230}, {300, 300}, {0, 10}};
  MergeIntervals(in);
  ASSERT_EQ(in.size(), 2u);
  EXPECT_EQ(in[0].from, 0);
  EXPECT_EQ(in[0].to, 10);
  EXPECT_EQ(in[1].from, 100);
  EXPECT_EQ(in[1].to, 230);
  HourMinutes hours{};
  WeekdayHourMinutes weekdays{};
  EXPECT_EQ(SpreadOverHours(in, hours, weekdays), 140);
  EXPECT_EQ(hours[0], 10);
  EXPECT_EQ(hours[1], 20);
  EXPECT_EQ(hours[2], 60);
  EXPECT_EQ(hours[3], 50);
  EXPECT_EQ(weekdays[5][2], 60);  // day 0 was a Saturday
  // Whole days go in at once: Saturday 12:00 to the second Monday after, 06:30.
  std::vector<MinuteInterval> week = {{720, 9 * 1440 + 390}};
  hours = {};
  weekdays = {};
  EXPECT_EQ(SpreadOverHours(week, hours, weekdays), 9 * 1440 + 390 - 720);
  EXPECT_EQ(hours[6], 8 * 60 + 30);  // eight whole days and the last morning
  EXPECT_EQ(hours[7], 8 * 60);
  EXPECT_EQ(hours[12], 9 * 60);  // the first afternoon too
  EXPECT_EQ(hours[11], 8 * 60);
  EXPECT_EQ(weekdays[5][11], 60);   // the second Saturday only
  EXPECT_EQ(weekdays[5][12], 120);  // both Saturdays
  EXPECT_EQ(weekdays[0][6], 90);    // two Mondays: one whole, 30 minutes of the next
  EXPECT_EQ(weekdays[0][7], 60);
}

}  // namespace
}  // namespace tarvolen::query
