#pragma once
// The yes/no countdown box (FMSG, caption "提示"): a question whose default
// button counts down the seconds and presses itself one second after it
// has shown 0. For the first 300 ms both buttons ignore presses, so an
// Enter still arriving from the card reader cannot answer it.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/Timer.h"

namespace tarvolen {

class CountdownBox {
 public:
  static constexpr int kYes = 0;
  static constexpr int kNo = 1;
  static constexpr int kCountMs = 1000;
  static constexpr int kGuardMs = 300;

  struct View {
    bool visible = false;
    std::string text;
    std::array<std::string, 2> captions{"是", "否"};
    int focusButton = kYes;
  };

  CountdownBox(std::unique_ptr<Timer> countTimer, std::unique_ptr<Timer> guardTimer);

  void open(const std::string& text, int defaultButton, int seconds);
  // A button press; ignored while the guard runs or when closed.
  void press(int button);
  // Hides the box without an answer.
  void dismiss();
  // The close control of the title bar: always refused.
  bool requestClose() const { return false; }

  const View& view() const { return view_; }

  // After the box has closed, with the button that answered.
  std::function<void(int button)> onAnswered;
  std::function<void()> changed;

 private:
  void Tick();
  void ShowCount();

  std::unique_ptr<Timer> count_;
  std::unique_ptr<Timer> guard_;
  View view_;
  int default_ = kYes;
  int remaining_ = 0;
};

}  // namespace tarvolen
