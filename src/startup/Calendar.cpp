#include "startup/Calendar.h"

#include <cmath>
#include <cstdio>

namespace tarvolen {
namespace {

constexpr Dividers kDefaultDividers{};
constexpr int32_t kQueryRangeDays = 182;
constexpr double kDaysPerYear = 365.25;
constexpr int kLastGradeIndex = CategoryLists::kGradeSlots - 1;  // 19
constexpr int kListedGrades = CategoryLists::kLoadedGrades;      // 0..9

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool Before(const CivilDate& a, const CivilDate& b) { return DayNumber(a) < DayNumber(b); }

std::string FormatNumber(const char* format, int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

bool IsValidDivider(int divider) {
  // 2000 is a leap year, so 29 February counts as a day of the year.
  return IsValidCivil(2000, divider / 100, divider % 100);
}

Dividers SaneDividers(int autumn, int spring) {
  Dividers div{IsValidDivider(autumn) ? autumn : kDefaultDividers.autumn,
               IsValidDivider(spring) ? spring : kDefaultDividers.spring};
  if (div.spring >= div.autumn) return kDefaultDividers;
  return div;
}

CivilDate DividerDay(int year, int divider) {
  if (!IsValidDivider(divider)) divider = kDefaultDividers.autumn;
  CivilDate d{year, divider / 100, divider % 100};
  if (d.month == 2 && d.day == 29 && !IsLeap(year)) d.day = 28;
  return d;
}

CivilDate ChanDay1(const CivilDate& d, const Dividers& div) {
  const Dividers s = SaneDividers(div.autumn, div.spring);
  const CivilDate spring = DividerDay(d.year, s.spring);
  const CivilDate autumn = DividerDay(d.year, s.autumn);
  if (Before(d, spring)) return DividerDay(d.year - 1, s.autumn);
  if (!Before(autumn, d)) return spring;  // the autumn divider day is still spring
  return autumn;
}

CivilDate ChanNDay1(const CivilDate& d, const Dividers& div) {
  const Dividers s = SaneDividers(div.autumn, div.spring);
  const CivilDate autumn = DividerDay(d.year, s.autumn);
  if (Before(d, autumn)) return DividerDay(d.year - 1, s.autumn);
  return autumn;
}

double RoundHalfEven(double x) {
  if (!std::isfinite(x)) return x;
  const double low = std::floor(x);
  const double rest = x - low;
  if (rest < 0.5) return low;
  if (rest > 0.5) return low + 1.0;
  return std::fmod(low, 2.0) == 0.0 ? low : low + 1.0;
}

int GradeIndexFromDays(double days) {
  if (!std::isfinite(days)) return 0;
  const double g = RoundHalfEven(days / kDaysPerYear);
  if (g <= 0.0) return 0;
  if (g >= kLastGradeIndex) return kLastGradeIndex;
  return static_cast<int>(g);
}

int NianNJi(OleDate enrolled, const CivilDate& today, const Dividers& div) {
  const int32_t now = DayNumber(ChanNDay1(today, div));
  const int32_t then = DayNumber(ChanNDay1(DateOf(enrolled), div));
  return GradeIndexFromDays(static_cast<double>(now) - static_cast<double>(then));
}

std::string EnrolmentYearLabel(OleDate enrolled) { return FormatNumber("%02d", DateOf(enrolled).year % 100) + "级"; }

CivilDate EnrolmentDateFromYear(int year, const Dividers& div) {
  return DividerDay(year, SaneDividers(div.autumn, div.spring).autumn);
}

std::vector<std::string> GradeListEntries(const CivilDate& today, const Dividers& div, const CategoryLists& lists) {
  std::vector<std::string> entries;
  const double day = DayNumber(today);
  for (int i = 0; i < kListedGrades; ++i) {
    const std::string name = lists.gradeName(i);
    if (name.empty()) continue;
    // Rounded down: the fractional day lies within that earlier whole day.
    const auto back = static_cast<int32_t>(std::floor(day - i * kDaysPerYear));
    const CivilDate start = ChanNDay1(FromDayNumber(back), div);
    entries.push_back(FormatNumber("%04d", start.year) + name + std::string(kGradeEntryPadding, ' ') +
                      FormatNumber("%03d", i));
  }
  return entries;
}

DateRange QueryDefaultRange(const CivilDate& today, const Dividers& div) {
  const CivilDate later = FromDayNumber(DayNumber(today) + kQueryRangeDays);
  return {ChanDay1(today, div), ChanDay1(later, div)};
}

std::string FormatChineseDate(const CivilDate& d) {
  return FormatNumber("%04d", d.year) + "年" + FormatNumber("%02d", d.month) + "月" + FormatNumber("%02d", d.day) +
         "日";
}

RolloverPlan PlanRollover(OleDate lastStart, const CivilDate& today, const Dividers& div) {
  if (lastStart == 0.0 || !std::isfinite(lastStart)) return {true, true, true};
  const CivilDate last = DateOf(lastStart);
  if (last == today) return {};
  RolloverPlan plan;
  plan.changed = true;
  plan.resetYearCounts = last.year != today.year;
  plan.greetNewSemester = ChanDay1(last, div) != ChanDay1(today, div);
  return plan;
}

}  // namespace tarvolen
