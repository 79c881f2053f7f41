// The detail sheets: what each hovered cell does, the texts of a student's
// and a room's sheet, the offset beside the pointer, and the cache that
// keeps a resting pointer from building the text again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/DetailSheets.h"
#include "platform/fake/FakeClock.h"
#include "store/OleDate.h"

namespace tarvolen {
namespace {

using enum SheetAction;

TEST(DetailSheetsHover, TheTableOfListAndColumn) {
  struct Case {
    HoverList list;
    int column;
    HoverEffect effect;
  } cases[] = {
      // Session list: name, card, check-in time, used, room, type, grade, major, overtime, marker.
      {HoverList::Session, 0, {true, StudentSheet}},
      {HoverList::Session, 1, {true, Hide}},
      {HoverList::Session, 2, {true, Hide}},
      {HoverList::Session, 3, {true, None}},
      {HoverList::Session, 4, {true, RoomSheet}},
      {HoverList::Session, 5, {true, None}},
      {HoverList::Session, 6, {true, None}},
      {HoverList::Session, 7, {true, None}},
      {HoverList::Session, 8, {true, None}},
      {HoverList::Session, kSessionMarkerColumn, {true, None}},
      {HoverList::Session, kHoverHeading, {false, Hide}},
      {HoverList::Session, kHoverPanel, {false, Hide}},
      // Room list by heading order: room, used, overtime, name, card, type, places, marker.
      {HoverList::Room, 0, {true, RoomSheet}},
      {HoverList::Room, 1, {true, Hide}},
      {HoverList::Room, 2, {true, Hide}},
      {HoverList::Room, 3, {true, StudentSheet}},
      {HoverList::Room, 4, {true, Hide}},
      {HoverList::Room, 5, {true, Hide}},
      {HoverList::Room, 6, {false, None}},
      {HoverList::Room, kRoomMarkerColumn, {true, None}},
      {HoverList::Room, kHoverHeading, {false, Hide}},
      {HoverList::Room, kHoverPanel, {false, Hide}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HoverAction(c.list, c.column), c.effect) << static_cast<int>(c.list) << " column " << c.column;
  }
}

TEST(DetailSheetsHover, OffsetBesideThePointer) {
  EXPECT_EQ(SheetOffsetFrom(77, 30, 0, 0), (SheetOffset{141, 62}));
  EXPECT_EQ(SheetOffsetFrom(77, 30, 30, 150), (SheetOffset{143, 72}));
  // To the nearest whole number: 2.47 down, 3.53 up.
  EXPECT_EQ(SheetOffsetFrom(0, 0, 15 * 2 + 7, 15 * 3 + 8), (SheetOffset{66, 36}));
  EXPECT_EQ(SheetOffsetFrom(0, 0, 7, 22), (SheetOffset{64, 33}));
  EXPECT_EQ(SheetOffsetFrom(0, 0, 112, 0).x, 71);  // 7.47
  EXPECT_EQ(SheetOffsetFrom(0, 0, 113, 0).x, 72);  // 7.53
}

TEST(DetailSheetsHover, SheetSizes) {
  EXPECT_EQ(SheetHeightTwips(kRoomSheetLines), 2055);
  EXPECT_EQ(SheetHeightTwips(kStudentSheetLines), 3315);
}

class DetailSheetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lists_.majors[2] = "钢琴";
    lists_.classes[1] = "一班";
    lists_.levels[1].name = "银卡";
    for (int g = 0; g < CategoryLists::kLoadedGrades; ++g)
      lists_.grades[static_cast<size_t>(g)] = "G" + std::to_string(g);
    options_.showDetails = true;
    options_.cardDigits = 6;
    options_.idDigits = 4;
    options_.photoFolder = "/nowhere/photos/";
    options_.photoExtension = ".jpg";
    options_.photoNaming = 1;
    options_.photoNameLength = 10;

    StudentRecord& s = students_[7];
    s.card = 1001;
    s.idNumber = 20120815;
    s.name = "张伟";
    s.sex = 0;
    s.major = 2;
    s.classIndex = 1;
    s.level = 1;
    s.enrolled = ToOle(CivilDate{2012, 8, 15});
    s.semesterMinutes = 95;
    s.totalMinutes = 600;
    s.totalRecharged = 300;
    s.balance = -3.5f;
    s.telephone = 13900001001;
    s.checkinCount = 12;

    RoomRecord& r = rooms_[3];
    r.name = "琴房101";
    r.type = 2;
    r.capacity = 4;
    r.price = 12.5f;
    r.handlingFee = 1;
    r.minimumFee = 2;
    r.billingUnit = 0;
    r.tolerance = 5;
    sessions_.setFreePlaces(3, 1);
  }

  StudentTable students_;
  RoomTable rooms_;
  CategoryLists lists_;
  ActiveSessionTable sessions_;
  Options options_;
  FakeClock clock_;
  DetailSheets sheets_{{students_, rooms_, lists_, sessions_, options_, clock_}};
};

TEST_F(DetailSheetsTest, AStudentsFifteenLines) {
  sheets_.ShowStudent(7, {100, 50});
  const DetailSheetView& v = sheets_.view();
  ASSERT_TRUE(v.visible);
  EXPECT_EQ(v.kind, SheetKind::Student);
  const std::vector<std::string> lines = v.lines;
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], "姓名:张伟");
  EXPECT_EQ(lines[1], "证号:0815");
  EXPECT_EQ(lines[2], "卡号:001001");
  EXPECT_EQ(lines[3], "性别:男");
  EXPECT_EQ(lines[4], "专业:钢琴");
  EXPECT_EQ(lines[5].rfind("年级:12级 (G", 0), 0u) << lines[5];
  EXPECT_EQ(lines[5].back(), ')');
  EXPECT_EQ(lines[6], "班级:一班");
  EXPECT_EQ(lines[7], "等级:银卡");
  EXPECT_EQ(lines[8], "学期累计:1.6小时");
  EXPECT_EQ(lines[9], "总 累 计:10.0小时");
  EXPECT_EQ(lines[10], "总 付 费:300.00元");
  EXPECT_EQ(lines[11], "余    额:-3.50元");
  EXPECT_EQ(lines[12], "联系电话:13900001001");
  EXPECT_EQ(lines[13], "累计次数:12");
  EXPECT_EQ(lines[14], "状    态:[正常]");
  EXPECT_EQ(v.heightTwips, 3315);
  EXPECT_EQ(v.widthTwips, 1950);
  EXPECT_EQ(v.photoWidthTwips, 2985);
  EXPECT_EQ(v.photoPath, "/nowhere/photos/0000001001.jpg");
  EXPECT_EQ(v.offset, (SheetOffset{100, 50}));
}

TEST_F(DetailSheetsTest, TheStatusLine) {
  for (const auto& [status, text] :
       std::vector<std::pair<int16_t, std::string>>{{0, "[正常]"}, {1, "[挂失]"}, {2, "[停用]"}, {3, "[挂失][停用]"}}) {
    students_[7].status = status;
    sheets_.DropCache();
    sheets_.ShowStudent(7, {});
    EXPECT_EQ(sheets_.view().lines[14], "状    态:" + text);
  }
}

TEST_F(DetailSheetsTest, ARoomsNineLines) {
  sheets_.ShowRoom(3, {5, 6});
  const DetailSheetView& v = sheets_.view();
  ASSERT_TRUE(v.visible);
  const std::vector<std::string> expected = {
      "名称:琴房101",     "类别:钢琴",       "人数:3/4",     "开放:是",     "上课费用:12.50元/小时",
      "手 续 费:1.00元 ", "最低消费:2.00元", "计费单位:0分", "容    差:5分"};
  EXPECT_EQ(v.lines, expected);
  EXPECT_EQ(v.heightTwips, 2055);
  EXPECT_EQ(v.widthTwips, 2000);
  EXPECT_TRUE(v.photoPath.empty());

  // Out of service: no free places, "否".
  rooms_[3].serviceStatus = 1;
  sessions_.setFreePlaces(3, 0);
  sheets_.DropCache();
  sheets_.ShowRoom(3, {});
  EXPECT_EQ(sheets_.view().lines[2], "人数:4/4");
  EXPECT_EQ(sheets_.view().lines[3], "开放:否");
}

TEST_F(DetailSheetsTest, NothingWithTheOptionOffOrWithoutAnEntry) {
  options_.showDetails = false;
  sheets_.ShowStudent(7, {});
  sheets_.ShowRoom(3, {});
  EXPECT_FALSE(sheets_.view().visible);
  EXPECT_EQ(sheets_.view().builds, 0);

  options_.showDetails = true;
  sheets_.ShowStudent(7, {10, 10});
  ASSERT_TRUE(sheets_.view().visible);
  // An empty row's name, a free slot, a slot out of range: the shown sheet stays where it is.
  for (int slot : {0, 8, -1, 5001, 99999}) sheets_.ShowStudent(slot, {200, 200});
  for (int slot : {0, 4, -1, 1000}) sheets_.ShowRoom(slot, {200, 200});
  EXPECT_TRUE(sheets_.view().visible);
  EXPECT_EQ(sheets_.view().kind, SheetKind::Student);
  EXPECT_EQ(sheets_.view().offset, (SheetOffset{10, 10}));
  EXPECT_EQ(sheets_.view().builds, 1);
}

TEST_F(DetailSheetsTest, TheCacheBuildsOnlyOnAChangeOfKindOrSlot) {
  sheets_.ShowStudent(7, {1, 1});
  sheets_.ShowStudent(7, {2, 2});
  sheets_.Hide();
  EXPECT_FALSE(sheets_.view().visible);
  sheets_.ShowStudent(7, {3, 3});
  EXPECT_EQ(sheets_.view().builds, 1);
  EXPECT_EQ(sheets_.view().offset, (SheetOffset{3, 3}));

  // A room, then the student, then the same room: built each time.
  sheets_.ShowRoom(3, {});
  sheets_.ShowStudent(7, {});
  sheets_.ShowRoom(3, {});
  EXPECT_EQ(sheets_.view().builds, 4);
  EXPECT_TRUE(sheets_.view().photoPath.empty());
  // Room slot 7 is not student slot 7.
  rooms_[7].name = "琴房7";
  sheets_.ShowRoom(7, {});
  EXPECT_EQ(sheets_.view().builds, 5);
}

TEST_F(DetailSheetsTest, ADroppedCacheShowsTheNewBalance) {
  sheets_.ShowStudent(7, {});
  students_[7].balance = 20;
  sheets_.ShowStudent(7, {});
  EXPECT_EQ(sheets_.view().lines[11], "余    额:-3.50元");  // cached: as it was built
  sheets_.DropCache();
  sheets_.ShowStudent(7, {});
  EXPECT_EQ(sheets_.view().lines[11], "余    额:20.00元");
  EXPECT_EQ(sheets_.view().builds, 2);
}

}  // namespace
}  // namespace tarvolen
