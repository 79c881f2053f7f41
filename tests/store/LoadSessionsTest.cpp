// Restoring the running sessions from shuju.dat at start-up.
#include <gtest/gtest.h>

#include <limits>

#include "session/RoomAssignment.h"
#include "store/ActiveSessionTable.h"
#include "session/SessionClock.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using namespace settings;

// A start date a session written by the desk carries; 0 (1899-12-30) is not one.
const OleDate kDay = ToOle(CivilDate{2012, 3, 5});

class LoadSessionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = testing::OpenSettings(temp_);
    ASSERT_TRUE(settings_);
    for (int r = 1; r <= 3; ++r) {
      rooms_[r].name = "R" + std::to_string(r);
      rooms_[r].capacity = 2;
    }
    rooms_[3].serviceStatus = 1;  // out of service: no places
  }

  void write(int n, SessionRecord s) {
    auto f = RecordFile::Open(temp_.path("shuju.dat"), kSessionRecordLength);
    ASSERT_TRUE(f.ok());
    ASSERT_TRUE(f->write(n, Pack(s).value()).ok());
  }

  void load(int32_t count, int overtimeMinutes = 0) {
    auto f = RecordFile::Open(temp_.path("shuju.dat"), kSessionRecordLength);
    ASSERT_TRUE(f.ok());
    table_.SetPlacesFromRooms(rooms_);
    ActiveSessionTable::LoadContext ctx{rooms_, students_,
                                        [overtimeMinutes](const SessionRecord&) { return overtimeMinutes; },
                                        [this](const std::string& m) { messages_.push_back(m); }};
    table_.LoadSessions(std::move(f.value()), *settings_, count, ctx);
  }

  testing::TempDir temp_;
  std::optional<SettingsFile> settings_;
  RoomTable rooms_;
  StudentTable students_;
  ActiveSessionTable table_;
  std::vector<std::string> messages_;
};

TEST_F(LoadSessionsTest, FreeRecordsAreRememberedForReuse) {
  write(1, {0, 7, 600, kDay});  // freed, other members kept
  write(2, {1, 8, 610, kDay});
  ASSERT_TRUE(settings_->writeLong(kSessionCount, 1).ok());
  load(1);
  ASSERT_EQ(table_.count(), 1);
  EXPECT_EQ(table_.at(0).student, 8);
  EXPECT_EQ(table_.freeRecords(), "0001");
  EXPECT_EQ(table_.highestRecord(), 2);
  EXPECT_EQ(table_.onlineCount(), 1);
  EXPECT_EQ(table_.freePlaces(1), 1);
  EXPECT_EQ(table_.FindSession(8), 0);
  EXPECT_EQ(table_.FindSession(7), -1);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(LoadSessionsTest, RecordsAfterTheLastSessionAreNotRead) {
  write(1, {1, 1, 600, kDay});
  write(2, {2, 2, 600, kDay});
  write(3, {0, 3, 600, kDay});
  load(2);
  EXPECT_EQ(table_.count(), 2);
  EXPECT_EQ(table_.highestRecord(), 2);
  EXPECT_EQ(table_.freeRecords(), "");
}

TEST_F(LoadSessionsTest, ShortFileStopsTheLoadAndCorrectsTheCount) {
  write(1, {1, 1, 600, kDay});
  write(2, {0, 2, 600, kDay});
  ASSERT_TRUE(settings_->writeLong(kSessionCount, 5).ok());
  load(5);
  EXPECT_EQ(table_.count(), 1);
  EXPECT_EQ(table_.highestRecord(), 2);
  EXPECT_EQ(settings_->longAt(kSessionCount), 1);
}

TEST_F(LoadSessionsTest, RoomWithoutAFreePlaceIsGivenOne) {
  write(1, {3, 1, 600, kDay});  // room out of service
  write(2, {1, 2, 600, kDay});
  write(3, {1, 3, 600, kDay});
  write(4, {1, 4, 600, kDay});  // room 1 has only two places
  load(4);
  EXPECT_EQ(table_.count(), 4);
  EXPECT_EQ(messages_, (std::vector<std::string>{"房间数据异常。", "房间数据异常。"}));
  EXPECT_EQ(table_.freePlaces(3), 0);
  EXPECT_EQ(table_.freePlaces(1), 0);
  EXPECT_EQ(table_.onlineCount(), 4);
}

TEST_F(LoadSessionsTest, RecordsNamingImpossibleSlotsAreSkippedNotIndexed) {
  write(1, {1200, 1, 600, kDay});
  write(2, {1, 5001, 600, kDay});
  write(3, {1, -4, 600, kDay});
  write(4, {2, 9, 600, kDay});
  load(4);
  ASSERT_EQ(table_.count(), 1);
  EXPECT_EQ(table_.at(0).student, 9);
  EXPECT_EQ(messages_.size(), 3u);
  EXPECT_EQ(table_.freeRecords(), "000100020003");
  EXPECT_EQ(settings_->longAt(kSessionCount), 1);
}

TEST_F(LoadSessionsTest, OvertimeMarkedFromOneMinutePastTheLimit) {
  for (int over : {0, 1}) {
    ActiveSessionTable fresh;
    table_ = std::move(fresh);
    write(1, {1, 1, 600, kDay});
    load(1, over);
    EXPECT_EQ(table_.isOvertime(0), over >= 1) << over;
    EXPECT_EQ(table_.overtimeCount(), over >= 1 ? 1 : 0);
  }
}

TEST_F(LoadSessionsTest, TableHoldsAtMostItsCapacity) {
  for (int n = 1; n <= 1003; ++n) write(n, {1, static_cast<int16_t>(n % 5000 + 1), 600, kDay});
  load(1003);
  EXPECT_EQ(table_.count(), ActiveSessionTable::kCapacity);
}

TEST_F(LoadSessionsTest, SessionWithAnImpossibleStartIsLoadedButNeverTimed) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const OleDate firstDay = ToOle(CivilDate{1900, 1, 1});
  const OleDate lastDay = ToOle(CivilDate{9999, 12, 31});
  const OleDate today = ToOle(CivilDate{2012, 3, 5});
  struct Case {
    OleDate date;
    int16_t minute;
    bool valid;
  } cases[] = {
      {today, 600, true},          {1e308, 600, false},       {-1e308, 600, false},  {nan, 600, false},
      {inf, 600, false},           {-inf, 600, false},        {firstDay, 600, true}, {firstDay - 1, 600, false},
      {lastDay + 0.99, 600, true}, {lastDay + 1, 600, false}, {0, 600, false},       {today, -30000, false},
      {today, -1, false},          {today, 0, true},          {today, 1439, true},   {today, 1440, false},
      {today, 32767, false},
  };
  const DateTime now{{2012, 3, 5}, 23, 59, 0};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.date << " " << c.minute);
    table_ = ActiveSessionTable();
    messages_.clear();
    const SessionRecord s{1, 1, c.minute, c.date};
    write(1, s);
    load(1, 5000);                 // whatever the caller computes, only a valid start is overtime
    ASSERT_EQ(table_.count(), 1);  // the operator can still check the student out
    EXPECT_EQ(table_.freePlaces(1), 1);
    EXPECT_EQ(table_.isOvertime(0), c.valid);
    EXPECT_EQ(messages_, c.valid ? std::vector<std::string>{} : std::vector<std::string>{InvalidStartMessage("R1")});
    EXPECT_EQ(HasValidStart(s), c.valid);
    if (!c.valid) {
      EXPECT_EQ(SessionElapsedMinutes(s, now), 0);
      // Not overtime even under a limit a damaged option makes negative.
      EXPECT_LE(SessionOvertime(s, rooms_, -32768, now), 0);
    }
  }
}

TEST_F(LoadSessionsTest, ImpossibleCountIsReportedAndTheSessionsAreTakenFromTheFile) {
  for (int32_t stored : {-1, -32768, std::numeric_limits<int32_t>::min(), 1002, std::numeric_limits<int32_t>::max()}) {
    SCOPED_TRACE(stored);
    table_ = ActiveSessionTable();
    messages_.clear();
    write(1, {1, 1, 600, kDay});
    write(2, {0, 2, 600, kDay});
    write(3, {2, 3, 600, kDay});
    ASSERT_TRUE(settings_->writeLong(kSessionCount, stored).ok());
    load(stored);
    ASSERT_EQ(table_.count(), 2);
    EXPECT_EQ(table_.at(0).student, 1);
    EXPECT_EQ(table_.at(1).student, 3);
    EXPECT_EQ(table_.freeRecords(), "0002");
    EXPECT_EQ(messages_, std::vector<std::string>{kImpossibleSessionCountMessage});
    EXPECT_EQ(settings_->longAt(kSessionCount), 2);
  }
}

SessionRecord ReadSession(const testing::TempDir& temp, int n) {
  auto f = RecordFile::Open(temp.path("shuju.dat"), kSessionRecordLength);
  EXPECT_TRUE(f.ok());
  return UnpackSession(f->read(n).value());
}

TEST_F(LoadSessionsTest, AddReusesTheFirstFreeRecordThenGrowsTheFile) {
  write(1, {0, 7, 600, kDay});
  write(2, {1, 8, 610, kDay});
  load(1);
  const DateTime now{{2012, 3, 5}, 10, 47, 30};
  bool betweenRan = false;
  ASSERT_TRUE(table_
                  .AddSession(9, 2, now, *settings_,
                              [&] {
                                // The entry is filled, the file and the count not yet.
                                betweenRan = true;
                                EXPECT_EQ(table_.count(), 1);
                                EXPECT_EQ(ReadSession(temp_, 1).room, 0);
                              })
                  .ok());
  EXPECT_TRUE(betweenRan);
  SessionRecord r1 = ReadSession(temp_, 1);
  EXPECT_EQ(r1.room, 2);
  EXPECT_EQ(r1.student, 9);
  EXPECT_EQ(r1.startMinute, 10 * 60 + 47);
  EXPECT_EQ(r1.startDate, ToOle(CivilDate{2012, 3, 5}));
  EXPECT_EQ(table_.count(), 2);
  EXPECT_EQ(settings_->longAt(kSessionCount), 2);
  EXPECT_EQ(table_.freePlaces(2), 1);
  // No free record left: the next one goes after the highest.
  ASSERT_TRUE(table_.AddSession(10, 2, now, *settings_).ok());
  EXPECT_EQ(ReadSession(temp_, 3).student, 10);
  EXPECT_EQ(table_.highestRecord(), 3);
}

TEST_F(LoadSessionsTest, RemoveMovesTheLastSessionIntoTheGap) {
  for (int n = 1; n <= 3; ++n) write(n, {1, static_cast<int16_t>(n), 600, kDay});
  rooms_[1].capacity = 5;
  load(3, 1);  // all overtime
  auto removed = table_.RemoveSession(1, *settings_);
  EXPECT_EQ(removed.position, 0);
  EXPECT_EQ(removed.room, 1);
  ASSERT_EQ(table_.count(), 2);
  EXPECT_EQ(table_.at(0).student, 3);
  EXPECT_EQ(table_.at(1).student, 2);
  EXPECT_TRUE(table_.isOvertime(0));  // the mark moved with its session
  EXPECT_EQ(table_.overtimeCount(), 2);
  EXPECT_EQ(ReadSession(temp_, 1).room, 0);
  EXPECT_EQ(ReadSession(temp_, 1).student, 1);  // other members kept
  EXPECT_EQ(table_.freeRecords(), "0001");
  EXPECT_EQ(settings_->longAt(kSessionCount), 2);
  EXPECT_EQ(table_.lastVacatedRoom(), 1);
  EXPECT_EQ(table_.RemoveSession(1, *settings_).position, -1);  // not checked in
}

TEST_F(LoadSessionsTest, SecondSessionOfTheDayFreesItsOwnRecord) {
  load(0);
  const DateTime now{{2012, 3, 5}, 9, 0, 0};
  ASSERT_TRUE(table_.AddSession(4, 1, now, *settings_).ok());  // record 1
  ASSERT_TRUE(table_.AddSession(5, 1, now, *settings_).ok());  // record 2
  table_.RemoveSession(4, *settings_);                         // frees 1
  ASSERT_TRUE(table_.AddSession(6, 2, now, *settings_).ok());  // reuses 1
  ASSERT_TRUE(table_.AddSession(4, 2, now, *settings_).ok());  // record 3
  table_.RemoveSession(4, *settings_);
  EXPECT_EQ(ReadSession(temp_, 1).student, 6);
  EXPECT_EQ(ReadSession(temp_, 1).room, 2);  // the other student's session untouched
  EXPECT_EQ(ReadSession(temp_, 3).room, 0);
}

TEST_F(LoadSessionsTest, FullTableRefusesAnotherSession) {
  load(0);
  rooms_[1].capacity = 255;
  const DateTime now{{2012, 3, 5}, 9, 0, 0};
  for (int s = 1; s <= ActiveSessionTable::kCapacity; ++s) ASSERT_TRUE(table_.AddSession(s, 1, now, *settings_).ok());
  Status refused = table_.AddSession(2000, 1, now, *settings_);
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(table_.count(), ActiveSessionTable::kCapacity);
  EXPECT_EQ(settings_->longAt(kSessionCount), ActiveSessionTable::kCapacity);
}

TEST(SessionClock, ElapsedMinutesAndLimits) {
  struct Case {
    CivilDate start;
    int startMinute;
    DateTime now;
    int expected;
  } cases[] = {
      {{2012, 3, 5}, 600, {{2012, 3, 5}, 10, 47, 59}, 47},                 // seconds dropped
      {{2012, 3, 5}, 1430, {{2012, 3, 6}, 0, 5, 0}, 15},                   // across midnight
      {{2012, 3, 5}, 600, {{2012, 3, 5}, 9, 40, 0}, -20},                  // clock set back
      {{2012, 1, 1}, 0, {{2012, 3, 1}, 0, 0, 0}, 20 * 1440},               // days capped at 20
      {{1900, 1, 1}, 0, {{2012, 3, 1}, 23, 59, 0}, 20 * 1440 + 1439},      // the most there can be
      {{9999, 12, 31}, 1439, {{2012, 3, 1}, 0, 0, 0}, -20 * 1440 - 1439},  // and the least
      {{2012, 3, 26}, 600, {{2012, 3, 1}, 10, 0, 0}, -20 * 1440},          // 25 days back
  };
  for (const auto& c : cases) {
    SessionRecord s{1, 1, static_cast<int16_t>(c.startMinute), ToOle(c.start)};
    EXPECT_EQ(SessionElapsedMinutes(s, c.now), c.expected);
  }
  // Ten thousand years in 64 bits, then clamped: 1e308 used to overflow an int.
  EXPECT_EQ(SessionElapsedMinutes(SessionRecord{1, 1, 0, 1e308}, {{2012, 3, 1}, 0, 0, 0}), 0);
  EXPECT_EQ(RoomTimeLimit(0, 45), 45);
  EXPECT_EQ(RoomTimeLimit(1, 45), kNoTimeLimit);
  EXPECT_EQ(RoomTimeLimit(60, 45), 300);
  EXPECT_EQ(RoomTimeLimit(2, 45), 10);
}

}  // namespace
}  // namespace tarvolen
