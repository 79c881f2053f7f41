#pragma once
// The five fading message lines at the bottom of the screen. Window 1 holds
// the newest line; each push shows at full opacity and every line fades by
// itself, one step every 200 ms while the fade timer runs.
#include <array>
#include <string>

namespace tarvolen {

class MessageStack {
 public:
  static constexpr int kLines = 5;
  static constexpr int kFadeIntervalMs = 200;
  static constexpr int kFadeStep = 5;

  // Shows the text as the newest line (PushMessage's part in the stack).
  void push(const std::string& text);
  // One step of the fade timer (Timmsg).
  void fadeStep();

  // Window 1..5.
  int level(int window) const { return levels_[static_cast<size_t>(window - 1)]; }
  const std::string& text(int window) const { return texts_[static_cast<size_t>(window - 1)]; }
  bool timerEnabled() const { return timerEnabled_; }

 private:
  std::array<int, kLines> levels_{};
  std::array<std::string, kLines> texts_{};
  bool timerEnabled_ = false;
};

}  // namespace tarvolen
