// set.dat: the byte-position view and the 24-byte record view of one file.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "store/FileFaults.h"
#include "store/SettingsFile.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using namespace settings;
using testing::ReadAll;
using testing::Slice;
using testing::TempDir;
using testing::WriteAll;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteAll(tmp.path("set.dat"), Bytes(kByteViewSize, 0)); }
  void TearDown() override { FileFaults::Clear(); }

  SettingsFile open() {
    auto s = SettingsFile::Open(tmp.path("set.dat"));
    EXPECT_TRUE(s.ok());
    return std::move(s.value());
  }
  Bytes disk() const { return ReadAll(tmp.path("set.dat")); }

  TempDir tmp{TempDir::Root::Created};
};

// Every numeric value of the byte view with the size of its type.
struct Position {
  int64_t position;
  int size;  // 1 Byte, 2 Integer, 4 Long or Single
  bool isSingle = false;
};

std::vector<Position> AllPositions() {
  std::vector<Position> all = {
      {kSessionCount, 4},
      {kDefaultTimeLimit, 2},
      {kUseRoomsInTime, 1},
      {kAssignmentMode, 1},
      {kSoundOn, 1},
      {kUseIdleRooms, 1},
      {kUseOvertimeRooms, 1},
      {kFontBold, 1},
      {kFontItalic, 1},
      {kFontStrikethrough, 1},
      {kFontSize, 1},
      {kCardDigitsShown18, 1},
      {kAutoCheckin, 1},
      {kUpgradePolicy, 1},
      {kPricePerHour, 4, true},
      {kYearsOfStudy, 1},
      {kByDedicatedRoom, 1},
      {kVerificationCode, 1},
      {kPhotoNameLength, 1},
      {kPhotoNaming, 1},
      {kDailyLimit, 1},
      {kIdDigits, 1},
      {kCardDigits, 1},
      {kCheckinCount, 4},
      {kAutumnDivider, 2},
      {kSpringDivider, 2},
      {kLogCount, 4},
      {kBalanceNeeded, 4, true},
      {kDailyHours, 4, true},
      {kRechargeReminder, 4, true},
      {kSuspensionCount, 4},
      {kAutoCheckout, 1},
      {kOvertimeWait, 1},
      {kLastIdentity, 1},
      {kBoardSize, 1},
      {kWindowWidth, 4},
      {kWindowHeight, 4},
      {kWindowState, 2},
      {kDropPreviousDay, 1},
      {kProtectionMinutes, 1},
      {kShowDetails, 1},
      {kCardOnly, 1},
      {kFocusForced, 1},
      {kMainRowDigits, 1},
  };
  for (int k = 0; k < 7; ++k) all.push_back({kPermissionBase + 2 * k, 2});
  for (int i = 0; i < 10; ++i) all.push_back({kColourBase + 4 * i, 4});
  return all;
}

TEST_F(SettingsFileTest, PositionsOfTheMapAreTheDocumentedOnes) {
  // A few anchors of the layout other tools read.
  EXPECT_EQ(kSessionCount, 1);
  EXPECT_EQ(kDefaultTimeLimit, 5);
  EXPECT_EQ(kCheckinCount, 1030);
  EXPECT_EQ(kLogCount, 1038);
  EXPECT_EQ(kSuspensionCount, 1054);
  EXPECT_EQ(kAutumnDivider, 1034);
  EXPECT_EQ(kColourBase, 1060);
  EXPECT_EQ(kWindowState, 1110);
  EXPECT_EQ(kMainRowDigits, 1117);
  // The values never overlap and all lie in the 1117 bytes; none reaches into
  // the record view (bytes 73..672).
  std::vector<int> owner(kByteViewSize + 1, 0);
  for (const Position& p : AllPositions()) {
    for (int b = 0; b < p.size; ++b) {
      int64_t at = p.position + b;
      ASSERT_LE(at, kByteViewSize) << p.position;
      ASSERT_FALSE(at >= 73 && at <= 672) << p.position;
      ASSERT_EQ(owner[static_cast<size_t>(at)], 0)
          << "positions " << owner[static_cast<size_t>(at)] << " and " << p.position << " overlap";
      owner[static_cast<size_t>(at)] = static_cast<int>(p.position);
    }
  }
}

TEST_F(SettingsFileTest, FreshFileOfZerosReadsAllZero) {
  SettingsFile s = open();
  for (const Position& p : AllPositions()) {
    switch (p.size) {
      case 1: EXPECT_EQ(s.byteAt(p.position), 0) << p.position; break;
      case 2: EXPECT_EQ(s.integerAt(p.position), 0) << p.position; break;
      default: EXPECT_EQ(s.longAt(p.position), 0) << p.position; EXPECT_EQ(s.singleAt(p.position), 0.0f) << p.position;
    }
  }
  for (int64_t rec = kRecCustomName; rec <= kRecPhotoFolderLast; ++rec) EXPECT_EQ(s.stringRecord(rec), "") << rec;
  EXPECT_EQ(s.dateRecord(kRecLastStart), 0.0);
  EXPECT_EQ(s.longRecord(kRecMessageColour), 0);
}

TEST_F(SettingsFileTest, EachValueIsWrittenAtPositionMinusOneWithTheSizeOfItsType) {
  WriteAll(tmp.path("set.dat"), Bytes(kByteViewSize, 0xAA));
  SettingsFile s = open();
  for (const Position& p : AllPositions()) {
    Bytes expected;
    Status st;
    switch (p.size) {
      case 1:
        st = s.writeByte(p.position, 0x5C);
        expected = {0x5C};
        break;
      case 2:
        st = s.writeInteger(p.position, static_cast<int16_t>(-2));  // 0xFFFE
        expected = {0xFE, 0xFF};
        break;
      default:
        if (p.isSingle) {
          st = s.writeSingle(p.position, 12.5f);  // 0x41480000
          expected = {0x00, 0x00, 0x48, 0x41};
        } else {
          st = s.writeLong(p.position, 0x11223344);
          expected = {0x44, 0x33, 0x22, 0x11};
        }
    }
    ASSERT_TRUE(st.ok()) << p.position;
    Bytes now = disk();
    ASSERT_EQ(now.size(), static_cast<size_t>(kByteViewSize));
    const size_t off = static_cast<size_t>(p.position - 1);
    EXPECT_EQ(Slice(now, off, expected.size()), expected) << p.position;
    if (off > 0) {
      EXPECT_EQ(now[off - 1], 0xAA) << "byte before " << p.position;
    }
    if (off + expected.size() < now.size()) {
      EXPECT_EQ(now[off + expected.size()], 0xAA) << "byte after " << p.position;
    }
    // Read back through the matching accessor.
    switch (p.size) {
      case 1: EXPECT_EQ(s.byteAt(p.position), 0x5C); break;
      case 2: EXPECT_EQ(s.integerAt(p.position), -2); break;
      default:
        if (p.isSingle) {
          EXPECT_EQ(s.singleAt(p.position), 12.5f);
        } else {
          EXPECT_EQ(s.longAt(p.position), 0x11223344);
        }
    }
    // Restore the filler so the next value checks its own neighbours.
    WriteAll(tmp.path("set.dat"), Bytes(kByteViewSize, 0xAA));
  }
}

TEST_F(SettingsFileTest, ReadsAreLittleEndianAndZeroPastTheEnd) {
  Bytes b(1031, 0);
  b[1029] = 0x44;  // position 1030
  b[1030] = 0x33;
  WriteAll(tmp.path("set.dat"), b);
  SettingsFile s = open();
  EXPECT_EQ(s.byteAt(1030), 0x44);
  EXPECT_EQ(s.integerAt(1030), 0x3344);
  EXPECT_EQ(s.longAt(1030), 0x3344);  // bytes 1032, 1033 lie past the end
  EXPECT_EQ(s.longAt(kSuspensionCount), 0);
  EXPECT_EQ(s.byteAt(kMainRowDigits), 0);
  EXPECT_EQ(s.byteAt(0), 0);  // there is no position 0
}

TEST_F(SettingsFileTest, RecordViewUsesRecordsOfTwentyFourBytes) {
  WriteAll(tmp.path("set.dat"), Bytes(kByteViewSize, 0xAA));
  SettingsFile s = open();
  ASSERT_TRUE(s.writeStringRecord(kRecCustomName, "ab").ok());
  ASSERT_TRUE(s.writeDateRecord(kRecLastStart, 40544.5).ok());
  ASSERT_TRUE(s.writeLongRecord(kRecMessageColour, 0x00FF0080).ok());
  ASSERT_TRUE(s.writeStringRecord(kRecIdentityName + 6, "管理员").ok());
  ASSERT_TRUE(s.writeStringRecord(kRecPhotoFolderLast, "x").ok());
  Bytes now = disk();
  EXPECT_EQ(Slice(now, 72, 5), (Bytes{0x02, 0x00, 'a', 'b', 0xAA}));                           // record 4: offset 72
  EXPECT_EQ(Slice(now, 96, 8), (Bytes{0x00, 0x00, 0x00, 0x00, 0x10, 0xCC, 0xE3, 0x40}));       // record 5
  EXPECT_EQ(Slice(now, 144, 4), (Bytes{0x80, 0x00, 0xFF, 0x00}));                              // record 7
  EXPECT_EQ(Slice(now, 13 * 24, 8), (Bytes{0x06, 0x00, 0xB9, 0xDC, 0xC0, 0xED, 0xD4, 0xB1}));  // record 14
  EXPECT_EQ(Slice(now, 27 * 24, 4), (Bytes{0x01, 0x00, 'x', 0xAA}));                           // record 28
  EXPECT_EQ(now.size(), static_cast<size_t>(kByteViewSize));

  EXPECT_EQ(s.stringRecord(kRecCustomName), "ab");
  EXPECT_EQ(s.dateRecord(kRecLastStart), 40544.5);
  EXPECT_EQ(s.longRecord(kRecMessageColour), 0x00FF0080);
  EXPECT_EQ(s.stringRecord(kRecIdentityName + 6), "管理员");
}

TEST_F(SettingsFileTest, BothViewsAddressTheSameBytes) {
  SettingsFile s = open();
  // Record 4 starts at position 73.
  ASSERT_TRUE(s.writeInteger(73, 2).ok());
  ASSERT_TRUE(s.writeByte(75, 'h').ok());
  ASSERT_TRUE(s.writeByte(76, 'i').ok());
  EXPECT_EQ(s.stringRecord(kRecCustomName), "hi");
  ASSERT_TRUE(s.writeStringRecord(kRecCustomName, "\xE9\x9B\xAA").ok());  // 雪: D1 A9
  EXPECT_EQ(s.integerAt(73), 2);
  EXPECT_EQ(s.byteAt(75), 0xD1);
  EXPECT_EQ(s.byteAt(76), 0xA9);
}

TEST_F(SettingsFileTest, TextLongerThanTwentyTwoBytesIsRefusedAndNothingIsWritten) {
  SettingsFile s = open();
  ASSERT_TRUE(s.writeStringRecord(kRecPassword + 6, kNoPassword).ok());  // 14 bytes
  const Bytes before = disk();
  EXPECT_EQ(s.writeStringRecord(kRecFontName, std::string(23, 'f')).code(), ErrorCode::TooLong);
  EXPECT_EQ(s.writeStringRecord(kRecPassword + 6, "一二三四五六七八九十百千").code(), ErrorCode::TooLong);
  EXPECT_EQ(disk(), before);
  EXPECT_EQ(s.stringRecord(kRecPassword + 6), kNoPassword);

  // 22 bytes fill the record exactly and leave the next record alone.
  ASSERT_TRUE(s.writeStringRecord(kRecPhotoFolder, "一二三四五六七八九十百").ok());
  EXPECT_EQ(s.stringRecord(kRecPhotoFolder), "一二三四五六七八九十百");
  EXPECT_EQ(Slice(disk(), kRecPhotoFolder * 24, 24), Slice(before, kRecPhotoFolder * 24, 24));
}

TEST_F(SettingsFileTest, FailingWriteChangesNothing) {
  SettingsFile s = open();
  const Bytes before = disk();
  FileFaults::Inject(tmp.path("set.dat"), WriteFault{.count = 2});
  EXPECT_EQ(s.writeLong(kCheckinCount, 9).code(), ErrorCode::WriteFailed);
  EXPECT_EQ(s.writeStringRecord(kRecCustomName, "x").code(), ErrorCode::WriteFailed);
  EXPECT_EQ(disk(), before);
}

TEST_F(SettingsFileTest, OpeningInAMissingFolderFails) {
  auto s = SettingsFile::Open(tmp.base() / "nowhere" / "set.dat");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.status().code(), ErrorCode::OpenFailed);
}

}  // namespace
}  // namespace tarvolen
