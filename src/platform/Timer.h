#pragma once
// A timer of the user-interface thread. The core owns its timers through
// this interface, so every countdown and timeout is tested with a fake
// that a test moves forward by hand.
#include <functional>
#include <memory>

namespace tarvolen {

class Timer {
 public:
  virtual ~Timer() = default;
  // (Re)starts the timer: it fires every `intervalMs` until stopped.
  virtual void start(int intervalMs) = 0;
  virtual void stop() = 0;
  virtual bool isActive() const = 0;
  virtual int interval() const = 0;

  std::function<void()> onTimeout;
};

class TimerFactory {
 public:
  virtual ~TimerFactory() = default;
  virtual std::unique_ptr<Timer> make() = 0;
};

}  // namespace tarvolen
