#pragma once
#include <QTimer>

#include "platform/Timer.h"

namespace tarvolen {

// A QTimer on the user-interface thread.
class QtTimer final : public Timer {
 public:
  QtTimer() {
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
      if (onTimeout) onTimeout();
    });
  }
  void start(int intervalMs) override { timer_.start(intervalMs); }
  void stop() override { timer_.stop(); }
  bool isActive() const override { return timer_.isActive(); }
  int interval() const override { return timer_.interval(); }

 private:
  QTimer timer_;
};

class QtTimerFactory final : public TimerFactory {
 public:
  std::unique_ptr<Timer> make() override { return std::make_unique<QtTimer>(); }
};

}  // namespace tarvolen
