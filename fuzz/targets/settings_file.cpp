// Any bytes as set.dat, read through both views the way start-up reads it:
// the options, the identities, the counters and the last start.
#include "FuzzFolder.h"
#include "access/Identities.h"
#include "startup/Calendar.h"
#include "startup/Options.h"
#include "store/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  const auto& folder = fuzz::FuzzFolder::Get();
  fuzz::FuzzFolder::Write(folder.desk().settings(), {data, size});
  auto settings = SettingsFile::Open(folder.desk().settings());
  if (!settings.ok()) return 0;
  Options options;
  options.load(*settings);
  IdentityTable identities;
  identities.load(*settings);
  for (int64_t p : {settings::kSessionCount, settings::kCheckinCount, settings::kLogCount, settings::kSuspensionCount})
    (void)settings->longAt(p);
  (void)settings->stringRecord(settings::kRecCustomName);
  const Dividers dividers = SaneDividers(options.autumnDivider, options.springDivider);
  (void)PlanRollover(settings->dateRecord(settings::kRecLastStart), CivilDate{2024, 3, 11}, dividers);
  return 0;
}
