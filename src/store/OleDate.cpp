#include "store/OleDate.h"

#include <chrono>
#include <cmath>

namespace tarvolen {
namespace {

using namespace std::chrono;
constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
// 0100-01-01 and 9999-12-31 as day numbers: the range a stored date may take.
constexpr int32_t kMinDay = -657434;
constexpr int32_t kMaxDay = 2958465;

int32_t ClampDay(double days) {
  if (!std::isfinite(days)) return 0;
  if (days < kMinDay) return kMinDay;
  if (days > kMaxDay) return kMaxDay;
  return static_cast<int32_t>(days);
}

}  // namespace

int32_t DayNumber(const CivilDate& d) {
  sys_days sd = sys_days{year{d.year} / month{static_cast<unsigned>(d.month)} / day{static_cast<unsigned>(d.day)}};
  return static_cast<int32_t>((sd - kEpoch).count());
}

CivilDate FromDayNumber(int32_t days) {
  year_month_day ymd{kEpoch + std::chrono::days{days}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

bool IsValidCivil(int y, int m, int d) {
  if (m < 1 || m > 12 || d < 1 || d > 31) return false;
  return year_month_day{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}}.ok();
}

OleDate ToOle(const CivilDate& d) { return static_cast<OleDate>(DayNumber(d)); }

OleDate ToOle(const DateTime& t) {
  double fraction = (t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0;
  // Before 1899-12-30 the fraction counts away from zero, as the format has it.
  int32_t days = DayNumber(t.date);
  return days >= 0 ? days + fraction : days - fraction;
}

CivilDate DateOf(OleDate value) {
  // Truncation toward zero gives the day part for dates before the epoch too.
  return FromDayNumber(ClampDay(std::trunc(value)));
}

int32_t DayNumberOf(OleDate value) { return ClampDay(std::trunc(value)); }

DateTime DateTimeOf(OleDate value) {
  DateTime t;
  t.date = DateOf(value);
  double fraction = std::isfinite(value) ? std::fabs(value - std::trunc(value)) : 0.0;
  long seconds = std::lround(fraction * 86400.0);
  if (seconds >= 86400) seconds = 86399;
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

}  // namespace tarvolen
