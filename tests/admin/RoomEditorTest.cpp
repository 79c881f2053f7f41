// The room editor on the demo installation, in edit mode: the rows of the
// room list, adding, changing and deleting rooms with the free places and
// the total kept in step with the people checked in, the search, the
// keyboard walk, and what a refused or failed save leaves behind (memory as
// the file, the file as before).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "admin/RoomEntries.h"
#include "admin/RoomRow.h"
#include "desk/SessionEngine.h"
#include "store/FileFaults.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;

constexpr CivilDate kToday{2012, 9, 3};
constexpr const char* kRefusal = "4.wav";

// The ten fields as typed; the three choices as entry indexes.
struct Typed {
  std::string name;
  int type = 0;  // 0 钢琴, 1 声乐, 2 小提琴, 3 古筝
  int timeLimit = 0;
  int open = 0;  // 0 是, 1 否
  std::string price = "10";
  std::string capacity = "4";
  std::string minimumFee = "2";
  std::string billingUnit = "30";
  std::string tolerance = "5";
  std::string handlingFee = "0";
};

class RoomEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inst_.clock().set({kToday, 9, 0, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
    OpenPage();
    inst_.sound().played.clear();
  }
  void TearDown() override { FileFaults::Clear(); }

  void OpenPage() {
    if (!desk_->adminArea().isOpen()) desk_->adminArea().Toggle();
    ASSERT_TRUE(desk_->adminArea().Navigate(2).ok());
    ASSERT_TRUE(ed().commandsEnabled());
  }
  // A student checked in with a swipe and Enter, as at the desk; the area
  // is closed for it (swipes are ignored while it is open) and opened again.
  void CheckIn(const std::string& card) {
    desk_->adminArea().Toggle();
    for (char c : card) desk_->KeyDown(96 + (c - '0'));
    desk_->KeyDown(13);
    desk_->KeyDown(13);
    OpenPage();
  }

  RoomEditor& ed() { return desk_->roomEditor(); }
  ActiveSessionTable& sessions() { return desk_->sessions(); }
  void Type(const Typed& t) {
    ed().SetText(RoomEditor::Name, t.name);
    ed().ChooseEntry(RoomEditor::Type, t.type);
    ed().ChooseEntry(RoomEditor::TimeLimit, t.timeLimit);
    ed().ChooseEntry(RoomEditor::Open, t.open);
    ed().SetText(RoomEditor::Price, t.price);
    ed().SetText(RoomEditor::Capacity, t.capacity);
    ed().SetText(RoomEditor::MinimumFee, t.minimumFee);
    ed().SetText(RoomEditor::BillingUnit, t.billingUnit);
    ed().SetText(RoomEditor::Tolerance, t.tolerance);
    ed().SetText(RoomEditor::HandlingFee, t.handlingFee);
  }
  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (int r = 0; r < RoomEditor::kRows; ++r) {
      if (desk_->roomEditor().selected(r)) rows.push_back(r);
    }
    return rows;
  }
  std::string RoomsFile() const {
    std::ifstream in(inst_.folder().rooms(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The bytes of a room's record as packed, the same number read from the file.
  static std::string Packed(const RoomRecord& room) {
    const auto packed = Pack(room);
    EXPECT_TRUE(packed.ok());
    return packed.ok() ? std::string(packed->begin(), packed->end()) : std::string();
  }
  std::string RecordBytes(int slot, size_t n) const {
    return RoomsFile().substr(static_cast<size_t>(slot) * kRoomRecordLength, n);
  }
  RoomRecord RoomOnDisk(int slot) const {
    RoomTable t;
    EXPECT_TRUE(t.load(inst_.folder()).ok());
    return t[slot];
  }
  // The room put into a state of a case: stored, in memory and on disk.
  void Arrange(int slot, const RoomRecord& room, int freePlaces) {
    const RoomRecord& old = desk_->rooms()[slot];
    const int total =
        sessions().totalPlaces() - (old.isOpen() ? old.capacity : 0) + (room.isOpen() ? room.capacity : 0);
    ASSERT_TRUE(RoomTable::SaveRecordOf(inst_.folder(), slot, room).ok());
    desk_->rooms()[slot] = room;
    sessions().setFreePlaces(slot, freePlaces);
    sessions().setTotalPlaces(total);
    ed().RefreshRow(slot);
  }
  const std::vector<std::string>& History() const { return desk_->notifier().history(); }
  bool Pushed(const std::string& text, size_t since = 0) const {
    return std::find(History().begin() + static_cast<std::ptrdiff_t>(since), History().end(), text) != History().end();
  }
  std::string LastMessage() const { return History().empty() ? "" : History().back(); }
  bool RefusalSounded() {
    const auto& p = inst_.sound().played;
    return std::find(p.begin(), p.end(), kRefusal) != p.end();
  }

  Installation inst_{true, kToday};
  std::unique_ptr<Desk> desk_;
};

// Demo rooms: 1..4 琴房101..104 (钢琴), 5 琴房105 closed, 6 琴房201 and 7
// 琴房202 (声乐), 8 琴房203 and 9 琴房204 (小提琴), 10 琴房205 (古筝), 11
// 合奏301 (钢琴, 4 places), 12 排练302 (声乐, 4 places); 13..999 free.

TEST_F(RoomEditorTest, RowsAreFixedColumnsOfTheStoredRoom) {
  EXPECT_STREQ(kRoomListHeader,
               "房间          类型     时限    使用状况    价格  容纳人数  最低消费  计费单位与容差  手续费");
  CategoryLists lists;
  lists.majors[0] = "钢琴与键盘乐器";  // cut to 8 cells
  const RoomRecord wide{"合奏厅", 0, 1, 0, 8.5f, 12, 0.0f, 1.25f, 0, 0};
  const RoomRecord oddCode{"X", 3, 61, 0, 0.0f, 0, 0.0f, 0.0f, 0, 0};
  struct Case {
    const char* name;
    std::string row;
    const char* expected;
  } cases[] = {
      {"a time limit in minutes", ed().RoomRow(4),
       " 琴房104     钢琴     120分钟  开放:是 15.00元/时  2         3.00      15     5      0.50      "},
      {"closed, the default limit", ed().RoomRow(5),
       " 琴房105     钢琴     [默认]   开放:否 10.00元/时  1         2.00      30     5      0.00      "},
      {"a long type name, no limit", RoomListRow(wide, lists),
       " 合奏厅      钢琴与键 [不限时] 开放:是 8.50元/时   12        0.00      0      0      1.25      "},
      {"a type without a name, a code without an entry", RoomListRow(oddCode, lists),
       " X                             开放:是 0.00元/时   0         0.00      0      0      0.00      "},
      {"a free slot", ed().RoomRow(13), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.row, c.expected);
  }
  // The list holds exactly those rows, slot r in row r - 1.
  EXPECT_EQ(ed().row(3), ed().RoomRow(4));
  EXPECT_EQ(ed().row(998), "");
}

TEST_F(RoomEditorTest, EntryListsCarryTheirNumbersAtTheEnd) {
  const auto& types = ed().entries(RoomEditor::Type);
  ASSERT_EQ(types.size(), 4u);
  EXPECT_EQ(types[1], "声乐" + std::string(kEntryPadding, ' ') + "01");
  const auto& limits = ed().entries(RoomEditor::TimeLimit);
  ASSERT_EQ(limits.size(), 61u);
  EXPECT_EQ(limits[0], "[默认]");
  EXPECT_EQ(limits[1], "[不限时]");
  EXPECT_EQ(limits[2], "10分钟");
  EXPECT_EQ(limits[60], "300分钟");
  EXPECT_EQ(ed().entries(RoomEditor::Open), (std::vector<std::string>{"是", "否"}));
  EXPECT_EQ(ed().typeFilterEntries().front(), "[不限定]");
  EXPECT_EQ(ed().typeFilterEntries()[4], "古筝" + std::string(kEntryPadding, ' ') + "003");
  EXPECT_EQ(ed().serviceFilterEntries(),
            (std::vector<std::string>{"[不限定]", "开放：是" + std::string(kEntryPadding, ' ') + "000",
                                      "开放：否" + std::string(kEntryPadding, ' ') + "001"}));
}

TEST_F(RoomEditorTest, ClickingARowLoadsTheRoomIntoTheUnlockedFields) {
  ed().SetLocked(RoomEditor::Price, true);
  ed().SetText(RoomEditor::Price, "99");
  ed().ClickRow(3);  // 琴房104
  EXPECT_EQ(ed().currentRow(), 3);
  EXPECT_EQ(ed().slotLabel(), "序号:4");
  EXPECT_EQ(ed().field(RoomEditor::Name).text, "琴房104");
  EXPECT_EQ(ed().field(RoomEditor::Type).entry, 0);
  EXPECT_EQ(ed().field(RoomEditor::TimeLimit).entry, 24);
  EXPECT_EQ(ed().field(RoomEditor::Open).entry, 0);
  EXPECT_EQ(ed().field(RoomEditor::Price).text, "99");  // locked
  EXPECT_EQ(ed().field(RoomEditor::Capacity).text, "2");
  EXPECT_EQ(ed().field(RoomEditor::MinimumFee).text, "3");
  EXPECT_EQ(ed().field(RoomEditor::BillingUnit).text, "15");
  EXPECT_EQ(ed().field(RoomEditor::Tolerance).text, "5");
  EXPECT_EQ(ed().field(RoomEditor::HandlingFee).text, "0.5");
  ed().ClickRow(4);  // closed
  EXPECT_EQ(ed().field(RoomEditor::Open).entry, 1);
  ed().ClickRow(11);  // 排练302, 声乐
  EXPECT_EQ(ed().field(RoomEditor::Type).entry, 1);
}

TEST_F(RoomEditorTest, AddingFillsTheFirstFreeSlotAndCountsAnOpenRoomsPlaces) {
  struct Case {
    const char* name;
    int open;
    int placesAdded;
  } cases[] = {{"open", 0, 4}, {"closed", 1, 0}};
  int slot = 13;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int total = sessions().totalPlaces();
    const size_t messages = History().size();
    Typed t{.name = "新琴房", .type = 1, .timeLimit = 24, .open = c.open};
    t.price = "12.5";
    t.handlingFee = "0.5";
    Type(t);
    ed().Add();
    const RoomRecord expected{"新琴房", 1, 24, static_cast<int16_t>(c.open), 12.5f, 4, 2.0f, 0.5f, 30, 5};
    EXPECT_EQ(RecordBytes(slot, Packed(expected).size()), Packed(expected));
    EXPECT_EQ(desk_->rooms()[slot].name, "新琴房");
    EXPECT_EQ(sessions().totalPlaces(), total + c.placesAdded);
    EXPECT_EQ(sessions().freePlaces(slot), c.placesAdded);
    EXPECT_EQ(ed().row(slot - 1), ed().RoomRow(slot));
    EXPECT_NE(ed().row(slot - 1), "");
    EXPECT_EQ(SelectedRows(), std::vector<int>{slot - 1});
    EXPECT_EQ(ed().currentRow(), slot - 1);
    EXPECT_EQ(ed().slotLabel(), "序号:" + std::to_string(slot));
    EXPECT_EQ(ed().focusTarget(), RoomEditor::kFocusList);
    EXPECT_EQ(History().size(), messages);  // no message
    EXPECT_FALSE(RefusalSounded());
    // The board follows at once.
    EXPECT_EQ(desk_->engine().counters().idleRoomsCaption,
              "使用空闲房间(" + std::to_string(sessions().totalPlaces()) + ")");
    ++slot;
  }
}

TEST_F(RoomEditorTest, AddingReachesSlot999AndThenIsRefused) {
  for (int slot = 13; slot <= 998; ++slot) desk_->rooms()[slot].name = "占用";
  Type(Typed{.name = "末号房"});
  ed().Add();
  EXPECT_EQ(RoomOnDisk(999).name, "末号房");
  EXPECT_EQ(ed().currentRow(), 998);
  const std::string file = RoomsFile();
  EXPECT_EQ(file.size(), 1000 * kRoomRecordLength);
  const int total = sessions().totalPlaces();

  Type(Typed{.name = "多余房"});
  ed().Add();
  EXPECT_EQ(LastMessage(), "失败！无空余记录。");
  EXPECT_TRUE(RefusalSounded());
  EXPECT_EQ(RoomsFile(), file);
  EXPECT_EQ(sessions().totalPlaces(), total);
}

TEST_F(RoomEditorTest, RefusedFieldsChangeNothing) {
  struct Case {
    const char* name;
    Typed typed;
    const char* message;
  } cases[] = {
      {"no name", Typed{.name = ""}, "请输入名称"},
      {"capacity above a byte", Typed{.name = "房", .capacity = "256"}, "数据输入有误！"},
      {"negative capacity", Typed{.name = "房", .capacity = "-1"}, "数据输入有误！"},
      {"billing unit beyond 16 bits", Typed{.name = "房", .billingUnit = "40000"}, "数据输入有误！"},
      {"negative billing unit", Typed{.name = "房", .billingUnit = "-5"}, "数据输入有误！"},
      {"negative tolerance", Typed{.name = "房", .tolerance = "-1"}, "数据输入有误！"},
      {"price beyond a single", Typed{.name = "房", .price = "4" + std::string(39, '0')}, "数据输入有误！"},
      {"handling fee beyond a single", Typed{.name = "房", .handlingFee = "-9" + std::string(39, '9')},
       "数据输入有误！"},
  };
  ed().SelectOnly(1);
  const RoomRecord room1 = desk_->rooms()[1];
  const std::string file = RoomsFile();
  const int total = sessions().totalPlaces();
  const int free1 = sessions().freePlaces(1);
  for (const Case& c : cases) {
    for (bool add : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (add ? " (新增)" : " (修改)"));
      inst_.sound().played.clear();
      Type(c.typed);
      if (add) {
        ed().Add();
      } else {
        EXPECT_FALSE(ed().Change());
      }
      EXPECT_EQ(LastMessage(), c.message);
      EXPECT_TRUE(RefusalSounded());
      EXPECT_EQ(RoomsFile(), file);
      EXPECT_EQ(desk_->rooms().firstFree(), 13);
      EXPECT_EQ(desk_->rooms()[1].name, room1.name);
      EXPECT_EQ(desk_->rooms()[1].capacity, room1.capacity);
      EXPECT_EQ(sessions().totalPlaces(), total);
      EXPECT_EQ(sessions().freePlaces(1), free1);
    }
  }
}

TEST_F(RoomEditorTest, NumbersAreReadFromTheirLeadingDigitsAndNothingIsZero) {
  Typed t{.name = "零号房"};
  t.price = "";
  t.capacity = "abc";
  t.minimumFee = "12元";
  t.billingUnit = " 15分";
  t.tolerance = "";
  t.handlingFee = "元";
  Type(t);
  ed().Add();
  const RoomRecord r = RoomOnDisk(13);
  EXPECT_EQ(r.price, 0.0f);
  EXPECT_EQ(r.capacity, 0);
  EXPECT_EQ(r.minimumFee, 12.0f);
  EXPECT_EQ(r.billingUnit, 15);
  EXPECT_EQ(r.tolerance, 0);
  EXPECT_EQ(r.handlingFee, 0.0f);
}

TEST_F(RoomEditorTest, LongNamesAreCutToEightCells) {
  struct Case {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"四个汉字", "四个汉字"},  {"五个汉字房", "五个汉字"}, {"ABCDEFGHIJ", "ABCDEFGH"},
      {"琴房ABCDE", "琴房ABCD"}, {"琴房A五号", "琴房A五"},
  };
  int slot = 13;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Type(Typed{.name = c.typed});
    ed().Add();
    EXPECT_EQ(RoomOnDisk(slot).name, c.stored);
    EXPECT_EQ(desk_->rooms()[slot].name, c.stored);
    ++slot;
  }
}

// Room 11 made to hold 6 places, open or closed, with people in it or not;
// then changed in its capacity and its open/closed field.
TEST_F(RoomEditorTest, ChangesKeepFreePlacesAndTheTotalInStepWithThePeoplePresent) {
  struct Case {
    const char* name;
    bool openBefore;
    int people;
    bool openAfter;
    int capacityAfter;
    bool accepted;
    int freeAfter;
    int totalChange;
  } cases[] = {
      {"open, grows, empty", true, 0, true, 8, true, 8, 2},
      {"open, shrinks, empty", true, 0, true, 2, true, 2, -4},
      {"open, grows, occupied", true, 3, true, 8, true, 5, 2},
      {"open, shrinks below the people", true, 3, true, 2, false, 3, 0},
      {"open, shrinks to the people", true, 3, true, 3, true, 0, -3},
      {"closes, empty", true, 0, false, 6, true, 0, -6},
      {"closes and grows, empty", true, 0, false, 8, true, 0, -6},
      {"closes, occupied", true, 3, false, 6, false, 3, 0},
      {"closes and shrinks, occupied", true, 3, false, 2, false, 3, 0},
      {"opens and grows", false, 0, true, 8, true, 8, 8},
      {"opens and shrinks", false, 0, true, 2, true, 2, 2},
      {"stays closed, grows", false, 0, false, 8, true, 0, 0},
      {"stays closed, shrinks", false, 0, false, 2, true, 0, 0},
  };
  constexpr int kSlot = 11;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RoomRecord before = desk_->rooms()[kSlot];
    before.capacity = 6;
    before.serviceStatus = c.openBefore ? 0 : 1;
    Arrange(kSlot, before, c.openBefore ? 6 - c.people : 0);
    const int total = sessions().totalPlaces();
    const size_t messages = History().size();
    inst_.sound().played.clear();

    ed().SelectOnly(kSlot);
    ed().SetText(RoomEditor::Capacity, std::to_string(c.capacityAfter));
    ed().ChooseEntry(RoomEditor::Open, c.openAfter ? 0 : 1);
    EXPECT_TRUE(ed().Change());

    RoomRecord after = before;
    after.capacity = static_cast<uint8_t>(c.capacityAfter);
    after.serviceStatus = c.openAfter ? 0 : 1;
    const RoomRecord& expected = c.accepted ? after : before;
    EXPECT_EQ(RecordBytes(kSlot, Packed(expected).size()), Packed(expected));
    EXPECT_EQ(desk_->rooms()[kSlot].capacity, expected.capacity);
    EXPECT_EQ(desk_->rooms()[kSlot].serviceStatus, expected.serviceStatus);
    EXPECT_EQ(sessions().freePlaces(kSlot), c.freeAfter);
    EXPECT_EQ(sessions().totalPlaces(), total + c.totalChange);
    EXPECT_EQ(ed().row(kSlot - 1), ed().RoomRow(kSlot));
    EXPECT_EQ(Pushed("房间合奏301修改失败。可用人数不足", messages), !c.accepted);
    EXPECT_FALSE(RefusalSounded());  // the places refusal has no sound
    EXPECT_EQ(desk_->engine().counters().idleRoomsCaption,
              "使用空闲房间(" + std::to_string(sessions().totalPlaces()) + ")");
  }
}

TEST_F(RoomEditorTest, ChangingSeveralRoomsGivesEachTheSameValuesAndRefusesOnlyTheOccupied) {
  CheckIn("1001");  // into 琴房101, its one place taken
  ASSERT_EQ(sessions().freePlaces(1), 0);
  ed().SelectOnly(2);
  ed().SetSelection({0, 1, 2});
  ed().SetText(RoomEditor::Name, "同名房");
  ed().SetText(RoomEditor::Capacity, "0");
  EXPECT_TRUE(ed().Change());
  EXPECT_TRUE(Pushed("房间琴房101修改失败。可用人数不足"));
  EXPECT_EQ(RoomOnDisk(1).name, "琴房101");
  EXPECT_EQ(RoomOnDisk(2).name, "同名房");
  EXPECT_EQ(RoomOnDisk(3).name, "同名房");
  EXPECT_EQ(RoomOnDisk(3).capacity, 0);
  EXPECT_EQ(RoomOnDisk(3).price, RoomOnDisk(2).price);  // 琴房103 had 12, 琴房102 10
  EXPECT_EQ(ed().row(1), ed().row(2));
}

TEST_F(RoomEditorTest, DeletingKeepsOccupiedRoomsAndTakesOpenRoomsPlaces) {
  CheckIn("1001");  // 琴房101 occupied
  const int total = sessions().totalPlaces();
  ed().SetSelection({0, 4, 6});  // 琴房101, 琴房105 (closed), 琴房202 (2 places, empty)
  ed().Delete();
  EXPECT_TRUE(Pushed("房间琴房101删除失败。可用人数不足"));
  EXPECT_FALSE(RefusalSounded());
  EXPECT_EQ(RoomOnDisk(1).name, "琴房101");
  EXPECT_NE(ed().row(0), "");
  for (int slot : {5, 7}) {
    SCOPED_TRACE(slot);
    RoomRecord cleared;
    cleared.serviceStatus = 1;
    EXPECT_EQ(RecordBytes(slot, Packed(cleared).size()), Packed(cleared));
    EXPECT_TRUE(desk_->rooms()[slot].isFree());
    EXPECT_EQ(ed().row(slot - 1), "");
    EXPECT_EQ(sessions().freePlaces(slot), 0);
  }
  EXPECT_EQ(sessions().totalPlaces(), total - 2);  // the closed room took nothing away
  EXPECT_EQ(desk_->rooms().firstFree(), 5);
}

TEST_F(RoomEditorTest, SearchSelectsExactlyTheMatchingRooms) {
  struct Case {
    const char* name;
    int type;     // Combo14(0) entry
    int service;  // Combo14(1) entry
    const char* text;
    std::vector<int> slots;
    const char* message;
  } cases[] = {
      {"an exact name", 0, 0, "琴房101", {1}, "找到1项\""},
      {"a part of a name", 0, 0, "琴房10", {}, "未找到指定项"},
      {"out of service", 0, 2, "", {5}, "找到1项\""},
      {"a type", 2, 0, "", {6, 7, 12}, "找到3项\""},
      {"a type in service", 1, 1, "", {1, 2, 3, 4, 11}, "找到5项\""},
      {"a type and a name that is not of it", 1, 0, "琴房201", {}, "未找到指定项"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    inst_.sound().played.clear();
    ed().SelectOnly(999);
    ed().ChooseTypeFilter(c.type);
    ed().ChooseServiceFilter(c.service);
    ed().SetNameFilter(c.text);
    ed().Search();
    std::vector<int> rows;
    for (int slot : c.slots) rows.push_back(slot - 1);
    EXPECT_EQ(SelectedRows(), rows);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(RefusalSounded(), c.slots.empty());
    EXPECT_EQ(ed().currentRow(), c.slots.empty() ? -1 : c.slots.front() - 1);
    if (!c.slots.empty()) {
      EXPECT_EQ(ed().slotLabel(), "序号:" + std::to_string(c.slots.front()));
    }
    EXPECT_EQ(ed().focusTarget(), RoomEditor::kFocusList);
  }
}

TEST_F(RoomEditorTest, SearchWithoutAConditionAsksForOneAndLeavesTheSelection) {
  ed().SelectOnly(3);
  ed().Search();
  ASSERT_FALSE(inst_.boxes().boxes.empty());
  EXPECT_EQ(inst_.boxes().boxes.back().title, "提示");
  EXPECT_EQ(inst_.boxes().boxes.back().text, "请至少限定一项条件。");
  EXPECT_EQ(inst_.boxes().boxes.back().icon, BoxIcon::Critical);
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(ed().currentRow(), 2);
}

TEST_F(RoomEditorTest, EnterWalksPastLockedAndSwitchedOffFieldsAndSavesAtTheEnd) {
  ed().SelectOnly(1);
  ed().EnterInField(RoomEditor::Name);
  EXPECT_EQ(ed().focusTarget(), RoomEditor::Type);
  ed().SetLocked(RoomEditor::TimeLimit, true);
  ed().SetEnabled(RoomEditor::Open, false);
  ed().EnterInField(RoomEditor::Type);
  EXPECT_EQ(ed().focusTarget(), RoomEditor::Price);

  // A locked price is kept for the next room; Enter in the last field saves.
  ed().SetLocked(RoomEditor::Price, true);
  ed().SetText(RoomEditor::Price, "20");
  ed().EnterInField(RoomEditor::HandlingFee);
  EXPECT_EQ(RoomOnDisk(1).price, 20.0f);
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(ed().currentRow(), 1);
  EXPECT_EQ(ed().field(RoomEditor::Name).text, "琴房102");
  EXPECT_EQ(ed().field(RoomEditor::Price).text, "20");
  EXPECT_EQ(ed().focusTarget(), RoomEditor::Name);

  // Fields 6..9 switched off: Enter in the capacity saves at once.
  for (int f = RoomEditor::MinimumFee; f <= RoomEditor::HandlingFee; ++f) ed().SetEnabled(f, false);
  ed().EnterInField(RoomEditor::Capacity);
  EXPECT_EQ(RoomOnDisk(2).price, 20.0f);
  EXPECT_EQ(ed().currentRow(), 2);
}

TEST_F(RoomEditorTest, WalkAfterTheLastRowContinuesWithTheFirst) {
  ed().SelectOnly(999);
  ed().SetText(RoomEditor::Name, "尾号房");
  ed().ChooseEntry(RoomEditor::Open, 0);
  ed().SetText(RoomEditor::Capacity, "3");
  const int total = sessions().totalPlaces();
  ed().EnterInField(RoomEditor::HandlingFee);
  EXPECT_EQ(RoomOnDisk(999).name, "尾号房");
  EXPECT_EQ(sessions().totalPlaces(), total + 3);  // an empty slot counted as closed before
  EXPECT_EQ(SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(ed().currentRow(), 0);
  EXPECT_EQ(ed().field(RoomEditor::Name).text, "琴房101");
}

TEST_F(RoomEditorTest, WalkWaitsForOneSelectedCurrentRowAndForEditMode) {
  ed().SelectOnly(1);
  ed().SetSelection({0, 1});
  const int request = ed().focusRequest();
  ed().EnterInField(RoomEditor::Name);
  EXPECT_EQ(ed().focusRequest(), request);
  ed().SelectOnly(1);
  desk_->adminArea().SetRoomEdit(false);
  ed().EnterInField(RoomEditor::HandlingFee);
  EXPECT_EQ(ed().currentRow(), 0);

  // Out of edit mode nothing is written.
  const std::string file = RoomsFile();
  Type(Typed{.name = "新房"});
  ed().Add();
  EXPECT_FALSE(ed().Change());
  ed().Delete();
  EXPECT_EQ(RoomsFile(), file);
}

TEST_F(RoomEditorTest, OneOfTheFirstSixFieldsStaysSwitchedOn) {
  for (int f = RoomEditor::Name; f < RoomEditor::Capacity; ++f) ed().SetEnabled(f, false);
  ed().SetEnabled(RoomEditor::Capacity, false);
  EXPECT_EQ(LastMessage(), "不能继续关闭！");
  EXPECT_TRUE(ed().field(RoomEditor::Capacity).enabled);
  for (int f = RoomEditor::MinimumFee; f < RoomEditor::kFields; ++f) {
    ed().SetEnabled(f, false);
    EXPECT_FALSE(ed().field(f).enabled);
  }
  ed().SetEnabled(RoomEditor::Name, true);
  ed().SetEnabled(RoomEditor::Capacity, false);
  EXPECT_FALSE(ed().field(RoomEditor::Capacity).enabled);
}

TEST_F(RoomEditorTest, AFailedSaveLeavesMemoryAsTheFile) {
  enum class Command { Add, Change, Delete };
  struct Case {
    const char* name;
    Command command;
    int slot;  // the room the command works on
    const char* room;
  } cases[] = {
      {"新增", Command::Add, 13, "新琴房"},
      {"修改", Command::Change, 11, "合奏301"},
      {"删除", Command::Delete, 11, "合奏301"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    inst_.sound().played.clear();
    if (c.command == Command::Add) {
      Type(Typed{.name = "新琴房"});
    } else {
      ed().SelectOnly(c.slot);
      ed().SetText(RoomEditor::Capacity, "9");
    }
    const RoomRecord room = desk_->rooms()[c.slot];
    const std::string file = RoomsFile();
    const std::string row = ed().row(c.slot - 1);
    const int total = sessions().totalPlaces();
    const int free = sessions().freePlaces(c.slot);

    FileFaults::Inject(inst_.folder().rooms(), WriteFault{});
    switch (c.command) {
      case Command::Add: ed().Add(); break;
      case Command::Change: (void)ed().Change(); break;
      case Command::Delete: ed().Delete(); break;
    }
    FileFaults::Clear();

    EXPECT_EQ(LastMessage().rfind(std::string("房间") + c.room + "保存失败：", 0), 0u) << LastMessage();
    EXPECT_NE(LastMessage().find("injected failure"), std::string::npos);
    EXPECT_TRUE(RefusalSounded());
    EXPECT_EQ(RoomsFile(), file);
    EXPECT_EQ(desk_->rooms()[c.slot].name, room.name);
    EXPECT_EQ(desk_->rooms()[c.slot].capacity, room.capacity);
    EXPECT_EQ(ed().row(c.slot - 1), row);
    EXPECT_EQ(sessions().totalPlaces(), total);
    EXPECT_EQ(sessions().freePlaces(c.slot), free);
  }
}

TEST_F(RoomEditorTest, RoomOperationsRebuildTheRoomsRow) {
  desk_->options().verificationCode = false;  // executed at once
  OperationInputs& in = desk_->accounts().inputs();
  in.ChooseRoomOperation(0);  // 停止使用
  in.SetText(3, "琴房102");
  desk_->accounts().PrepareRoom();
  ASSERT_FALSE(desk_->rooms()[2].isOpen());
  EXPECT_NE(ed().row(1).find(" 开放:否 "), std::string::npos);
  EXPECT_EQ(ed().row(1), ed().RoomRow(2));
}

}  // namespace
}  // namespace tarvolen
