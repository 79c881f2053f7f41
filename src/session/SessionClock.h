#pragma once
// Elapsed minutes and time limits of sessions.
#include <cstdint>

#include "platform/Clock.h"
#include "store/Records.h"

namespace tarvolen {

// A running session never ends by itself in a room whose limit is this.
constexpr int kNoTimeLimit = 32000;

// Minutes from the session's start to now: minute of day difference plus a
// whole day for each day between the start date and today, at most 20 days
// either way. Negative when the clock was set back. 0 for a session whose
// start is not valid: its time is unknown and is never billed.
int SessionElapsedMinutes(const SessionRecord& session, const DateTime& now);

// Time-limit code of a room: 0 the default limit, 1 no limit, n = n * 5.
int RoomTimeLimit(int code, int defaultLimit);

}  // namespace tarvolen
