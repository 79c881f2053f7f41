// Any bytes as the text of a number box, read for every target type; a
// number read must lie within its type.
#include <cstdlib>
#include <string_view>

#include "store/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using tarvolen::NumberTarget;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (NumberTarget t : {NumberTarget::Currency, NumberTarget::Single, NumberTarget::Int32, NumberTarget::Int16,
                         NumberTarget::Byte, NumberTarget::Card}) {
    const tarvolen::NumberText n = tarvolen::ReadNumber(text, t);
    if (!n.isNumber()) continue;
    const bool inRange = t == NumberTarget::Int32   ? n.whole >= INT32_MIN && n.whole <= INT32_MAX
                         : t == NumberTarget::Int16 ? n.whole >= INT16_MIN && n.whole <= INT16_MAX
                         : t == NumberTarget::Byte  ? n.whole >= 0 && n.whole <= 255
                         : t == NumberTarget::Card  ? n.whole >= 0 && n.whole <= INT64_MAX / 10000
                                                    : true;
    if (!inRange) std::abort();
  }
  return 0;
}
