// The append files of the current year: the count of records in use, kept
// in set.dat, and the records it protects.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "store/Records.h"
#include "store/YearFile.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using testing::ReadAll;
using testing::Slice;
using testing::TempDir;
using testing::WriteAll;
namespace fs = std::filesystem;

CheckinRecord Checkin(int16_t student) {
  CheckinRecord r;
  r.room = 1;
  r.student = student;
  r.time = 605;
  r.date = 40544.0;
  r.keyDate = 40422.0;
  return r;
}

class YearFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tmp.makeDataFolders();
    WriteAll(tmp.path("set.dat"), Bytes(settings::kByteViewSize, 0));
    auto s = SettingsFile::Open(tmp.path("set.dat"));
    ASSERT_TRUE(s.ok());
    settingsFile.emplace(std::move(s.value()));
  }
  void TearDown() override { WriteFaults::Clear(); }

  fs::path checkins() const { return tmp.folder().checkinYear(2011); }
  Status openCheckins(YearFile& y, int32_t stored) {
    return y.open(checkins(), kCheckinRecordLength, &*settingsFile, settings::kCheckinCount, stored);
  }
  int32_t storedCheckinCount() const { return settingsFile->longAt(settings::kCheckinCount); }
  int16_t studentOfRecord(const YearFile& y, int64_t n) const { return UnpackCheckin(*y.read(n)).student; }

  TempDir tmp{TempDir::Root::Created};
  std::optional<SettingsFile> settingsFile;
};

TEST_F(YearFileTest, NewYearFileStartsAtRecordOneAndCountsThroughToSettings) {
  YearFile y;
  ASSERT_TRUE(openCheckins(y, 0).ok());
  EXPECT_EQ(y.count(), 0);
  for (int16_t s = 1; s <= 3; ++s) {
    ASSERT_TRUE(y.append(Pack(Checkin(s))).ok());
    EXPECT_EQ(y.count(), s);
    EXPECT_EQ(storedCheckinCount(), s) << "count not written after append " << s;
  }
  EXPECT_EQ(fs::file_size(checkins()), 3u * 32u);
  for (int16_t s = 1; s <= 3; ++s) EXPECT_EQ(studentOfRecord(y, s), s);
  // Only the check-in counter moved.
  EXPECT_EQ(settingsFile->longAt(settings::kLogCount), 0);
  EXPECT_EQ(Slice(ReadAll(tmp.path("set.dat")), 1029, 4), (Bytes{3, 0, 0, 0}));
}

TEST_F(YearFileTest, StoredCountBehindTheFileTakesTheRecordsPresent) {
  {
    YearFile y;
    ASSERT_TRUE(openCheckins(y, 0).ok());
    for (int16_t s = 1; s <= 4; ++s) ASSERT_TRUE(y.append(Pack(Checkin(s))).ok());
  }
  const Bytes before = ReadAll(checkins());
  // The program ended before its count was saved: set.dat says 1.
  YearFile y;
  ASSERT_TRUE(openCheckins(y, 1).ok());
  EXPECT_EQ(y.count(), 4);
  ASSERT_TRUE(y.append(Pack(Checkin(5))).ok());
  EXPECT_EQ(y.count(), 5);
  EXPECT_EQ(storedCheckinCount(), 5);
  const Bytes after = ReadAll(checkins());
  EXPECT_EQ(Slice(after, 0, before.size()), before);  // nothing overwritten
  EXPECT_EQ(studentOfRecord(y, 5), 5);
}

TEST_F(YearFileTest, PartlyWrittenLastRecordIsNotOverwritten) {
  Bytes junk(40, 0x77);  // one record and 8 bytes of the next
  WriteAll(checkins(), junk);
  YearFile y;
  ASSERT_TRUE(openCheckins(y, 0).ok());
  EXPECT_EQ(y.count(), 2);
  ASSERT_TRUE(y.append(Pack(Checkin(9))).ok());
  EXPECT_EQ(Slice(ReadAll(checkins()), 0, 40), junk);
  EXPECT_EQ(studentOfRecord(y, 3), 9);
}

TEST_F(YearFileTest, StoredCountAheadOfTheFileIsKept) {
  YearFile y;
  ASSERT_TRUE(openCheckins(y, 6).ok());
  EXPECT_EQ(y.count(), 6);
  ASSERT_TRUE(y.append(Pack(Checkin(7))).ok());
  EXPECT_EQ(fs::file_size(checkins()), 7u * 32u);
  EXPECT_EQ(studentOfRecord(y, 7), 7);
  EXPECT_EQ(studentOfRecord(y, 1), 0);
}

TEST_F(YearFileTest, NegativeStoredCountCountsAsZero) {
  YearFile y;
  ASSERT_TRUE(openCheckins(y, -5).ok());
  EXPECT_EQ(y.count(), 0);
  ASSERT_TRUE(y.append(Pack(Checkin(1))).ok());
  EXPECT_EQ(studentOfRecord(y, 1), 1);
}

TEST_F(YearFileTest, LargestCountCannotGrow) {
  YearFile y;
  ASSERT_TRUE(openCheckins(y, 0x7FFFFFFF).ok());
  EXPECT_FALSE(y.append(Pack(Checkin(1))).ok());
  EXPECT_EQ(y.count(), 0x7FFFFFFF);
  EXPECT_EQ(fs::file_size(checkins()), 0u);
  EXPECT_EQ(storedCheckinCount(), 0);
}

TEST_F(YearFileTest, FailedAppendDoesNotRaiseTheCount) {
  YearFile y;
  ASSERT_TRUE(openCheckins(y, 0).ok());
  ASSERT_TRUE(y.append(Pack(Checkin(1))).ok());
  const Bytes file = ReadAll(checkins());
  const Bytes set = ReadAll(tmp.path("set.dat"));

  WriteFaults::FailNext(1);
  EXPECT_EQ(y.append(Pack(Checkin(2))).code(), ErrorCode::WriteFailed);
  EXPECT_EQ(y.count(), 1);
  EXPECT_EQ(ReadAll(checkins()), file);
  EXPECT_EQ(ReadAll(tmp.path("set.dat")), set);

  // A record that cannot be packed is not written either.
  EXPECT_FALSE(y.append(Pack(LogRecord{.remark = std::string(95, 'r')})).ok());
  EXPECT_EQ(y.count(), 1);
  EXPECT_EQ(ReadAll(checkins()), file);

  // The next good append takes record 2.
  ASSERT_TRUE(y.append(Pack(Checkin(3))).ok());
  EXPECT_EQ(y.count(), 2);
  EXPECT_EQ(studentOfRecord(y, 2), 3);
}

TEST_F(YearFileTest, FailedCounterWriteIsCaughtUpAtTheNextOpen) {
  {
    YearFile y;
    ASSERT_TRUE(openCheckins(y, 0).ok());
    ASSERT_TRUE(y.append(Pack(Checkin(1))).ok());
    settingsFile->file().close();  // set.dat can no longer be written
    // The record is on disk, so the append counts; only the counter lags.
    ASSERT_TRUE(y.append(Pack(Checkin(2))).ok());
    EXPECT_EQ(y.count(), 2);
  }
  auto reopened = SettingsFile::Open(tmp.path("set.dat"));
  ASSERT_TRUE(reopened.ok());
  EXPECT_EQ(reopened->longAt(settings::kCheckinCount), 1);
  YearFile again;
  ASSERT_TRUE(again
                  .open(checkins(), kCheckinRecordLength, &reopened.value(), settings::kCheckinCount,
                        reopened->longAt(settings::kCheckinCount))
                  .ok());
  EXPECT_EQ(again.count(), 2);
  ASSERT_TRUE(again.append(Pack(Checkin(3))).ok());
  EXPECT_EQ(UnpackCheckin(*again.read(2)).student, 2);
  EXPECT_EQ(UnpackCheckin(*again.read(3)).student, 3);
  EXPECT_EQ(reopened->longAt(settings::kCheckinCount), 3);
}

TEST_F(YearFileTest, MissingFolderFailsTheOpenAndEveryAppend) {
  YearFile y;
  Status s = y.open(tmp.path("数据/缺少/2011.dat"), kCheckinRecordLength, &*settingsFile, settings::kCheckinCount, 3);
  EXPECT_EQ(s.code(), ErrorCode::OpenFailed);
  EXPECT_FALSE(y.isOpen());
  EXPECT_EQ(y.append(Pack(Checkin(1))).code(), ErrorCode::WriteFailed);
  EXPECT_EQ(y.count(), 3);
  EXPECT_EQ(storedCheckinCount(), 0);
}

TEST_F(YearFileTest, LogYearFileUsesItsOwnCounter) {
  YearFile log;
  ASSERT_TRUE(log.open(tmp.folder().logYear(2011), kLogRecordLength, &*settingsFile, settings::kLogCount, 0).ok());
  LogRecord r;
  r.operation = 1;
  r.remark = std::string(94, 'm');
  ASSERT_TRUE(log.append(Pack(r)).ok());
  ASSERT_TRUE(log.append(Pack(r)).ok());
  EXPECT_EQ(settingsFile->longAt(settings::kLogCount), 2);
  EXPECT_EQ(settingsFile->longAt(settings::kCheckinCount), 0);
  EXPECT_EQ(fs::file_size(tmp.folder().logYear(2011)), 256u);
  EXPECT_EQ(UnpackLog(*log.read(2)).remark, std::string(94, 'm'));
}

}  // namespace
}  // namespace tarvolen
