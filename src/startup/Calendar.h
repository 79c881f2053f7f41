#pragma once
// The school calendar: two semesters a year, split by two dividing days the
// operator sets (set.dat 1034 and 1036). From them come the semester and
// school-year start of any day, a student's grade from the enrolment date,
// the grade filter entries, the query's default range and the checks made
// once at start-up against the date of the last start.
//
// Every function here takes the dividers as read from the file and passes
// them through SaneDividers first, so a damaged or mistyped divider never
// reaches a computation.
#include <string>
#include <vector>

#include "store/OleDate.h"
#include "store/Tables.h"

namespace tarvolen {

// month * 100 + day, as stored at set.dat 1034 (autumn) and 1036 (spring).
struct Dividers {
  int autumn = 815;
  int spring = 215;
  friend bool operator==(const Dividers&, const Dividers&) = default;
};

// True when `divider` names a day that exists in some year: month 1..12 and
// a day that month has in a leap year (so 229 is accepted, 230 is not).
bool IsValidDivider(int divider);

// The dividers the computations use. A divider that is not a valid day of
// the year is replaced by its default (autumn 815, spring 215). If the spring
// divider is then not earlier in the year than the autumn one, both fall back
// to the defaults: keeping one of the operator's values beside a default could
// give an order the operator never chose, so the pair is dropped as a whole.
Dividers SaneDividers(int autumn, int spring);

// The divider's day in `year`. A 229 divider in a common year gives 28
// February. The divider must be valid (see IsValidDivider); an invalid one is
// replaced by 815.
CivilDate DividerDay(int year, int divider);

// First day of the semester that contains d (ChanDay1). Before the spring
// divider: the autumn divider of the year before; from the spring divider up
// to and including the autumn divider: the spring divider of d's year; after
// the autumn divider: the autumn divider of d's year.
//
// Days are compared with the divider days as built for d's year. For every
// divider this is the same as comparing month * 100 + day, except a 229
// divider in a common year: there 28 February is the divider day and is
// treated exactly as the divider day of a leap year.
CivilDate ChanDay1(const CivilDate& d, const Dividers& div);

// First day of the school year that contains d (ChanNDay1): the autumn
// divider of d's year from that day on, else the one of the year before.
CivilDate ChanNDay1(const CivilDate& d, const Dividers& div);

// Half-way values go to the even neighbour (0.5 -> 0, 1.5 -> 2, -2.5 -> -2),
// whatever the floating-point rounding mode is.
double RoundHalfEven(double x);

// Grade index from the days between two school-year starts: days / 365.25
// rounded half to even, limited to 0..19.
int GradeIndexFromDays(double days);

// A student's grade index 0..19 (NianNJi): the days from the school-year
// start of the enrolment date to the school-year start of today, in years of
// 365.25 days, rounded half to even and limited to 0..19. An enrolment date
// in a later school year than today gives 0. Any time part of `enrolled` is
// ignored.
int NianNJi(OleDate enrolled, const CivilDate& today, const Dividers& div);

// The enrolment year as shown beside a student: two-digit year and "级"
// (2009 gives "09级").
std::string EnrolmentYearLabel(OleDate enrolled);

// The enrolment date stored for a student whose grade was chosen by year:
// the autumn divider's day in that year.
CivilDate EnrolmentDateFromYear(int year, const Dividers& div);

// Spaces between a grade name and its index in a grade filter entry; the same
// padding the other category selectors use.
inline constexpr int kGradeEntryPadding = 44;

// Entries of the grade filters, for each grade index i = 0..9 whose name is
// not empty: the year of the school-year start of (today - i * 365.25 days)
// as "yyyy", the grade name, kGradeEntryPadding spaces and i as "000". A
// reader takes the first four characters as the enrolment year and the last
// three as the grade index.
//
// today - i * 365.25 is a fractional day number; it is rounded down, to the
// earlier whole day (the day the fraction lies in). On the autumn divider day
// that extra part of a day can move an entry back to the school year before.
std::vector<std::string> GradeListEntries(const CivilDate& today, const Dividers& div, const CategoryLists& lists);

struct DateRange {
  CivilDate from;
  CivilDate to;
  friend bool operator==(const DateRange&, const DateRange&) = default;
};

// The query page's default range: from the semester start of today to the
// semester start of today + 182 days.
DateRange QueryDefaultRange(const CivilDate& today, const Dividers& div);

// "yyyy年mm月dd日".
std::string FormatChineseDate(const CivilDate& d);

// What the start-up has to do after comparing the last start with today.
struct RolloverPlan {
  // Today is not the day of the last start: today is written to record 5,
  // and the sessions of the previous day may be dropped.
  bool changed = false;
  // The year differs: both year-file counts (1030, 1038) become 0.
  bool resetYearCounts = false;
  // The semester start differs: "欢迎新学期！" is shown.
  bool greetNewSemester = false;
  friend bool operator==(const RolloverPlan&, const RolloverPlan&) = default;
};

// lastStart is set.dat record 5; only its day counts. 0, as a fresh settings
// file holds, and a value that is not a number both mean "never started":
// every flag is set, whatever today is.
RolloverPlan PlanRollover(OleDate lastStart, const CivilDate& today, const Dividers& div);

}  // namespace tarvolen
