#pragma once
// The utilisation window's computation over the installation: the default
// range by the calendar's dividers, the builder stepped over the year
// files with the rooms, type names, time limit and running sessions of the
// moment, and the table of the .xlsx export.
#include "platform/Clock.h"
#include "query/UtilisationDesk.h"
#include "startup/Options.h"
#include "store/InstallationData.h"

namespace tarvolen::query {

UtilisationComputation MakeUtilisationComputation(InstallationData& data, const Options& options, Clock& clock);

}  // namespace tarvolen::query
