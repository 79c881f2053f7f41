// Time texts of the session engine: reading a clock text, showing durations
// and the sort keys built from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "session/TimeText.h"

namespace tarvolen {
namespace {

struct TextCase {
  std::string text;
  int minutes;
};

TEST(VtimeTest, MinutesSinceMidnightOfAClockText) {
  const std::vector<TextCase> cases = {
      {"00:00:00", 0}, {"09:05:59", 545}, {"23:59:59", 1439}, {"12:30", 750}, {"", 0},
      {"ab:cd:ef", 0}, {"12:xx:00", 720}, {"xx:07:00", 7},    {"7", 420},     {"10:5", 605},
  };
  for (const auto& c : cases) EXPECT_EQ(Vtime(c.text), c.minutes) << '"' << c.text << '"';
}

TEST(VtimeTest, ReadsBackTheClockText) {
  EXPECT_EQ(TimeOfDayText({{2012, 9, 1}, 7, 5, 9}), "07:05:09");
  for (int m : {0, 59, 60, 601, 1439}) {
    const DateTime t{{2012, 9, 1}, m / 60, m % 60, 33};
    EXPECT_EQ(Vtime(TimeOfDayText(t)), m);
  }
}

struct DurationCase {
  int minutes;
  std::string rtime;
  std::string rctime;
};

TEST(DurationTextTest, HoursAndMinutesWithTheRemainderMark) {
  const std::vector<DurationCase> cases = {
      {75, "1:15", "1时15分"},    {-20, "余0:20", "余0时20分"}, {0, "0:00", "0时00分"},
      {5, "0:05", "0时05分"},     {-5, "余0:05", "余0时05分"},  {60, "1:00", "1时00分"},
      {600, "10:00", "10时00分"}, {3333, "55:33", "55时33分"},  {-3333, "余55:33", "余55时33分"},
      {3334, "----", "----"},     {-3334, "----", "----"},      {32000, "----", "----"},
      {-32000, "----", "----"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Rtime(c.minutes), c.rtime) << c.minutes;
    EXPECT_EQ(Rctime(c.minutes), c.rctime) << c.minutes;
  }
}

TEST(OvertimeSortKeyTest, NineDigitsAndTheSign) {
  const std::vector<TextCase> cases = {
      {"000000015+", 15}, {"-000000020", -20},   {"000000000+", 0},
      {"-000000001", -1}, {"000032000+", 32000}, {"1234567890+", 1234567890},
  };
  for (const auto& c : cases) EXPECT_EQ(OvertimeSortKey(c.minutes), c.text) << c.minutes;
}

TEST(OvertimeSortKeyTest, OvertimesSortAfterTimesNotYetUp) {
  // Every time not yet up sorts before every overtime, and overtimes sort
  // by size. (Among negative values the text order is not numeric.)
  std::vector<std::string> keys = {OvertimeSortKey(30), OvertimeSortKey(-20), OvertimeSortKey(0), OvertimeSortKey(12)};
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"-000000020", "000000000+", "000000012+", "000000030+"}));
}

TEST(ZeroPaddedTest, LeadingZerosNeverCut) {
  EXPECT_EQ(TenDigits(5), "0000000005");
  EXPECT_EQ(TenDigits(0), "0000000000");
  EXPECT_EQ(TenDigits(123456789012), "123456789012");
  EXPECT_EQ(TenDigits(-5), "-0000000005");
  EXPECT_EQ(ZeroPadded(7, 2), "07");
  EXPECT_EQ(ZeroPadded(1003, 4), "1003");
  EXPECT_EQ(ZeroPadded(1000, 3), "1000");
  EXPECT_EQ(ZeroPadded(INT64_MIN, 2), "-9223372036854775808");
}

TEST(IsoDateTextTest, DayPartOnly) {
  EXPECT_EQ(IsoDateText(ToOle(CivilDate{2012, 9, 1})), "2012-09-01");
  EXPECT_EQ(IsoDateText(ToOle(DateTime{{2026, 12, 31}, 23, 59, 0})), "2026-12-31");
}

}  // namespace
}  // namespace tarvolen
