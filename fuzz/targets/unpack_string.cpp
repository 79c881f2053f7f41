// Any bytes as one string record (the category lists, side files and set.dat
// strings): unpacked, then packed again into the longest record that holds one.
#include "store/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarvolen::Bytes bytes(data, data + size);
  (void)tarvolen::PackString(tarvolen::UnpackString(bytes), tarvolen::kCompanyRecordLength);
  return 0;
}
