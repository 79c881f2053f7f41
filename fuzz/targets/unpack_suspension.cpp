// Any bytes as one suspension (ts.dat) record. It holds numbers only,
// so packing what was unpacked gives back the input (zero past its end).
#include <algorithm>
#include <cstdlib>

#include "store/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarvolen::Bytes bytes(data, data + size);
  const auto packed = tarvolen::Pack(tarvolen::UnpackSuspension(bytes));
  if (!packed.ok()) std::abort();
  tarvolen::Bytes expected(packed->size(), 0);
  std::copy_n(bytes.begin(), std::min(bytes.size(), expected.size()), expected.begin());
  if (packed.value() != expected) std::abort();
  return 0;
}
