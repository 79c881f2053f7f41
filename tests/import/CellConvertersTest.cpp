// What a cell becomes: time limits, open states, sex, types and majors,
// grades, classes, rooms and the numbers, as tables.
#include <gtest/gtest.h>

#include "import/CellConverters.h"

namespace tarvolen {
namespace {

CategoryLists Lists() {
  CategoryLists l;
  l.majors[0] = "钢琴";
  l.majors[1] = "声乐";
  l.majors[2] = "小提琴";
  l.classes[0] = "一班";
  l.classes[2] = "三班";
  return l;
}

TEST(CellConvertersTest, TimeLimitCode) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"45", 9},  {"8", 0},    {"不限", 1}, {"", 1},       {"不限制", 1}, {"限时", 1},  {"时", 1},
      {"10", 2},  {"12.5", 2}, {"17.5", 4}, {"默认60", 0}, {"默认", 0},   {"1000", 60}, {"301", 60},
      {"abc", 0}, {"4 5", 9},  {"-45", 0},  {"45分钟", 9}, {"1e400", 0},
  };
  for (const auto& [cell, code] : cases) EXPECT_EQ(CellTimeLimitCode(cell), code) << cell;
}

TEST(CellConvertersTest, ServiceStatusAndSex) {
  for (const char* open : {"是", "开放", "启用"}) EXPECT_EQ(CellServiceStatus(open), 0) << open;
  for (const char* closed : {"否", "", "开放中", "关闭", "1"}) EXPECT_EQ(CellServiceStatus(closed), 1) << closed;
  for (const char* male : {"男", "男生", " 男"}) EXPECT_EQ(CellSex(male), 0) << male;
  for (const char* female : {"女", "", "m", "1"}) EXPECT_EQ(CellSex(female), 1) << female;
}

TEST(CellConvertersTest, MajorByContainmentEitherWay) {
  const CategoryLists lists = Lists();
  const std::vector<std::pair<std::string, int>> cases = {
      {"钢琴", 0},  {"琴", 0}, {"声乐系", 1},  {"小提", 2},     {"提琴", 2},
      {"古筝", -1}, {"", -1},  {"大提琴", -1}, {"钢琴声乐", 0},
  };
  for (const auto& [cell, major] : cases) {
    const auto m = CellMajor(cell, lists);
    EXPECT_EQ(m ? *m : -1, major) << cell;
  }
}

TEST(CellConvertersTest, Enrolment) {
  const Dividers div{815, 215};
  const CivilDate today{2012, 9, 3};
  struct Case {
    std::string cell;
    std::optional<CivilDate> date;
  };
  const std::vector<Case> cases = {
      {"2009年9月1日", CivilDate{2009, 9, 1}},
      {"2009-09-01", CivilDate{2009, 9, 1}},
      {"2009/9/1", CivilDate{2009, 9, 1}},
      {"2009年9月1号", CivilDate{2009, 9, 1}},
      {"2009级", CivilDate{2009, 8, 15}},
      {"2009", CivilDate{2009, 8, 15}},
      {"20", std::nullopt},    // year 20
      {"09级", std::nullopt},  // year 9
      {"abcd", std::nullopt},
      {"2009-13-01", std::nullopt},
      {"1850-01-01", std::nullopt},            // before 1900
      {"2009年九月", CivilDate{2012, 8, 15}},  // six characters: the current year
      {"2009-09-01 08:00:00", CivilDate{2012, 8, 15}},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto d = CellEnrolment(c.cell, today, div);
    ASSERT_EQ(d.has_value(), c.date.has_value()) << c.cell;
    if (d) {
      EXPECT_EQ(DateOf(*d), *c.date) << c.cell;
    }
  }
}

TEST(CellConvertersTest, ClassesAndRoomsByExactName) {
  const CategoryLists lists = Lists();
  EXPECT_EQ(CellClass("三班", lists), std::optional<uint8_t>(2));
  EXPECT_EQ(CellClass("三", lists), std::nullopt);
  // An empty cell does not take the first unused class.
  EXPECT_EQ(CellClass("", lists), std::nullopt);
  RoomTable rooms;
  rooms[4].name = "琴房104";
  EXPECT_EQ(CellRoom("琴房104", rooms), 4);
  EXPECT_EQ(CellRoom("琴房10", rooms), 0);
  EXPECT_EQ(CellRoom("", rooms), 0);
}

TEST(CellConvertersTest, Numbers) {
  struct Case {
    std::string cell;
    std::optional<int64_t> card;
  };
  const std::vector<Case> cards = {
      {"1001", 1001},
      {"-1001", 1001},
      {"1001.5", 1002},
      {"1001.4", 1001},
      {" 10 01 ", 1001},
      {"abc", 0},
      {"", 0},
      {"13800138000", 13800138000},
      {"922337203685477", 922337203685477},  // the largest a Currency member holds
      {"922337203685478", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& c : cards) EXPECT_EQ(CellCardNumber(c.cell), c.card) << c.cell;

  EXPECT_EQ(CellWhole("255", NumberTarget::Byte), std::optional<int64_t>(255));
  EXPECT_EQ(CellWhole("256", NumberTarget::Byte), std::nullopt);
  EXPECT_EQ(CellWhole("70000", NumberTarget::Int16), std::nullopt);
  EXPECT_EQ(CellWhole("12元", NumberTarget::Int32), std::optional<int64_t>(12));
  EXPECT_EQ(CellWhole("元", NumberTarget::Int32), std::optional<int64_t>(0));
  EXPECT_EQ(CellSingle("12.5"), std::optional<float>(12.5f));
  EXPECT_EQ(CellSingle("1e39"), std::optional<float>(1.0f));  // the leading number only
  EXPECT_EQ(CellSingle(std::string(60, '9')), std::nullopt);
}

TEST(CellConvertersTest, Characters) {
  EXPECT_EQ(CharacterCount("2009年9月1日"), 9);
  EXPECT_EQ(FirstCharacters("年2009", 2), "年2");
  EXPECT_EQ(FirstCharacters("ab", 4), "ab");
}

}  // namespace
}  // namespace tarvolen
