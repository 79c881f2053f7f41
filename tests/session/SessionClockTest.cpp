#include <gtest/gtest.h>

#include <limits>

#include "session/SessionClock.h"

namespace tarvolen {
namespace {

// Start dates a damaged shuju.dat can hold, up to the last day a stored date
// may name and beyond: the elapsed minutes never run ahead of now (an
// impossible start counts 0, a start days ahead at most 20 days back) and an
// overtime computed from them stays representable.
TEST(SessionClockDamagedStart, FarFutureStartDatesNeverCountForward) {
  const DateTime now{{2024, 3, 11}, 15, 30, 0};
  for (OleDate start : {ToOle(CivilDate{2100, 1, 1}), ToOle(CivilDate{9999, 12, 31}), 1e300}) {
    for (int16_t startMinute : {std::numeric_limits<int16_t>::min(), int16_t{0}, std::numeric_limits<int16_t>::max()}) {
      const SessionRecord s{1, 1, startMinute, start};
      const int elapsed = SessionElapsedMinutes(s, now);
      EXPECT_LE(elapsed, 0) << start << " " << startMinute;
      EXPECT_GE(elapsed, -(20 * 1440 + 1439)) << start << " " << startMinute;
      const long long overtime = static_cast<long long>(elapsed) - RoomTimeLimit(32767, 45);
      EXPECT_GE(overtime, std::numeric_limits<int>::min());
    }
  }
}

}  // namespace
}  // namespace tarvolen
