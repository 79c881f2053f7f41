// The append files of the current year: the count of records in use, kept
// in set.dat, and the records it protects.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "store/FileFaults.h"
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
  void TearDown() override { FileFaults::Clear(); }

  fs::path checkins() const { return tmp.folder().checkinYear(2011); }
  Status openCheckins(YearFile& y, int32_t stored) {
    return y.open(checkins(), kCheckinRecordLength, &*settingsFile, settings::kCheckinCount, stored).status();
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

TEST_F(YearFileTest, RecordCutInsideItsMembersIsLeftOutAndOverwritten) {
  const Bytes whole = Pack(Checkin(1)).value();  // 28 bytes: the 4 after them are unspecified
  Bytes one = whole;
  one.resize(kCheckinRecordLength, 0);
  auto cat = [](Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const Bytes packedTwo = Pack(Checkin(2)).value();
  struct Case {
    const char* what;
    Bytes file;
    int32_t stored;
    bool torn;
    int32_t count;
  } cases[] = {
      {"8 bytes of a second record", cat(one, Bytes(8, 0x77)), 0, true, 1},
      {"set.dat counted beyond the cut", cat(one, Bytes(8, 0x77)), 6, true, 1},
      {"one byte of the key date missing", cat(one, Bytes(packedTwo.begin(), packedTwo.end() - 1)), 2, true, 1},
      {"only a cut record", Bytes(5, 0x77), 1, true, 0},
      {"every member there, the tail not", cat(one, packedTwo), 0, false, 2},
      {"whole records only", cat(one, one), 1, false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteAll(checkins(), c.file);
    YearFile y;
    auto opened = y.open(checkins(), kCheckinRecordLength, &*settingsFile, settings::kCheckinCount, c.stored);
    ASSERT_TRUE(opened.ok());
    EXPECT_EQ(opened->tornRecord, c.torn);
    EXPECT_EQ(y.count(), c.count);
    // The next append takes the record after the count, over a cut one.
    ASSERT_TRUE(y.append(Pack(Checkin(9))).ok());
    EXPECT_EQ(studentOfRecord(y, c.count + 1), 9);
    const Bytes after = ReadAll(checkins());
    EXPECT_EQ(after.size(), static_cast<size_t>(c.count + 1) * kCheckinRecordLength);
    const size_t kept = std::min(static_cast<size_t>(c.count) * kCheckinRecordLength, c.file.size());
    EXPECT_EQ(Slice(after, 0, kept), Slice(c.file, 0, kept));  // the records counted are untouched
  }
}

TEST_F(YearFileTest, LogRecordCutInsideItsRemarkIsLeftOut) {
  LogRecord r;
  r.operation = 1;
  r.remark = std::string(10, 'm');
  const Bytes packed = Pack(r).value();  // 44 of 128 bytes
  for (size_t present : {packed.size(), packed.size() - 1, size_t{30}}) {
    SCOPED_TRACE(present);
    const auto path = tmp.folder().logYear(2011);
    WriteAll(path, Bytes(packed.begin(), packed.begin() + static_cast<ptrdiff_t>(present)));
    YearFile log;
    auto opened = log.open(path, kLogRecordLength, &*settingsFile, settings::kLogCount, 0);
    ASSERT_TRUE(opened.ok());
    const bool whole = present == packed.size();
    EXPECT_EQ(opened->tornRecord, !whole);
    EXPECT_EQ(log.count(), whole ? 1 : 0);
  }
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

  FileFaults::Inject(checkins(), WriteFault{});
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
  Status s =
      y.open(tmp.path("数据/缺少/2011.dat"), kCheckinRecordLength, &*settingsFile, settings::kCheckinCount, 3).status();
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
