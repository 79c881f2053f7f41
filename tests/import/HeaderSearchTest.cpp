// The header search: which sheet and row hold the headings, which column
// each field takes, and the containment rule of the heading lists.
#include <gtest/gtest.h>

#include "import/HeaderSearch.h"
#include "platform/fake/FakeWorkbooks.h"

namespace tarvolen {
namespace {

TEST(HeaderSearchTest, MostHeadingsWinEarlierOnTies) {
  struct Case {
    const char* what;
    Workbook book;
    int sheet;
    int row;
    int count;
  };
  const std::vector<Case> cases = {
      {"sheet 2 row 3 beats sheet 1",
       {{SheetBuilder().Row(1, {"房间名称", "价格"}).build(),
         SheetBuilder().Row(1, {"说明"}).Row(3, {"房号", "类型", "容量"}).build()}},
       1,
       3,
       3},
      {"equal counts keep the earlier sheet",
       {{SheetBuilder().Row(2, {"房间名称", "价格"}).build(), SheetBuilder().Row(1, {"房号", "容量"}).build()}},
       0,
       2,
       2},
      {"equal counts keep the earlier row",
       {{SheetBuilder().Row(4, {"容差", "价格"}).Row(5, {"房号", "容量"}).build()}},
       0,
       4,
       2},
      {"a header below row 5 is not looked for", {{SheetBuilder().Row(6, {"房号", "容量"}).build()}}, 0, 0, 0},
      {"nothing matches", {{SheetBuilder().Row(1, {"甲", "乙"}).build()}}, 0, 0, 0},
      {"no sheets", {}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const HeaderMatch m = FindHeader(c.book, kRoomImportHeadings);
    EXPECT_EQ(m.count, c.count) << c.what;
    if (c.count == 0) continue;
    EXPECT_EQ(m.sheet, c.sheet) << c.what;
    EXPECT_EQ(m.row, c.row) << c.what;
  }
}

TEST(HeaderSearchTest, OnlyTheFirstNineSheetsAndTwentyNineColumns) {
  Workbook book;
  for (int s = 0; s < 9; ++s) book.sheets.push_back(SheetBuilder().Row(1, {"无"}).build());
  book.sheets.push_back(SheetBuilder().Row(1, {"房号"}).build());  // the tenth
  EXPECT_EQ(FindHeader(book, kRoomImportHeadings).count, 0);

  std::vector<std::string> wide(30, "");
  wide[29] = "房号";  // column 30
  const Workbook far{{SheetBuilder().Row(1, wide).build()}};
  EXPECT_EQ(FindHeader(far, kRoomImportHeadings).count, 0);
}

TEST(HeaderSearchTest, CellsBelongToTheFirstUnfoundFieldWhoseListContainsThem) {
  struct Case {
    const char* cell;
    int field;  // the room field it gives, -1 none
  };
  const std::vector<Case> cases = {
      {"房 间 名 称", 0},             // spaces removed
      {"名称", 0},        {"号", 0},  // the first list containing it
      {"类", 1},          {"超时", 2}, {"状态", 3},   {"练琴费用", 4},      {"容量", 5}, {"最低消费", 6},
      {"计时段", 7},      {"容差", 8}, {"登记费", 9}, {"房间名称备注", -1},  // longer than every listed word
      {"   ", -1},
  };
  for (const Case& c : cases) {
    const Sheet sheet = SheetBuilder().Row(1, {c.cell}).build();
    const HeaderMatch m = MatchRow(sheet, 1, kRoomImportHeadings);
    for (int f = 0; f < 10; ++f) EXPECT_EQ(m.has(f), f == c.field) << c.cell << " field " << f;
  }
  // A second cell for a found field goes on to the next list containing it.
  const HeaderMatch twice = MatchRow(SheetBuilder().Row(1, {"房号", "号"}).build(), 1, kRoomImportHeadings);
  EXPECT_EQ(twice.columns[0], 1);
  EXPECT_EQ(twice.count, 1);
}

TEST(HeaderSearchTest, StudentHeadingsAsListed) {
  const Sheet sheet = SheetBuilder()
                          .Row(1, {"序号", "学号", "姓名", "性别", "专业", "入学时间", "班级", "学期累计", "总累计",
                                   "等级", "总冲值", "余款", "手机", "次数", "专用琴房", "专用琴房二", "专用琴房三"})
                          .Row(2, {"ID", "专用琴房3", "专用琴房2", "专用琴房2"})
                          .build();
  const HeaderMatch all = MatchRow(sheet, 1, kStudentImportHeadings);
  EXPECT_EQ(all.count, 17);
  for (int f = 0; f < 17; ++f) EXPECT_EQ(all.columns[static_cast<size_t>(f)], f + 1) << f;

  const HeaderMatch rooms = MatchRow(sheet, 2, kStudentImportHeadings);
  EXPECT_EQ(rooms.columns[0], 1);
  // 专用琴房3 is in no list; the two 专用琴房2 give the second and the third room.
  EXPECT_FALSE(rooms.has(14));
  EXPECT_EQ(rooms.columns[15], 3);
  EXPECT_EQ(rooms.columns[16], 4);
}

}  // namespace
}  // namespace tarvolen
