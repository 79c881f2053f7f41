// Any bytes as one operation log record: unpacked, then packed again as a save would.
#include "store/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarvolen::Bytes bytes(data, data + size);
  (void)tarvolen::Pack(tarvolen::UnpackLog(bytes));
  return 0;
}
