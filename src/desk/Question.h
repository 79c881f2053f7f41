#pragma once
// The yes/no question of the desk in the countdown box, and what an answer
// will carry out. While it is open the main window is disabled.
#include <functional>
#include <string>

#include "notify/CountdownBox.h"

namespace tarvolen {

enum class ConfirmationState {
  None,           // nothing pending: a "是" checks in to the remembered room row
  CheckOutAsked,  // the protection question of a check-out is open
  Answering,      // a "是" is being carried out
};

class Question {
 public:
  // `mainWindowEnabled` is told when the question disables the main window
  // and when it gives it back.
  Question(CountdownBox& box, std::function<void(bool)> mainWindowEnabled)
      : box_(box), mainWindowEnabled_(std::move(mainWindowEnabled)) {}

  void Ask(const std::string& text, int defaultButton, int seconds) {
    mainWindowEnabled_(false);
    box_.open(text, defaultButton, seconds);
  }
  // Closes the box without carrying anything out.
  void Dismiss() {
    box_.dismiss();
    state = ConfirmationState::None;
    mainWindowEnabled_(true);
  }
  bool isOpen() const { return box_.view().visible; }

  ConfirmationState state = ConfirmationState::None;

 private:
  CountdownBox& box_;
  std::function<void(bool)> mainWindowEnabled_;
};

}  // namespace tarvolen
