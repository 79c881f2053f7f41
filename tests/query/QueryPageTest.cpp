#include <gtest/gtest.h>

#include "platform/fake/FakeFileDialogs.h"
#include "platform/fake/FakeWorkbookWriter.h"
#include "query/QueryDesk.h"
#include "support/Installation.h"

namespace tarvolen::testing {
namespace {

using namespace query;

class QueryPageTest : public ::testing::Test {
 protected:
  QueryPageTest() : install_(true), desk_(install_.startDesk()) {}
  QueryPage& page() { return desk_->queries().page(); }
  ResultGrid& grid() { return desk_->queries().grid(); }
  Installation install_;
  std::unique_ptr<Desk> desk_;
};

TEST_F(QueryPageTest, ChoosingASourceShowsItsRows) {
  page().ChooseSource(static_cast<int>(Source::Rooms));
  EXPECT_FALSE(page().modeListShown());
  EXPECT_FALSE(page().row(kDate).shown);
  EXPECT_TRUE(page().row(kRoom).shown);
  EXPECT_FALSE(page().row(kName).shown);
  EXPECT_EQ(page().row(kRow19).title, "练琴费用");
  EXPECT_EQ(page().row(kRow19).unit, "元/小时");

  page().ChooseSource(static_cast<int>(Source::Students));
  EXPECT_TRUE(page().modeListShown());
  EXPECT_TRUE(page().row(kGrade).ticked);
  page().Tick(kGrade, false);  // locked for the student source
  EXPECT_TRUE(page().row(kGrade).ticked);

  page().ChooseSource(static_cast<int>(Source::Log));
  EXPECT_EQ(page().row(kRow18).title, "操作类型");
  EXPECT_EQ(page().row(kRow18).from, "[充值]");
  EXPECT_EQ(page().row(kRow18).fromSet, 1u);
  EXPECT_EQ(page().row(kRow19).title, "金额");
  page().Tick(kGrade, false);
  EXPECT_FALSE(page().row(kGrade).ticked);
}

TEST_F(QueryPageTest, TickingARowShowsItsValuesWithTheirDefaults) {
  page().Tick(kSemesterHours, true);
  const PageRow& r = page().row(kSemesterHours);
  EXPECT_TRUE(r.fromShown && r.toShown && r.connectorShown);
  EXPECT_EQ(r.from, "0");
  EXPECT_EQ(r.to, "500");
  EXPECT_EQ(r.connector, "至");
  EXPECT_EQ(r.unit, "小时");
  page().Tick(kName, true);
  EXPECT_TRUE(page().row(kName).fromShown);
  EXPECT_FALSE(page().row(kName).toShown);
  EXPECT_EQ(page().row(kName).unit, "相似");
  page().ClickUnit(kName);
  EXPECT_EQ(page().row(kName).unit, "全等");
  page().Tick(kTime, true);
  EXPECT_EQ(page().row(kTime).from, "06:00");
  page().SetTime(kTime, true, 9, 5);
  EXPECT_EQ(page().row(kTime).to, "09:05");
  page().Tick(kTelephone, true);  // not a row of the check-in source
  EXPECT_FALSE(page().row(kTelephone).fromShown);
  page().Tick(kSex, true);
  EXPECT_EQ(page().row(kSex).from, "女");
  page().Toggle(kSex);
  EXPECT_EQ(page().row(kSex).from, "男");
  EXPECT_EQ(page().EditorFor(kDate, false), ValueEditor::Date);
  EXPECT_EQ(page().EditorFor(kMajor, false), ValueEditor::List);
  EXPECT_EQ(page().EditorFor(kUnused, false), ValueEditor::None);
  EXPECT_EQ(page().EditorFor(kBalance, true), ValueEditor::Text);
}

TEST_F(QueryPageTest, ListsGiveSetsAndNames) {
  page().Tick(kMajor, true);
  EXPECT_EQ(page().row(kMajor).from, "钢琴");
  ASSERT_GE(page().ListEntries(kMajor).size(), 2u);
  page().ChooseSet(kMajor, false, 0b11);
  EXPECT_EQ(page().row(kMajor).from, "钢琴,声乐");
  page().ChooseSet(kMajor, false, 0);
  EXPECT_EQ(page().row(kMajor).from, "-[未选择]");

  page().ChooseSource(static_cast<int>(Source::Log));
  page().Tick(kRow18, true);
  page().Tick(kRow19, true);
  page().ChooseSet(kRow18, false, 1u << 4);  // 违规停用
  EXPECT_EQ(page().row(kRow19).title, "封停时间");
  EXPECT_EQ(page().row(kRow19).unit, "天");
  page().ChooseSet(kRow18, false, 1u << 3);  // 补卡
  EXPECT_EQ(page().row(kRow19).title, "新卡号");
  EXPECT_FALSE(page().row(kRow19).toShown);
  page().ChooseSet(kRow18, false, 1u | (1u << 8));  // 充值 and 记录 together
  EXPECT_EQ(page().row(kRow19).title, "[不可用]");
}

TEST_F(QueryPageTest, CombinedModeAddsTheMinutesRowAndItsUnit) {
  page().ChooseMode(static_cast<int>(Mode::Combined));
  EXPECT_TRUE(page().ignoreCheckoutTimeShown());
  EXPECT_TRUE(page().row(kRow18).shown);
  EXPECT_EQ(page().row(kRow18).unit, "小时");
  page().ClickUnit(kRow18);
  EXPECT_EQ(page().row(kRow18).unit, "分");
  EXPECT_EQ(page().minutesPerUnit(), 1);
  page().ClickUnit(kName);  // a match label leaves the unit alone
  EXPECT_EQ(page().minutesPerUnit(), 1);
  page().ChooseMode(static_cast<int>(Mode::All));
  EXPECT_FALSE(page().row(kRow18).shown);
  EXPECT_FALSE(page().ignoreCheckoutTimeShown());
}

TEST_F(QueryPageTest, SearchNeedsADisplayMode) {
  desk_->queries().Search();
  EXPECT_FALSE(desk_->queries().windowShown());
  EXPECT_EQ(desk_->notifier().stack().text(1), "请选择显示方式!");
  EXPECT_EQ(install_.sound().played.back(), "4.wav");
}

TEST_F(QueryPageTest, SearchListsTheRoomsUnderItsTitle) {
  page().ChooseSource(static_cast<int>(Source::Rooms));
  desk_->queries().Search();
  EXPECT_TRUE(desk_->queries().windowShown());
  EXPECT_EQ(grid().title(), "系统查询-房间数据");
  EXPECT_EQ(grid().columnCount(), 10);
  EXPECT_GT(grid().records(), 0);
  EXPECT_EQ(grid().cell(2, 5), "练琴费用");
}

TEST_F(QueryPageTest, SearchOfTheCombinedDisplayAddsTheCheckoutOperator) {
  page().ChooseMode(static_cast<int>(Mode::Combined));
  desk_->queries().Search();
  EXPECT_EQ(grid().title(), "系统查询-登录数据-组合显示");
  EXPECT_EQ(grid().cell(2, 22), "结账用户");
  page().setQueryMode(false);  // 统计: the window shows empty
  desk_->queries().Search();
  EXPECT_TRUE(desk_->queries().windowShown());
  EXPECT_FALSE(grid().hasResult());
}

TEST_F(QueryPageTest, ExportAsksForAFileAndTellsTheOutcome) {
  page().ChooseSource(static_cast<int>(Source::Rooms));
  desk_->queries().Search();
  FakeFileDialogs dialogs;
  FakeWorkbookWriter books;
  EXPECT_FALSE(desk_->queries().Export(dialogs, books).written);  // cancelled
  EXPECT_TRUE(books.written.empty());
  EXPECT_TRUE(install_.boxes().boxes.empty());
  dialogs.answer = "/tmp/rooms";
  EXPECT_TRUE(desk_->queries().Export(dialogs, books).written);
  EXPECT_EQ(dialogs.asked.back(), "导出数据|报表文件 (*.xlsx)");
  ASSERT_EQ(install_.boxes().boxes.size(), 1u);
  EXPECT_EQ(install_.boxes().boxes[0].text, "成功");
  books.failure = Status(ErrorCode::WriteFailed, "no room");
  EXPECT_FALSE(desk_->queries().Export(dialogs, books).written);
  EXPECT_EQ(install_.boxes().boxes.back().text, "导出失败：no room");
  desk_->queries().Close();
  EXPECT_FALSE(desk_->queries().windowShown());
  EXPECT_EQ(grid().rowCount(), 0);
}

}  // namespace
}  // namespace tarvolen::testing
