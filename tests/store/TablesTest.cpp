// The student and room tables and the category lists: slot to record
// mapping, loading short or damaged files, saving one slot in place.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/FileFaults.h"
#include "store/RecordFile.h"
#include "store/Tables.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using testing::ReadAll;
using testing::Slice;
using testing::TempDir;
using testing::WriteAll;

StudentRecord Student(int64_t card, std::string name) {
  StudentRecord r;
  r.card = card;
  r.name = std::move(name);
  r.enrolled = 40422.0;
  r.balance = 25.5f;
  return r;
}

RoomRecord Room(std::string name, uint8_t capacity = 1) {
  RoomRecord r;
  r.name = std::move(name);
  r.capacity = capacity;
  return r;
}

// Puts packed records at the given record numbers of a file.
template <class Rec>
void PutRecords(const std::filesystem::path& path, size_t length, std::initializer_list<std::pair<int64_t, Rec>> recs) {
  auto f = RecordFile::Open(path, length);
  ASSERT_TRUE(f.ok());
  for (const auto& [n, rec] : recs) {
    auto packed = Pack(rec);
    ASSERT_TRUE(packed.ok());
    ASSERT_TRUE(f->write(n, *packed).ok());
  }
}

class TablesTest : public ::testing::Test {
 protected:
  void TearDown() override { FileFaults::Clear(); }
  TempDir tmp{TempDir::Root::Created};
};

// ---------------------------------------------------------------------------
// Students

TEST_F(TablesTest, EmptyStudentFileLoadsFiveThousandFreeSlots) {
  WriteAll(tmp.path("students.dat"), Bytes{});
  StudentTable t;
  t[7].card = 99;  // whatever was there before the load is replaced
  ASSERT_TRUE(t.load(tmp.folder()).ok());
  for (int s = 1; s <= StudentTable::kLastSlot; ++s) ASSERT_TRUE(t[s].isFree()) << s;
  EXPECT_EQ(t.firstFree(), 1);
  EXPECT_EQ(t.findByCard(99), 0);
}

TEST_F(TablesTest, MissingStudentFileIsCreatedAndLoadsFree) {
  StudentTable t;
  ASSERT_TRUE(t.load(tmp.folder()).ok());
  EXPECT_TRUE(std::filesystem::exists(tmp.path("students.dat")));
  EXPECT_EQ(t.firstFree(), 1);
}

TEST_F(TablesTest, MissingProgramFolderFailsTheLoad) {
  StudentTable t;
  EXPECT_EQ(t.load(ProgramFolder(tmp.base() / "nowhere")).code(), ErrorCode::OpenFailed);
  RoomTable r;
  EXPECT_EQ(r.load(ProgramFolder(tmp.base() / "nowhere")).code(), ErrorCode::OpenFailed);
}

TEST_F(TablesTest, StudentSlotSIsRecordSPlusOne) {
  PutRecords<StudentRecord>(tmp.path("students.dat"), kStudentRecordLength,
                            {{1, Student(111, "零号")},  // slot 0: never loaded
                             {2, Student(222, "一号")},
                             {38, Student(333, "三十七号")},
                             {5001, Student(444, "最后")},
                             {5002, Student(555, "表外")}});  // beyond the table
  StudentTable t;
  ASSERT_TRUE(t.load(tmp.folder()).ok());
  EXPECT_TRUE(t[0].isFree());
  EXPECT_EQ(t[1].card, 222);
  EXPECT_EQ(t[1].name, "一号");
  EXPECT_EQ(t[1].balance, 25.5f);
  EXPECT_EQ(t[37].name, "三十七号");
  EXPECT_EQ(t[5000].card, 444);
  EXPECT_EQ(t.findByCard(111), 0);
  EXPECT_EQ(t.findByCard(555), 0);
  EXPECT_EQ(t.findByCard(333), 37);
  EXPECT_EQ(t.firstFree(), 2);
}

TEST_F(TablesTest, FindByCardTakesTheFirstMatchAndNeverMatchesZero) {
  StudentTable t;
  t[4].card = 8;
  t[9].card = 8;
  EXPECT_EQ(t.findByCard(8), 4);
  EXPECT_EQ(t.findByCard(0), 0);  // free slots hold card 0
  EXPECT_EQ(t.findByCard(-8), 0);
  t[0].card = 77;  // slot 0 is outside the table's use
  EXPECT_EQ(t.findByCard(77), 0);
}

TEST_F(TablesTest, FirstFreeScansFromTheLowEndAndIsZeroWhenFull) {
  StudentTable t;
  for (int s = 1; s <= StudentTable::kLastSlot; ++s) t[s].card = s;
  EXPECT_EQ(t.firstFree(), 0);
  t[4321].card = 0;
  t[4999].card = 0;
  EXPECT_EQ(t.firstFree(), 4321);
  // A deleted student (card 0) is free even though the rest of it is still there.
  t[12].name = "留下的名字";
  t[12].card = 0;
  EXPECT_EQ(t.firstFree(), 12);
}

TEST_F(TablesTest, SavingSlotSRewritesExactlyRecordSPlusOne) {
  const Bytes before(5001 * 128, 0xAB);
  WriteAll(tmp.path("students.dat"), before);
  StudentTable t;
  t[3] = Student(12, "张三");
  ASSERT_TRUE(t.save(tmp.folder(), 3).ok());

  auto packed = Pack(t[3]);
  ASSERT_TRUE(packed.ok());
  Bytes disk = ReadAll(tmp.path("students.dat"));
  ASSERT_EQ(disk.size(), before.size());
  const size_t at = 3 * 128;  // record 4
  EXPECT_EQ(Slice(disk, 0, at), Slice(before, 0, at));
  EXPECT_EQ(Slice(disk, at, packed->size()), *packed);
  EXPECT_EQ(Slice(disk, at + packed->size(), disk.size()), Slice(before, at + packed->size(), disk.size()));
}

TEST_F(TablesTest, SavingIntoAnEmptyFileExtendsItAndReloads) {
  StudentTable t;
  t[5000] = Student(4242, "王五");
  ASSERT_TRUE(t.save(tmp.folder(), 5000).ok());
  EXPECT_EQ(std::filesystem::file_size(tmp.path("students.dat")), 5001u * 128u);
  StudentTable again;
  ASSERT_TRUE(again.load(tmp.folder()).ok());
  EXPECT_EQ(again.findByCard(4242), 5000);
  EXPECT_EQ(again[5000].name, "王五");
  EXPECT_EQ(again.firstFree(), 1);
}

TEST_F(TablesTest, SlotZeroIsWrittenOnlyWhenAskedAndBadSlotsAreRefused) {
  StudentTable t;
  t[0] = Student(5, "零");
  ASSERT_TRUE(t.save(tmp.folder(), 0).ok());
  Bytes disk = ReadAll(tmp.path("students.dat"));
  ASSERT_EQ(disk.size(), 128u);
  EXPECT_EQ(disk[0], 0x50);  // card 5 -> 50000 = 0xC350
  EXPECT_EQ(disk[1], 0xC3);
  EXPECT_FALSE(t.save(tmp.folder(), 5001).ok());
  EXPECT_FALSE(t.save(tmp.folder(), -1).ok());
  EXPECT_EQ(ReadAll(tmp.path("students.dat")), disk);
}

TEST_F(TablesTest, StudentThatDoesNotFitIsNotWrittenAtAll) {
  const Bytes before(4 * 128, 0x5A);
  WriteAll(tmp.path("students.dat"), before);
  StudentTable t;
  struct Case {
    std::string name;
    ErrorCode code;
  };
  for (const Case& c :
       {Case{std::string(63, 'n'), ErrorCode::TooLong}, Case{"李\xF0\x9F\x98\x80", ErrorCode::BadText}}) {
    t[2] = Student(8, c.name);
    EXPECT_EQ(t.save(tmp.folder(), 2).code(), c.code);
    EXPECT_EQ(ReadAll(tmp.path("students.dat")), before);
  }
  t[2] = Student(8, std::string(62, 'n'));
  ASSERT_TRUE(t.save(tmp.folder(), 2).ok());
  Bytes disk = ReadAll(tmp.path("students.dat"));
  EXPECT_EQ(Slice(disk, 3 * 128, 128), Bytes(128, 0x5A));  // record 4 untouched: 128 bytes exactly
  StudentTable again;
  ASSERT_TRUE(again.load(tmp.folder()).ok());
  EXPECT_EQ(again[2].name, std::string(62, 'n'));
  EXPECT_EQ(again[2].balance, 25.5f);
}

TEST_F(TablesTest, FailingWriteLeavesTheStudentFileAsItWas) {
  const Bytes before(3 * 128, 0x11);
  WriteAll(tmp.path("students.dat"), before);
  StudentTable t;
  t[1] = Student(8, "赵六");
  FileFaults::Inject(tmp.path("students.dat"), WriteFault{});
  EXPECT_EQ(t.save(tmp.folder(), 1).code(), ErrorCode::WriteFailed);
  EXPECT_EQ(ReadAll(tmp.path("students.dat")), before);
}

TEST_F(TablesTest, StudentFileCutInsideARecordLoads) {
  StudentRecord s1 = Student(101, "甲");
  StudentRecord s2 = Student(102, "乙");
  s2.semesterMinutes = 0x01020304;  // bytes 36..39 of the record (2-byte name), cut after byte 37
  s2.totalMinutes = 5;
  PutRecords<StudentRecord>(tmp.path("students.dat"), kStudentRecordLength, {{2, s1}, {3, s2}});
  std::filesystem::resize_file(tmp.path("students.dat"), 2 * 128 + 38);

  StudentTable t;
  ASSERT_TRUE(t.load(tmp.folder()).ok());
  EXPECT_EQ(t[1].card, 101);
  EXPECT_EQ(t[2].card, 102);
  EXPECT_EQ(t[2].name, "乙");
  EXPECT_EQ(t[2].enrolled, 40422.0);
  EXPECT_EQ(t[2].semesterMinutes, 0x0304);  // the missing two bytes read as zero
  EXPECT_EQ(t[2].totalMinutes, 0);
  EXPECT_EQ(t[2].balance, 0.0f);
  EXPECT_TRUE(t[3].isFree());
  EXPECT_EQ(t.firstFree(), 3);
}

TEST_F(TablesTest, LoadRunsThePumpAfterEveryRecordAndCanBeAbandoned) {
  StudentTable t;
  int calls = 0;
  ASSERT_TRUE(t.load(tmp.folder(), [&] { return ++calls > 0; }).ok());
  EXPECT_EQ(calls, StudentTable::kLastSlot);

  PutRecords<StudentRecord>(tmp.path("students.dat"), kStudentRecordLength,
                            {{2, Student(1, "a")}, {12, Student(11, "k")}});
  StudentTable partial;
  calls = 0;
  EXPECT_FALSE(partial.load(tmp.folder(), [&] { return ++calls < 5; }).ok());
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(partial[1].card, 1);
  EXPECT_TRUE(partial[11].isFree());  // never reached
}

// ---------------------------------------------------------------------------
// Rooms

TEST_F(TablesTest, RoomSlotRIsRecordRPlusOneAndSlotZeroIsNeverLoaded) {
  PutRecords<RoomRecord>(tmp.path("rooms.dat"), kRoomRecordLength,
                         {{1, Room("零号房")}, {2, Room("琴房一", 3)}, {1000, Room("末间")}, {1001, Room("表外")}});
  RoomTable t;
  ASSERT_TRUE(t.load(tmp.folder()).ok());
  EXPECT_TRUE(t[0].isFree());
  EXPECT_EQ(t[1].name, "琴房一");
  EXPECT_EQ(t[1].capacity, 3);
  EXPECT_EQ(t[999].name, "末间");
  EXPECT_EQ(t.findByName("零号房"), 0);
  EXPECT_EQ(t.findByName("表外"), 0);
  EXPECT_EQ(t.findByName("末间"), 999);
  EXPECT_EQ(t.firstFree(), 2);
}

TEST_F(TablesTest, EmptyRoomFileLoadsFreeSlots) {
  WriteAll(tmp.path("rooms.dat"), Bytes{});
  RoomTable t;
  t[1].name = "旧";
  ASSERT_TRUE(t.load(tmp.folder()).ok());
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) ASSERT_TRUE(t[r].isFree()) << r;
  EXPECT_EQ(t.firstFree(), 1);
}

TEST_F(TablesTest, RoomNamesCompareExactlyAndTheFirstMatchWins) {
  RoomTable t;
  t[3].name = "A1";
  t[7].name = "A1";
  t[8].name = "A10";
  EXPECT_EQ(t.findByName("A1"), 3);
  EXPECT_EQ(t.findByName("A10"), 8);
  EXPECT_EQ(t.findByName("a1"), 0);
  EXPECT_EQ(t.findByName("A1 "), 0);
  EXPECT_EQ(t.findByName(""), 0);  // free slots have empty names
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) t[r].name = "x";
  EXPECT_EQ(t.firstFree(), 0);
}

TEST_F(TablesTest, SavingARoomRewritesExactlyItsRecord) {
  const Bytes before(1000 * 32, 0xCD);
  WriteAll(tmp.path("rooms.dat"), before);
  RoomTable t;
  t[10] = Room("一二三四", 2);  // 8 bytes: a full 32-byte record
  ASSERT_TRUE(t.save(tmp.folder(), 10).ok());
  auto packed = Pack(t[10]);
  ASSERT_TRUE(packed.ok());
  ASSERT_EQ(packed->size(), 32u);
  Bytes disk = ReadAll(tmp.path("rooms.dat"));
  EXPECT_EQ(Slice(disk, 11 * 32 - 32, 32), *packed);
  Bytes expected = before;
  std::copy(packed->begin(), packed->end(), expected.begin() + 10 * 32);
  EXPECT_EQ(disk, expected);

  t[11] = Room("一二三四五");
  EXPECT_EQ(t.save(tmp.folder(), 11).code(), ErrorCode::TooLong);
  EXPECT_EQ(ReadAll(tmp.path("rooms.dat")), expected);
  EXPECT_FALSE(t.save(tmp.folder(), 1000).ok());
}

TEST_F(TablesTest, DeletedRoomIsWrittenBackEmptyInItsOwnRecord) {
  RoomTable t;
  t[4] = Room("琴房四", 2);
  ASSERT_TRUE(t.save(tmp.folder(), 4).ok());
  t[4].name.clear();
  ASSERT_TRUE(t.save(tmp.folder(), 4).ok());
  RoomTable again;
  ASSERT_TRUE(again.load(tmp.folder()).ok());
  EXPECT_TRUE(again[4].isFree());
  EXPECT_EQ(again.firstFree(), 1);
  EXPECT_EQ(again[4].capacity, 2);  // the other members stay in the record
}

// ---------------------------------------------------------------------------
// Category lists

void PutNames(const std::filesystem::path& path, int count, const std::string& prefix) {
  auto f = RecordFile::Open(path, kCategoryRecordLength);
  ASSERT_TRUE(f.ok());
  for (int i = 0; i < count; ++i) {
    auto packed = PackString(prefix + std::to_string(i), kCategoryRecordLength);
    ASSERT_TRUE(packed.ok());
    ASSERT_TRUE(f->write(i + 1, *packed).ok());
  }
}

TEST_F(TablesTest, MissingCategoryFilesLoadAsEmptyNames) {
  CategoryLists lists;
  ASSERT_TRUE(lists.load(tmp.folder()).ok());
  for (int i = 0; i < CategoryLists::kLevels; ++i) EXPECT_EQ(lists.levelName(i), "") << i;
  for (int i = 0; i < CategoryLists::kNames; ++i) {
    EXPECT_EQ(lists.className(i), "") << i;
    EXPECT_EQ(lists.majorName(i), "") << i;
  }
  EXPECT_EQ(lists.gradeName(0), "");
}

TEST_F(TablesTest, EntryIIsRecordIPlusOneAndOnlyTheListedEntriesLoad) {
  PutNames(tmp.path("lj.dat"), 13, "年级");
  PutNames(tmp.path("bj.dat"), 33, "班");
  PutNames(tmp.path("zy.dat"), 31, "专业");
  PutRecords<LevelRecord>(
      tmp.path("hy.dat"), kCategoryRecordLength,
      {{1, LevelRecord{"普通", 100, 0}}, {7, LevelRecord{"黄金会员", 90, 1000}}, {8, LevelRecord{"表外", 1, 1}}});
  CategoryLists lists;
  ASSERT_TRUE(lists.load(tmp.folder()).ok());
  EXPECT_EQ(lists.gradeName(0), "年级0");
  EXPECT_EQ(lists.gradeName(9), "年级9");
  // Grades 10..19 exist in memory but are never loaded.
  EXPECT_EQ(lists.gradeName(10), "");
  EXPECT_EQ(lists.gradeName(12), "");
  EXPECT_EQ(lists.className(30), "班30");
  EXPECT_EQ(lists.className(31), "");
  EXPECT_EQ(lists.majorName(5), "专业5");
  EXPECT_EQ(lists.levelName(0), "普通");
  EXPECT_EQ(lists.levelName(6), "黄金会员");
  EXPECT_EQ(lists.levels[6].percentage, 90);
  EXPECT_EQ(lists.levels[6].threshold, 1000);
  EXPECT_EQ(lists.levelName(3), "");
  EXPECT_EQ(lists.levelRow(6), "黄金会员 90% 1000");
}

TEST_F(TablesTest, IndexOutOfRangeGivesAnEmptyName) {
  CategoryLists lists;
  lists.levels.fill(LevelRecord{"L", 100, -1});
  lists.grades.fill("G");
  lists.classes.fill("C");
  lists.majors.fill("M");
  struct Case {
    const char* list;
    std::string (CategoryLists::*name)(int) const;
    int lastValid;
  };
  for (Case c : {Case{"level", &CategoryLists::levelName, 6}, Case{"grade", &CategoryLists::gradeName, 19},
                 Case{"class", &CategoryLists::className, 30}, Case{"major", &CategoryLists::majorName, 30}}) {
    EXPECT_NE((lists.*c.name)(0), "") << c.list;
    EXPECT_NE((lists.*c.name)(c.lastValid), "") << c.list;
    EXPECT_EQ((lists.*c.name)(c.lastValid + 1), "") << c.list;
    EXPECT_EQ((lists.*c.name)(-1), "") << c.list;
    EXPECT_EQ((lists.*c.name)(255), "") << c.list;
  }
  EXPECT_EQ(lists.levelRow(7), "");
  EXPECT_EQ(lists.levelRow(0), "L 100% -1");
}

}  // namespace
}  // namespace tarvolen
