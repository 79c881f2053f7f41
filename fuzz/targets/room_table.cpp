// Any bytes as rooms.dat, loaded into the 999 room slots.
#include "FuzzFolder.h"
#include "store/Tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  static RoomTable table;
  const auto& folder = fuzz::FuzzFolder::Get();
  fuzz::FuzzFolder::Write(folder.desk().rooms(), {data, size});
  if (!table.load(folder.desk()).ok()) return 0;
  (void)table.findByName(table[1].name);
  (void)table.firstFree();
  return 0;
}
