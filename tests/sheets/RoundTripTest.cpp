// The student list's query exported by the query window's export (row 1
// the template's title row, then the column titles and the records, every
// cell as the grid shows it), written as an .xlsx, read back through the
// real .xlsx reader and imported into an empty installation. The headings the import recognises in that layout:
// 序号 (taken as the card number: "琴卡号 ID 序号" contains it, and it comes
// first), 姓名, 性别, 专业, 等级 (read as a number: a level's name gives 0),
// 年级 ("yy级|name" is seven characters: the current year), 班级, 学期累计 and
// 总累计 (hours "0.0" read as minutes), 余额, 联系电话, 证号. Not recognised:
// 充值总额, 挂失, 封停, 累计次数, and 卡号 (the card field is already taken).
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

#include "platform/fake/FakeFileDialogs.h"
#include "platform/fake/FakeWorkbookWriter.h"
#include "platform/sheets/SpreadsheetReader.h"
#include "query/QueryDesk.h"
#include "session/StudentDetails.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;

constexpr CivilDate kToday{2012, 9, 3};

// The rows as the export wrote them, into an .xlsx the way the program's
// writer makes one: number cells as numbers, the rest as strings.
bool WriteRows(const std::string& path, const std::vector<CellRow>& rows) {
  lxw_workbook* wb = workbook_new(path.c_str());
  if (wb == nullptr) return false;
  lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const SheetCell& cell = rows[r][c];
      const auto row = static_cast<lxw_row_t>(r);
      const auto col = static_cast<lxw_col_t>(c);
      if (cell.number) {
        worksheet_write_number(ws, row, col, cell.value, nullptr);
      } else if (!cell.text.empty()) {
        worksheet_write_string(ws, row, col, cell.text.c_str(), nullptr);
      }
    }
  }
  return workbook_close(wb) == LXW_NO_ERROR;
}

TEST(RoundTripTest, AnExportedStudentQueryImportsIntoAnEmptyInstallation) {
  // The demo's students, with telephones and ID numbers to carry.
  Installation from(true, kToday);
  from.clock().set({kToday, 9, 0, 0});
  auto source = from.startDesk();
  std::vector<StudentRecord> students;
  for (int slot = 1; slot <= StudentTable::kLastSlot; ++slot) {
    StudentRecord s = source->students()[slot];
    if (s.card == 0) continue;
    s.telephone = 13800000000 + slot;
    s.idNumber = 20120000 + slot;
    students.push_back(s);
  }
  ASSERT_GE(students.size(), 10u);

  // The query reads students.dat itself.
  for (const StudentRecord& s : students) {
    const int slot = source->students().findByCard(s.card);
    ASSERT_TRUE(StudentTable::SaveRecordOf(from.folder(), slot, s).ok());
    source->students()[slot] = s;
  }

  // The student list's query, exported through the query window's own
  // export (the rows it hands the workbook writer).
  query::QueryPage& page = source->queries().page();
  page.ChooseSource(static_cast<int>(query::Source::Students));
  page.ChooseMode(static_cast<int>(query::Mode::All));
  source->queries().Search();
  ASSERT_TRUE(source->queries().windowShown());
  const std::string path = (from.root().parent_path() / "query.xlsx").string();
  FakeFileDialogs dialogs;
  dialogs.answer = path;
  FakeWorkbookWriter books;
  ASSERT_TRUE(source->queries().Export(dialogs, books).written);
  ASSERT_EQ(books.written.size(), 1u);
  ASSERT_TRUE(WriteRows(path, books.written.begin()->second));

  Installation to(false, kToday);
  SpreadsheetReader reader;
  to.useReader(reader);
  to.clock().set({kToday, 9, 0, 0});
  to.fileDialogs().answer = path;
  auto desk = to.startDesk();
  desk->prompt().setPassword("pw");
  desk->prompt().setSecond("pw");
  ASSERT_EQ(desk->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
  desk->adminArea().Toggle();
  ASSERT_TRUE(desk->adminArea().Navigate(3).ok());
  desk->sheetImport().ImportStudents();
  for (int i = 0; i < 100 && desk->sheetImport().running(); ++i) to.timers().advance(1);
  // The student query always keeps one grade: the students it exported
  // are the ones to come back, each found again by its name.
  StudentTable stored;
  ASSERT_TRUE(stored.load(to.folder()).ok());
  int imported = 0;
  while (imported < StudentTable::kLastSlot && !stored[imported + 1].name.empty()) ++imported;
  ASSERT_GE(imported, 2);
  ASSERT_FALSE(to.boxes().boxes.empty());
  EXPECT_EQ(to.boxes().boxes.back().text, "导入完成,共导入" + std::to_string(imported) + "组数据,数据更新中,请等待。");
  for (int i = 1; i <= imported; ++i) {
    const StudentRecord& got = stored[i];
    const auto want =
        std::find_if(students.begin(), students.end(), [&got](const StudentRecord& s) { return s.name == got.name; });
    ASSERT_NE(want, students.end()) << got.name;
    const std::string who = want->name;
    // What both sides carry alike.
    EXPECT_EQ(got.sex, want->sex) << who;
    EXPECT_EQ(got.major, want->major) << who;
    EXPECT_EQ(got.classIndex, want->classIndex) << who;
    EXPECT_FLOAT_EQ(got.balance, want->balance) << who;
    EXPECT_EQ(got.telephone, want->telephone) << who;
    EXPECT_EQ(got.idNumber, want->idNumber) << who;
    EXPECT_EQ(got.status, 0) << who;
    // What the export does not carry: its running number is taken as the
    // card (its heading 序号 is one of the card's headings, and it comes
    // first).
    EXPECT_EQ(got.card, static_cast<int64_t>(i)) << who;
  }
}

}  // namespace
}  // namespace tarvolen
