// The import on the demo installation with the administrator logged in:
// rooms from the selected row's slot on, students into the free slots, the
// limits of both tables, the places of occupied rooms, the status and level
// of an imported student, progress and cancelling, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>

#include "desk/SessionEngine.h"
#include "store/FileFaults.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;

constexpr CivilDate kToday{2012, 9, 3};
constexpr const char* kFile = "/in/book.xlsx";

class SheetImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inst_.clock().set({kToday, 9, 0, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
    inst_.fileDialogs().answer = kFile;
  }
  void TearDown() override { FileFaults::Clear(); }

  void OpenPage(int page) {
    if (!desk_->adminArea().isOpen()) desk_->adminArea().Toggle();
    ASSERT_TRUE(desk_->adminArea().Navigate(page).ok());
  }
  void CheckIn(const std::string& card) {
    if (desk_->adminArea().isOpen()) desk_->adminArea().Toggle();
    for (char c : card) desk_->KeyDown(96 + (c - '0'));
    desk_->KeyDown(13);
    desk_->KeyDown(13);
  }
  void Put(std::vector<Sheet> sheets) { inst_.workbooks().put(kFile, Workbook{std::move(sheets)}); }
  // Runs the slices until the import is over.
  void RunToEnd() {
    for (int i = 0; i < 1000 && imp().running(); ++i) inst_.timers().advance(1);
    ASSERT_FALSE(imp().running());
  }
  void ImportRoomsFromRow(int row) {
    OpenPage(2);
    desk_->roomEditor().SetSelection({row});
    desk_->roomEditor().ClickRow(row);
    imp().ImportRooms();
    RunToEnd();
  }
  void ImportStudents() {
    OpenPage(3);
    imp().ImportStudents();
    RunToEnd();
  }
  SheetImport& imp() { return desk_->sheetImport(); }
  std::string LastBox() { return inst_.boxes().boxes.empty() ? "" : inst_.boxes().boxes.back().text; }
  bool Announced(const std::string& what) const {
    const auto& h = desk_->notifier().history();
    return std::find(h.begin(), h.end(), what) != h.end();
  }
  RoomRecord RoomOnDisk(int slot) const {
    RoomTable t;
    EXPECT_TRUE(t.load(inst_.folder()).ok());
    return t[slot];
  }
  StudentRecord StudentOnDisk(int slot) const {
    StudentTable t;
    EXPECT_TRUE(t.load(inst_.folder()).ok());
    return t[slot];
  }

  Installation inst_{true, kToday};
  std::unique_ptr<Desk> desk_;
};

TEST_F(SheetImportTest, RoomsFromTheSelectedRowOn) {
  const int total = desk_->sessions().totalPlaces();
  Put({SheetBuilder("说明").Row(1, {"房间表"}).build(),
       SheetBuilder("房间")
           .Row(3, {"房 间 名 称", "类型", "限时", "开放", "价格", "容量", "保底费", "计费单位", "容差", "手续费"})
           .Row(4, {"新房一", "声乐", "45", "是", "12.5", "3", "2", "30", "5", "0.5"})
           .Row(5, {"新房二", "提琴", "不限", "否", "8", "2", "1", "15", "0", "0"})
           .build()});
  ImportRoomsFromRow(19);  // slots 20 and 21 are free
  const RoomRecord a = RoomOnDisk(20);
  EXPECT_EQ(a.name, "新房一");
  EXPECT_EQ(a.type, 1);
  EXPECT_EQ(a.timeLimitCode, 9);
  EXPECT_EQ(a.serviceStatus, 0);
  EXPECT_FLOAT_EQ(a.price, 12.5f);
  EXPECT_EQ(a.capacity, 3);
  EXPECT_FLOAT_EQ(a.minimumFee, 2.0f);
  EXPECT_EQ(a.billingUnit, 30);
  EXPECT_EQ(a.tolerance, 5);
  EXPECT_FLOAT_EQ(a.handlingFee, 0.5f);
  const RoomRecord b = RoomOnDisk(21);
  EXPECT_EQ(b.name, "新房二");
  EXPECT_EQ(b.type, 2);
  EXPECT_EQ(b.timeLimitCode, 1);
  EXPECT_EQ(b.serviceStatus, 1);
  EXPECT_EQ(desk_->rooms()[20].name, "新房一");
  // The open room adds its places, the closed one none; the list shows both.
  EXPECT_EQ(desk_->sessions().freePlaces(20), 3);
  EXPECT_EQ(desk_->sessions().totalPlaces(), total + 3);
  EXPECT_NE(desk_->roomEditor().row(19).find("新房一"), std::string::npos);
  EXPECT_EQ(LastBox(), "导入完成,共导入2组数据");
}

TEST_F(SheetImportTest, RoomsStopAfterSlot999) {
  SheetBuilder sheet;
  sheet.Row(1, {"房号", "容量", "开放"});
  for (int i = 0; i < 10; ++i) sheet.Row(2 + i, {"末" + std::to_string(i), "1", "是"});
  Put({sheet.build()});
  ImportRoomsFromRow(993);  // slot 994 on
  for (int slot = 994; slot <= 999; ++slot) EXPECT_EQ(RoomOnDisk(slot).name, "末" + std::to_string(slot - 994));
  ASSERT_GE(inst_.boxes().boxes.size(), 2u);
  // Six rows (sheet rows 2..7) filled 994..999: the next row is 8.
  EXPECT_EQ(inst_.boxes().boxes[inst_.boxes().boxes.size() - 2].text, "到达数据记录上限，未导入完成.行:8");
  EXPECT_EQ(LastBox(), "导入完成,共导入6组数据");
}

TEST_F(SheetImportTest, AnOccupiedRoomKeepsRoomForItsPeople) {
  CheckIn("1001");  // the demo student goes into a room of one place
  const int position = desk_->sessions().FindSession(1);
  ASSERT_GE(position, 0);
  const int room = desk_->sessions().at(position).room;
  ASSERT_GT(room, 0);
  const RoomRecord before = desk_->rooms()[room];
  const int total = desk_->sessions().totalPlaces();
  Put({SheetBuilder()
           .Row(1, {"房号", "容量", "开放"})
           .Row(2, {before.name, "0", "是"})  // would leave -1 free places
           .build()});
  ImportRoomsFromRow(room - 1);
  EXPECT_TRUE(Announced("房间" + before.name + "修改失败。可用人数不足"));
  EXPECT_EQ(RoomOnDisk(room).capacity, before.capacity);
  EXPECT_EQ(desk_->sessions().totalPlaces(), total);
  EXPECT_EQ(LastBox(), "导入完成,共导入0组数据");

  // A larger room: the free places grow by the difference, the total too.
  Put({SheetBuilder().Row(1, {"房号", "容量", "开放"}).Row(2, {before.name, "4", "是"}).build()});
  ImportRoomsFromRow(room - 1);
  EXPECT_EQ(RoomOnDisk(room).capacity, 4);
  EXPECT_EQ(desk_->sessions().freePlaces(room), 3);
  EXPECT_EQ(desk_->sessions().totalPlaces(), total + 4 - before.capacity);
}

TEST_F(SheetImportTest, RoomNamesCutAndOversizedValuesKept) {
  Put({SheetBuilder().Row(1, {"房号", "容量", "容差"}).Row(2, {"很长的房间名字", "300", "70000"}).build()});
  const RoomRecord before = desk_->rooms()[20];
  ImportRoomsFromRow(19);
  const RoomRecord r = RoomOnDisk(20);
  EXPECT_EQ(r.name, "很长的房");  // 8 cells
  EXPECT_EQ(r.capacity, before.capacity);
  EXPECT_EQ(r.tolerance, before.tolerance);
  EXPECT_TRUE(Announced("第2行：人数无法识别，保持原值"));
}

TEST_F(SheetImportTest, RoomImportRefusals) {
  OpenPage(2);
  desk_->roomEditor().SetSelection({});
  imp().ImportRooms();
  EXPECT_EQ(LastBox(), "请选定要导入的起始行号。");
  EXPECT_EQ(inst_.fileDialogs().opened, 0);

  desk_->roomEditor().SetSelection({19});
  inst_.fileDialogs().answer.reset();  // cancelled
  const size_t boxes = inst_.boxes().boxes.size();
  imp().ImportRooms();
  EXPECT_EQ(inst_.boxes().boxes.size(), boxes);
  EXPECT_EQ(inst_.fileDialogs().lastTitle, "导入房间数据");
  EXPECT_EQ(inst_.fileDialogs().lastFilter, "电子表格 (*.xls *.xlsx)");

  inst_.fileDialogs().answer = kFile;
  inst_.workbooks().fail(kFile, "电子表格有密码保护，请先取消密码再导入");
  imp().ImportRooms();
  EXPECT_EQ(LastBox(), "导入失败：电子表格有密码保护，请先取消密码再导入");

  Put({SheetBuilder().Row(1, {"甲", "乙"}).build()});
  inst_.workbooks().fail(kFile, "");
  inst_.workbooks() = FakeWorkbookReader();
  Put({SheetBuilder().Row(1, {"甲", "乙"}).build()});
  imp().ImportRooms();
  EXPECT_EQ(LastBox(), "导入失败，请规范名称字段与对应标题相似。");
  EXPECT_EQ(inst_.boxes().boxes.back().icon, BoxIcon::Critical);
  EXPECT_FALSE(imp().running());
}

TEST_F(SheetImportTest, StudentsIntoTheFreeSlots) {
  // A freed slot of a lost, suspended card: the student imported into it
  // starts with a usable card; a level past the seven is left as it was.
  StudentRecord old = desk_->students()[3];
  old.card = 0;
  old.status = StudentRecord::kLost | StudentRecord::kSuspended;
  old.level = 2;
  ASSERT_TRUE(StudentTable::SaveRecordOf(desk_->folder(), 3, old).ok());
  desk_->students()[3] = old;

  Put({SheetBuilder()
           .Row(1, {"琴卡号", "姓名", "性别", "专业", "年级", "班级", "等级", "余额", "手机", "专用琴房", "证号"})
           .Row(2,
                {"5001", "新甲", "男", "声乐", "2011级", "二班", "9", "30.5", "-13800138000.4", "琴房104", "20110001"})
           .Row(3, {"5002", "新乙", "女", "古筝", "2010年9月1日", "三班", "1", "10", "", "没有", ""})
           .build()});
  ImportStudents();
  const StudentRecord a = StudentOnDisk(3);
  EXPECT_EQ(a.card, 5001);
  EXPECT_EQ(a.name, "新甲");
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.level, 2);
  EXPECT_EQ(a.sex, 0);
  EXPECT_EQ(a.major, 1);
  EXPECT_EQ(DateOf(a.enrolled), (CivilDate{2011, 8, 15}));
  EXPECT_EQ(a.classIndex, 1);
  EXPECT_FLOAT_EQ(a.balance, 30.5f);
  EXPECT_EQ(a.telephone, 13800138000);
  EXPECT_EQ(a.idNumber, 20110001);
  EXPECT_EQ(a.dedicatedRooms[0], 4);
  EXPECT_TRUE(Announced("第2行：等级无法识别，保持原值"));
  const int next = desk_->students().firstFree();
  EXPECT_EQ(next, 22);  // the demo fills 1..20, slot 3 was freed: 3 and 21 taken
  const StudentRecord b = StudentOnDisk(21);
  EXPECT_EQ(b.card, 5002);
  EXPECT_EQ(b.sex, 1);
  EXPECT_EQ(b.major, 3);
  EXPECT_EQ(DateOf(b.enrolled), (CivilDate{2010, 9, 1}));
  EXPECT_EQ(b.classIndex, 2);
  EXPECT_EQ(b.level, 1);
  EXPECT_EQ(b.dedicatedRooms[0], 0);
  EXPECT_EQ(desk_->students()[21].card, 5002);
  EXPECT_EQ(LastBox(), "导入完成,共导入2组数据,数据更新中,请等待。");
  EXPECT_TRUE(Announced("数据载入完成"));
  // The imported card works at the desk.
  CheckIn("5001");
  EXPECT_GE(desk_->sessions().FindSession(3), 0);
}

TEST_F(SheetImportTest, FiltersSupplyMissingColumnsAndRowsWithoutCardsAreSkipped) {
  OpenPage(3);
  StudentList& list = desk_->studentList();
  // Major 小提琴 (index 2), class 一班 (index 0), the newest grade entry.
  for (int f = 0; f < 3; ++f) {
    const auto& entries = list.filterEntries(f);
    for (size_t e = 0; e < entries.size(); ++e) {
      const int want = f == StudentList::kMajor ? 2 : 0;
      if (FilterValue(entries[e]) == want && (f != StudentList::kGrade || e == 1))
        list.ChooseFilter(f, static_cast<int>(e));
    }
  }
  ASSERT_EQ(list.filterValue(StudentList::kMajor), 2);
  ASSERT_EQ(list.filterValue(StudentList::kClass), 0);
  ASSERT_EQ(list.filterValue(StudentList::kGrade), 0);
  Put({SheetBuilder()
           .Row(1, {"编号", "姓名"})  // 编号 is in no list: no card column
           .Row(2, {"6001", "无卡"})
           .build()});
  imp().ImportStudents();
  RunToEnd();
  EXPECT_TRUE(Announced("第2行：没有卡号，未导入"));
  EXPECT_EQ(LastBox(), "导入完成,共导入0组数据,数据更新中,请等待。");

  Put({SheetBuilder().Row(1, {"ID", "名字"}).Row(2, {"6001", "有卡"}).build()});
  imp().ImportStudents();
  RunToEnd();
  const StudentRecord s = StudentOnDisk(21);
  EXPECT_EQ(s.card, 6001);
  EXPECT_EQ(s.major, 2);
  EXPECT_EQ(s.classIndex, 0);
  EXPECT_EQ(DateOf(s.enrolled), (CivilDate{2012, 8, 15}));
}

TEST_F(SheetImportTest, BadCellsAreToldAndNothingOfARefusedRowIsWritten) {
  const std::string longName(10000, 'x');
  Put({SheetBuilder()
           .Row(1, {"琴卡号", "姓名", "入学时间", "余额"})
           .Row(2, {"abc", "文字卡号", "2009级", "5"})           // a card of text
           .Row(3, {"7101", longName, "1850-01-01", "1e999"})    // cut name, date before 1900
           .Row(4, {"7102", "\xF0\x9F\x8E\xB9", "2009级", "1"})  // a name GBK cannot hold
           .build()});
  const StudentRecord before = desk_->students()[21];
  ImportStudents();
  EXPECT_TRUE(Announced("第2行：没有卡号，未导入"));
  const StudentRecord s = StudentOnDisk(21);
  EXPECT_EQ(s.card, 7101);
  EXPECT_EQ(s.name, std::string(8, 'x'));
  EXPECT_EQ(s.enrolled, before.enrolled);
  EXPECT_TRUE(Announced("第3行：年级无法识别，保持原值"));
  EXPECT_FLOAT_EQ(s.balance, 1.0f);  // the leading number of "1e999"
  EXPECT_TRUE(Announced("第4行：姓名无法保存，未导入"));
  EXPECT_EQ(StudentOnDisk(22).card, 0);
  EXPECT_EQ(desk_->students().findByCard(7102), 0);
  EXPECT_EQ(LastBox(), "导入完成,共导入1组数据,数据更新中,请等待。");
}

TEST_F(SheetImportTest, AFullTableStopsWithTheRowsStoredSoFar) {
  // Slots 21..4998 taken, two left.
  for (int slot = 21; slot <= 4998; ++slot) desk_->students()[slot].card = 100000 + slot;
  Put({SheetBuilder()
           .Row(1, {"琴卡号", "姓名"})
           .Row(2, {"7001", "甲"})
           .Row(3, {"7002", "乙"})
           .Row(4, {"7003", "丙"})
           .Row(5, {"7004", "丁"})
           .build()});
  ImportStudents();
  EXPECT_EQ(StudentOnDisk(4999).card, 7001);
  EXPECT_EQ(StudentOnDisk(5000).card, 7002);
  EXPECT_TRUE(Announced("数据满 丙"));
  EXPECT_EQ(LastBox(), "导入完成,共导入2组数据,数据更新中,请等待。");
}

TEST_F(SheetImportTest, ProgressInSlicesAndCancelKeepsWhatWasStored) {
  SheetBuilder sheet;
  sheet.Row(1, {"琴卡号", "姓名"});
  const int rows = SheetImport::kRowsPerSlice * 3;
  for (int i = 0; i < rows; ++i) sheet.Row(2 + i, {std::to_string(8000 + i), "学生" + std::to_string(i)});
  Put({sheet.build()});
  OpenPage(3);
  imp().ImportStudents();
  ASSERT_TRUE(imp().running());
  EXPECT_FALSE(imp().studentsEnabled());
  EXPECT_EQ(imp().rowsTotal(), rows);
  EXPECT_EQ(imp().progressText(), "正在导入 0/" + std::to_string(rows) + " 行");
  inst_.timers().advance(1);
  EXPECT_EQ(imp().rowsDone(), SheetImport::kRowsPerSlice);
  imp().Cancel();
  EXPECT_FALSE(imp().running());
  EXPECT_EQ(LastBox(), "导入已取消,共导入" + std::to_string(SheetImport::kRowsPerSlice) + "组数据,数据更新中,请等待。");
  EXPECT_EQ(desk_->students().findByCard(8000 + SheetImport::kRowsPerSlice - 1), 20 + SheetImport::kRowsPerSlice);
  EXPECT_EQ(desk_->students().findByCard(8000 + SheetImport::kRowsPerSlice), 0);
  EXPECT_EQ(StudentOnDisk(20 + SheetImport::kRowsPerSlice).card, 8000 + SheetImport::kRowsPerSlice - 1);
  inst_.timers().advance(10);
  EXPECT_EQ(desk_->students().findByCard(8000 + SheetImport::kRowsPerSlice), 0);
}

TEST_F(SheetImportTest, AFailedWriteStopsTheImportAndMemoryFollowsTheFile) {
  Put({SheetBuilder().Row(1, {"琴卡号", "姓名"}).Row(2, {"9001", "甲"}).Row(3, {"9002", "乙"}).build()});
  FileFaults::Inject(inst_.folder().students(), WriteFault{});
  ImportStudents();
  EXPECT_NE(LastBox().find("导入完成,共导入0组数据"), std::string::npos);
  EXPECT_EQ(desk_->students().findByCard(9001), 0);
  EXPECT_EQ(StudentOnDisk(21).card, 0);
}

}  // namespace
}  // namespace tarvolen
