#include "session/SessionClock.h"

#include <algorithm>

namespace tarvolen {

int SessionElapsedMinutes(const SessionRecord& session, const DateTime& now) {
  int days = DayNumber(now.date) - DayNumber(DateOf(session.startDate));
  days = std::min(days, 20);
  return MinuteOfDay(now) - session.startMinute + 1440 * days;
}

int RoomTimeLimit(int code, int defaultLimit) {
  if (code == 0) return defaultLimit;
  if (code == 1) return kNoTimeLimit;
  return code * 5;
}

}  // namespace tarvolen
