// Reading records newest first in large blocks: every record once, in order,
// across block boundaries, zeros past the end of the file.
#include <gtest/gtest.h>

#include <cstring>

#include "store/BackwardRecordReader.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using testing::TempDir;
using testing::WriteAll;

// Record n carries n in its first four bytes and n's low byte in its last.
Bytes NumberedRecords(size_t length, int32_t records) {
  Bytes all(length * static_cast<size_t>(records), 0);
  for (int32_t n = 1; n <= records; ++n) {
    uint8_t* rec = all.data() + length * static_cast<size_t>(n - 1);
    std::memcpy(rec, &n, sizeof n);
    rec[length - 1] = static_cast<uint8_t>(n);
  }
  return all;
}

TEST(BackwardRecordReader, GivesEveryRecordOnceNewestFirst) {
  struct Case {
    size_t length;
    int32_t records;  // in the file
    int64_t last;     // where the reading starts
  } cases[] = {
      {32, 5000, 5000},                // 2048 records a block: two boundaries
      {32, 5000, 2049},                // starts just past a block's worth
      {24, 6000, 5999},                // a length that does not divide the block
      {32, 3, 3},       {32, 10, 13},  // three records past the end read as zeros
      {32, 10, 0},                     // nothing to read
      {128, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.length << " " << c.records << " " << c.last);
    TempDir tmp{TempDir::Root::Created};
    WriteAll(tmp.path("f.dat"), NumberedRecords(c.length, c.records));
    auto file = RecordFile::Open(tmp.path("f.dat"), c.length);
    ASSERT_TRUE(file.ok());
    BackwardRecordReader reader(file.value(), c.last);
    Bytes rec;
    int64_t n = 0;
    int64_t expected = c.last;
    while (reader.next(rec, n)) {
      ASSERT_EQ(n, expected);
      ASSERT_EQ(rec.size(), c.length);
      int32_t stored = 0;
      std::memcpy(&stored, rec.data(), sizeof stored);
      const bool inFile = n <= c.records;
      ASSERT_EQ(stored, inFile ? n : 0);
      ASSERT_EQ(rec[c.length - 1], inFile ? static_cast<uint8_t>(n) : 0);
      --expected;
    }
    EXPECT_EQ(expected, 0);  // stopped after record 1
    EXPECT_FALSE(reader.next(rec, n));
  }
}

TEST(BackwardRecordReader, UnreadableFileGivesNothing) {
  RecordFile closed;
  BackwardRecordReader reader(closed, 5);
  Bytes rec;
  int64_t n = 0;
  EXPECT_FALSE(reader.next(rec, n));
}

}  // namespace
}  // namespace tarvolen
