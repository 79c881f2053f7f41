// Any bytes as one hy.dat (member level) record: unpacked, then packed again as a save would.
#include "store/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarvolen::Bytes bytes(data, data + size);
  (void)tarvolen::Pack(tarvolen::UnpackLevel(bytes));
  return 0;
}
