#pragma once
// The minutes a room was occupied, from the sessions held in it: intervals
// of absolute minutes (day number × 1440 + minute of the day), merged so an
// overlap counts every minute once, then spread over the hours of the day
// and the weekday × hour cells, split exactly at every hour and midnight.
#include <array>
#include <cstdint>
#include <vector>

namespace tarvolen::query {

struct MinuteInterval {
  int64_t from = 0;  // first minute occupied
  int64_t to = 0;    // first minute no longer occupied
};

inline int64_t AbsoluteMinute(int32_t day, int minuteOfDay) { return int64_t{day} * 1440 + minuteOfDay; }

// 0 Monday .. 6 Sunday of a day number (day 0, 1899-12-30, was a Saturday).
inline int WeekdayOf(int64_t day) { return static_cast<int>(((day + 5) % 7 + 7) % 7); }

using HourMinutes = std::array<int64_t, 24>;
using WeekdayHourMinutes = std::array<HourMinutes, 7>;

// Sorts `intervals` and merges the overlapping and touching ones in place.
void MergeIntervals(std::vector<MinuteInterval>& intervals);

// Adds every minute of `intervals` to its hour in `byHour` and to its weekday
// and hour in `byWeekdayHour`; returns the minutes added.
int64_t SpreadOverHours(const std::vector<MinuteInterval>& intervals, HourMinutes& byHour,
                        WeekdayHourMinutes& byWeekdayHour);

}  // namespace tarvolen::query
