// The sorted, paged list under both boards: one table of paging, sorting
// and selection cases, run against the room list and the session list as
// they really use it (keys move the shared cursor, the board rebuilds), and
// the list's own sorting of text and number keys.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "board/ListCursor.h"
#include "board/ListModel.h"
#include "board/RoomBoard.h"
#include "board/SessionBoard.h"
#include "platform/fake/FakeTimers.h"
#include "support/SessionTables.h"

namespace tarvolen {
namespace {

constexpr int kLimit = 60;
const DateTime kNow{{2012, 9, 1}, 10, 0, 0};
const CivilDate kToday{2012, 9, 1};

// One board's use of the list: n items whose identities 1..n sort ascending
// by the board's `orderColumn`.
class BoardUse {
 public:
  virtual ~BoardUse() = default;
  virtual void Fill(int n) = 0;
  virtual void Build() = 0;
  virtual void ShowPage(int page) = 0;
  virtual void ClickHeading(int column) = 0;
  virtual void Select(int row) = 0;
  virtual void CursorMoved() = 0;
  virtual void setOrdering(int column, int direction) = 0;
  virtual const ListModel& list() const = 0;
  // The identity shown in a row (room or student slot), 0 for an empty row.
  virtual int Shown(int row) const = 0;
  virtual int orderColumn() const = 0;
  virtual int otherColumn() const = 0;
  ListCursor cursor;
};

// Free rooms R1..Rn of one place, sorted by "房间".
class RoomUse : public BoardUse {
 public:
  void Fill(int n) override {
    for (int r = 1; r <= n; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 1);
    t_.load(kNow, kLimit);
  }
  void Build() override { board_.BuildRoomList(ctx(), 0, 0); }
  void ShowPage(int page) override { board_.ShowPage(ctx(), page); }
  void ClickHeading(int column) override { board_.ClickHeading(ctx(), column); }
  void Select(int row) override { board_.SelectRoomRow(row); }
  void CursorMoved() override { board_.CursorMoved(); }
  void setOrdering(int column, int direction) override { board_.setOrdering(column, direction); }
  const ListModel& list() const override { return board_.list(); }
  int Shown(int row) const override { return board_.rows()[static_cast<size_t>(row)].room; }
  int orderColumn() const override { return 0; }
  int otherColumn() const override { return 3; }

 private:
  RoomListContext ctx() const {
    AssignmentOptions o;
    o.useIdleRooms = true;
    o.useOvertimeRooms = true;
    o.useRoomsInTime = true;
    o.defaultTimeLimit = kLimit;
    return {t_.rooms, t_.students, *t_.sessions, t_.categories, 0, o, kNow};
  }
  testing::SessionTables t_;
  RoomBoard board_{cursor};
};

// Sessions of students 1..n with cards 50000.., sorted by "卡号".
class SessionUse : public BoardUse {
 public:
  void Fill(int n) override {
    for (int r = 1; r <= 40; ++r) t_.addRoom(r, "R" + std::to_string(r), 2, 10);
    for (int i = 0; i < n; ++i) {
      t_.addStudent(i + 1, 50000 + i, "N" + std::to_string(i), 2);
      t_.addSession(i % 40 + 1, i + 1, 570, kToday);
    }
    t_.load(kNow, kLimit);
  }
  void Build() override { board_.ShowSessionList(ctx(), 0); }
  void ShowPage(int page) override { board_.ShowPage(ctx(), page); }
  void ClickHeading(int column) override { board_.ClickHeading(ctx(), column); }
  void Select(int row) override { board_.SelectSessionRow(row); }
  void CursorMoved() override { board_.CursorMoved(); }
  void setOrdering(int column, int direction) override { board_.setOrdering(column, direction); }
  const ListModel& list() const override { return board_.list(); }
  int Shown(int row) const override { return board_.rows()[static_cast<size_t>(row)].student; }
  int orderColumn() const override { return 1; }
  int otherColumn() const override { return 0; }

 private:
  SessionListContext ctx() const {
    return {t_.rooms, t_.students, *t_.sessions, t_.categories, Dividers{}, kLimit, kNow};
  }
  testing::SessionTables t_;
  FakeTimerFactory timers_;
  SessionBoard board_{cursor, timers_.make()};
};

struct Case {
  const char* name;
  int count;
  int direction;  // of the board's order column, before the action
  int page, row;  // the cursor before the first build
  int preselect;  // a row selected after the first build, -1 none
  char action;    // see Apply
  int arg;
  int toPage, toSelected;  // after
  int toDirection;         // -1: as before
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// 'b' rebuild; 'p' the scroll bar to page arg; 'U' 'D' 'u' 'd' Page Up,
// Page Down, Up, Down as the key handler moves the cursor (a move rebuilds
// the list and the board follows the cursor); 's' the pointer on row arg;
// 'h' a click on the sorted heading, 'H' on another heading.
void Apply(BoardUse& use, const Case& c) {
  const int n = use.list().count();
  bool moved = true;
  switch (c.action) {
    case 'b': use.Build(); return;
    case 'p': use.ShowPage(c.arg); return;
    case 's': use.Select(c.arg); return;
    case 'h': use.ClickHeading(use.orderColumn()); return;
    case 'H': use.ClickHeading(use.otherColumn()); return;
    case 'U': use.cursor.pageUp(n); break;
    case 'D': use.cursor.pageDown(n); break;
    case 'u': moved = use.cursor.up(n); break;
    case 'd': moved = use.cursor.down(n); break;
  }
  if (!moved) return;
  use.Build();
  use.CursorMoved();
}

// clang-format off
const Case kCases[] = {
  {"EmptyListHasOnePageAndNoSelection",    0, 0, 0,  0, -1, 'b', 0,  0, -1, -1},
  {"ThirtyItemsFillOnePage",              30, 0, 0,  0, -1, 'b', 0,  0, -1, -1},
  {"ThirtyOneItemsPageDownShowsOneRow",   31, 0, 0,  0, -1, 'D', 0,  1,  0, -1},
  {"PageDownOnLastPageSelectsLastItem",   70, 0, 2,  3, -1, 'D', 0,  2,  9, -1},
  {"PageUpOnFirstPageSelectsRowZero",     70, 0, 0, 12, -1, 'U', 0,  0,  0, -1},
  {"PageUpKeepsTheRow",                   70, 1, 2,  5, -1, 'U', 0,  1,  5, -1},
  {"DownAcrossThePageEnd",                70, 0, 0, 29, -1, 'd', 0,  1,  0, -1},
  {"UpAcrossThePageStart",                70, 1, 1,  0, -1, 'u', 0,  0, 29, -1},
  {"DownIntoAnEmptyRowIsRefused",         70, 0, 2,  9, -1, 'd', 0,  2, -1, -1},
  {"ScrollBarShowsAPageDescending",       70, 1, 0,  0, -1, 'p', 2,  2, -1, -1},
  {"APageBeyondTheRangeShowsTheLast",     70, 0, 0,  0, -1, 'p', 9,  2, -1, -1},
  {"APageBelowZeroShowsTheFirst",         70, 0, 1,  0, -1, 'p', -3, 0, -1, -1},
  {"AShrunkListKeepsThePageInRange",      70, 0, 5,  0, -1, 'b', 0,  2, -1, -1},
  {"TheSelectionWalksUpToAFilledRow",     65, 0, 0, 20, 20, 'p', 2,  2,  4, -1},
  {"TheSelectionSurvivesARebuild",        40, 1, 1,  0,  7, 'b', 0,  1,  7, -1},
  {"AnEmptyRowIsNotSelected",              5, 0, 0,  0,  2, 's', 10, 0,  2, -1},
  {"AFilledRowIsSelected",                 5, 0, 0,  0,  2, 's', 3,  0,  3, -1},
  {"TheSortedHeadingReverses",            45, 0, 1,  0, -1, 'h', 0,  1, -1,  1},
  {"TheSortedHeadingReversesBack",        45, 1, 0,  0, -1, 'h', 0,  0, -1,  0},
  {"AnotherHeadingSortsAscending",        45, 1, 0,  0, -1, 'H', 0,  0, -1,  0},
};
// clang-format on

using Param = std::tuple<const char*, Case>;

class ListModelUses : public ::testing::TestWithParam<Param> {
 protected:
  static std::unique_ptr<BoardUse> Make(const std::string& use) {
    if (use == "Rooms") return std::make_unique<RoomUse>();
    return std::make_unique<SessionUse>();
  }
};

TEST_P(ListModelUses, PagingSortingAndSelection) {
  const auto& [useName, c] = GetParam();
  std::unique_ptr<BoardUse> use = Make(useName);
  use->setOrdering(use->orderColumn(), c.direction);
  use->Fill(c.count);
  use->cursor.set(c.page, c.row);
  use->Build();
  if (c.preselect >= 0) {
    use->Select(c.preselect);
    ASSERT_EQ(use->list().selectedRow(), c.preselect);
  }
  Apply(*use, c);

  const ListModel& list = use->list();
  EXPECT_EQ(list.count(), c.count);
  EXPECT_EQ(list.pageRange(), c.count == 0 ? 0 : (c.count - 1) / 30);
  EXPECT_EQ(list.page(), c.toPage);
  EXPECT_EQ(use->cursor.page(), c.toPage) << "keys and board share one cursor";
  EXPECT_EQ(list.selectedRow(), c.toSelected);
  const int direction = c.toDirection >= 0 ? c.toDirection : c.direction;
  EXPECT_EQ(list.direction(), direction);
  if (c.action == 'H') {
    EXPECT_EQ(list.sortColumn(), use->otherColumn());
    return;
  }
  EXPECT_EQ(list.sortColumn(), use->orderColumn());
  // Row r of the page shows display position page * 30 + r: ascending the
  // identity position + 1, descending read from the end.
  for (int r = 0; r < 30; ++r) {
    const int position = c.toPage * 30 + r;
    const int expected = position >= c.count ? 0 : (direction == 0 ? position + 1 : c.count - position);
    EXPECT_EQ(use->Shown(r), expected) << "row " << r;
  }
}

INSTANTIATE_TEST_SUITE_P(BothBoards, ListModelUses,
                         ::testing::Combine(::testing::Values("Rooms", "Sessions"), ::testing::ValuesIn(kCases)),
                         [](const ::testing::TestParamInfo<Param>& p) {
                           return std::string(std::get<0>(p.param)) + "_" + std::get<1>(p.param).name;
                         });

// --- the list on its own ------------------------------------------------------

TEST(ListModelTest, TextKeysSortByBytesAndEqualKeysByItem) {
  ListCursor cursor;
  ListModel list(cursor, 3, 0, 0);
  list.Sort(std::vector<std::string>{"b", "a", "b", "A", "a"});
  std::vector<int> order;
  for (int i = 0; i < list.count(); ++i) order.push_back(list.itemAtSorted(i));
  EXPECT_EQ(order, (std::vector<int>{3, 1, 4, 0, 2}));
  EXPECT_EQ(list.keys(), (std::vector<std::string>{"A", "a", "a", "b", "b"}));
  list.setOrdering(0, 1);
  EXPECT_EQ(list.itemAt(0), 2);  // descending reads the same order from the end
  EXPECT_EQ(list.itemAt(4), 3);
  EXPECT_EQ(list.itemAt(5), -1);
  EXPECT_EQ(list.itemAt(-1), -1);
}

TEST(ListModelTest, LongKeysAndPaddedEndsSortByEveryByte) {
  ListCursor cursor;
  ListModel list(cursor, 1, 0, 0);
  // Keys beyond sixteen bytes differ late; "x" and "x\0" differ only in length.
  list.Sort(std::vector<std::string>{"0123456789abcdefZ", std::string("x\0", 2), "0123456789abcdefA", "x",
                                     "0123456789abcdef", "\xE5\xA7\x93"});
  std::vector<int> order;
  for (int i = 0; i < list.count(); ++i) order.push_back(list.itemAtSorted(i));
  EXPECT_EQ(order, (std::vector<int>{4, 2, 0, 3, 1, 5}));  // bytes above 0x7F last
}

TEST(ListModelTest, NumberKeysSortAsNumbers) {
  ListCursor cursor;
  ListModel list(cursor, 1, 0, 0);
  list.Sort(std::vector<int64_t>{10, -5, 9, 10, 100000000000});
  std::vector<int> order;
  for (int i = 0; i < list.count(); ++i) order.push_back(list.itemAtSorted(i));
  EXPECT_EQ(order, (std::vector<int>{1, 2, 0, 3, 4}));
  EXPECT_TRUE(list.keys().empty());
}

TEST(ListModelTest, OrderingOutsideTheColumnsIsIgnored) {
  ListCursor cursor;
  ListModel list(cursor, 7, 2, 1);
  list.setOrdering(7, 0);
  EXPECT_FALSE(list.ClickHeading(-1));
  EXPECT_FALSE(list.ClickHeading(7));
  EXPECT_EQ(list.sortColumn(), 2);
  EXPECT_EQ(list.direction(), 1);
  list.setOrdering(4, 5);  // any direction but 1 is ascending
  EXPECT_EQ(list.direction(), 0);
}

TEST(ListModelTest, SelectingAPositionOfTheWholeListShowsItsPage) {
  ListCursor cursor;
  ListModel list(cursor, 1, 0, 0);
  list.Sort(std::vector<int64_t>(100, 0));
  EXPECT_EQ(list.selectedPosition(), -1);
  EXPECT_FALSE(list.SelectPosition(100));
  EXPECT_TRUE(list.SelectPosition(65));
  EXPECT_EQ(list.page(), 2);
  EXPECT_EQ(list.selectedRow(), 5);
  EXPECT_EQ(list.selectedPosition(), 65);
  EXPECT_EQ(list.itemInRow(5), 65);
}

}  // namespace
}  // namespace tarvolen
