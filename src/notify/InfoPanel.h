#pragma once
// The temporary-information panel (Text1) at the bottom right of the main
// window: collapsed, only its title shows above the window's lower edge; a
// click on the title slides it up 60 pixels every 20 ms (the slide timer)
// until it stands open; the hide label puts it back at once.
#include <functional>
#include <memory>

#include "platform/Timer.h"

namespace tarvolen {

class InfoPanel {
 public:
  static constexpr int kSlideMs = 20;
  static constexpr int kStep = 60;

  explicit InfoPanel(std::unique_ptr<Timer> timer);

  // The layout pass: the window's outer height and the panel's height. The
  // panel goes to its collapsed place, also when it was open; the hide
  // label keeps its visibility.
  void Place(double outerHeight, int panelHeight);

  // Label24 ("临 时 信 息"): starts the slide, only from the collapsed place.
  void TitleClicked();
  // Label25 ("隐  藏").
  void HideClicked();

  float top() const { return top_; }
  float collapsedTop() const { return static_cast<float>(outerHeight_ - 48); }
  float openTop() const { return static_cast<float>(outerHeight_ - panelHeight_ - 16); }
  bool hideVisible() const { return hideVisible_; }
  bool sliding() const { return timer_->isActive(); }

  // Called whenever the panel's place or the hide label changed.
  std::function<void()> changed;

 private:
  void Tick();
  void Changed() {
    if (changed) changed();
  }

  std::unique_ptr<Timer> timer_;
  double outerHeight_ = 535;
  int panelHeight_ = 200;
  float top_ = 487;
  bool hideVisible_ = false;
};

}  // namespace tarvolen
