// The room list of the student panel: candidates, sort keys, paging, the
// proposal's row and the selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "board/ListCursor.h"
#include "board/RoomBoard.h"
#include "session/TimeText.h"
#include "support/SessionTables.h"

namespace tarvolen {
namespace {

constexpr int kLimit = 60;
const DateTime kNow{{2012, 9, 1}, 10, 0, 0};  // minute 600
const CivilDate kToday{2012, 9, 1};

AssignmentOptions AllRooms() {
  AssignmentOptions o;
  o.useIdleRooms = true;
  o.useOvertimeRooms = true;
  o.useRoomsInTime = true;
  o.defaultTimeLimit = kLimit;
  return o;
}

class RoomBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t_.categories.majors[2] = "钢琴";
    t_.categories.majors[3] = "声乐";
    t_.addStudent(1, 1001, "来者", 2);
  }

  // `count` free rooms R1.. of one place each.
  void freeRooms(int count) {
    for (int r = 1; r <= count; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 1);
  }

  void load() { t_.load(kNow, kLimit); }

  RoomListContext ctx() const { return {t_.rooms, t_.students, *t_.sessions, t_.categories, 1, options_, kNow}; }
  void build(int a = 0, int b = 0) { board_.BuildRoomList(ctx(), a, b); }

  std::vector<std::pair<int, int>> shown() const {
    std::vector<std::pair<int, int>> out;
    for (const RoomRow& r : board_.rows()) {
      if (r.showsRoom()) out.emplace_back(r.room, r.occupant);
    }
    return out;
  }

  testing::SessionTables t_;
  AssignmentOptions options_ = AllRooms();
  ListCursor cursor_;
  RoomBoard board_{cursor_};
};

TEST_F(RoomBoardTest, StartsSortedByOvertimeDescendingWithoutSelection) {
  EXPECT_EQ(board_.sortColumn(), 2);
  EXPECT_EQ(board_.direction(), 1);
  EXPECT_EQ(board_.selectedRow(), -1);
  EXPECT_EQ(board_.selectedRoomLabel(), "");
}

TEST_F(RoomBoardTest, RowsOfOccupiedAndFreeRooms) {
  t_.addRoom(1, "101", 2, 1);
  t_.addRoom(2, "102", 3, 1);
  t_.addRoom(3, "103", 2, 1);
  t_.addRoom(4, "104", 2, 1, 1);  // no time limit
  t_.addStudent(2, 20002, "王一", 2);
  t_.addStudent(3, 20003, "李二", 2);
  t_.addStudent(4, 20004, "赵三", 3);
  t_.addSession(1, 2, 510, kToday);  // 90 used, 30 over
  t_.addSession(3, 3, 560, kToday);  // 40 used, 20 left
  t_.addSession(4, 4, 480, kToday);  // no limit
  load();
  board_.setOrdering(0, 0);
  build();
  ASSERT_EQ(board_.candidateCount(), 4);
  const auto& rows = board_.rows();

  EXPECT_EQ(rows[0].room, 1);
  EXPECT_EQ(rows[0].occupant, 2);
  EXPECT_EQ(rows[0].roomName, "101");
  EXPECT_EQ(rows[0].typeName, "钢琴");
  EXPECT_EQ(rows[0].card, "20002");
  EXPECT_EQ(rows[0].name, "王一");
  EXPECT_EQ(rows[0].used, "1时30分");
  EXPECT_EQ(rows[0].overtime, "0:30");
  EXPECT_EQ(rows[0].textColour, cellcolour::kOvertimeText);

  EXPECT_EQ(rows[1].room, 2);
  EXPECT_EQ(rows[1].occupant, 0);
  EXPECT_EQ(rows[1].roomName, "102");
  EXPECT_EQ(rows[1].typeName, "声乐");
  EXPECT_EQ(rows[1].card, "");
  EXPECT_EQ(rows[1].name, "");
  EXPECT_EQ(rows[1].used, "----");
  EXPECT_EQ(rows[1].overtime, "----");
  EXPECT_EQ(rows[1].textColour, cellcolour::kText);

  EXPECT_EQ(rows[2].occupant, 3);
  EXPECT_EQ(rows[2].used, "0时40分");
  EXPECT_EQ(rows[2].overtime, "余0:20");
  EXPECT_EQ(rows[2].textColour, cellcolour::kText);

  EXPECT_EQ(rows[3].occupant, 4);
  EXPECT_EQ(rows[3].overtime, "----");
  EXPECT_EQ(rows[3].textColour, cellcolour::kText);

  for (int i = 4; i < RoomBoard::kRows; ++i) {
    EXPECT_FALSE(rows[i].showsRoom()) << i;
    EXPECT_EQ(rows[i].room, 0);
    EXPECT_EQ(rows[i].occupant, 0);
    EXPECT_EQ(rows[i].overtime, "");
  }
}

TEST_F(RoomBoardTest, AnOvertimeOfZeroIsDrawnAsOvertime) {
  t_.addRoom(1, "101", 2, 1);
  t_.addStudent(2, 20002, "王一", 2);
  t_.addSession(1, 2, 540, kToday);  // exactly 60 used
  load();
  build();
  EXPECT_EQ(board_.rows()[0].overtime, "0:00");
  EXPECT_EQ(board_.rows()[0].textColour, cellcolour::kOvertimeText);
}

struct OptionCase {
  const char* what;
  bool idle, overtime, inTime;
  std::vector<std::pair<int, int>> shown;  // (room, occupant), sorted by room
};

TEST_F(RoomBoardTest, CandidatesFollowTheUseOptions) {
  t_.addRoom(1, "101", 2, 1);                    // overtime occupant 2
  t_.addRoom(2, "102", 2, 1);                    // occupant 3, time not up
  t_.addRoom(3, "103", 3, 1);                    // free, another type: still a candidate
  t_.addRoom(4, "104", 2, 1).serviceStatus = 1;  // out of service
  t_.addRoom(5, "105", 2, 0);                    // no place at all
  t_.addStudent(2, 20002, "王一", 2);
  t_.addStudent(3, 20003, "李二", 2);
  t_.addSession(1, 2, 500, kToday);
  t_.addSession(2, 3, 590, kToday);
  load();
  const std::vector<OptionCase> cases = {
      {"all", true, true, true, {{1, 2}, {2, 3}, {3, 0}}},
      {"idle only", true, false, false, {{3, 0}}},
      {"overtime only", false, true, false, {{1, 2}}},
      {"overtime and in time", false, true, true, {{1, 2}, {2, 3}}},
      {"in time without overtime", false, false, true, {}},
      {"idle and in time", true, false, true, {{3, 0}}},
      {"none", false, false, false, {}},
  };
  board_.setOrdering(0, 0);
  for (const auto& c : cases) {
    options_.useIdleRooms = c.idle;
    options_.useOvertimeRooms = c.overtime;
    options_.useRoomsInTime = c.inTime;
    build();
    EXPECT_EQ(shown(), c.shown) << c.what;
    EXPECT_EQ(board_.candidateCount(), static_cast<int>(c.shown.size())) << c.what;
  }
}

struct KeyCase {
  int column;
  std::string occupied;
  std::string free;
};

TEST_F(RoomBoardTest, SortKeysByColumn) {
  t_.addRoom(1, "101", 2, 1);
  t_.addRoom(2, "102", 3, 1);
  t_.addStudent(2, 20002, "王一", 2);
  t_.addSession(1, 2, 510, kToday);  // 90 used, 30 over
  load();
  const std::vector<KeyCase> cases = {
      {0, "00000000010000", "00000000021002"}, {1, "00000000900000", "19999     1002"},
      {2, "000000030+0000", "19999     1002"}, {3, "王一      0000", "[空]       1002"},
      {4, "00000200020000", "00000000001002"}, {5, "00000000020000", "00000000031002"},
      {6, "00000000010000", "00000000021002"},
  };
  for (const auto& c : cases) {
    board_.setOrdering(c.column, 0);
    build();
    std::vector<std::string> expected = {c.occupied, c.free};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(board_.keys(), expected) << c.column;
  }
}

TEST_F(RoomBoardTest, KeysOfRoomsInTimeAndOverTimeSortByOvertime) {
  for (int r = 1; r <= 3; ++r) t_.addRoom(r, "10" + std::to_string(r), 2, 1);
  t_.addRoom(4, "104", 2, 1);
  for (int s = 2; s <= 4; ++s) t_.addStudent(s, 20000 + s, "S" + std::to_string(s), 2);
  t_.addSession(1, 2, 528, kToday);  // 12 over
  t_.addSession(2, 3, 510, kToday);  // 30 over
  t_.addSession(3, 4, 560, kToday);  // 20 left
  load();
  build();  // "超时" descending: free room first, then the greatest overtime
  EXPECT_EQ(shown(), (std::vector<std::pair<int, int>>{{4, 0}, {2, 3}, {1, 2}, {3, 4}}));
}

TEST_F(RoomBoardTest, ProposalAtIndexThirtyShowsPageOneRowZero) {
  freeRooms(31);
  load();
  board_.setOrdering(0, 0);
  build(31, 0);
  EXPECT_EQ(board_.pageRange(), 1);
  EXPECT_EQ(board_.page(), 1);
  EXPECT_EQ(cursor_.page(), 1);
  EXPECT_EQ(board_.selectedRow(), 0);
  EXPECT_EQ(board_.rows()[0].room, 31);
  EXPECT_FALSE(board_.rows()[1].showsRoom());
  EXPECT_EQ(board_.rows()[0].background, cellcolour::kSelected);
  EXPECT_EQ(board_.selectedRoomLabel(), "R31");
}

struct DisplayCase {
  int proposed;
  int page;
  int row;
};

TEST_F(RoomBoardTest, DescendingDisplayPositionsCountFromTheEnd) {
  freeRooms(31);
  load();
  board_.setOrdering(0, 1);
  const std::vector<DisplayCase> cases = {{31, 0, 0}, {2, 0, 29}, {1, 1, 0}, {16, 0, 15}};
  for (const auto& c : cases) {
    build(c.proposed, 0);
    EXPECT_EQ(board_.page(), c.page) << c.proposed;
    EXPECT_EQ(board_.selectedRow(), c.row) << c.proposed;
    EXPECT_EQ(board_.rows()[static_cast<size_t>(c.row)].room, c.proposed);
  }
  cursor_.set(0, 0);
  build();
  EXPECT_EQ(board_.rows()[0].room, 31);
  EXPECT_EQ(board_.rows()[29].room, 2);
}

TEST_F(RoomBoardTest, PageRangeOfTheCandidateCount) {
  for (int n : {0, 1, 30, 31, 60, 61}) {
    testing::SessionTables t;
    for (int r = 1; r <= n; ++r) t.addRoom(r, "R" + std::to_string(r), 2, 1);
    t.load(kNow, kLimit);
    board_.BuildRoomList({t.rooms, t.students, *t.sessions, t.categories, 1, options_, kNow}, 0, 0);
    EXPECT_EQ(board_.candidateCount(), n);
    EXPECT_EQ(board_.pageRange(), n == 0 ? 0 : (n - 1) / 30) << n;
  }
}

TEST_F(RoomBoardTest, APageBeyondTheRangeShowsTheLastPage) {
  freeRooms(31);
  load();
  board_.setOrdering(0, 0);
  cursor_.set(3, 0);
  build();
  EXPECT_EQ(board_.page(), 1);
  EXPECT_EQ(board_.rows()[0].room, 31);
}

TEST_F(RoomBoardTest, TwelveDigitCardsKeepEveryRowWithItsOccupant) {
  const std::vector<int64_t> cards = {123456789012, 5, 98765, 99999999999};
  for (int i = 0; i < 4; ++i) {
    t_.addRoom(i + 1, "10" + std::to_string(i + 1), 2, 1);
    t_.addStudent(i + 2, cards[static_cast<size_t>(i)], "S" + std::to_string(i + 2), 2);
    t_.addSession(i + 1, i + 2, 500, kToday);
  }
  load();
  board_.setOrdering(4, 0);
  build(1, 2);  // the holder of the 12-digit card
  const auto& rows = board_.rows();
  // Text order of the keys: a number longer than ten digits sorts by its
  // first digit ("1234..." before "9999...").
  const std::vector<std::string> order = {"5", "98765", "123456789012", "99999999999"};
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(rows[i].card, order[i]);
    ASSERT_TRUE(StudentTable::validSlot(rows[i].occupant));
    EXPECT_EQ(std::to_string(t_.students[rows[i].occupant].card), rows[i].card);
    EXPECT_EQ(rows[i].room, rows[i].occupant - 1);
  }
  EXPECT_EQ(board_.selectedRow(), 2);
  EXPECT_EQ(rows[2].occupant, 2);
}

TEST_F(RoomBoardTest, TheProposalIsMatchedByRoomAndOccupant) {
  t_.addRoom(1, "101", 2, 3);
  t_.addStudent(2, 20002, "A", 2);
  t_.addStudent(3, 20003, "B", 2);
  t_.addSession(1, 2, 500, kToday);
  t_.addSession(1, 3, 510, kToday);
  load();
  board_.setOrdering(0, 0);  // keys "...0001" + position, then the free place "...0001" + "1001"
  build(1, 3);
  EXPECT_EQ(board_.rows()[static_cast<size_t>(board_.selectedRow())].occupant, 3);
  build(1, 0);
  EXPECT_EQ(board_.selectedRow(), 2);
  EXPECT_EQ(board_.rows()[2].occupant, 0);
}

TEST_F(RoomBoardTest, AProposalNotInTheListSelectsRowZero) {
  freeRooms(5);
  load();
  board_.setOrdering(0, 0);
  build(3, 0);
  ASSERT_EQ(board_.selectedRow(), 2);
  build(40, 0);
  EXPECT_EQ(board_.selectedRow(), 0);
  EXPECT_EQ(board_.selectedRoomLabel(), "R1");
}

TEST_F(RoomBoardTest, ARefreshKeepsTheSelection) {
  freeRooms(5);
  load();
  board_.setOrdering(0, 0);
  build(4, 0);
  build();
  EXPECT_EQ(board_.selectedRow(), 3);
  EXPECT_EQ(board_.rows()[3].background, cellcolour::kSelected);
}

TEST_F(RoomBoardTest, HeadingClicksReverseOrSortAscending) {
  freeRooms(3);
  load();
  build();
  board_.ClickHeading(ctx(), 0);
  EXPECT_EQ(board_.sortColumn(), 0);
  EXPECT_EQ(board_.direction(), 0);
  EXPECT_EQ(board_.rows()[0].room, 1);
  board_.ClickHeading(ctx(), 0);
  EXPECT_EQ(board_.direction(), 1);
  EXPECT_EQ(board_.rows()[0].room, 3);
  board_.ClickHeading(ctx(), 2);  // "超时" once: ascending
  EXPECT_EQ(board_.sortColumn(), 2);
  EXPECT_EQ(board_.direction(), 0);
  board_.ClickHeading(ctx(), 2);  // twice: descending
  EXPECT_EQ(board_.direction(), 1);
  board_.ClickHeading(ctx(), 7);  // no such heading
  EXPECT_EQ(board_.sortColumn(), 2);
  EXPECT_EQ(board_.direction(), 1);
}

TEST_F(RoomBoardTest, SelectingARowMovesTheBackgroundAndTheLabel) {
  freeRooms(3);
  load();
  board_.setOrdering(0, 0);
  build();
  board_.SelectRoomRow(1);
  EXPECT_EQ(board_.selectedRow(), 1);
  EXPECT_EQ(board_.selectedRoomLabel(), "R2");
  board_.SelectRoomRow(2);
  EXPECT_EQ(board_.rows()[1].background, cellcolour::kBackground);
  EXPECT_EQ(board_.rows()[2].background, cellcolour::kSelected);
  EXPECT_EQ(board_.selectedRoomLabel(), "R3");
  board_.SelectRoomRow(5);  // empty row: nothing happens
  EXPECT_EQ(board_.selectedRow(), 2);
  EXPECT_EQ(board_.rows()[5].background, cellcolour::kBackground);
  EXPECT_EQ(board_.selectedRoomLabel(), "R3");
  board_.SelectRoomRow(-1);
  board_.SelectRoomRow(30);
  EXPECT_EQ(board_.selectedRow(), 2);
  EXPECT_EQ(cursor_.row(), 2);
}

TEST_F(RoomBoardTest, TheSelectionWalksUpToAFilledRow) {
  freeRooms(10);
  load();
  board_.setOrdering(0, 0);
  build();
  board_.SelectRoomRow(8);
  options_.useIdleRooms = false;  // the list empties: nothing to walk to
  build();
  EXPECT_EQ(board_.selectedRow(), 8);
  options_.useIdleRooms = true;
  for (int r = 4; r <= 10; ++r) t_.rooms[r].serviceStatus = 1;
  t_.load(kNow, kLimit);
  build();
  EXPECT_EQ(board_.candidateCount(), 3);
  EXPECT_EQ(board_.selectedRow(), 2);
  EXPECT_EQ(board_.rows()[2].background, cellcolour::kSelected);
  EXPECT_EQ(board_.rows()[8].background, cellcolour::kBackground);
  EXPECT_EQ(board_.selectedRoomLabel(), "R3");
}

TEST_F(RoomBoardTest, KeysAndBoardShareTheCursor) {
  freeRooms(31);
  load();
  board_.setOrdering(0, 0);
  build(6, 0);
  ASSERT_EQ(board_.selectedRow(), 5);
  cursor_.pageDown(board_.candidateCount());  // Page Down keeps row 5
  build();
  EXPECT_EQ(board_.page(), 1);
  EXPECT_EQ(board_.selectedRow(), 0);  // the only filled row of page 1
  EXPECT_EQ(board_.selectedRoomLabel(), "R31");
  cursor_.pageUp(board_.candidateCount());
  build();
  ASSERT_TRUE(cursor_.down(board_.candidateCount()));
  board_.CursorMoved();
  EXPECT_EQ(board_.selectedRow(), 1);
  EXPECT_EQ(board_.rows()[1].background, cellcolour::kSelected);
  EXPECT_EQ(board_.rows()[0].background, cellcolour::kBackground);
  EXPECT_EQ(board_.selectedRoomLabel(), "R2");
}

TEST_F(RoomBoardTest, DedicatedRoomsOnly) {
  for (int r = 1; r <= 9; ++r) t_.addRoom(r, "R" + std::to_string(r), r == 7 ? 3 : 2, 1);
  t_.students[1].dedicatedRooms = {7, 3, 9};
  t_.addStudent(2, 20002, "S2", 2);
  t_.addStudent(3, 20003, "S3", 2);
  t_.addSession(9, 2, 500, kToday);  // dedicated, overtime
  t_.addSession(4, 3, 500, kToday);  // not dedicated
  load();
  options_.byDedicatedRoom = true;
  for (int column : {0, 2, 3}) {
    board_.setOrdering(column, 0);
    build();
    EXPECT_EQ(board_.keys(), (std::vector<std::string>{"00000000001007", "00000000011003", "S2        0000"}))
        << column;
    EXPECT_EQ(shown(), (std::vector<std::pair<int, int>>{{7, 0}, {3, 0}, {9, 2}}));
  }
  t_.rooms[3].serviceStatus = 1;
  t_.load(kNow, kLimit);
  options_.useOvertimeRooms = false;
  build();
  EXPECT_EQ(shown(), (std::vector<std::pair<int, int>>{{7, 0}}));
}

}  // namespace
}  // namespace tarvolen

namespace tarvolen {
namespace {

// The 1001st session sits at position 1000, the number free rooms start
// from in the sort key: it must still show as the occupied room it is.
TEST_F(RoomBoardTest, TheThousandAndFirstSessionShowsWithItsOccupant) {
  for (int r = 1; r <= 5; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 255);
  for (int s = 1; s <= ActiveSessionTable::kCapacity; ++s) {
    t_.addStudent(s, 5000 + s, "S" + std::to_string(s), 2);
    t_.addSession(1 + (s - 1) % 5, s, 8 * 60, kToday);
  }
  load();
  ASSERT_EQ(t_.sessions->count(), ActiveSessionTable::kCapacity);
  const SessionRecord& last = t_.sessions->at(ActiveSessionTable::kCapacity - 1);
  build(last.room, last.student);
  const auto rows = shown();
  EXPECT_NE(std::find(rows.begin(), rows.end(), std::make_pair<int, int>(last.room, last.student)), rows.end());
  EXPECT_EQ(board_.candidateCount(), ActiveSessionTable::kCapacity + 5);
}

}  // namespace
}  // namespace tarvolen
