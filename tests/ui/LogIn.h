#pragma once
// Logging in at the desk's identity prompt, the way the widget tests get
// past it when the prompt itself is not what they test. Each returns the
// prompt's outcome for the test to check.
#include <string>

#include "access/IdentityPrompt.h"
#include "desk/Desk.h"

namespace tarvolen::uitest {

// The first run: the administrator's password typed in both boxes.
inline IdentityPrompt::Outcome ConfirmFirstRun(Desk& desk, const std::string& password) {
  desk.prompt().setPassword(password);
  desk.prompt().setSecond(password);
  return desk.ConfirmIdentity();
}

// A normal login (at start-up or after 切换用户): identity k picked, its
// password typed ("" for the visitor).
inline IdentityPrompt::Outcome LogInAs(Desk& desk, int k, const std::string& password) {
  desk.prompt().select(k);
  desk.prompt().setPassword(password);
  return desk.ConfirmIdentity();
}

}  // namespace tarvolen::uitest
