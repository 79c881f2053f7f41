// The student list: the rows and the filters, the search, deleting the
// selected students and clearing duplicate cards, on the demo installation.
#include "admin/StudentAdminFixture.h"
#include "session/TimeText.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

using testing::StudentAdminTest;

class StudentListTest : public StudentAdminTest {};

TEST_F(StudentListTest, AtStartTheListShowsTheNewestGrade) {
  // Demo students 1, 6, 11 and 16 enrolled this school year.
  ASSERT_EQ(list().filterIndex(StudentList::kGrade), 1);
  std::vector<int> slots;
  for (int r = 0; r < list().rowCount(); ++r) slots.push_back(list().rowSlot(r));
  EXPECT_EQ(slots, (std::vector<int>{1, 6, 11, 16}));
  ShowEveryone();
  EXPECT_EQ(list().rowCount(), 20);
}

TEST_F(StudentListTest, ARowHasItsFixedColumnsAndEndsInTheSlot) {
  StudentRecord& s = desk_->students()[1];
  s.dedicatedRooms = {1, 0, 2};
  s.semesterMinutes = 90;
  const std::string row = StudentRow(s, 1, desk_->categories(), desk_->rooms(), kToday, Dividers{});
  const std::string name = FitColumn(s.name, 8);
  EXPECT_EQ(row.substr(0, 28), "0000001001 " + ZeroPadded(s.idNumber, 16) + " ");
  EXPECT_EQ(row.substr(28, name.size()), name);
  EXPECT_NE(row.find(" 1.5    "), std::string::npos);
  EXPECT_NE(row.find("琴房101,琴房102" + std::string(20, ' ') + "0001"), std::string::npos);
  EXPECT_EQ(row.substr(row.size() - 4), "0001");
}

TEST_F(StudentListTest, SearchSelectsAmongTheShownRows) {
  struct Case {
    int field;
    const char* text;
    int found;  // rows selected, 0: "未找到指定项"
  } cases[] = {
      {0, "张伟", 1}, {0, "张", 0}, {1, "1006", 1}, {1, "1002", 0},  // 王芳 is not of the newest grade
      {2, "abc", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    list().setSearchField(c.field);
    list().setSearchText(c.text);
    list().Search();
    EXPECT_EQ(list().selectedCount(), c.found);
    EXPECT_EQ(LastMessage(), c.found ? "找到" + std::to_string(c.found) + "项\"" : "未找到指定项");
  }
  list().setSearchField(0);
  list().setSearchText("");
  list().Search();
  EXPECT_EQ(LastMessage(), "请输入查找姓名");
  // A hit loads the student into the editor.
  list().setSearchText("杨帆");
  list().Search();
  EXPECT_EQ(editor().text(StudentEditor::kName), "杨帆");
  EXPECT_EQ(editor().slotLabel(), "序号:6");
}

TEST_F(StudentListTest, DeletingKeepsAStudentWhoPractises) {
  ASSERT_TRUE(desk_->engine().CheckIn(6, 1));
  inst_.boxes().answer = true;
  list().SetSelection({0, 1, 2}, 0);  // slots 1, 6, 11
  list().Delete();
  ASSERT_EQ(inst_.boxes().boxes.size(), 1u);
  EXPECT_EQ(inst_.boxes().boxes[0].text, "是否确定删除多个数据？");
  EXPECT_TRUE(Announced("删除失败：已登记的学生:杨帆"));
  EXPECT_EQ(LastMessage(), "删除成功！");
  EXPECT_EQ(OnDisk(1).card, 0);
  EXPECT_EQ(OnDisk(1).name, "张伟");  // only the card goes
  EXPECT_EQ(OnDisk(6).card, 1006);
  EXPECT_EQ(OnDisk(11).card, 0);
  EXPECT_EQ(list().rowText(0), "");
  EXPECT_NE(list().rowText(1), "");
  // "No" to the question deletes nothing.
  inst_.boxes().answer = false;
  list().SetSelection({1, 3}, 1);
  list().Delete();
  EXPECT_EQ(OnDisk(16).card, 1016);
}

TEST_F(StudentListTest, ClearingDuplicatesKeepsTheLowestSlotAndAStudentWhoPractises) {
  StudentTable& students = desk_->students();
  for (int slot : {7, 12, 14}) {
    students[slot].card = 5555;
    ASSERT_TRUE(students.save(inst_.folder(), slot).ok());
  }
  ASSERT_TRUE(desk_->engine().CheckIn(14, 2));
  list().ClearDuplicates();
  EXPECT_TRUE(Announced("更改失败：已登记的学生:" + students[14].name));
  EXPECT_EQ(LastMessage(), "(1)清除完成");
  EXPECT_EQ(OnDisk(7).card, 5555);
  EXPECT_EQ(OnDisk(12).card, 0);
  EXPECT_EQ(OnDisk(14).card, 5555);
  desk_->engine().CheckOut(14);
  list().ClearDuplicates();
  EXPECT_EQ(OnDisk(14).card, 0);
  list().ClearDuplicates();
  EXPECT_EQ(LastMessage(), "没有重复卡号");
}

TEST_F(StudentListTest, NothingIsDeletedOutsideTheEditMode) {
  desk_->adminArea().SetStudentEdit(false);
  list().SetSelection({0}, 0);
  list().Delete();
  EXPECT_EQ(OnDisk(1).card, 1001);
}

}  // namespace
}  // namespace tarvolen
