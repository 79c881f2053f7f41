#include "session/TimeText.h"

#include <cstdio>
#include <cstdlib>

namespace tarvolen {
namespace {

// The number a text starts with: leading spaces skipped, then digits; no
// digits give 0.
int LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

std::string HoursAndMinutes(int minutes, const char* hourUnit, const char* minuteUnit) {
  const int64_t m = minutes;
  const int64_t a = m < 0 ? -m : m;
  if (a >= kLongestShownMinutes) return "----";
  std::string out = m < 0 ? "余" : "";
  out += std::to_string(a / 60);
  out += hourUnit;
  out += ZeroPadded(a % 60, 2);
  out += minuteUnit;
  return out;
}

}  // namespace

int Vtime(const std::string& hhmmss) {
  const std::string hours = hhmmss.substr(0, 2);
  const std::string minutes = hhmmss.size() > 3 ? hhmmss.substr(3, 2) : std::string();
  return LeadingNumber(hours) * 60 + LeadingNumber(minutes);
}

std::string TimeOfDayText(const DateTime& t) {
  return ZeroPadded(t.hour, 2) + ":" + ZeroPadded(t.minute, 2) + ":" + ZeroPadded(t.second, 2);
}

std::string Rtime(int minutes) { return HoursAndMinutes(minutes, ":", ""); }

std::string Rctime(int minutes) { return HoursAndMinutes(minutes, "时", "分"); }

std::string OvertimeSortKey(int minutes) {
  std::string key = ZeroPadded(minutes, 9);
  if (minutes >= 0) key += '+';
  return key;
}

std::string ZeroPadded(int64_t value, int digits) {
  // The magnitude as unsigned, so the smallest int64 has one too.
  const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string body = std::to_string(magnitude);
  if (static_cast<int>(body.size()) < digits) body.insert(0, static_cast<size_t>(digits) - body.size(), '0');
  return value < 0 ? "-" + body : body;
}

std::string IsoDateText(OleDate date) {
  const CivilDate d = DateOf(date);
  return ZeroPadded(d.year, 4) + "-" + ZeroPadded(d.month, 2) + "-" + ZeroPadded(d.day, 2);
}

}  // namespace tarvolen
