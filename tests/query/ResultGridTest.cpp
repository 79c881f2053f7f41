#include <gtest/gtest.h>

#include "platform/fake/FakeWorkbookWriter.h"
#include "query/Export.h"
#include "query/PrintLayout.h"
#include "query/QueryFixture.h"
#include "query/ResultGrid.h"

namespace tarvolen::testing {
namespace {

using namespace query;

// Ten check-ins of students with balances 1..10 in reverse order.
class ResultGridTest : public QueryFixture {
 protected:
  ResultGridTest() {
    std::vector<CheckinRecord> records;
    for (int s = 1; s <= 10; ++s) {
      Student(s, "学生" + std::string(1, static_cast<char>('A' + 10 - s)), 100 + s).balance = static_cast<float>(s);
      Room(s, "R" + std::to_string(s));
      records.push_back(Checkin(s, s, {2026, 1, s}, 600 + s, 0));
    }
    WriteCheckins(2026, records);
    grid_.Show(std::move(Run(Request(Source::Checkins, Mode::CheckinsOnly)).result), "系统查询-登录数据-显示上线");
  }
  std::vector<std::string> Column(int c) const {
    std::vector<std::string> v;
    for (int r = ResultGrid::kFixedRows; r < grid_.rowCount(); ++r) v.push_back(grid_.cell(r, c));
    return v;
  }
  static constexpr int kName = 3, kBalance = 13;
  ResultGrid grid_;
};

TEST_F(ResultGridTest, FixedLinesAndRunningNumbers) {
  EXPECT_EQ(grid_.rowCount(), 13);
  EXPECT_EQ(grid_.cell(0, 0), "平均");
  EXPECT_EQ(grid_.cell(1, 0), "合计");
  EXPECT_EQ(grid_.cell(2, 0), "序号");
  EXPECT_EQ(grid_.cell(0, kBalance), "5.50");
  EXPECT_EQ(grid_.cell(1, kBalance), "55.00");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
}

TEST_F(ResultGridTest, AClickSortsAscendingThenDescendingAndTheNumbersFollow) {
  grid_.ClickTitle(kBalance);
  EXPECT_EQ(Column(kBalance).front(), "1.00");
  EXPECT_EQ(Column(kBalance).back(), "10.00");  // as numbers: 10 after 9
  grid_.ClickTitle(kBalance);
  EXPECT_EQ(Column(kBalance).front(), "10.00");
  EXPECT_EQ(Column(0).front(), "1");
  grid_.ClickTitle(kName);  // text, ascending at its first click
  EXPECT_EQ(Column(kName).front(), "学生A");
  grid_.ClickTitle(kBalance);  // this column's flag was left descending... flipped back: ascending
  EXPECT_EQ(Column(kBalance).front(), "1.00");
  const auto before = Column(kBalance);
  grid_.ClickTitle(0);  // the running numbers keep the order
  EXPECT_EQ(Column(kBalance), before);
  EXPECT_EQ(Column(0).back(), "10");
}

TEST_F(ResultGridTest, ShowResetsTheExportSettings) {
  const ExportChoice& c = grid_.exportChoice();
  EXPECT_EQ(c.captions[0], "序号");
  EXPECT_EQ(c.captions[3], "姓名");
  EXPECT_TRUE(c.shown[22] && c.ticked[22]);  // 证号, the last column
  EXPECT_FALSE(c.shown[23] || c.ticked[23]);
  EXPECT_EQ(c.firstLine, "1");
  EXPECT_EQ(c.lastLine, "10");
  EXPECT_FALSE(c.averages || c.totals);
}

TEST_F(ResultGridTest, SelectionOfColumnsLinesAndAggregates) {
  ExportChoice& c = grid_.exportChoice();
  c.ticked.fill(false);
  c.ticked[0] = c.ticked[3] = c.ticked[kBalance] = true;
  c.averages = c.totals = true;
  auto rows = grid_.Selection();
  ASSERT_EQ(rows.size(), 13u);
  EXPECT_EQ(rows[0][0].text, "平均");
  EXPECT_FALSE(rows[0][0].number);
  EXPECT_TRUE(rows[0][2].number);
  EXPECT_DOUBLE_EQ(rows[0][2].value, 5.5);
  EXPECT_EQ(rows[1][0].text, "合计");
  EXPECT_EQ(rows[2][1].text, "姓名");
  EXPECT_EQ(rows[3][0].text, "1");
  EXPECT_TRUE(rows[3][0].number);
  EXPECT_FALSE(rows[3][1].number);

  c.averages = c.totals = false;
  c.firstLine = "3";
  c.lastLine = "5";
  grid_.ClickTitle(kBalance);
  grid_.ClickTitle(kBalance);  // descending
  rows = grid_.Selection();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0][1].text, "姓名");
  EXPECT_EQ(rows[1][0].text, "3");
  EXPECT_EQ(rows[1][2].text, "8.00");

  c.firstLine = "8";
  c.lastLine = "99";  // past the last record: clamped
  EXPECT_EQ(grid_.Selection().size(), 4u);
  c.firstLine = "abc";  // not a number: from the first record
  c.lastLine = "2";
  EXPECT_EQ(grid_.Selection().size(), 3u);
}

TEST_F(ResultGridTest, ExportWritesTheTemplateTitleAndTheSelection) {
  FakeWorkbookWriter books;
  books.templates[folder().file("1.dat")] = {{"琴房使用报表"}};
  ExportChoice& c = grid_.exportChoice();
  c.ticked.fill(false);
  c.ticked[0] = c.ticked[3] = true;
  ExportOutcome out = ExportSelection(grid_, "/tmp/报表", folder(), books);
  EXPECT_TRUE(out.written);
  EXPECT_EQ(out.message, "成功");
  EXPECT_EQ(out.path, std::filesystem::path("/tmp/报表.xlsx"));
  const auto& rows = books.written.at(out.path);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0][0].text, "琴房使用报表");
  EXPECT_EQ(rows[1][0].text, "序号");
  EXPECT_EQ(rows[2][1].text, "学生J");
}

TEST_F(ResultGridTest, ExportWithoutTemplateLeavesRowOneEmpty) {
  FakeWorkbookWriter books;
  ExportOutcome out = ExportSelection(grid_, "/tmp/a.XLSX", folder(), books);
  EXPECT_TRUE(out.written);
  EXPECT_EQ(out.path, std::filesystem::path("/tmp/a.XLSX"));
  EXPECT_TRUE(books.written.at(out.path)[0].empty());
}

TEST_F(ResultGridTest, AFailedWriteIsReportedAsAFailure) {
  FakeWorkbookWriter books;
  books.failure = Status(ErrorCode::WriteFailed, "磁盘已满");
  ExportOutcome out = ExportSelection(grid_, "/tmp/a", folder(), books);
  EXPECT_FALSE(out.written);
  EXPECT_EQ(out.message, "导出失败：磁盘已满");
}

TEST_F(ResultGridTest, ClearEmptiesTheGrid) {
  grid_.Clear();
  EXPECT_EQ(grid_.rowCount(), 0);
  EXPECT_EQ(grid_.cell(2, 0), "");
}

TEST(PrintLayoutTest, LinesFlowOverPagesAndWideTablesOverBands) {
  std::vector<CellRow> selection;
  selection.push_back({{"平均"}, {"5.50", true, 5.5}});
  selection.push_back({{"序号"}, {"余额"}});
  for (int i = 1; i <= 25; ++i) selection.push_back({{std::to_string(i), true, double(i)}, {"1.00", true, 1.0}});
  PageMetrics m{200, 150, 10, 5, 4};  // 15 lines a page: 10 of them for the body
  PrintLayout p = LayOutPrint("系统查询-登录数据", selection, true, false, m);
  EXPECT_EQ(p.titles[1].text, "余额");
  ASSERT_EQ(p.body.size(), 26u);  // the average line and 25 records
  EXPECT_EQ(p.linesPerPage, 10);
  ASSERT_EQ(p.pages.size(), 3u);
  EXPECT_EQ(p.pages[0].first, 0);
  EXPECT_EQ(p.pages[0].last, 10);
  EXPECT_EQ(p.pages[2].first, 20);
  EXPECT_EQ(p.pages[2].last, 26);
  EXPECT_EQ(p.footer(p.pages[2]), "第 3 页，共 3 页");
  ASSERT_EQ(p.pages[0].columns.size(), 2u);
  EXPECT_EQ(p.pages[0].columns[1].x, p.pages[0].columns[0].width + 4);
  EXPECT_TRUE(p.pages[0].columns[1].rightAligned);
  EXPECT_LE(p.footerY + m.lineHeight, m.height);

  // Too narrow for both columns: each block of lines prints in two bands.
  m.width = 25;
  p = LayOutPrint("x", selection, true, false, m);
  ASSERT_EQ(p.pages.size(), 6u);
  EXPECT_EQ(p.pages[0].columns[0].column, 0);
  EXPECT_EQ(p.pages[1].columns[0].column, 1);
  EXPECT_EQ(p.pages[1].first, 0);
}

TEST(PrintLayoutTest, AnEmptyResultPrintsItsTitlesOnOnePage) {
  PrintLayout p = LayOutPrint("x", {{{"序号"}, {"姓名"}}}, false, false, {200, 150, 10, 5, 4});
  ASSERT_EQ(p.pages.size(), 1u);
  EXPECT_EQ(p.pages[0].first, p.pages[0].last);
  EXPECT_TRUE(LayOutPrint("x", {}, false, false, {200, 150, 10, 5, 4}).pages.empty());
}

}  // namespace
}  // namespace tarvolen::testing
