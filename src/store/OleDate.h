#pragma once
// Dates as every data file stores them: a double counting days since
// 1899-12-30, the fraction being the time of day.
#include <cstdint>

namespace tarvolen {

using OleDate = double;

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct DateTime {
  CivilDate date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Whole day number of a civil date (1899-12-30 is 0).
int32_t DayNumber(const CivilDate& d);
CivilDate FromDayNumber(int32_t days);
bool IsValidCivil(int year, int month, int day);

OleDate ToOle(const CivilDate& d);
OleDate ToOle(const DateTime& t);
// The day part of a stored date (any time of day dropped). Values outside
// the years 100..9999 are clamped, so junk read from a file never misbehaves.
CivilDate DateOf(OleDate value);
// DayNumber(DateOf(value)) without the round trip through a civil date.
int32_t DayNumberOf(OleDate value);
DateTime DateTimeOf(OleDate value);

// Minutes since midnight: hour * 60 + minute, seconds dropped.
inline int MinuteOfDay(const DateTime& t) { return t.hour * 60 + t.minute; }

}  // namespace tarvolen
