// The student list's query as an export writes it (row 1 a title, row 2
// the column titles, the records from row 3, every cell the text the grid
// shows), read back through the real .xlsx reader and imported into an
// empty installation. The headings the import recognises in that layout:
// 序号 (taken as the card number: "琴卡号 ID 序号" contains it, and it comes
// first), 姓名, 性别, 专业, 等级 (read as a number: a level's name gives 0),
// 年级 ("yy级|name" is seven characters: the current year), 班级, 学期累计 and
// 总累计 (hours "0.0" read as minutes), 余额, 联系电话, 证号. Not recognised:
// 充值总额, 挂失, 封停, 累计次数, and 卡号 (the card field is already taken).
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <vector>

#include "platform/sheets/SpreadsheetReader.h"
#include "session/StudentDetails.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;

constexpr CivilDate kToday{2012, 9, 3};

std::vector<std::string> QueryRow(int n, const StudentRecord& s, const CategoryLists& lists, const Dividers& div) {
  const CivilDate enrolled = DateOf(s.enrolled);
  const std::string yy = std::to_string(enrolled.year % 100 + 100).substr(1);
  return {std::to_string(n),
          s.name,
          s.sex == 0 ? "男" : "女",
          lists.majorName(s.major),
          lists.levelName(s.level),
          yy + "级|" + lists.gradeName(NianNJi(s.enrolled, kToday, div)),
          lists.className(s.classIndex),
          FormatFixed(s.semesterMinutes / 60.0, 1),
          FormatFixed(s.totalMinutes / 60.0, 1),
          FormatFixed(s.totalRecharged, 2),
          FormatFixed(s.balance, 2),
          s.isLost() ? "是" : "否",
          s.isSuspended() ? "是" : "否",
          std::to_string(s.telephone),
          std::to_string(s.checkinCount),
          StrKh(s.card, 10),
          StrZh(s.idNumber, 16)};
}

TEST(RoundTripTest, AnExportedStudentQueryImportsIntoAnEmptyInstallation) {
  // The demo's students, with telephones and ID numbers to carry.
  Installation from(true, kToday);
  from.clock().set({kToday, 9, 0, 0});
  auto source = from.startDesk();
  const CategoryLists& lists = source->categories();
  const Dividers div{815, 215};
  std::vector<StudentRecord> students;
  for (int slot = 1; slot <= StudentTable::kLastSlot; ++slot) {
    StudentRecord s = source->students()[slot];
    if (s.card == 0) continue;
    s.telephone = 13800000000 + slot;
    s.idNumber = 20120000 + slot;
    students.push_back(s);
  }
  ASSERT_GE(students.size(), 10u);

  const std::string path = (from.root().parent_path() / "query.xlsx").string();
  lxw_workbook* wb = workbook_new(path.c_str());
  lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
  worksheet_write_string(ws, 0, 0, "学生数据", nullptr);
  const std::vector<const char*> titles = {"序号", "姓名",     "性别",     "专业",     "等级", "年级",
                                           "班级", "学期累计", "总累计",   "充值总额", "余额", "挂失",
                                           "封停", "联系电话", "累计次数", "卡号",     "证号"};
  for (size_t c = 0; c < titles.size(); ++c)
    worksheet_write_string(ws, 1, static_cast<lxw_col_t>(c), titles[c], nullptr);
  for (size_t r = 0; r < students.size(); ++r) {
    const auto cells = QueryRow(static_cast<int>(r + 1), students[r], lists, div);
    for (size_t c = 0; c < cells.size(); ++c) {
      worksheet_write_string(ws, static_cast<lxw_row_t>(r + 2), static_cast<lxw_col_t>(c), cells[c].c_str(), nullptr);
    }
  }
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);

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
  ASSERT_FALSE(to.boxes().boxes.empty());
  EXPECT_EQ(to.boxes().boxes.back().text,
            "导入完成,共导入" + std::to_string(students.size()) + "组数据,数据更新中,请等待。");

  StudentTable stored;
  ASSERT_TRUE(stored.load(to.folder()).ok());
  for (size_t i = 0; i < students.size(); ++i) {
    const StudentRecord& want = students[i];
    const StudentRecord& got = stored[static_cast<int>(i + 1)];
    const std::string who = want.name;
    // What both sides carry alike.
    EXPECT_EQ(got.name, want.name) << who;
    EXPECT_EQ(got.sex, want.sex) << who;
    EXPECT_EQ(got.major, want.major) << who;
    EXPECT_EQ(got.classIndex, want.classIndex) << who;
    EXPECT_FLOAT_EQ(got.balance, want.balance) << who;
    EXPECT_EQ(got.telephone, want.telephone) << who;
    EXPECT_EQ(got.idNumber, want.idNumber) << who;
    EXPECT_EQ(got.status, 0) << who;
    // What the layout does not carry: the running number becomes the card,
    // and the seven-character grade the current school year.
    EXPECT_EQ(got.card, static_cast<int64_t>(i + 1)) << who;
    EXPECT_EQ(DateOf(got.enrolled), (CivilDate{2012, 8, 15})) << who;
  }
}

}  // namespace
}  // namespace tarvolen
