#pragma once
// Stands in when no timer factory is given: a timer that never fires.
#include "platform/Timer.h"

namespace tarvolen {

class InertTimer final : public Timer {
 public:
  void start(int intervalMs) override {
    interval_ = intervalMs;
    active_ = true;
  }
  void stop() override { active_ = false; }
  bool isActive() const override { return active_; }
  int interval() const override { return interval_; }

 private:
  bool active_ = false;
  int interval_ = 0;
};

}  // namespace tarvolen
