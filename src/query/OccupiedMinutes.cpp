#include "query/OccupiedMinutes.h"

#include <algorithm>

namespace tarvolen::query {

void MergeIntervals(std::vector<MinuteInterval>& intervals) {
  std::sort(intervals.begin(), intervals.end(), [](const MinuteInterval& a, const MinuteInterval& b) {
    return a.from < b.from || (a.from == b.from && a.to < b.to);
  });
  size_t kept = 0;
  for (const MinuteInterval& next : intervals) {
    if (next.to <= next.from) continue;
    if (kept > 0 && next.from <= intervals[kept - 1].to) {
      intervals[kept - 1].to = std::max(intervals[kept - 1].to, next.to);
    } else {
      intervals[kept++] = next;
    }
  }
  intervals.resize(kept);
}

int64_t SpreadOverHours(const std::vector<MinuteInterval>& intervals, HourMinutes& byHour,
                        WeekdayHourMinutes& byWeekdayHour) {
  int64_t total = 0;
  for (const MinuteInterval& in : intervals) {
    int64_t at = in.from;
    while (at < in.to) {
      const int64_t day = at >= 0 ? at / 1440 : (at - 1439) / 1440;
      const int64_t minute = at - day * 1440;
      if (minute == 0 && in.to - at >= 1440) {
        // Whole days at once, so a session of years costs no more than one.
        const int64_t days = (in.to - at) / 1440;
        const int first = WeekdayOf(day);
        for (int w = 0; w < 7; ++w) {
          const int64_t of = days / 7 + ((w - first + 7) % 7 < days % 7 ? 1 : 0);
          for (size_t h = 0; h < 24; ++h) byWeekdayHour[static_cast<size_t>(w)][h] += of * 60;
        }
        for (size_t h = 0; h < 24; ++h) byHour[h] += days * 60;
        total += days * 1440;
        at += days * 1440;
        continue;
      }
      // The piece of the interval up to the end of the hour `at` lies in.
      const int64_t hourEnd = at - minute % 60 + 60;
      const int64_t end = std::min(in.to, hourEnd);
      const auto hour = static_cast<size_t>(minute / 60);
      byHour[hour] += end - at;
      byWeekdayHour[static_cast<size_t>(WeekdayOf(day))][hour] += end - at;
      total += end - at;
      at = end;
    }
  }
  return total;
}

}  // namespace tarvolen::query
