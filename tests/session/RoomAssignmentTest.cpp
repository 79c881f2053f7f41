// The room proposed to a swiping student, in every assignment mode, and the
// major the rooms are matched against.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake/FakeRandom.h"
#include "session/MajorSelector.h"
#include "session/RoomAssignment.h"
#include "support/SessionTables.h"

namespace tarvolen {
namespace {

constexpr int kMajor = 2;
constexpr int kOtherMajor = 3;
constexpr int kLimit = 60;
const DateTime kNow{{2012, 9, 1}, 10, 0, 0};  // minute 600
const CivilDate kToday{2012, 9, 1};

// A session of `overtime` minutes past the default limit of 60, started today.
int StartFor(int overtime) { return 600 - kLimit - overtime; }

class RoomAssignmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Rooms 1..12 fit the student (major 2), one place each; room 20 has
    // another type. The swiping student is slot 1; occupants from slot 2 on.
    for (int r = 1; r <= 12; ++r) t_.addRoom(r, "琴房" + std::to_string(r), kMajor, 1);
    t_.addRoom(20, "琴房20", kOtherMajor, 1);
    t_.addStudent(1, 1001, "学生甲", kMajor);
    for (int s = 2; s <= 40; ++s) t_.addStudent(s, 1000 + s, "学生" + std::to_string(s), kMajor);
  }

  // Of the fitting rooms 1..12 only these and the occupied ones keep their
  // places (applied when the sessions are loaded).
  void keepFree(std::vector<int> freeRooms) { free_ = std::move(freeRooms); }
  bool occupied(int r) const { return std::find(used_.begin(), used_.end(), r) != used_.end(); }
  void session(int room, int student, int overtime) {
    used_.push_back(room);
    t_.addSession(room, student, StartFor(overtime), kToday);
  }

  Proposal assign(int mode, AssignmentOptions o = idleAndOvertime(), int* vacated = nullptr) {
    for (int r = 1; r <= 12; ++r) {
      if (std::find(free_.begin(), free_.end(), r) == free_.end() && !occupied(r)) t_.rooms[r].capacity = 0;
    }
    t_.load(kNow, kLimit);
    EXPECT_TRUE(t_.messages.empty());
    if (afterLoad_) afterLoad_();
    o.assignmentMode = mode;
    o.defaultTimeLimit = kLimit;
    AssignmentContext ctx{t_.rooms, t_.students, *t_.sessions, 1, kMajor, o, kNow, random_};
    int local = 0;
    return AssignRoom(ctx, vacated ? *vacated : local);
  }

  static AssignmentOptions idleAndOvertime() {
    AssignmentOptions o;
    o.useIdleRooms = true;
    o.useOvertimeRooms = true;
    return o;
  }
  static AssignmentOptions overtimeOnly() {
    AssignmentOptions o;
    o.useOvertimeRooms = true;
    return o;
  }

  testing::SessionTables t_;
  FakeRandom random_{{0.0}};
  std::vector<int> used_;
  std::vector<int> free_;
  // Changes to rooms made after their places were counted.
  std::function<void()> afterLoad_;
};

TEST_F(RoomAssignmentTest, ManualChoiceProposesNothing) {
  keepFree({3});
  EXPECT_EQ(assign(kManualChoice), (Proposal{0, 0}));
  EXPECT_EQ(assign(9), (Proposal{0, 0}));
}

TEST_F(RoomAssignmentTest, ByOvertimeTakesTheFirstFreeFittingRoom) {
  keepFree({3, 7});
  session(1, 2, 50);
  EXPECT_EQ(assign(kByOvertime), (Proposal{3, 0}));
}

TEST_F(RoomAssignmentTest, FreeRoomFilterNeedsNameTypeAndService) {
  keepFree({3, 5, 6, 7});
  t_.rooms[5].type = kOtherMajor;
  t_.rooms[20].capacity = 1;  // free but of another type
  afterLoad_ = [this] {
    t_.rooms[3].serviceStatus = 1;  // taken out of service, places not yet recounted
    t_.rooms[6].name.clear();       // deleted, places not yet recounted
  };
  EXPECT_EQ(assign(kByOvertime), (Proposal{7, 0}));
}

TEST_F(RoomAssignmentTest, ByOvertimeTakesTheGreatestOvertimeWhenNoRoomIsFree) {
  keepFree({});
  session(4, 2, 12);
  session(6, 3, 30);
  session(5, 4, 20);
  EXPECT_EQ(assign(kByOvertime), (Proposal{6, 3}));
}

TEST_F(RoomAssignmentTest, ByOvertimeKeepsTheEarliestOfEqualOvertimes) {
  keepFree({});
  session(8, 5, 25);
  session(2, 6, 25);
  EXPECT_EQ(assign(kByOvertime), (Proposal{8, 5}));
}

TEST_F(RoomAssignmentTest, ByOvertimeSkipsRoomsOfAnotherTypeAndTimesNotUp) {
  keepFree({});
  t_.rooms[20].capacity = 1;
  session(20, 2, 90);  // does not fit
  session(3, 3, -10);  // time not up
  session(9, 4, 0);    // exactly at the limit: not overtime
  EXPECT_EQ(assign(kByOvertime), (Proposal{0, 0}));
}

TEST_F(RoomAssignmentTest, ByOvertimeWithRoomsInTimeTakesTheLeastTimeLeft) {
  keepFree({});
  session(3, 3, -40);
  session(9, 4, -10);
  AssignmentOptions o = overtimeOnly();
  o.useRoomsInTime = true;
  EXPECT_EQ(assign(kByOvertime, o), (Proposal{9, 4}));
}

TEST_F(RoomAssignmentTest, ByOvertimeAcceptsARoomWithoutLimitJustStarted) {
  // Overtime -32000 (no limit, 0 minutes used) still qualifies.
  keepFree({});
  t_.rooms[4].timeLimitCode = 1;
  t_.addSession(4, 7, 600, kToday);
  used_.push_back(4);
  AssignmentOptions o = overtimeOnly();
  o.useRoomsInTime = true;
  EXPECT_EQ(assign(kByOvertime, o), (Proposal{4, 7}));
}

TEST_F(RoomAssignmentTest, ByOvertimeWithoutTheOvertimeOptionStopsAtFreeRooms) {
  keepFree({});
  session(4, 2, 30);
  AssignmentOptions o;
  o.useIdleRooms = true;
  EXPECT_EQ(assign(kByOvertime, o), (Proposal{0, 0}));
}

TEST_F(RoomAssignmentTest, FreeRoomsAreNotUsedWithoutTheIdleOption) {
  keepFree({1, 2});
  session(4, 2, 30);
  EXPECT_EQ(assign(kByOvertime, overtimeOnly()), (Proposal{4, 2}));
}

struct RandomCase {
  double draw;
  Proposal expected;
};

TEST_F(RoomAssignmentTest, RandomChoosesFreeRoomsFirstThenSessionsInPositionOrder) {
  keepFree({2, 11});
  session(7, 5, 15);
  session(4, 6, 3);
  // Candidates: room 2, room 11, (7, 5), (4, 6).
  const std::vector<RandomCase> cases = {
      {0.0, {2, 0}}, {0.26, {11, 0}}, {0.5, {7, 5}}, {0.74, {7, 5}}, {0.75, {4, 6}}, {0.999, {4, 6}},
  };
  for (const auto& c : cases) {
    random_ = FakeRandom({c.draw});
    EXPECT_EQ(assign(kRandomRoom), c.expected) << c.draw;
  }
}

TEST_F(RoomAssignmentTest, RandomWithoutCandidatesProposesNothing) {
  keepFree({});
  session(4, 6, -3);  // time not up
  random_ = FakeRandom({0.5});
  EXPECT_EQ(assign(kRandomRoom), (Proposal{0, 0}));
}

TEST_F(RoomAssignmentTest, RoomOrderTakesTheLowestSlot) {
  keepFree({5, 8});
  session(3, 2, 10);
  EXPECT_EQ(assign(kRoomOrder), (Proposal{3, 2}));
}

TEST_F(RoomAssignmentTest, RoomOrderKeepsALowerFreeRoom) {
  keepFree({2, 8});
  session(3, 2, 10);
  EXPECT_EQ(assign(kRoomOrder), (Proposal{2, 0}));
}

TEST_F(RoomAssignmentTest, RoomOrderProposesAnOccupiedRoomWhenNoRoomIsFree) {
  keepFree({});
  t_.rooms[4].capacity = 2;
  session(6, 2, 10);
  session(4, 3, 5);
  session(4, 4, 50);
  EXPECT_EQ(assign(kRoomOrder), (Proposal{4, 3}));
}

TEST_F(RoomAssignmentTest, ReverseOrderTakesTheHighestSlotIncludingPositionZero) {
  keepFree({});
  session(9, 2, 10);
  session(5, 3, 40);
  EXPECT_EQ(assign(kReverseOrder), (Proposal{9, 2}));
}

TEST_F(RoomAssignmentTest, ReverseOrderComparesFreeAndOccupiedRooms) {
  keepFree({7});
  session(9, 2, 10);
  EXPECT_EQ(assign(kReverseOrder), (Proposal{9, 2}));
}

TEST_F(RoomAssignmentTest, ReverseOrderKeepsAHigherFreeRoom) {
  keepFree({11});
  session(9, 2, 10);
  EXPECT_EQ(assign(kReverseOrder), (Proposal{11, 0}));
}

TEST_F(RoomAssignmentTest, ReverseOrderTakesTheLatestOfEqualSlots) {
  keepFree({});
  t_.rooms[6].capacity = 2;
  session(6, 2, 10);
  session(6, 3, 10);
  session(2, 4, 10);
  EXPECT_EQ(assign(kReverseOrder), (Proposal{6, 3}));
}

TEST_F(RoomAssignmentTest, LastVacatedRoomIsProposedOnceWhateverItsType) {
  keepFree({1});
  int vacated = 20;  // another type
  EXPECT_EQ(assign(kLastVacated, idleAndOvertime(), &vacated), (Proposal{20, 0}));
  EXPECT_EQ(vacated, 0);
  EXPECT_EQ(assign(kLastVacated, idleAndOvertime(), &vacated), (Proposal{0, 0}));
}

TEST_F(RoomAssignmentTest, OtherModesLeaveTheVacatedRoomAlone) {
  keepFree({1});
  for (int mode : {kManualChoice, kByOvertime, kRandomRoom, kRoomOrder, kReverseOrder}) {
    int vacated = 12;
    assign(mode, idleAndOvertime(), &vacated);
    EXPECT_EQ(vacated, 12) << mode;
  }
}

TEST(IsDedicatedRoomTest, AnyOfTheThree) {
  StudentRecord s;
  s.dedicatedRooms = {7, 0, 12};
  EXPECT_TRUE(IsDedicatedRoom(s, 7));
  EXPECT_TRUE(IsDedicatedRoom(s, 12));
  EXPECT_FALSE(IsDedicatedRoom(s, 8));
}

TEST(MajorSelectorTest, OneEntryPerNamedMajorThenTheStudentsOwn) {
  CategoryLists lists;
  lists.majors[0] = "钢琴";
  lists.majors[3] = "声乐";
  lists.majors[12] = "小提琴";
  MajorSelector sel(lists);
  const std::string pad(44, ' ');
  EXPECT_EQ(sel.entries(), (std::vector<std::string>{"钢琴" + pad + "00", "声乐" + pad + "03", "小提琴" + pad + "12",
                                                     "[对应专业]" + pad + "-1"}));
  EXPECT_EQ(sel.selectedIndex(), 0);
  EXPECT_EQ(sel.selectedName(), "钢琴");
}

TEST(MajorSelectorTest, SelectedMajorReadsTheCodeOfTheEntry) {
  CategoryLists lists;
  lists.majors[3] = "声乐";
  lists.majors[12] = "小提琴";
  MajorSelector sel(lists);
  StudentRecord s;
  s.major = 7;
  EXPECT_EQ(sel.SelectedMajor(s), 3);
  sel.setSelectedIndex(1);
  EXPECT_EQ(sel.SelectedMajor(s), 12);
  sel.setSelectedIndex(2);
  EXPECT_EQ(sel.SelectedMajor(s), 7);  // "[对应专业]"
  sel.setSelectedIndex(9);
  EXPECT_EQ(sel.selectedIndex(), 2);
  sel.setSelectedIndex(-1);
  EXPECT_EQ(sel.selectedIndex(), 0);
}

TEST(MajorSelectorTest, ACodeThatIsNotANumberCountsAsZero) {
  StudentRecord s;
  s.major = 5;
  EXPECT_EQ(MajorOfEntry("钢琴    xy", s), 0);
  EXPECT_EQ(MajorOfEntry("钢琴     7", s), 7);
  EXPECT_EQ(MajorOfEntry("", s), 0);
  EXPECT_EQ(MajorOfEntry("[对应专业]   -1", s), 5);
}

TEST(MajorSelectorTest, WithoutMajorsOnlyTheStudentsOwn) {
  MajorSelector sel{CategoryLists{}};
  ASSERT_EQ(sel.entryCount(), 1);
  StudentRecord s;
  s.major = 4;
  EXPECT_EQ(sel.SelectedMajor(s), 4);
}

}  // namespace
}  // namespace tarvolen
