#pragma once
// Times of day and durations as the desk shows and sorts them, and the
// fixed-width number formats the sort keys of the two lists are built from.
#include <cstdint>
#include <string>

#include "store/OleDate.h"

namespace tarvolen {

// Durations at or beyond this many minutes (either sign) show as "----".
constexpr int kLongestShownMinutes = 3334;

// Minutes since midnight of a time text "hh:mm:ss": the value of the first
// two characters * 60 + the value of characters 4-5. A part that is not a
// number counts as 0 (a short or empty text gives 0).
int Vtime(const std::string& hhmmss);

// "hh:mm:ss" of a time of day, two digits each.
std::string TimeOfDayText(const DateTime& t);

// Minutes as hours and minutes: 75 -> "1:15", -20 -> "余0:20"; "----" when
// |m| is 3334 or more.
std::string Rtime(int minutes);
// The same with units: 75 -> "1时15分", -20 -> "余0时20分"; "----" from 3334 up.
std::string Rctime(int minutes);

// Sort key of an overtime: m as nine digits, then "+" when m is 0 or more;
// a negative m carries its own minus sign: 15 -> "000000015+",
// -20 -> "-000000020".
std::string OvertimeSortKey(int minutes);

// A whole number with at least `digits` digits, leading zeros added; a
// negative number gets a minus sign in front of its digits
// (ZeroPadded(-5, 4) -> "-0005"). Never cut: 12345 with 4 digits stays 12345.
std::string ZeroPadded(int64_t value, int digits);
// The ten-digit sort prefix ("0000000000").
inline std::string TenDigits(int64_t value) { return ZeroPadded(value, 10); }

// "yyyy-mm-dd" of a stored date (its day part).
std::string IsoDateText(OleDate date);

}  // namespace tarvolen
