#include "session/SessionClock.h"

#include <algorithm>

namespace tarvolen {

int SessionElapsedMinutes(const SessionRecord& session, const DateTime& now) {
  // A start date thousands of years ahead comes only from a damaged session
  // file: the days stop where the minutes, less any time limit, fit an int.
  constexpr int kMostDaysAhead = 1000000;
  int days = DayNumber(now.date) - DayNumber(DateOf(session.startDate));
  days = std::clamp(days, -kMostDaysAhead, 20);
  return MinuteOfDay(now) - session.startMinute + 1440 * days;
}

int RoomTimeLimit(int code, int defaultLimit) {
  if (code == 0) return defaultLimit;
  if (code == 1) return kNoTimeLimit;
  return code * 5;
}

}  // namespace tarvolen
