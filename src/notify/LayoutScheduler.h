#pragma once
// When the main window is laid out: 300 ms after the last change of its size
// or of the board size option (the layout timer, one-shot), so a drag of the
// window frame gives one pass and not hundreds. A pass that finds the window
// minimised lays nothing out and remembers it; the window's restore is a
// change of its state and asks for a pass of its own, which lays out for the
// size the window has then.
#include <functional>
#include <memory>

#include "platform/Timer.h"

namespace tarvolen {

class LayoutScheduler {
 public:
  static constexpr int kDelayMs = 300;

  struct Hooks {
    std::function<bool()> minimised;  // is the window minimised now
    std::function<void()> layOut;     // one pass over the window
  };

  LayoutScheduler(Hooks hooks, std::unique_ptr<Timer> timer);

  // A change of the window's outer size or state (a restore too).
  void Resized(bool minimised);
  // The board size option changed.
  void BoardSizeChanged();

  bool pending() const { return timer_->isActive(); }
  bool minimisedFlag() const { return minimisedFlag_; }
  int passes() const { return passes_; }

 private:
  void Restart();
  void Tick();

  Hooks hooks_;
  std::unique_ptr<Timer> timer_;
  bool minimisedFlag_ = false;
  int passes_ = 0;
};

}  // namespace tarvolen
