// GBK conversion and stored dates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "store/Gbk.h"
#include "store/OleDate.h"

namespace tarvolen {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// ---------------------------------------------------------------------------
// GBK

TEST(Gbk, ChineseTextHasItsGbkBytes) {
  auto gbk = ToGbk("琴房管理");
  ASSERT_TRUE(gbk.ok());
  EXPECT_EQ(*gbk, "\xC7\xD9\xB7\xBF\xB9\xDC\xC0\xED");
  EXPECT_EQ(FromGbk("\xC7\xD9\xB7\xBF\xB9\xDC\xC0\xED"), "琴房管理");
}

TEST(Gbk, RoundTripsAndCountsBytes) {
  struct Case {
    const char* text;
    long gbkBytes;
  };
  for (Case c : {Case{"", 0}, Case{"Tarvolen 107", 12}, Case{"A1琴房", 6}, Case{"雪松岭VOID0427", 14},
                 Case{"黄金会员，九折。", 16}, Case{"（一）班", 8}}) {
    auto gbk = ToGbk(c.text);
    ASSERT_TRUE(gbk.ok()) << c.text;
    EXPECT_EQ(static_cast<long>(gbk->size()), c.gbkBytes) << c.text;
    EXPECT_EQ(GbkLength(c.text), c.gbkBytes) << c.text;
    EXPECT_EQ(FromGbk(*gbk), c.text);
  }
}

TEST(Gbk, TextWithoutGbkFormIsRefused) {
  for (const char* bad : {"\xF0\x9F\x98\x80",      // emoji
                          "琴\xF0\x9F\x8E\xB9房",  // emoji between Chinese characters
                          "\xC3",                  // cut UTF-8 sequence
                          "a\xFFz"}) {             // not UTF-8 at all
    auto gbk = ToGbk(bad);
    EXPECT_FALSE(gbk.ok()) << bad;
    EXPECT_EQ(gbk.status().code(), ErrorCode::BadText);
    EXPECT_EQ(GbkLength(bad), -1);
  }
}

TEST(Gbk, InvalidBytesFromAFileDecodeAsReplacementCharacters) {
  struct Case {
    std::string gbk;
    std::string utf8;
  };
  for (const Case& c : {Case{"\xFF", kReplacement},
                        Case{"A\xFF"
                             "B",
                             "A" + kReplacement + "B"},
                        Case{"\xD5\xC5\xD5", "张" + kReplacement},  // lead byte cut off at the end
                        Case{"\xD5 x", kReplacement + " x"},        // lead byte without a trail byte
                        Case{std::string("\xFF\xFF", 2), kReplacement + kReplacement}}) {
    EXPECT_EQ(FromGbk(c.gbk), c.utf8);
  }
}

TEST(Gbk, AsciiDecodesToItselfAloneAndBesideChineseText) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(FromGbk(ascii), ascii);
  // The same bytes beside a GBK character go through the converter.
  EXPECT_EQ(FromGbk(ascii + "\xC7\xD9"), ascii + "琴");
  EXPECT_EQ(FromGbk(""), "");
}

TEST(Gbk, RandomBytesAlwaysDecode) {
  std::mt19937 rng(936);
  std::uniform_int_distribution<int> byteDist(0, 255);
  for (int round = 0; round < 2000; ++round) {
    std::string junk(static_cast<size_t>(round % 300), '\0');
    for (char& ch : junk) ch = static_cast<char>(byteDist(rng));
    std::string text = FromGbk(junk);
    // What comes out is valid UTF-8 again, so it can be converted back.
    auto again = ToGbk(text);
    if (text.find(kReplacement) == std::string::npos && text.find('\0') == std::string::npos) {
      ASSERT_TRUE(again.ok()) << round;
      ASSERT_EQ(*again, junk) << round;
    }
  }
}

// ---------------------------------------------------------------------------
// Dates: days since 1899-12-30, the fraction being the time of day.

TEST(OleDate, DayNumbers) {
  struct Case {
    CivilDate date;
    int32_t day;
  };
  for (Case c : {Case{{1899, 12, 30}, 0}, Case{{1899, 12, 31}, 1}, Case{{1900, 1, 1}, 2}, Case{{1899, 12, 29}, -1},
                 Case{{2011, 1, 1}, 40544}, Case{{2010, 9, 1}, 40422}, Case{{2012, 2, 29}, 40968},
                 Case{{2012, 3, 1}, 40969}, Case{{100, 1, 1}, -657434}, Case{{9999, 12, 31}, 2958465}}) {
    EXPECT_EQ(DayNumber(c.date), c.day) << c.date.year << "-" << c.date.month << "-" << c.date.day;
    EXPECT_EQ(FromDayNumber(c.day), c.date) << c.day;
    EXPECT_EQ(ToOle(c.date), static_cast<double>(c.day));
  }
}

TEST(OleDate, TimeOfDayIsTheFraction) {
  EXPECT_EQ(ToOle(DateTime{{2011, 1, 1}, 12, 0, 0}), 40544.5);
  EXPECT_EQ(ToOle(DateTime{{2011, 1, 1}, 6, 0, 0}), 40544.25);
  EXPECT_EQ(ToOle(DateTime{{1899, 12, 30}, 18, 0, 0}), 0.75);
  // Before the epoch the fraction counts away from zero.
  EXPECT_EQ(ToOle(DateTime{{1899, 12, 29}, 6, 0, 0}), -1.25);

  DateTime t = DateTimeOf(-1.25);
  EXPECT_EQ(t.date, (CivilDate{1899, 12, 29}));
  EXPECT_EQ(t.hour, 6);
  EXPECT_EQ(DateOf(40544.99), (CivilDate{2011, 1, 1}));
  EXPECT_EQ(DateOf(-0.5), (CivilDate{1899, 12, 30}));
}

TEST(OleDate, EveryMinuteOfADaySurvivesTheRoundTrip) {
  for (int minute = 0; minute < 24 * 60; ++minute) {
    DateTime in{{2011, 6, 15}, minute / 60, minute % 60, 0};
    DateTime out = DateTimeOf(ToOle(in));
    ASSERT_EQ(out.date, in.date) << minute;
    ASSERT_EQ(MinuteOfDay(out), minute) << minute;
    ASSERT_EQ(out.second, 0) << minute;
  }
  EXPECT_EQ(MinuteOfDay(DateTime{{2011, 1, 1}, 0, 5, 59}), 5);
  EXPECT_EQ(MinuteOfDay(DateTime{{2011, 1, 1}, 23, 59, 59}), 1439);
}

TEST(OleDate, JunkValuesGiveSomeDateWithinRange) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double junk :
       {std::nan(""), inf, -inf, 1e300, -1e300, 3e9, -3e9, std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(), std::numeric_limits<double>::denorm_min(), 40544.999999999}) {
    CivilDate d = DateOf(junk);
    EXPECT_GE(d.year, 100) << junk;
    EXPECT_LE(d.year, 9999) << junk;
    EXPECT_TRUE(IsValidCivil(d.year, d.month, d.day)) << junk;
    DateTime t = DateTimeOf(junk);
    EXPECT_GE(t.hour, 0) << junk;
    EXPECT_LE(t.hour, 23) << junk;
    EXPECT_GE(t.minute, 0) << junk;
    EXPECT_LE(t.minute, 59) << junk;
  }
  EXPECT_EQ(DateOf(1e300), (CivilDate{9999, 12, 31}));
  EXPECT_EQ(DateOf(-1e300), (CivilDate{100, 1, 1}));
}

TEST(OleDate, ValidCivilDates) {
  EXPECT_TRUE(IsValidCivil(2012, 2, 29));
  EXPECT_FALSE(IsValidCivil(2011, 2, 29));
  EXPECT_FALSE(IsValidCivil(1900, 2, 29));
  EXPECT_FALSE(IsValidCivil(2011, 13, 1));
  EXPECT_FALSE(IsValidCivil(2011, 0, 1));
  EXPECT_FALSE(IsValidCivil(2011, 4, 31));
  EXPECT_FALSE(IsValidCivil(2011, 4, 0));
}

}  // namespace
}  // namespace tarvolen
