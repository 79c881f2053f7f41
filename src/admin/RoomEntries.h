#pragma once
// The choice lists of the room editor: room types (the major names), time
// limits, open or closed, and the two search filters. A type or filter entry
// carries its number at its end, after padding spaces, so the number is read
// back from the entry's last characters.
#include <array>
#include <string>
#include <vector>

#include "store/Tables.h"

namespace tarvolen {

// "[不限定]": the first entry of both filters, which sets nothing.
inline constexpr const char* kAnyEntry = "[不限定]";
// Spaces between an entry's name and its number.
inline constexpr int kEntryPadding = 44;
// The open/closed field: entry 0 open, entry 1 closed.
inline constexpr std::array<const char*, 2> kOpenEntries = {"是", "否"};
// The time-limit codes 0..60, one entry each.
inline constexpr int kTimeLimitEntries = 61;

// "[默认]", "[不限时]", then code x 5 followed by "分钟" for codes 2..60.
const std::vector<std::string>& TimeLimitEntries();
// The entry of a time-limit code; empty for a code no entry has.
std::string TimeLimitText(int code);

// One entry per named major: the name, the padding and the index as "00".
std::vector<std::string> TypeEntries(const CategoryLists& lists);
// "[不限定]", then one entry per named major ending in its index as "000".
std::vector<std::string> TypeFilterEntries(const CategoryLists& lists);
// "[不限定]", "开放：是" ending in "000" and "开放：否" ending in "001".
std::vector<std::string> ServiceFilterEntries();

// The number in the last `digits` characters of an entry; 0 when they hold
// none (an empty entry, or no entry chosen).
int EntryNumber(const std::string& entry, int digits);

}  // namespace tarvolen
