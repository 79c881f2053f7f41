#include "accounts/VerificationCode.h"

#include <algorithm>
#include <cctype>

namespace tarvolen {

std::string NewVerificationCode(Random& random) {
  // One generator for all four draws: re-seeding it from the clock before
  // each draw, within one clock tick, would give four equal characters.
  std::string code;
  for (int i = 0; i < 4; ++i) {
    const double r = std::clamp(random.next(), 0.0, 0.999999999);
    int a = static_cast<int>(r * 62) + 48;
    if (a > 57) a += 7;  // past "9": "A".."Z"
    if (a > 90) a += 6;  // past "Z": "a".."z"
    if (i > 0) code += ' ';
    code += static_cast<char>(a);
  }
  return code;
}

bool VerificationCodeMatches(const std::string& shown, const std::string& typed) {
  std::string code;
  for (size_t i = 0; i < shown.size(); i += 2) code += shown[i];
  auto upper = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  return upper(code) == upper(typed);
}

}  // namespace tarvolen
