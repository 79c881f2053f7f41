// The printed summaries of the confirmation panel: their lines, the runs on
// one line and the colours.
#include <gtest/gtest.h>

#include "accounts/OperationSummary.h"

namespace tarvolen {
namespace {

constexpr CivilDate kToday{2012, 9, 3};

class OperationSummaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lists_.majors[0] = "钢琴";
    lists_.classes[1] = "一班";
    lists_.levels[0].name = "普通";
    options_.cardDigits = 10;
    options_.idDigits = 12;
    options_.defaultTimeLimit = 90;
    student_.card = 1001;
    student_.idNumber = 20120001;
    student_.name = "张伟";
    student_.classIndex = 1;
    student_.enrolled = ToOle(CivilDate{2012, 9, 1});
    student_.semesterMinutes = 90;
    student_.totalMinutes = 125;
    student_.totalRecharged = 300;
    student_.balance = 120.5f;
    room_.name = "琴房101";
    room_.price = 10;
    room_.capacity = 2;
  }
  SummaryContext ctx() const { return {lists_, options_, kToday}; }
  static std::vector<std::string> Texts(const std::vector<SummaryLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(LineText(l));
    return out;
  }

  CategoryLists lists_;
  Options options_;
  StudentRecord student_;
  RoomRecord room_;
};

TEST_F(OperationSummaryTest, ANormalStudentsRecharge) {
  PendingOperation op{OperationKind::Recharge, 1, 0, 1005000, "", 0};
  const auto lines = MemberSummary(ctx(), student_, false, 0, op);
  const std::vector<std::string> expected = {"",
                                             "",
                                             "  状态:[正常]",
                                             "  卡号:0000001001",
                                             "  证号:000020120001",
                                             "  姓名:张伟",
                                             "  性别:男",
                                             "  专业:钢琴",
                                             "  年级:12级 (" + lists_.gradeName(0) + ")",
                                             "  班级:一班",
                                             "  等级:普通",
                                             "  学期累计:1.5小时",
                                             "  总 累 计:2.1小时",
                                             "  总 付 费:300.00元",
                                             "  余    额:120.50元",
                                             "",
                                             "  [充值]：100.50元"};
  EXPECT_EQ(Texts(lines), expected);
  EXPECT_EQ(lines[2][0].colour, SummaryColour::Green);
  EXPECT_EQ(lines[3][0].colour, SummaryColour::White);
}

TEST_F(OperationSummaryTest, ALostAndSuspendedStudentShowsTheEndAndTheDaysLeft) {
  student_.status = 3;
  PendingOperation op{OperationKind::CardReplace, 1, 0, 0, "x", 555};
  const auto lines = MemberSummary(ctx(), student_, false, ToOle(CivilDate{2012, 9, 10}), op);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(
      lines[2],
      (SummaryLine{{"  状态:", SummaryColour::Red}, {"[挂失]", SummaryColour::Red}, {"  [停用]", SummaryColour::Red}}));
  EXPECT_EQ(lines[3], (SummaryLine{{"  2012年09月10日到期", SummaryColour::Red}}));
  EXPECT_EQ(lines[4], (SummaryLine{{"  [剩余7天]", SummaryColour::Red}}));
  EXPECT_TRUE(lines[5].empty());
  EXPECT_EQ(LineText(lines[lines.size() - 2]), "  [补卡]");
  EXPECT_EQ(LineText(lines.back()), "  新卡号：0000000555");
}

TEST_F(OperationSummaryTest, ALiftedSuspensionOfALostStudentStaysRed) {
  student_.status = 1;  // lost; the suspension was lifted by the preparation
  PendingOperation op{OperationKind::Suspension, 1, 0, 30000, "", 0};
  const auto lines = MemberSummary(ctx(), student_, true, 0, op);
  EXPECT_EQ(lines[2], (SummaryLine{{"  状态:", SummaryColour::Red},
                                   {"[挂失]", SummaryColour::Red},
                                   {"[已恢复使用]", SummaryColour::Red}}));
  EXPECT_EQ(LineText(lines.back()), "  [违规停用] 3天");
}

TEST_F(OperationSummaryTest, RoomsShowTheDefaultLimitForCodeZero) {
  room_.serviceStatus = 1;
  const auto lines = RoomSummary(ctx(), room_, OperationKind::RoomOpen);
  const std::vector<std::string> expected = {"",
                                             "",
                                             "  状态:[停用]",
                                             "  房间名称:琴房101",
                                             "  房间类型:钢琴",
                                             "  使用时限:90",
                                             "  建议价格:10.00元/小时",
                                             "  容纳人数:2人",
                                             "",
                                             "  [房间开放] "};
  EXPECT_EQ(Texts(lines), expected);
  EXPECT_EQ(lines[2][0].colour, SummaryColour::Red);
  room_.timeLimitCode = 1;
  EXPECT_EQ(LineText(RoomSummary(ctx(), room_, OperationKind::RoomClose)[5]), "  使用时限:32000");
}

TEST_F(OperationSummaryTest, FreeRecords) {
  EXPECT_EQ(Texts(FreeRecordSummary(ctx(), nullptr, nullptr, 0)), (std::vector<std::string>{"", "", "  [记录] "}));
  const auto lines = FreeRecordSummary(ctx(), &student_, &room_, 1005000);
  EXPECT_EQ(LineText(lines[4]), "  姓名:张伟  性别:男");
  EXPECT_EQ(LineText(lines[9]), "  总 付 费:300.00元  余额:120.50元");
  EXPECT_EQ(LineText(lines[10]), "-------------------------");
  EXPECT_EQ(LineText(lines[11]), "  房间名称:琴房101  房间类型:钢琴");
  EXPECT_EQ(LineText(lines[14]), "  金    额:100.5元");
}

TEST_F(OperationSummaryTest, GeneralNumberDropsTrailingZeros) {
  EXPECT_EQ(GeneralNumber(0), "0");
  EXPECT_EQ(GeneralNumber(1005000), "100.5");
  EXPECT_EQ(GeneralNumber(-30000), "-3");
  EXPECT_EQ(GeneralNumber(1), "0.0001");
  EXPECT_EQ(GeneralNumber(INT64_MIN), "-922337203685477.5808");
}

}  // namespace
}  // namespace tarvolen
