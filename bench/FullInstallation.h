#pragma once
// A program folder at full tables: 5000 students, 999 rooms and 1001 active
// sessions, for measuring the desk at the size it is built for.
#include <filesystem>
#include <string>

#include "store/OleDate.h"
#include "store/Result.h"

namespace tarvolen::bench {

// Writes the installation into `dir` (which must not hold one yet). The
// first `longSessions` sessions started at midnight (long overtime by 10:00),
// the others at 09:59.
Status WriteFullInstallation(const std::filesystem::path& dir, const CivilDate& today, int longSessions = 0);

// A current year check-in file of `records` records, the last `todays` of
// them dated today (the rest the day before), its count in set.dat.
Status WriteYearFile(const std::filesystem::path& dir, const CivilDate& today, int records, int todays);

}  // namespace tarvolen::bench
