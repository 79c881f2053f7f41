// The student editor on the demo installation: adding and changing with
// their checks in order, the card-collision question (and the student who
// practises and keeps his card), the stored values of the fields, the
// dedicated rooms and the Enter walk down the rows.
#include "admin/StudentAdminFixture.h"

namespace tarvolen {
namespace {

using testing::StudentAdminTest;

class StudentEditorTest : public StudentAdminTest {
 protected:
  // A complete new student in the fields: card 2001, 新同学, 女, the first
  // major, grade and class.
  void FillNew(const std::string& card = "2001", const std::string& name = "新同学") {
    editor().SetText(StudentEditor::kCard, card);
    editor().SetText(StudentEditor::kName, name);
    editor().Choose(StudentEditor::kSex, 1);
    editor().Choose(StudentEditor::kMajor, 0);
    editor().Choose(StudentEditor::kGrade, 0);
    editor().Choose(StudentEditor::kClass, 0);
  }
  int FreeSlot() const { return desk_->students().firstFree(); }
};

TEST_F(StudentEditorTest, AddStoresEveryFieldInTheFirstFreeSlot) {
  const int slot = FreeSlot();
  FillNew("-2001");
  editor().SetText(StudentEditor::kId, "20120999");
  editor().SetText(StudentEditor::kBalance, "88.5");
  editor().SetText(StudentEditor::kTelephone, "13800138000");
  editor().SetText(StudentEditor::kSemester, "120");
  editor().SetText(StudentEditor::kRooms, "琴房101,没有这间,琴房103");
  editor().Add();
  EXPECT_EQ(LastMessage(), "新增成功！");
  const StudentRecord s = OnDisk(slot);
  EXPECT_EQ(s.card, 2001);  // the absolute value
  EXPECT_EQ(s.idNumber, 20120999);
  EXPECT_EQ(s.name, "新同学");
  EXPECT_EQ(s.sex, 1);
  EXPECT_FLOAT_EQ(s.balance, 88.5f);
  EXPECT_EQ(s.telephone, 13800138000);
  EXPECT_EQ(s.semesterMinutes, 120);
  EXPECT_EQ(s.status, 0);
  EXPECT_EQ(s.dedicatedRooms, (std::array<int16_t, 3>{1, 3, 0}));
  EXPECT_EQ(DateOf(s.enrolled).year, 2012);
  // The new student's row is the selected one.
  ASSERT_EQ(list().selectedCount(), 1);
  EXPECT_EQ(list().rowSlot(list().current()), slot);
  // And the card works at the desk.
  EXPECT_EQ(desk_->engine().FindCardHolder(2001), slot);
}

TEST_F(StudentEditorTest, AddChecksTheFieldsInOrder) {
  struct Case {
    const char* name;
    std::function<void()> spoil;
    const char* message;
    bool sound;
  } cases[] = {
      {"no card", [&] { editor().SetText(StudentEditor::kCard, ""); }, "请输入卡号", true},
      {"letters for a card", [&] { editor().SetText(StudentEditor::kCard, "abc"); }, "请输入卡号", true},
      {"a card of 16 digits", [&] { editor().SetText(StudentEditor::kCard, "1234567890123456"); }, "数据输入有误！",
       true},
      {"blank name", [&] { editor().SetText(StudentEditor::kName, "   "); }, "请输入姓名", false},
      {"no sex", [&] { editor().Choose(StudentEditor::kSex, -1); }, "请选择性别", false},
      {"no major", [&] { editor().Choose(StudentEditor::kMajor, -1); }, "请选择专业", false},
      {"no grade", [&] { editor().Choose(StudentEditor::kGrade, -1); }, "请选择年级", false},
      {"no class", [&] { editor().Choose(StudentEditor::kClass, -1); }, "请选择班级", false},
      {"minutes beyond a Long", [&] { editor().SetText(StudentEditor::kTotal, "3000000000"); }, "数据输入有误！", true},
  };
  const int slot = FreeSlot();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillNew();
    editor().SetText(StudentEditor::kTotal, "0");
    c.spoil();
    inst_.sound().played.clear();
    editor().Add();
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(!inst_.sound().played.empty(), c.sound);
    EXPECT_EQ(OnDisk(slot).card, 0);
  }
}

TEST_F(StudentEditorTest, NamesAreCutToEightCells) {
  struct Case {
    const char* typed;
    const char* stored;
  } cases[] = {{"一二三四五六", "一二三四"}, {"abcdefghij", "abcdefgh"}, {"ab一二三四", "ab一二三"}};
  for (const Case& c : cases) {
    const int slot = FreeSlot();
    FillNew(std::to_string(3000 + slot), c.typed);
    editor().Add();
    EXPECT_EQ(OnDisk(slot).name, c.stored);
  }
}

TEST_F(StudentEditorTest, ACardThatExistsIsTakenOnlyWithYes) {
  const int slot = FreeSlot();
  inst_.boxes().answer = false;
  FillNew("1002");
  editor().Add();
  ASSERT_EQ(inst_.boxes().boxes.back().text, "1002王芳是存在卡号，是否替换？");
  EXPECT_EQ(OnDisk(slot).card, 0);
  EXPECT_EQ(OnDisk(2).card, 1002);

  inst_.boxes().answer = true;
  editor().Add();
  EXPECT_EQ(OnDisk(slot).card, 1002);
  EXPECT_EQ(OnDisk(2).card, 0);
  EXPECT_EQ(OnDisk(2).name, "王芳");

  // A holder who practises keeps the card and nothing is asked.
  ASSERT_TRUE(desk_->engine().CheckIn(3, 1));
  const size_t asked = inst_.boxes().boxes.size();
  FillNew("1003");
  editor().Add();
  EXPECT_EQ(LastMessage(), "更改失败：已登记的学生:李娜");
  EXPECT_EQ(inst_.boxes().boxes.size(), asked);
  EXPECT_EQ(OnDisk(3).card, 1003);
}

TEST_F(StudentEditorTest, ChangeOverwritesTheSelectedStudent) {
  ShowEveryone();
  Pick(4);
  EXPECT_EQ(editor().text(StudentEditor::kName), "刘洋");
  EXPECT_TRUE(editor().command8Enabled());
  editor().SetText(StudentEditor::kName, "刘洋洋");
  editor().SetText(StudentEditor::kBalance, "10");
  editor().Change();
  EXPECT_EQ(LastMessage(), "修改成功！");
  EXPECT_EQ(OnDisk(4).name, "刘洋洋");
  EXPECT_FLOAT_EQ(OnDisk(4).balance, 10.0f);
  EXPECT_NE(list().rowText(list().RowOf(4)).find("刘洋洋"), std::string::npos);

  // A student who practises may change, but not lose his card.
  ASSERT_TRUE(desk_->engine().CheckIn(4, 1));
  editor().SetText(StudentEditor::kCard, "");
  editor().Change();
  EXPECT_EQ(LastMessage(), "更改失败：已登记的学生:刘洋洋");
  EXPECT_EQ(OnDisk(4).card, 1004);
  // Two rows selected: no change at all.
  list().SetSelection({0, 1}, 0);
  EXPECT_FALSE(editor().command8Enabled());
}

TEST_F(StudentEditorTest, AFailedSaveLeavesTheStudentAsTheFileHasHim) {
  ShowEveryone();
  Pick(5);
  editor().SetText(StudentEditor::kName, "改名");
  FileFaults::Inject(inst_.folder().students(), WriteFault{});
  editor().Change();
  FileFaults::Clear();
  EXPECT_EQ(LastMessage().rfind("修改失败：", 0), 0u);
  EXPECT_EQ(desk_->students()[5].name, "陈静");
  EXPECT_EQ(OnDisk(5).name, "陈静");
}

TEST_F(StudentEditorTest, AFullTableIsToldBeforeAnyField) {
  for (int slot = FreeSlot(); slot != 0; slot = FreeSlot()) desk_->students()[slot].card = 90000 + slot;
  editor().Add();
  EXPECT_EQ(LastMessage(), "失败！数据已满。");
  EXPECT_EQ(inst_.sound().played.back(), "4.wav");
}

TEST_F(StudentEditorTest, TheRoomChooserKeepsTheLastThreeInAddMode) {
  editor().ChooseRoom(1);
  EXPECT_EQ(editor().text(StudentEditor::kRooms), "琴房101");
  editor().ToggleRoomMode();
  EXPECT_STREQ(editor().roomMode(), "增加");
  for (int i : {2, 3, 4}) editor().ChooseRoom(i);
  EXPECT_EQ(editor().text(StudentEditor::kRooms), "琴房102,琴房103,琴房104");
  editor().ChooseRoom(0);  // "[无]"
  EXPECT_EQ(editor().text(StudentEditor::kRooms), "");
}

TEST_F(StudentEditorTest, EnterWalksTheFieldsAndGivesALockedValueToEveryRow) {
  ShowEveryone();
  Pick(1);
  editor().Choose(StudentEditor::kClass, 2);
  editor().SetLocked(StudentEditor::kClass, true);
  editor().SetEnabled(StudentEditor::kId, false);
  editor().Enter(StudentEditor::kCard);
  EXPECT_EQ(editor().focusField(), StudentEditor::kName);  // the ID is switched off
  editor().Enter(StudentEditor::kGrade);
  EXPECT_EQ(editor().focusField(), StudentEditor::kLevel);  // the class is locked
  editor().Enter(StudentEditor::kCount);                    // saves student 1 and moves to the next row
  EXPECT_EQ(list().rowSlot(list().current()), 2);
  EXPECT_EQ(editor().focusField(), StudentEditor::kCard);
  editor().Enter(StudentEditor::kCount);
  EXPECT_EQ(list().rowSlot(list().current()), 3);
  const std::string& entry = editor().entries(StudentEditor::kClass)[2];
  const int locked = std::stoi(entry.substr(entry.size() - 2));
  EXPECT_EQ(OnDisk(1).classIndex, locked);
  EXPECT_EQ(OnDisk(2).classIndex, locked);
}

TEST_F(StudentEditorTest, TheLastEnableBoxStaysOn) {
  for (int i = 1; i < 10; ++i) editor().SetEnabled(i, false);
  editor().SetEnabled(0, false);
  EXPECT_TRUE(editor().enabled(0));
  EXPECT_EQ(LastMessage(), "不能继续关闭！");
}

}  // namespace
}  // namespace tarvolen
