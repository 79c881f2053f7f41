#pragma once
// Whether a text is well-formed UTF-8 by its byte patterns alone, written
// here rather than taken from the program so a fault there cannot hide.
#include <cstddef>
#include <string>

namespace tarvolen::testing {

inline bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    }
    i += n;
  }
  return true;
}

}  // namespace tarvolen::testing
