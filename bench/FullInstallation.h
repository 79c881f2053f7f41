#pragma once
// A program folder at full tables: 5000 students, 999 rooms and 1001 active
// sessions, for measuring the desk at the size it is built for.
#include <filesystem>
#include <string>

#include "store/OleDate.h"
#include "store/Result.h"

namespace tarvolen::bench {

// Writes the installation into `dir` (which must not hold one yet).
Status WriteFullInstallation(const std::filesystem::path& dir, const CivilDate& today);

}  // namespace tarvolen::bench
