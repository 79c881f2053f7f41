// Any bytes as one rooms.dat record: unpacked, then packed again as a save would.
#include "store/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarvolen::Bytes bytes(data, data + size);
  (void)tarvolen::Pack(tarvolen::UnpackRoom(bytes));
  return 0;
}
