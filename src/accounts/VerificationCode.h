#pragma once
// The verification code of the confirmation panel: four characters of
// 0-9, A-Z, a-z, shown with a space between them ("K D l i"), typed back
// without spaces and compared without regard to letter case.
#include <string>

#include "platform/Random.h"

namespace tarvolen {

// A new code, seven characters: the four drawn ones and the three spaces.
std::string NewVerificationCode(Random& random);

// Whether the typed text is the shown code: its characters 1, 3, 5 and 7,
// upper-cased, against the typed text upper-cased. An empty code (the panel
// waits for none) matches only an empty box.
bool VerificationCodeMatches(const std::string& shown, const std::string& typed);

}  // namespace tarvolen
