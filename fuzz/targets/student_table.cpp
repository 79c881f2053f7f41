// Any bytes as students.dat, loaded into the 5000 student slots.
#include "FuzzFolder.h"
#include "store/Tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  static StudentTable table;
  const auto& folder = fuzz::FuzzFolder::Get();
  fuzz::FuzzFolder::Write(folder.desk().students(), {data, size});
  if (!table.load(folder.desk()).ok()) return 0;
  (void)table.findByCard(table[1].card);
  (void)table.firstFree();
  return 0;
}
