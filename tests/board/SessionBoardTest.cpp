// The session list of the main window: rows, sort keys, paging, the flash
// of a new session's row, the selection and the counters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "board/ListCursor.h"
#include "board/SessionBoard.h"
#include "platform/fake/FakeTimers.h"
#include "support/SessionTables.h"

namespace tarvolen {
namespace {

constexpr int kLimit = 60;
const DateTime kNow{{2012, 9, 1}, 10, 0, 0};  // minute 600
const CivilDate kToday{2012, 9, 1};

class SessionBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t_.categories.majors[2] = "钢琴";
    t_.categories.majors[3] = "声乐";
    t_.categories.grades[0] = "一年级";
    t_.categories.grades[1] = "二年级";
  }

  // `count` sessions of students N00.. in rooms R1.. (10 places each),
  // all 30 minutes before their limit.
  void sessions(int count) {
    for (int r = 1; r <= 40; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 10);
    for (int i = 0; i < count; ++i) {
      const std::string n = (i < 10 ? "N0" : "N") + std::to_string(i);
      t_.addStudent(i + 1, 50000 + i, n, 2);
      t_.addSession(i % 40 + 1, i + 1, 570, kToday);
    }
  }

  void load() { t_.load(kNow, kLimit); }
  SessionListContext ctx() const {
    return {t_.rooms, t_.students, *t_.sessions, t_.categories, Dividers{}, kLimit, kNow};
  }
  void show(int a = 0) { board_.ShowSessionList(ctx(), a); }
  int filledRows() const {
    int n = 0;
    for (const SessionRow& r : board_.rows()) n += r.showsEntry() ? 1 : 0;
    return n;
  }

  testing::SessionTables t_;
  FakeTimerFactory timers_;
  ListCursor cursor_;
  SessionBoard board_{cursor_, timers_.make()};
};

TEST_F(SessionBoardTest, StartsSortedByNameAscendingWithoutSelection) {
  EXPECT_EQ(board_.sortColumn(), 0);
  EXPECT_EQ(board_.direction(), 0);
  EXPECT_EQ(board_.selectedRow(), -1);
  EXPECT_FALSE(board_.flashing());
}

TEST_F(SessionBoardTest, TheNineCellsOfARow) {
  t_.addRoom(1, "101", 3, 2);
  t_.addStudent(2, 20002, "王一", 2).enrolled = ToOle(CivilDate{2011, 9, 1});
  t_.addSession(1, 2, 510, kToday);  // 8:30, 90 used, 30 over
  load();
  show();
  const SessionRow& r = board_.rows()[0];
  EXPECT_EQ(r.student, 2);
  EXPECT_EQ(r.room, 1);
  EXPECT_EQ(r.name, "王一");
  EXPECT_EQ(r.card, "20002");
  EXPECT_EQ(r.checkIn, "8:30");
  EXPECT_EQ(r.used, "1时30分");
  EXPECT_EQ(r.usedTooltip, "2012-09-01");
  EXPECT_EQ(r.roomName, "101");
  EXPECT_EQ(r.typeName, "声乐");
  EXPECT_EQ(r.grade, "11级|二年级");
  EXPECT_EQ(r.major, "钢琴");
  EXPECT_EQ(r.overtime, "0:30");
  EXPECT_EQ(r.textColour, cellcolour::kOvertimeText);
  const SessionRow& empty = board_.rows()[1];
  EXPECT_FALSE(empty.showsEntry());
  EXPECT_EQ(empty.student, 0);
  EXPECT_EQ(empty.room, 0);
  EXPECT_EQ(empty.usedTooltip, "");
  EXPECT_EQ(empty.name, "");
}

struct ColourCase {
  const char* what;
  int timeLimitCode;
  int startMinute;
  std::string overtime;
  int colour;
};

TEST_F(SessionBoardTest, TextColourFollowsTheOvertimeText) {
  const std::vector<ColourCase> cases = {
      {"5 minutes before the limit", 0, 545, "余0:05", cellcolour::kText},
      {"at the limit", 0, 540, "0:00", cellcolour::kOvertimeText},
      {"a minute over", 0, 539, "0:01", cellcolour::kOvertimeText},
      {"no time limit", 1, 300, "----", cellcolour::kText},
      {"code 24: two hours", 24, 540, "余1:00", cellcolour::kText},
  };
  for (const auto& c : cases) {
    testing::SessionTables t;
    t.addRoom(1, "101", 2, 1, c.timeLimitCode);
    t.addStudent(2, 20002, "王一", 2);
    t.addSession(1, 2, c.startMinute, kToday);
    t.load(kNow, kLimit);
    board_.ShowSessionList({t.rooms, t.students, *t.sessions, t.categories, Dividers{}, kLimit, kNow}, 0);
    EXPECT_EQ(board_.rows()[0].overtime, c.overtime) << c.what;
    EXPECT_EQ(board_.rows()[0].textColour, c.colour) << c.what;
  }
}

struct KeyCase {
  int column;
  std::string key;
};

TEST_F(SessionBoardTest, SortKeysByColumn) {
  t_.addRoom(7, "107", 3, 2);
  t_.addStudent(2, 20002, "王一", 2).enrolled = ToOle(CivilDate{2011, 9, 1});  // day 40787
  t_.addSession(7, 2, 510, kToday);
  load();
  const std::vector<KeyCase> cases = {
      {0, "王一      000"}, {1, "0000020002000"}, {2, "0000000510000"}, {3, "0000000090000"}, {4, "0000000007000"},
      {5, "0000000003000"}, {6, "0000040787000"}, {7, "0000000002000"}, {8, "000000030+000"},
  };
  for (const auto& c : cases) {
    board_.setOrdering(c.column, 0);
    show();
    EXPECT_EQ(board_.keys(), std::vector<std::string>{c.key}) << c.column;
  }
}

TEST_F(SessionBoardTest, ThirtyOneSessionsMakeTwoPages) {
  sessions(31);
  load();
  show();
  EXPECT_EQ(board_.pageRange(), 1);
  EXPECT_EQ(filledRows(), 30);
  EXPECT_EQ(board_.rows()[0].name, "N00");
  EXPECT_EQ(board_.ShowCounters(*t_.sessions).page, "第1/2页");
  cursor_.pageDown(31);
  show();
  EXPECT_EQ(board_.page(), 1);
  EXPECT_EQ(filledRows(), 1);
  EXPECT_EQ(board_.rows()[0].name, "N30");
  EXPECT_EQ(board_.ShowCounters(*t_.sessions).page, "第2/2页");
}

TEST_F(SessionBoardTest, DescendingShowsTheListFromTheEnd) {
  sessions(31);
  load();
  board_.setOrdering(0, 1);
  show();
  EXPECT_EQ(board_.rows()[0].name, "N30");
  EXPECT_EQ(board_.rows()[29].name, "N01");
  board_.ShowPage(ctx(), 1);
  EXPECT_EQ(board_.rows()[0].name, "N00");
  EXPECT_EQ(filledRows(), 1);
}

TEST_F(SessionBoardTest, APageBeyondTheRangeShowsTheLastPage) {
  sessions(31);
  load();
  cursor_.set(4, 0);
  show();
  EXPECT_EQ(board_.page(), 1);
  EXPECT_EQ(board_.rows()[0].name, "N30");
}

TEST_F(SessionBoardTest, ANewSessionIsShownOnItsPageAndFlashes) {
  sessions(31);
  load();
  board_.setOrdering(0, 1);  // by name, descending
  show(1);                   // N00: last in the descending list
  EXPECT_EQ(board_.page(), 1);
  EXPECT_EQ(board_.rows()[0].student, 1);
  EXPECT_TRUE(board_.flashing());
  EXPECT_EQ(board_.flashRow(), 0);
  EXPECT_EQ(board_.selectedRow(), -1);  // the flash does not select

  show(31);  // N30: first in the list
  EXPECT_EQ(board_.page(), 0);
  EXPECT_EQ(board_.rows()[0].student, 31);
  show(16);  // N15: display position 15
  EXPECT_EQ(board_.flashRow(), 15);
  EXPECT_EQ(board_.rows()[15].student, 16);
}

TEST_F(SessionBoardTest, TheFlashRunsFiftyOneTicksInSixColours) {
  sessions(3);
  load();
  show(2);
  ASSERT_EQ(board_.flashRow(), 1);
  EXPECT_FALSE(board_.rows()[1].flashColour.has_value());  // nothing until the first tick
  for (int tick = 0; tick < 50; ++tick) {
    timers_.advance(SessionBoard::kFlashIntervalMs);
    ASSERT_TRUE(board_.rows()[1].flashColour.has_value()) << tick;
    EXPECT_EQ(*board_.rows()[1].flashColour, kFlashColours[static_cast<size_t>(tick % 6)]) << tick;
    EXPECT_TRUE(board_.flashing()) << tick;
  }
  EXPECT_FALSE(board_.rows()[0].flashColour.has_value());
  timers_.advance(SessionBoard::kFlashIntervalMs);  // the 51st tick
  EXPECT_FALSE(board_.flashing());
  EXPECT_FALSE(board_.rows()[1].flashColour.has_value());
  EXPECT_EQ(board_.rows()[1].background, cellcolour::kBackground);
  timers_.advance(10 * SessionBoard::kFlashIntervalMs);
  EXPECT_EQ(board_.flashCounter(), 51);
}

TEST_F(SessionBoardTest, AFlashEndsInTheSelectedColourOnTheSelectedRow) {
  sessions(3);
  load();
  show();
  board_.SelectSessionRow(2);
  show(3);
  ASSERT_EQ(board_.flashRow(), 2);
  timers_.advance(3 * SessionBoard::kFlashIntervalMs);
  EXPECT_TRUE(board_.rows()[2].flashColour.has_value());
  board_.StopFlash();
  EXPECT_FALSE(board_.flashing());
  EXPECT_FALSE(board_.rows()[2].flashColour.has_value());
  EXPECT_EQ(board_.rows()[2].background, cellcolour::kSelected);
}

TEST_F(SessionBoardTest, ANewFlashFinishesTheRunningOne) {
  sessions(3);
  load();
  show(1);
  timers_.advance(2 * SessionBoard::kFlashIntervalMs);
  ASSERT_TRUE(board_.rows()[0].flashColour.has_value());
  board_.FlashSessionRow(2);
  EXPECT_FALSE(board_.rows()[0].flashColour.has_value());
  EXPECT_EQ(board_.rows()[0].background, cellcolour::kBackground);
  EXPECT_EQ(board_.flashRow(), 2);
  EXPECT_EQ(board_.flashCounter(), 0);
  timers_.advance(SessionBoard::kFlashIntervalMs);
  EXPECT_EQ(*board_.rows()[2].flashColour, kFlashColours[0]);
}

TEST_F(SessionBoardTest, ChangingThePageStopsTheFlash) {
  sessions(31);
  load();
  show(5);
  ASSERT_TRUE(board_.flashing());
  board_.ShowPage(ctx(), 1);
  EXPECT_FALSE(board_.flashing());
  EXPECT_EQ(board_.page(), 1);
}

TEST_F(SessionBoardTest, FlashTableAsBlueGreenRed) {
  const int rgb[8][3] = {{255, 0, 0},   {255, 128, 0}, {255, 255, 0}, {0, 255, 0},
                         {0, 255, 255}, {0, 0, 255},   {255, 0, 255}, {255, 255, 255}};
  for (size_t i = 0; i < 8; ++i) {
    const uint32_t v = static_cast<uint32_t>(rgb[i][0]) | static_cast<uint32_t>(rgb[i][1]) << 8 |
                       static_cast<uint32_t>(rgb[i][2]) << 16;
    EXPECT_EQ(kFlashColours[i], v) << i;
  }
}

TEST_F(SessionBoardTest, SelectingARowMovesTheBackground) {
  sessions(5);
  load();
  show();
  board_.SelectSessionRow(3);
  EXPECT_EQ(board_.selectedRow(), 3);
  EXPECT_EQ(board_.rows()[3].background, cellcolour::kSelected);
  board_.SelectSessionRow(1);
  EXPECT_EQ(board_.rows()[3].background, cellcolour::kBackground);
  EXPECT_EQ(board_.rows()[1].background, cellcolour::kSelected);
  board_.SelectSessionRow(7);  // no entry
  EXPECT_EQ(board_.selectedRow(), 1);
  EXPECT_EQ(board_.rows()[7].background, cellcolour::kBackground);
  EXPECT_EQ(cursor_.row(), 1);
}

TEST_F(SessionBoardTest, TheSelectionWalksUpToARowWithAName) {
  sessions(31);
  load();
  show();
  board_.SelectSessionRow(20);
  cursor_.pageDown(31);  // row 20 of page 1 is empty
  show();
  EXPECT_EQ(board_.selectedRow(), 0);
  EXPECT_EQ(board_.rows()[0].background, cellcolour::kSelected);
  EXPECT_EQ(board_.rows()[20].background, cellcolour::kBackground);
}

TEST_F(SessionBoardTest, KeysMovingTheCursorMoveTheBackground) {
  sessions(5);
  load();
  show();
  board_.SelectSessionRow(0);
  ASSERT_TRUE(cursor_.down(5));
  board_.CursorMoved();
  EXPECT_EQ(board_.selectedRow(), 1);
  EXPECT_EQ(board_.rows()[0].background, cellcolour::kBackground);
  EXPECT_EQ(board_.rows()[1].background, cellcolour::kSelected);
}

TEST_F(SessionBoardTest, HeadingClicksReverseOrSortAscending) {
  sessions(3);
  load();
  show();
  board_.ClickHeading(ctx(), 0);
  EXPECT_EQ(board_.direction(), 1);
  EXPECT_EQ(board_.rows()[0].name, "N02");
  board_.ClickHeading(ctx(), 8);
  EXPECT_EQ(board_.sortColumn(), 8);
  EXPECT_EQ(board_.direction(), 0);
  board_.ClickHeading(ctx(), 9);
  EXPECT_EQ(board_.sortColumn(), 8);
}

TEST_F(SessionBoardTest, ThePositionOfTheThousandthSessionIsKept) {
  // Position 1000 does not fit three digits; its row still shows its own
  // student, not the one at position 0.
  for (int r = 1; r <= 999; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 2);
  for (int i = 0; i < 1001; ++i) {
    t_.addStudent(i + 1, 70000 + i, "S", 2);
    t_.addSession(i % 999 + 1, i + 1, 570, kToday);
  }
  load();
  board_.setOrdering(0, 0);  // equal names: the position text decides
  show();
  // As text "1000" sorts between "100" and "101": list index 101.
  ASSERT_EQ(board_.keys().size(), 1001u);
  EXPECT_EQ(board_.keys()[100], "S         100");
  EXPECT_EQ(board_.keys()[101], "S         1000");
  EXPECT_EQ(board_.keys()[102], "S         101");
  board_.ShowPage(ctx(), 3);
  EXPECT_EQ(board_.rows()[10].student, 101);
  EXPECT_EQ(board_.rows()[11].student, 1001);
  EXPECT_EQ(board_.rows()[11].card, "71000");
  EXPECT_EQ(board_.rows()[12].student, 102);
  board_.ShowPage(ctx(), 33);
  EXPECT_EQ(filledRows(), 11);
  EXPECT_EQ(board_.rows()[10].student, 1000);
}

TEST_F(SessionBoardTest, CountersAndCaptions) {
  // 40 places, 12 online, 3 of them overtime.
  for (int r = 1; r <= 4; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 10);
  for (int i = 0; i < 12; ++i) {
    t_.addStudent(i + 1, 100 + i, "S" + std::to_string(i), 2);
    t_.addSession(i % 4 + 1, i + 1, i < 3 ? 400 : 590, kToday);
  }
  load();
  ASSERT_EQ(t_.sessions->overtimeCount(), 3);
  show();
  const CounterTexts c = board_.ShowCounters(*t_.sessions);
  EXPECT_EQ(c.online, "在线：12");
  EXPECT_EQ(c.overtime, "超时：3");
  EXPECT_EQ(c.page, "第1/1页");
  EXPECT_EQ(c.places, "31/40");
  EXPECT_EQ(c.idleRoomsCaption, "使用空闲房间(28)");
  EXPECT_EQ(c.overtimeRoomsCaption, "使用超时房间(3)");
  EXPECT_EQ(c.roomsInTimeCaption, "使用未超时房间(9)");
}

struct PlacesCase {
  bool idle, overtime, inTime;
  int places;
};

TEST_F(SessionBoardTest, AvailablePlacesOfTheUseOptions) {
  for (int r = 1; r <= 4; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 10);
  for (int i = 0; i < 12; ++i) {
    t_.addStudent(i + 1, 100 + i, "S" + std::to_string(i), 2);
    t_.addSession(i % 4 + 1, i + 1, i < 3 ? 400 : 590, kToday);
  }
  load();
  const std::vector<PlacesCase> cases = {
      {true, true, true, 40},  {true, false, false, 28}, {false, true, false, 3},
      {false, false, true, 9}, {false, false, false, 0}, {true, true, false, 31},
  };
  for (const auto& c : cases) {
    AssignmentOptions o;
    o.useIdleRooms = c.idle;
    o.useOvertimeRooms = c.overtime;
    o.useRoomsInTime = c.inTime;
    EXPECT_EQ(CountAvailablePlaces(*t_.sessions, o), c.places) << c.idle << c.overtime << c.inTime;
  }
}

}  // namespace
}  // namespace tarvolen
