#include "session/SessionClock.h"

#include <algorithm>
#include <cmath>

namespace tarvolen {

namespace {
constexpr int64_t kMaxDays = 20;
constexpr int64_t kMaxElapsed = kMaxDays * 1440 + 1439;
}  // namespace

int SessionElapsedMinutes(const SessionRecord& session, const DateTime& now) {
  if (!HasValidStart(session)) return 0;
  // In 64 bits: a start date thousands of years away must not overflow.
  const int64_t days = std::clamp<int64_t>(static_cast<int64_t>(DayNumber(now.date)) - DayNumberOf(session.startDate),
                                           -kMaxDays, kMaxDays);
  const int64_t minutes = static_cast<int64_t>(MinuteOfDay(now)) - session.startMinute + 1440 * days;
  return static_cast<int>(std::clamp(minutes, -kMaxElapsed, kMaxElapsed));
}

int RoomTimeLimit(int code, int defaultLimit) {
  if (code == 0) return defaultLimit;
  if (code == 1) return kNoTimeLimit;
  return code * 5;
}

}  // namespace tarvolen
