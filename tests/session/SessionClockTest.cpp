#include <gtest/gtest.h>

#include <limits>

#include "session/SessionClock.h"

namespace tarvolen {
namespace {

// Start dates a damaged shuju.dat can hold, up to the last day a stored date
// may name: the elapsed minutes stay negative (the clock looks set back) and
// an overtime computed from them stays representable.
TEST(SessionClockDamagedStart, FarFutureStartDatesGiveNegativeMinutes) {
  const DateTime now{{2024, 3, 11}, 15, 30, 0};
  for (OleDate start : {ToOle(CivilDate{2100, 1, 1}), ToOle(CivilDate{9999, 12, 31}), 1e300}) {
    for (int16_t startMinute : {std::numeric_limits<int16_t>::min(), int16_t{0}, std::numeric_limits<int16_t>::max()}) {
      const SessionRecord s{1, 1, startMinute, start};
      const int elapsed = SessionElapsedMinutes(s, now);
      EXPECT_LT(elapsed, -20 * 1440) << start << " " << startMinute;
      const long long overtime = static_cast<long long>(elapsed) - RoomTimeLimit(32767, 45);
      EXPECT_GE(overtime, std::numeric_limits<int>::min());
    }
  }
}

}  // namespace
}  // namespace tarvolen
