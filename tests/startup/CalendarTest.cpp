#include "startup/Calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace tarvolen {
namespace {

// Dates are compared as "yyyy-mm-dd" so a failure reads as a date.
std::string Iso(const CivilDate& d) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buffer;
}

const Dividers kStandard{815, 215};

// ---------------------------------------------------------------- dividers

TEST(CalendarDividers, ValidDayOfTheYear) {
  struct Case {
    int divider;
    bool valid;
  };
  const Case cases[] = {
      {815, true},  {215, true},   {101, true},   {1231, true},   {229, true},   {430, true},
      {230, false}, {431, false},  {100, false},  {1301, false},  {1232, false}, {0, false},
      {15, false},  {-815, false}, {1300, false}, {99999, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.divider);
    EXPECT_EQ(IsValidDivider(c.divider), c.valid);
  }
}

TEST(CalendarDividers, InvalidOrMisorderedDividersFallBack) {
  struct Case {
    int autumn, spring;
    Dividers expected;
  };
  const Case cases[] = {
      {815, 215, {815, 215}},   {901, 301, {901, 301}},   {229, 101, {229, 101}},  // 29 February is a day of the year
      {1231, 101, {1231, 101}}, {0, 0, {815, 215}},                                // a fresh or zeroed file
      {1301, 301, {815, 301}},                                                     // only the bad one is replaced
      {901, 230, {901, 215}},   {431, 101, {815, 101}},   {-815, 215, {815, 215}},
      {215, 815, {815, 215}},                              // spring after autumn
      {501, 501, {815, 215}},                              // no spring semester at all
      {301, 1001, {815, 215}},  {1301, 1001, {815, 215}},  // autumn replaced, then spring is later
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.autumn << "/" << c.spring);
    const Dividers got = SaneDividers(c.autumn, c.spring);
    EXPECT_EQ(got.autumn, c.expected.autumn);
    EXPECT_EQ(got.spring, c.expected.spring);
  }
}

TEST(CalendarDividers, DividerDayInCommonAndLeapYears) {
  struct Case {
    int year, divider;
    const char* expected;
  };
  const Case cases[] = {
      {2012, 815, "2012-08-15"}, {2012, 229, "2012-02-29"}, {2013, 229, "2013-02-28"},
      {1900, 229, "1900-02-28"}, {2000, 229, "2000-02-29"}, {2013, 101, "2013-01-01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.year << " " << c.divider);
    EXPECT_EQ(Iso(DividerDay(c.year, c.divider)), c.expected);
  }
}

// ------------------------------------------------- semester and school year

TEST(CalendarStarts, SemesterAndSchoolYearStart) {
  struct Case {
    CivilDate day;
    Dividers div;
    const char* semester;
    const char* schoolYear;
  };
  const Case cases[] = {
      // The standard dividers around both dividing days.
      {{2012, 1, 1}, kStandard, "2011-08-15", "2011-08-15"},
      {{2012, 2, 14}, kStandard, "2011-08-15", "2011-08-15"},
      {{2012, 2, 15}, kStandard, "2012-02-15", "2011-08-15"},  // S starts the spring semester
      {{2012, 8, 14}, kStandard, "2012-02-15", "2011-08-15"},
      {{2012, 8, 15}, kStandard, "2012-02-15", "2012-08-15"},  // A: still spring, new school year
      {{2012, 8, 16}, kStandard, "2012-08-15", "2012-08-15"},
      {{2012, 12, 31}, kStandard, "2012-08-15", "2012-08-15"},
      // Other dividers.
      {{2013, 2, 28}, {901, 301}, "2012-09-01", "2012-09-01"},
      {{2013, 3, 1}, {901, 301}, "2013-03-01", "2012-09-01"},
      {{2013, 9, 1}, {901, 301}, "2013-03-01", "2013-09-01"},
      {{2013, 9, 2}, {901, 301}, "2013-09-01", "2013-09-01"},
      {{2012, 12, 31}, {1231, 101}, "2012-01-01", "2012-12-31"},
      {{2013, 1, 1}, {1231, 101}, "2013-01-01", "2012-12-31"},
      // Spring divider 29 February: in a common year the 28th is the divider day.
      {{2012, 2, 28}, {815, 229}, "2011-08-15", "2011-08-15"},
      {{2012, 2, 29}, {815, 229}, "2012-02-29", "2011-08-15"},
      {{2013, 2, 27}, {815, 229}, "2012-08-15", "2012-08-15"},
      {{2013, 2, 28}, {815, 229}, "2013-02-28", "2012-08-15"},
      // Autumn divider 29 February.
      {{2012, 2, 29}, {229, 101}, "2012-01-01", "2012-02-29"},
      {{2012, 3, 1}, {229, 101}, "2012-02-29", "2012-02-29"},
      {{2013, 2, 27}, {229, 101}, "2013-01-01", "2012-02-29"},
      {{2013, 2, 28}, {229, 101}, "2013-01-01", "2013-02-28"},
      {{2013, 3, 1}, {229, 101}, "2013-02-28", "2013-02-28"},
      // Bad dividers never reach the computation.
      {{2012, 2, 15}, {1301, 0}, "2012-02-15", "2011-08-15"},
      {{2012, 8, 16}, {215, 815}, "2012-08-15", "2012-08-15"},
      {{2012, 1, 1}, {230, 101}, "2012-01-01", "2011-08-15"},  // autumn alone replaced
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << Iso(c.day) << " A=" << c.div.autumn << " S=" << c.div.spring);
    EXPECT_EQ(Iso(ChanDay1(c.day, c.div)), c.semester);
    EXPECT_EQ(Iso(ChanNDay1(c.day, c.div)), c.schoolYear);
  }
}

// ------------------------------------------------------------------ grades

TEST(CalendarGrade, RoundHalfToEven) {
  struct Case {
    double x, expected;
  };
  const Case cases[] = {
      {0.5, 0.0},   {1.5, 2.0},    {2.5, 2.0},    {3.5, 4.0}, {-0.5, 0.0},  {-1.5, -2.0},
      {-2.5, -2.0}, {2.4999, 2.0}, {2.5001, 3.0}, {3.0, 3.0}, {-3.7, -4.0}, {0.2, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(RoundHalfEven(c.x), c.expected);
  }
}

TEST(CalendarGrade, GradeIndexFromDays) {
  struct Case {
    double days;
    int expected;
  };
  // 182.625 days are exactly half a year of 365.25 days.
  const Case cases[] = {
      {0.0, 0},     {182.625, 0},   {547.875, 2},
      {913.125, 2}, {1278.375, 4},  {1643.625, 4},
      {547.874, 1}, {547.876, 2},   {1095.0, 3},
      {1096.0, 3},  {-182.625, 0},  {-547.875, 0},
      {-365.0, 0},  {6757.125, 18}, {6939.75, 19},
      {7305.0, 19}, {100000.0, 19}, {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.days);
    EXPECT_EQ(GradeIndexFromDays(c.days), c.expected);
  }
}

TEST(CalendarGrade, GradeIndexOfStudent) {
  struct Case {
    OleDate enrolled;
    CivilDate today;
    Dividers div;
    int expected;
  };
  const Case cases[] = {
      // School-year starts 2009-08-15 and 2012-08-15: 1096 days, 3.0007 years.
      {ToOle(CivilDate{2009, 8, 15}), {2012, 9, 1}, kStandard, 3},
      {ToOle(CivilDate{2009, 8, 15}) + 0.9, {2012, 9, 1}, kStandard, 3},  // time part ignored
      // The day before the divider belongs to the school year before: 1461 days.
      {ToOle(CivilDate{2009, 8, 14}), {2012, 9, 1}, kStandard, 4},
      // 1095 days are 2.998 years: rounded, not cut.
      {ToOle(CivilDate{2008, 8, 15}), {2011, 8, 15}, kStandard, 3},
      {ToOle(CivilDate{2008, 8, 15}), {2011, 8, 14}, kStandard, 2},
      {ToOle(CivilDate{2012, 9, 1}), {2012, 9, 1}, kStandard, 0},
      // Enrolled in a later school year than today: negative, limited to 0.
      {ToOle(CivilDate{2012, 8, 15}), {2012, 8, 14}, kStandard, 0},
      {ToOle(CivilDate{2020, 9, 1}), {2012, 9, 1}, kStandard, 0},
      // Upper limit 19.
      {ToOle(CivilDate{1994, 9, 1}), {2012, 9, 1}, kStandard, 18},
      {ToOle(CivilDate{1993, 9, 1}), {2012, 9, 1}, kStandard, 19},
      {ToOle(CivilDate{1992, 9, 1}), {2012, 9, 1}, kStandard, 19},
      {0.0, {2012, 9, 1}, kStandard, 19},
      // The dividers move the school-year starts.
      {ToOle(CivilDate{2009, 8, 20}), {2012, 9, 1}, {901, 301}, 4},
      {ToOle(CivilDate{2009, 8, 20}), {2012, 9, 1}, {0, 0}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << Iso(DateOf(c.enrolled)) << " on " << Iso(c.today) << " A=" << c.div.autumn);
    EXPECT_EQ(NianNJi(c.enrolled, c.today, c.div), c.expected);
  }
}

TEST(CalendarGrade, EnrolmentYearLabel) {
  struct Case {
    OleDate enrolled;
    const char* expected;
  };
  const Case cases[] = {
      {ToOle(CivilDate{2009, 8, 15}), "09级"},         {ToOle(CivilDate{2000, 2, 29}), "00级"},
      {ToOle(CivilDate{1999, 12, 31}) + 0.99, "99级"}, {ToOle(CivilDate{2012, 1, 1}), "12级"},
      {ToOle(CivilDate{1910, 6, 1}), "10级"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(EnrolmentYearLabel(c.enrolled), c.expected);
  }
}

TEST(CalendarGrade, EnrolmentDateFromYear) {
  struct Case {
    int year;
    Dividers div;
    const char* expected;
  };
  const Case cases[] = {
      {2009, kStandard, "2009-08-15"},  {2010, {901, 301}, "2010-09-01"},  {2012, {229, 101}, "2012-02-29"},
      {2013, {229, 101}, "2013-02-28"}, {2009, {1301, 215}, "2009-08-15"}, {2009, {301, 1001}, "2009-08-15"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.year << " A=" << c.div.autumn);
    EXPECT_EQ(Iso(EnrolmentDateFromYear(c.year, c.div)), c.expected);
  }
}

// ------------------------------------------------------------ grade filter

std::string Entry(const char* year, const char* name, const char* index) {
  return std::string(year) + name + std::string(44, ' ') + index;
}

CategoryLists Grades(std::vector<std::string> names) {
  CategoryLists lists;
  for (size_t i = 0; i < names.size() && i < lists.grades.size(); ++i) lists.grades[i] = names[i];
  return lists;
}

TEST(CalendarGradeList, Entries) {
  struct Case {
    const char* what;
    CivilDate today;
    Dividers div;
    std::vector<std::string> names;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"empty names are skipped, indices kept",
       {2012, 9, 1},
       kStandard,
       {"一年级", "二年级", "三年级", "", "五年级"},
       {Entry("2012", "一年级", "000"), Entry("2011", "二年级", "001"), Entry("2010", "三年级", "002"),
        Entry("2008", "五年级", "004")}},
      // 2013-08-15 - 365.25 days lies in 2012-08-14, the school year of 2011.
      {"the fraction of a day goes to the earlier day",
       {2013, 8, 15},
       kStandard,
       {"一", "二", "三", "四", "五"},
       {Entry("2013", "一", "000"), Entry("2011", "二", "001"), Entry("2011", "三", "002"), Entry("2010", "四", "003"),
        Entry("2009", "五", "004")}},
      {"the dividers decide the year", {2012, 8, 20}, {901, 301}, {"一年级"}, {Entry("2011", "一年级", "000")}},
      {"only grades 0 to 9 are listed",
       {2012, 9, 1},
       kStandard,
       {"", "", "", "", "", "", "", "", "", "十年级", "十一年级"},
       {Entry("2003", "十年级", "009")}},
      {"no names, no entries", {2012, 9, 1}, kStandard, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GradeListEntries(c.today, c.div, Grades(c.names)), c.expected);
  }
}

TEST(CalendarGradeList, YearAndIndexReadBackFromTheEnds) {
  const auto entries = GradeListEntries({2012, 9, 1}, kStandard, Grades({"一年级", "二年级"}));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].substr(0, 4), "2011");
  EXPECT_EQ(entries[1].substr(entries[1].size() - 3), "001");
}

// ------------------------------------------------------- query and format

TEST(CalendarQuery, DefaultRange) {
  struct Case {
    CivilDate today;
    Dividers div;
    const char* from;
    const char* to;
  };
  const Case cases[] = {
      {{2012, 9, 1}, kStandard, "2012-08-15", "2013-02-15"},   // to: 2013-03-02
      {{2012, 2, 14}, kStandard, "2011-08-15", "2012-02-15"},  // to: 2012-08-14
      {{2012, 8, 15}, kStandard, "2012-02-15", "2012-08-15"},  // to: 2013-02-13
      {{2012, 8, 16}, kStandard, "2012-08-15", "2012-08-15"},  // to: 2013-02-14
      {{2012, 8, 17}, kStandard, "2012-08-15", "2013-02-15"},  // to: 2013-02-15, the divider
      {{2012, 8, 18}, kStandard, "2012-08-15", "2013-02-15"},  // to: 2013-02-16
      {{2012, 8, 18}, {901, 301}, "2012-03-01", "2012-09-01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Iso(c.today));
    const DateRange range = QueryDefaultRange(c.today, c.div);
    EXPECT_EQ(Iso(range.from), c.from);
    EXPECT_EQ(Iso(range.to), c.to);
  }
}

TEST(CalendarQuery, ChineseDate) {
  struct Case {
    CivilDate day;
    const char* expected;
  };
  const Case cases[] = {
      {{2012, 2, 5}, "2012年02月05日"},
      {{2009, 12, 31}, "2009年12月31日"},
      {{999, 1, 1}, "0999年01月01日"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatChineseDate(c.day), c.expected);
}

// ---------------------------------------------------------------- roll-over

TEST(CalendarRollover, Plan) {
  struct Case {
    const char* what;
    OleDate last;
    CivilDate today;
    Dividers div;
    RolloverPlan expected;
  };
  const Case cases[] = {
      {"same day", ToOle(CivilDate{2012, 9, 1}), {2012, 9, 1}, kStandard, {false, false, false}},
      {"same day, time part stored",
       ToOle(CivilDate{2012, 9, 1}) + 0.75,
       {2012, 9, 1},
       kStandard,
       {false, false, false}},
      {"next day", ToOle(CivilDate{2012, 9, 1}), {2012, 9, 2}, kStandard, {true, false, false}},
      {"new year, same semester", ToOle(CivilDate{2011, 12, 31}), {2012, 1, 2}, kStandard, {true, true, false}},
      {"spring divider", ToOle(CivilDate{2012, 2, 14}), {2012, 2, 15}, kStandard, {true, false, true}},
      {"spring divider, time part", ToOle(CivilDate{2012, 2, 14}) + 0.5, {2012, 2, 15}, kStandard, {true, false, true}},
      {"autumn divider is still spring", ToOle(CivilDate{2012, 8, 14}), {2012, 8, 15}, kStandard, {true, false, false}},
      {"day after the autumn divider", ToOle(CivilDate{2012, 8, 15}), {2012, 8, 16}, kStandard, {true, false, true}},
      {"new year and new semester", ToOle(CivilDate{2011, 6, 1}), {2012, 9, 1}, kStandard, {true, true, true}},
      {"clock set back over new year", ToOle(CivilDate{2013, 1, 5}), {2012, 12, 20}, kStandard, {true, true, false}},
      {"other dividers", ToOle(CivilDate{2012, 8, 20}), {2012, 9, 2}, {901, 301}, {true, false, true}},
      {"other dividers, same semester", ToOle(CivilDate{2012, 8, 20}), {2012, 9, 1}, {901, 301}, {true, false, false}},
      {"fresh settings file", 0.0, {2012, 9, 1}, kStandard, {true, true, true}},
      {"fresh settings file on day 0", 0.0, {1899, 12, 30}, kStandard, {true, true, true}},
      {"unreadable date", std::numeric_limits<double>::quiet_NaN(), {2012, 9, 1}, kStandard, {true, true, true}},
      {"junk far in the future", 1e300, {2012, 9, 1}, kStandard, {true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RolloverPlan got = PlanRollover(c.last, c.today, c.div);
    EXPECT_EQ(got.changed, c.expected.changed);
    EXPECT_EQ(got.resetYearCounts, c.expected.resetYearCounts);
    EXPECT_EQ(got.greetNewSemester, c.expected.greetNewSemester);
  }
}

}  // namespace
}  // namespace tarvolen
