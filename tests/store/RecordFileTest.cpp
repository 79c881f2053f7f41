// Random-access record files: record numbering, reads and writes past the
// end, the tail of a rewritten record, refused and failing writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "store/FileFaults.h"
#include "store/RecordFile.h"
#include "store/Records.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using testing::ReadAll;
using testing::Slice;
using testing::TempDir;
using testing::WriteAll;

class RecordFileTest : public ::testing::Test {
 protected:
  void TearDown() override { FileFaults::Clear(); }

  RecordFile open(const std::string& name, size_t length) {
    auto f = RecordFile::Open(tmp.path(name), length);
    EXPECT_TRUE(f.ok()) << f.status().detail();
    return f.ok() ? std::move(f.value()) : RecordFile();
  }
  Bytes Pattern(size_t n, uint8_t first = 1) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(first + i);
    return b;
  }

  TempDir tmp{TempDir::Root::Created};
};

TEST_F(RecordFileTest, OpenCreatesAMissingFileEmpty) {
  RecordFile f = open("new.dat", 32);
  EXPECT_TRUE(f.isOpen());
  EXPECT_TRUE(std::filesystem::exists(tmp.path("new.dat")));
  EXPECT_EQ(f.sizeInBytes(), 0);
  EXPECT_EQ(f.recordCount(), 0);
}

TEST_F(RecordFileTest, OpenInAMissingFolderFails) {
  auto f = RecordFile::Open(tmp.path("数据/登记/2011.dat"), 32);
  ASSERT_FALSE(f.ok());
  EXPECT_EQ(f.status().code(), ErrorCode::OpenFailed);
  EXPECT_FALSE(std::filesystem::exists(tmp.path("数据")));
}

TEST_F(RecordFileTest, RecordNIsAtOffsetNMinusOneTimesL) {
  WriteAll(tmp.path("r.dat"), Pattern(100));
  RecordFile f = open("r.dat", 16);
  for (int64_t n : {1, 2, 6}) {
    auto r = f.read(n);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, Pattern(16, static_cast<uint8_t>(1 + (n - 1) * 16))) << n;
  }
  auto block = f.readBlock(2, 3);
  ASSERT_TRUE(block.ok());
  EXPECT_EQ(*block, Pattern(48, 17));
}

TEST_F(RecordFileTest, ReadingPastTheEndGivesZeros) {
  WriteAll(tmp.path("r.dat"), Pattern(40));
  RecordFile f = open("r.dat", 32);
  auto partly = f.read(2);  // bytes 32..39 exist, 40..63 do not
  ASSERT_TRUE(partly.ok());
  Bytes expected = Pattern(8, 33);
  expected.resize(32, 0);
  EXPECT_EQ(*partly, expected);

  auto wholly = f.read(50);
  ASSERT_TRUE(wholly.ok());
  EXPECT_EQ(*wholly, Bytes(32, 0));

  auto block = f.readBlock(1, 4);
  ASSERT_TRUE(block.ok());
  ASSERT_EQ(block->size(), 128u);
  EXPECT_EQ(Slice(*block, 40, 88), Bytes(88, 0));
  EXPECT_EQ(f.recordCount(), 2);  // a partly written last record counts
}

TEST_F(RecordFileTest, RecordNumbersStartAtOne) {
  RecordFile f = open("r.dat", 16);
  EXPECT_FALSE(f.read(0).ok());
  EXPECT_FALSE(f.write(0, Bytes{1}).ok());
  EXPECT_FALSE(f.write(-1, Bytes{1}).ok());
  EXPECT_EQ(f.sizeInBytes(), 0);
}

TEST_F(RecordFileTest, WritingPastTheEndExtendsTheFileToWholeRecords) {
  RecordFile f = open("shuju.dat", kSessionRecordLength);
  auto packed = Pack(SessionRecord{3, 12, 600, 40544.0});  // 14 of 16 bytes
  ASSERT_TRUE(packed.ok());
  ASSERT_TRUE(f.write(3, *packed).ok());

  Bytes disk = ReadAll(tmp.path("shuju.dat"));
  ASSERT_EQ(disk.size(), 3u * 16u);
  EXPECT_EQ(Slice(disk, 0, 32), Bytes(32, 0));  // records 1 and 2: never written
  EXPECT_EQ(Slice(disk, 32, 14), *packed);
  EXPECT_EQ(Slice(disk, 46, 2), Bytes(2, 0));
  EXPECT_EQ(f.recordCount(), 3);
  EXPECT_EQ(UnpackSession(*f.read(1)).room, 0);
  EXPECT_EQ(UnpackSession(*f.read(3)).student, 12);
}

TEST_F(RecordFileTest, WritingInsideTheFileNeverChangesItsLength) {
  WriteAll(tmp.path("r.dat"), Bytes(5 * 32, 0xEE));
  RecordFile f = open("r.dat", 32);
  ASSERT_TRUE(f.write(2, Bytes{1, 2, 3}).ok());
  Bytes disk = ReadAll(tmp.path("r.dat"));
  ASSERT_EQ(disk.size(), 160u);
  EXPECT_EQ(Slice(disk, 32, 4), (Bytes{1, 2, 3, 0xEE}));
}

TEST_F(RecordFileTest, ShorterRewriteLeavesTheOldTailAndReadsBackTheNewValues) {
  RecordFile f = open("students.dat", kStudentRecordLength);
  StudentRecord longer;
  longer.card = 1001;
  longer.name = "欧阳长名字的学生";  // 16 bytes
  longer.balance = 88.5f;
  longer.dedicatedRooms = {5, 6, 7};
  auto first = Pack(longer);
  ASSERT_TRUE(first.ok());
  ASSERT_TRUE(f.write(1, *first).ok());

  StudentRecord shorter = longer;
  shorter.name = "李";  // 2 bytes: the packed record is 14 bytes shorter
  shorter.balance = 3.0f;
  shorter.dedicatedRooms = {9, 0, 0};
  auto second = Pack(shorter);
  ASSERT_TRUE(second.ok());
  ASSERT_TRUE(f.write(1, *second).ok());

  Bytes disk = ReadAll(tmp.path("students.dat"));
  ASSERT_EQ(disk.size(), 128u);
  EXPECT_EQ(Slice(disk, 0, second->size()), *second);
  // The last 14 bytes of the longer record are still there.
  EXPECT_EQ(Slice(disk, second->size(), 14), Slice(*first, second->size(), 14));

  StudentRecord back = UnpackStudent(*f.read(1));
  EXPECT_EQ(back.name, "李");
  EXPECT_EQ(back.balance, 3.0f);
  EXPECT_EQ(back.dedicatedRooms, (std::array<int16_t, 3>{9, 0, 0}));
}

TEST_F(RecordFileTest, RecordLongerThanItsLengthIsRefusedAndNothingIsWritten) {
  const Bytes before = Pattern(64);
  WriteAll(tmp.path("r.dat"), before);
  RecordFile f = open("r.dat", 32);
  for (int64_t n : {1, 2, 5}) {
    Status s = f.write(n, Bytes(33, 0));
    EXPECT_EQ(s.code(), ErrorCode::TooLong) << n;
  }
  EXPECT_EQ(ReadAll(tmp.path("r.dat")), before);
}

TEST_F(RecordFileTest, InjectedWriteFailureIsReportedAndChangesNothing) {
  const Bytes before = Pattern(64);
  WriteAll(tmp.path("r.dat"), before);
  RecordFile f = open("r.dat", 32);
  FileFaults::Inject(tmp.path("r.dat"), WriteFault{.count = 2});
  EXPECT_EQ(f.write(1, Bytes(4, 0)).code(), ErrorCode::WriteFailed);
  EXPECT_EQ(f.write(4, Bytes(4, 0)).code(), ErrorCode::WriteFailed);  // past the end: no growth either
  EXPECT_EQ(ReadAll(tmp.path("r.dat")), before);
  // The third write goes through again.
  EXPECT_TRUE(f.write(1, Bytes(4, 0)).ok());
  EXPECT_EQ(Slice(ReadAll(tmp.path("r.dat")), 0, 5), (Bytes{0, 0, 0, 0, 5}));
}

TEST_F(RecordFileTest, BytePositionsCountFromOne) {
  WriteAll(tmp.path("set.dat"), Pattern(20));
  RecordFile f = open("set.dat", 24);
  auto at = f.readAt(1, 3);
  ASSERT_TRUE(at.ok());
  EXPECT_EQ(*at, (Bytes{1, 2, 3}));
  auto tail = f.readAt(19, 4);  // two bytes exist
  ASSERT_TRUE(tail.ok());
  EXPECT_EQ(*tail, (Bytes{19, 20, 0, 0}));
  ASSERT_TRUE(f.writeAt(5, Bytes{0xAA, 0xBB}).ok());
  Bytes disk = ReadAll(tmp.path("set.dat"));
  EXPECT_EQ(Slice(disk, 3, 4), (Bytes{4, 0xAA, 0xBB, 7}));
  EXPECT_FALSE(f.readAt(0, 1).ok());
  EXPECT_FALSE(f.writeAt(0, Bytes{1}).ok());
}

TEST_F(RecordFileTest, ReadOnlyFileStillLoadsButRefusesWrites) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes read-only files";
  WriteAll(tmp.path("r.dat"), Pattern(32));
  std::filesystem::permissions(tmp.path("r.dat"), std::filesystem::perms::owner_read);
  RecordFile f = open("r.dat", 32);
  ASSERT_TRUE(f.isOpen());
  EXPECT_EQ(*f.read(1), Pattern(32));
  EXPECT_EQ(f.write(1, Bytes{0}).code(), ErrorCode::WriteFailed);
  EXPECT_EQ(ReadAll(tmp.path("r.dat")), Pattern(32));
}

TEST_F(RecordFileTest, MovedFromFileIsClosedAndTheTargetKeepsWorking) {
  RecordFile a = open("r.dat", 8);
  RecordFile b = std::move(a);
  EXPECT_FALSE(a.isOpen());  // NOLINT(bugprone-use-after-move): checked on purpose
  EXPECT_FALSE(a.read(1).ok());
  EXPECT_EQ(a.write(1, Bytes{1}).code(), ErrorCode::WriteFailed);
  ASSERT_TRUE(b.write(1, Bytes{7}).ok());
  EXPECT_EQ((*b.read(1))[0], 7);
  b.close();
  EXPECT_FALSE(b.isOpen());
  EXPECT_EQ(b.sizeInBytes(), -1);
}

}  // namespace
}  // namespace tarvolen
