// Input: the suspension count of set.dat (4 bytes), then the bytes of ts.dat.
// The suspension named by the first record is looked up, lifted and looked
// up again, as the status line of a swiped card does.
#include <algorithm>

#include "FuzzFolder.h"
#include "store/SideFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  const auto& folder = fuzz::FuzzFolder::Get();
  fuzz::FuzzInput input(data, size);
  const int32_t count = input.takeInt32();
  const auto file = input.rest();
  fuzz::FuzzFolder::Write(folder.desk().settings(), {});
  fuzz::FuzzFolder::Write(folder.desk().suspension(), file);
  auto settings = SettingsFile::Open(folder.desk().settings());
  if (!settings.ok() || !settings->writeLong(settings::kSuspensionCount, count).ok()) return 0;

  const SuspensionRecord first =
      UnpackSuspension(Bytes(file.begin(), file.begin() + std::min(file.size(), kSuspensionRecordLength)));
  SuspensionFile suspensions(folder.desk(), *settings);
  (void)suspensions.find(first.student, first.keyDate, first.kind);
  (void)suspensions.remove(first.student, first.keyDate, 0);
  (void)suspensions.find(first.student, first.keyDate, first.kind);
  (void)suspensions.count();
  return 0;
}
