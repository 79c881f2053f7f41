// Any bytes as appname.txt.
#include "FuzzFolder.h"
#include "store/SideFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto& folder = tarvolen::fuzz::FuzzFolder::Get();
  tarvolen::fuzz::FuzzFolder::Write(folder.desk().appName(), {data, size});
  (void)tarvolen::ReadAppName(folder.desk());
  return 0;
}
