// Record packing: the exact bytes of every record kind, the size limits of
// their strings, and unpacking of damaged or short records.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>

#include "store/Packing.h"
#include "store/Records.h"
#include "support/Utf8.h"

namespace tarvolen {
namespace {

// A text of n ASCII bytes, or n/2 Chinese characters.
std::string Ascii(size_t n) { return std::string(n, 'x'); }
std::string Chinese(size_t chars) {
  std::string s;
  for (size_t i = 0; i < chars; ++i) s += "琴";
  return s;
}

// ---------------------------------------------------------------------------
// Golden bytes, worked out by hand from the member offsets.

TEST(PackingGolden, StudentRecord) {
  StudentRecord r;
  r.card = 12;
  r.idNumber = 7;
  r.name = "张三";
  r.sex = 1;
  r.major = 3;
  r.level = 2;
  r.enrolled = 40544.0;  // 2011-01-01
  r.classIndex = 5;
  r.totalRecharged = 100.0f;
  r.semesterMinutes = 90;
  r.totalMinutes = 1000;
  r.balance = -12.5f;
  r.status = 3;
  r.checkinCount = 258;
  r.telephone = 65536;
  r.dedicatedRooms = {1, 2, 259};
  const Bytes expected = {
      0xC0, 0xD4, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,  //  0 card 12 -> 120000
      0x70, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,  //  8 ID 7 -> 70000
      0x04, 0x00, 0xD5, 0xC5, 0xC8, 0xFD,              // 16 name: 4 GBK bytes 张三
      0x01,                                            // 22 sex
      0x03,                                            // 23 major
      0x02,                                            // 24 level
      0x00, 0x00, 0x00, 0x00, 0x00, 0xCC, 0xE3, 0x40,  // 25 enrolled 40544.0
      0x05,                                            // 33 class
      0x00, 0x00, 0xC8, 0x42,                          // 34 total recharged 100.0
      0x5A, 0x00, 0x00, 0x00,                          // 38 semester minutes 90
      0xE8, 0x03, 0x00, 0x00,                          // 42 total minutes 1000
      0x00, 0x00, 0x48, 0xC1,                          // 46 balance -12.5
      0x03, 0x00,                                      // 50 status
      0x02, 0x01, 0x00, 0x00,                          // 52 check-in count 258
      0x00, 0x00, 0x10, 0x27, 0x00, 0x00, 0x00, 0x00,  // 56 telephone 65536 -> 655360000
      0x01, 0x00, 0x02, 0x00, 0x03, 0x01,              // 64 dedicated rooms 1, 2, 259
  };
  auto packed = Pack(r);
  ASSERT_TRUE(packed.ok()) << packed.status().detail();
  EXPECT_EQ(*packed, expected);
  EXPECT_EQ(packed->size(), 64u + 2u + 4u);

  StudentRecord back = UnpackStudent(expected);
  EXPECT_EQ(back.card, 12);
  EXPECT_EQ(back.idNumber, 7);
  EXPECT_EQ(back.name, "张三");
  EXPECT_EQ(back.sex, 1);
  EXPECT_EQ(back.major, 3);
  EXPECT_EQ(back.level, 2);
  EXPECT_EQ(back.enrolled, 40544.0);
  EXPECT_EQ(back.classIndex, 5);
  EXPECT_EQ(back.totalRecharged, 100.0f);
  EXPECT_EQ(back.semesterMinutes, 90);
  EXPECT_EQ(back.totalMinutes, 1000);
  EXPECT_EQ(back.balance, -12.5f);
  EXPECT_EQ(back.status, 3);
  EXPECT_TRUE(back.isLost());
  EXPECT_TRUE(back.isSuspended());
  EXPECT_EQ(back.checkinCount, 258);
  EXPECT_EQ(back.telephone, 65536);
  EXPECT_EQ(back.dedicatedRooms, (std::array<int16_t, 3>{1, 2, 259}));
}

TEST(PackingGolden, RoomRecord) {
  RoomRecord r;
  r.name = "A1";
  r.type = 2;
  r.timeLimitCode = 60;
  r.serviceStatus = 1;
  r.price = 20.0f;
  r.capacity = 4;
  r.minimumFee = 1.0f;
  r.handlingFee = 0.5f;
  r.billingUnit = 15;
  r.tolerance = 5;
  const Bytes expected = {
      0x02, 0x00, 'A',  '1',   // name
      0x02,                    // type
      0x3C, 0x00,              // time-limit code 60
      0x01, 0x00,              // out of service
      0x00, 0x00, 0xA0, 0x41,  // price 20.0
      0x04,                    // capacity
      0x00, 0x00, 0x80, 0x3F,  // minimum fee 1.0
      0x00, 0x00, 0x00, 0x3F,  // handling fee 0.5
      0x0F, 0x00,              // billing unit 15
      0x05, 0x00,              // tolerance 5
  };
  auto packed = Pack(r);
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(*packed, expected);

  RoomRecord back = UnpackRoom(expected);
  EXPECT_EQ(back.name, "A1");
  EXPECT_EQ(back.type, 2);
  EXPECT_EQ(back.timeLimitCode, 60);
  EXPECT_FALSE(back.isOpen());
  EXPECT_EQ(back.price, 20.0f);
  EXPECT_EQ(back.capacity, 4);
  EXPECT_EQ(back.minimumFee, 1.0f);
  EXPECT_EQ(back.handlingFee, 0.5f);
  EXPECT_EQ(back.billingUnit, 15);
  EXPECT_EQ(back.tolerance, 5);
}

TEST(PackingGolden, LevelRecord) {
  const Bytes gold = {0x04, 0x00, 0xBD, 0xF0, 0xBF, 0xA8,  // name 金卡
                      0x5A,                                // 90 %
                      0xE8, 0x03, 0x00, 0x00};             // threshold 1000
  auto packed = Pack(LevelRecord{"金卡", 90, 1000});
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(*packed, gold);

  const Bytes never = {0x00, 0x00, 0x64, 0xFF, 0xFF, 0xFF, 0xFF};  // "", 100 %, -1
  auto packedNever = Pack(LevelRecord{"", 100, -1});
  ASSERT_TRUE(packedNever.ok());
  EXPECT_EQ(*packedNever, never);

  LevelRecord back = UnpackLevel(gold);
  EXPECT_EQ(back.name, "金卡");
  EXPECT_EQ(back.percentage, 90);
  EXPECT_EQ(back.threshold, 1000);
  EXPECT_EQ(UnpackLevel(never).threshold, -1);
}

TEST(PackingGolden, CheckinRecordIs28Bytes) {
  CheckinRecord r{7, 300, 1439, 40544.0, 6, 1, 2.5f, 40422.0};
  const Bytes expected = {
      0x07, 0x00,                                      //  0 room 7
      0x2C, 0x01,                                      //  2 student 300
      0x9F, 0x05,                                      //  4 time 1439
      0x00, 0x00, 0x00, 0x00, 0x00, 0xCC, 0xE3, 0x40,  //  6 date 40544
      0x06,                                            // 14 operator
      0x01,                                            // 15 kind: check-out
      0x00, 0x00, 0x20, 0x40,                          // 16 fee 2.5
      0x00, 0x00, 0x00, 0x00, 0xC0, 0xBC, 0xE3, 0x40,  // 20 key date 40422
  };
  auto packed = Pack(r);
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(*packed, expected);
  CheckinRecord back = UnpackCheckin(expected);
  EXPECT_EQ(back.room, 7);
  EXPECT_EQ(back.student, 300);
  EXPECT_EQ(back.time, 1439);
  EXPECT_EQ(back.date, 40544.0);
  EXPECT_EQ(back.operatorId, 6);
  EXPECT_EQ(back.kind, 1);
  EXPECT_EQ(back.fee, 2.5f);
  EXPECT_EQ(back.keyDate, 40422.0);
}

TEST(PackingGolden, LogRecordIs34BytesPlusRemark) {
  LogRecord r;
  r.operation = 9;
  r.operatorId = 2;
  r.date = 40544.0;
  r.time = 5;
  r.student = 1;
  r.amountScaled = 500000;  // 50 yuan
  r.room = 0;
  r.remark = "记录";
  r.keyDate = 1.5;
  const Bytes expected = {
      0x09,                                            //  0 operation
      0x02,                                            //  1 operator
      0x00, 0x00, 0x00, 0x00, 0x00, 0xCC, 0xE3, 0x40,  //  2 date 40544
      0x05, 0x00,                                      // 10 time 5
      0x01, 0x00,                                      // 12 student 1
      0x20, 0xA1, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00,  // 14 amount 500000
      0x00, 0x00,                                      // 22 room 0
      0x04, 0x00, 0xBC, 0xC7, 0xC2, 0xBC,              // 24 remark 记录
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,  // 30 key date 1.5
  };
  auto packed = Pack(r);
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(*packed, expected);
  LogRecord back = UnpackLog(expected);
  EXPECT_EQ(back.operation, 9);
  EXPECT_EQ(back.operatorId, 2);
  EXPECT_EQ(back.date, 40544.0);
  EXPECT_EQ(back.time, 5);
  EXPECT_EQ(back.student, 1);
  EXPECT_EQ(back.amountScaled, 500000);
  EXPECT_EQ(back.room, 0);
  EXPECT_EQ(back.remark, "记录");
  EXPECT_EQ(back.keyDate, 1.5);

  // An empty remark: 34 bytes.
  r.remark.clear();
  auto empty = Pack(r);
  ASSERT_TRUE(empty.ok());
  EXPECT_EQ(empty->size(), 34u);
}

TEST(PackingGolden, SessionRecordIs14Bytes) {
  const Bytes expected = {
      0x03, 0x00,                                      // room 3
      0x87, 0x13,                                      // student 4999
      0x58, 0x02,                                      // start minute 600
      0x00, 0x00, 0x00, 0x00, 0x10, 0xCC, 0xE3, 0x40,  // start 40544.5
  };
  auto packed = Pack(SessionRecord{3, 4999, 600, 40544.5});
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(*packed, expected);
  SessionRecord back = UnpackSession(expected);
  EXPECT_EQ(back.room, 3);
  EXPECT_EQ(back.student, 4999);
  EXPECT_EQ(back.startMinute, 600);
  EXPECT_EQ(back.startDate, 40544.5);
}

TEST(PackingGolden, SuspensionRecordIs20Bytes) {
  const Bytes expected = {
      0x0C, 0x00,                                      //  0 student 12
      0x00, 0x00, 0x00, 0x00, 0xC0, 0xBC, 0xE3, 0x40,  //  2 key date 40422
      0x00, 0x00, 0x00, 0x00, 0x10, 0xCC, 0xE3, 0x40,  // 10 end 40544.5
      0x01, 0x00,                                      // 18 kind 1
  };
  auto packed = Pack(SuspensionRecord{12, 40422.0, 40544.5, 1});
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(*packed, expected);
  SuspensionRecord back = UnpackSuspension(expected);
  EXPECT_EQ(back.student, 12);
  EXPECT_EQ(back.keyDate, 40422.0);
  EXPECT_EQ(back.endDate, 40544.5);
  EXPECT_EQ(back.kind, 1);
}

TEST(PackingGolden, StringRecordIsCountThenBytes) {
  auto packed = PackString("登录", 16);
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(*packed, (Bytes{0x04, 0x00, 0xB5, 0xC7, 0xC2, 0xBC}));
  EXPECT_EQ(UnpackString(*packed), "登录");
  auto empty = PackString("", 16);
  ASSERT_TRUE(empty.ok());
  EXPECT_EQ(*empty, (Bytes{0x00, 0x00}));
}

// ---------------------------------------------------------------------------
// Limits: the longest string that fits, and one byte more.

struct FitCase {
  const char* what;
  std::function<Result<Bytes>()> pack;
  size_t expectedSize;  // 0: must be refused
};

class PackingLimits : public ::testing::TestWithParam<FitCase> {};

TEST_P(PackingLimits, FitsExactlyOrIsRefused) {
  const FitCase& c = GetParam();
  auto packed = c.pack();
  if (c.expectedSize == 0) {
    ASSERT_FALSE(packed.ok()) << c.what;
    EXPECT_EQ(packed.status().code(), ErrorCode::TooLong) << c.what;
  } else {
    ASSERT_TRUE(packed.ok()) << c.what << ": " << packed.status().detail();
    EXPECT_EQ(packed->size(), c.expectedSize) << c.what;
  }
}

StudentRecord StudentNamed(std::string name) {
  StudentRecord r;
  r.card = 1;
  r.name = std::move(name);
  return r;
}
RoomRecord RoomNamed(std::string name) {
  RoomRecord r;
  r.name = std::move(name);
  return r;
}
LogRecord LogWithRemark(std::string remark) {
  LogRecord r;
  r.remark = std::move(remark);
  return r;
}

INSTANTIATE_TEST_SUITE_P(
    AllRecords, PackingLimits,
    ::testing::Values(
        FitCase{"student name 62 bytes", [] { return Pack(StudentNamed(Ascii(62))); }, 128},
        FitCase{"student name 31 Chinese", [] { return Pack(StudentNamed(Chinese(31))); }, 128},
        FitCase{"student name 63 bytes", [] { return Pack(StudentNamed(Ascii(63))); }, 0},
        FitCase{"student name 32 Chinese", [] { return Pack(StudentNamed(Chinese(32))); }, 0},
        FitCase{"student empty name", [] { return Pack(StudentNamed("")); }, 66},
        FitCase{"room name 4 Chinese", [] { return Pack(RoomNamed("一二三四")); }, 32},
        FitCase{"room name 5 Chinese", [] { return Pack(RoomNamed("一二三四五")); }, 0},
        FitCase{"room name 9 bytes", [] { return Pack(RoomNamed(Ascii(9))); }, 0},
        FitCase{"level name 13 bytes",
                [] {
                  return Pack(LevelRecord{Ascii(13), 100, -1});
                },
                20},
        FitCase{"level name 14 bytes",
                [] {
                  return Pack(LevelRecord{Ascii(14), 100, -1});
                },
                0},
        FitCase{"log remark 94 bytes", [] { return Pack(LogWithRemark(Ascii(94))); }, 128},
        FitCase{"log remark 47 Chinese", [] { return Pack(LogWithRemark(Chinese(47))); }, 128},
        FitCase{"log remark 95 bytes", [] { return Pack(LogWithRemark(Ascii(95))); }, 0},
        FitCase{"settings text 22 bytes", [] { return PackString(Ascii(22), kSettingsRecordLength); }, 24},
        FitCase{"settings text 11 Chinese", [] { return PackString(Chinese(11), kSettingsRecordLength); }, 24},
        FitCase{"settings text 23 bytes", [] { return PackString(Ascii(23), kSettingsRecordLength); }, 0},
        FitCase{"category name 18 bytes", [] { return PackString(Ascii(18), kCategoryRecordLength); }, 20},
        FitCase{"category name 19 bytes", [] { return PackString(Ascii(19), kCategoryRecordLength); }, 0},
        FitCase{"company text 126 bytes", [] { return PackString(Ascii(126), kCompanyRecordLength); }, 128},
        FitCase{"company text 127 bytes", [] { return PackString(Ascii(127), kCompanyRecordLength); }, 0},
        FitCase{"operation name 14 bytes", [] { return PackString(Ascii(14), kOperationNameRecordLength); }, 16},
        FitCase{"operation name 15 bytes", [] { return PackString(Ascii(15), kOperationNameRecordLength); }, 0},
        FitCase{"string beyond a 16-bit count", [] { return PackString(Ascii(70000), 1u << 20); }, 0}),
    [](const ::testing::TestParamInfo<FitCase>& p) {
      std::string n = p.param.what;
      for (char& ch : n) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return n;
    });

TEST(PackingText, CharacterWithoutGbkFormFailsTheWholeRecord) {
  auto student = Pack(StudentNamed("张\xF0\x9F\x98\x80"));  // 张 + an emoji
  ASSERT_FALSE(student.ok());
  EXPECT_EQ(student.status().code(), ErrorCode::BadText);
  auto log = Pack(LogWithRemark("\xF0\x9F\x8E\xB9"));
  ASSERT_FALSE(log.ok());
  EXPECT_EQ(log.status().code(), ErrorCode::BadText);
  auto text = PackString("bad \xC3", 24);  // cut UTF-8 sequence
  ASSERT_FALSE(text.ok());
  EXPECT_EQ(text.status().code(), ErrorCode::BadText);
}

// ---------------------------------------------------------------------------
// Whole numbers held as Currency.

TEST(PackingCurrency, WholeNumbersScaleByTenThousand) {
  struct Case {
    int64_t whole;
    int64_t scaled;
  };
  for (Case c : {Case{0, 0}, Case{12, 120000}, Case{-3, -30000}, Case{999999999999, 9999999999990000},
                 Case{kMaxWholeNumber, kMaxWholeNumber * 10000}}) {
    EXPECT_EQ(CurrencyFromWhole(c.whole), c.scaled) << c.whole;
    EXPECT_EQ(WholeFromCurrency(c.scaled), c.whole) << c.whole;
  }
}

TEST(PackingCurrency, DamagedFractionRoundsToNearestWhole) {
  struct Case {
    int64_t scaled;
    int64_t whole;
  };
  for (Case c : {Case{124999, 12}, Case{125000, 13}, Case{-124999, -12}, Case{-125000, -13}, Case{1, 0}}) {
    EXPECT_EQ(WholeFromCurrency(c.scaled), c.whole) << c.scaled;
  }
}

TEST(PackingCurrency, NumberBeyondFifteenDigitsIsNeverStored) {
  for (int64_t bad : {kMaxWholeNumber + 1, -kMaxWholeNumber - 1, int64_t{10000000000000000}}) {
    StudentRecord card = StudentNamed("a");
    card.card = bad;
    EXPECT_FALSE(Pack(card).ok()) << "card " << bad;
    StudentRecord id = StudentNamed("a");
    id.idNumber = bad;
    EXPECT_FALSE(Pack(id).ok()) << "ID " << bad;
    StudentRecord phone = StudentNamed("a");
    phone.telephone = bad;
    EXPECT_FALSE(Pack(phone).ok()) << "telephone " << bad;
  }
  StudentRecord biggest = StudentNamed("a");
  biggest.card = kMaxWholeNumber;
  auto packed = Pack(biggest);
  ASSERT_TRUE(packed.ok());
  EXPECT_EQ(UnpackStudent(*packed).card, kMaxWholeNumber);
}

TEST(PackingCurrency, ExtremeStoredValueLoadsAsANumberThatCanBeSavedAgain) {
  // A damaged file may hold any 64-bit value; loading it must give a number
  // the record can be written back with (after a recharge, say).
  for (int64_t raw : {std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()}) {
    Bytes b(128, 0);
    std::memcpy(b.data(), &raw, 8);
    StudentRecord r = UnpackStudent(b);
    EXPECT_LE(r.card, kMaxWholeNumber);
    EXPECT_GE(r.card, -kMaxWholeNumber);
    EXPECT_TRUE(Pack(r).ok()) << raw;
  }
}

// ---------------------------------------------------------------------------
// Reading short and damaged records.

TEST(PackingReader, MembersPastTheEndReadAsZero) {
  const Bytes three = {0x01, 0x02, 0x03};
  RecordReader rd(three);
  EXPECT_EQ(rd.integer(), 0x0201);
  EXPECT_EQ(rd.longValue(), 0x03);  // one byte present, three missing
  EXPECT_EQ(rd.currency(), 0);
  EXPECT_EQ(rd.date(), 0.0);
  EXPECT_EQ(rd.string(), "");
  EXPECT_EQ(rd.byte(), 0);
}

TEST(PackingReader, EmptyBufferGivesAnEmptyRecord) {
  StudentRecord s = UnpackStudent({});
  EXPECT_TRUE(s.isFree());
  EXPECT_EQ(s.name, "");
  EXPECT_EQ(s.enrolled, 0.0);
  EXPECT_TRUE(UnpackRoom({}).isFree());
  EXPECT_EQ(UnpackString({}), "");
}

TEST(PackingReader, StringCountRunningPastTheRecordIsCutAtItsEnd) {
  Bytes b(128, 'A');
  b[16] = 0xFF;  // name count 0xFFFF
  b[17] = 0xFF;
  StudentRecord r = UnpackStudent(b);
  EXPECT_EQ(r.name, std::string(110, 'A'));  // bytes 18..127
  // Every member after the name lies past the record: zero.
  EXPECT_EQ(r.sex, 0);
  EXPECT_EQ(r.enrolled, 0.0);
  EXPECT_EQ(r.balance, 0.0f);
  EXPECT_EQ(r.dedicatedRooms, (std::array<int16_t, 3>{0, 0, 0}));

  Bytes remark(128, 'B');
  remark[24] = 200;
  remark[25] = 0;
  LogRecord log = UnpackLog(remark);
  EXPECT_EQ(log.remark, std::string(102, 'B'));
  EXPECT_EQ(log.keyDate, 0.0);
}

TEST(PackingReader, ShorterCountStopsAtItsOwnLengthAndIgnoresTheTail) {
  // A record rewritten with a shorter name keeps the old tail bytes; the
  // reader must follow the count, not the tail.
  StudentRecord longer = StudentNamed(Chinese(20));
  longer.balance = 1.0f;
  StudentRecord shorter = StudentNamed("李");
  shorter.balance = 7.25f;
  shorter.dedicatedRooms = {9, 0, 0};
  auto a = Pack(longer);
  auto b = Pack(shorter);
  ASSERT_TRUE(a.ok() && b.ok());
  Bytes onDisk = *a;
  onDisk.resize(128, 0xEE);
  std::copy(b->begin(), b->end(), onDisk.begin());
  StudentRecord back = UnpackStudent(onDisk);
  EXPECT_EQ(back.name, "李");
  EXPECT_EQ(back.balance, 7.25f);
  EXPECT_EQ(back.dedicatedRooms[0], 9);
}

using testing::IsValidUtf8;

TEST(PackingReader, RandomBytesUnpackWithoutHarm) {
  std::mt19937 rng(20110101);
  std::uniform_int_distribution<int> byteDist(0, 255);
  std::uniform_int_distribution<int> lengthDist(0, 140);
  for (int round = 0; round < 2000; ++round) {
    Bytes b(round % 4 == 0 ? static_cast<size_t>(lengthDist(rng)) : 128);
    for (auto& x : b) x = static_cast<uint8_t>(byteDist(rng));
    if (round % 3 == 0 && b.size() > 25) b[17] = b[25] = 0;  // short counts: plausible strings too

    StudentRecord s = UnpackStudent(b);
    RoomRecord room = UnpackRoom(b);
    LevelRecord level = UnpackLevel(b);
    LogRecord log = UnpackLog(b);
    std::string text = UnpackString(b);
    // Decoded texts are well-formed UTF-8 whatever the bytes were.
    ASSERT_TRUE(IsValidUtf8(s.name)) << round;
    ASSERT_TRUE(IsValidUtf8(room.name)) << round;
    ASSERT_TRUE(IsValidUtf8(level.name)) << round;
    ASSERT_TRUE(IsValidUtf8(log.remark)) << round;
    ASSERT_TRUE(IsValidUtf8(text)) << round;
    // Every stored card, ID and telephone number is a whole number in range.
    ASSERT_LE(std::llabs(s.card), kMaxWholeNumber) << round;
    ASSERT_LE(std::llabs(s.telephone), kMaxWholeNumber) << round;

    // Records without strings pack back to exactly the bytes they came from.
    Bytes full = b;
    full.resize(128, 0);
    auto checkin = Pack(UnpackCheckin(b));
    auto session = Pack(UnpackSession(b));
    auto suspension = Pack(UnpackSuspension(b));
    ASSERT_TRUE(checkin.ok() && session.ok() && suspension.ok());
    ASSERT_EQ(*checkin, Bytes(full.begin(), full.begin() + 28)) << round;
    ASSERT_EQ(*session, Bytes(full.begin(), full.begin() + 14)) << round;
    ASSERT_EQ(*suspension, Bytes(full.begin(), full.begin() + 20)) << round;
  }
}

}  // namespace
}  // namespace tarvolen
