#include "notify/MessageStack.h"

namespace tarvolen {

void MessageStack::push(const std::string& text) {
  // Shift only while the newest line is still visible; once everything has
  // faded the new line simply replaces window 1's text.
  if (levels_[0] != 0) {
    for (int i = kLines - 1; i >= 1; --i) {
      levels_[static_cast<size_t>(i)] = levels_[static_cast<size_t>(i - 1)];
      texts_[static_cast<size_t>(i)] = texts_[static_cast<size_t>(i - 1)];
    }
  }
  levels_[0] = 255;
  texts_[0] = text;
  fadeStep();
  timerEnabled_ = true;
}

void MessageStack::fadeStep() {
  int faded = 0;
  for (int& level : levels_) {
    level -= kFadeStep;
    // A level reaching exactly 0 is counted on the next step.
    if (level < 0) {
      level = 0;
      ++faded;
    }
  }
  if (faded == kLines) timerEnabled_ = false;
}

}  // namespace tarvolen
