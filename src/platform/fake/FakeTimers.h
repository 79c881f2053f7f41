#pragma once
// Timers on a virtual clock: nothing fires until a test calls advance().
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Timer.h"

namespace tarvolen {

class FakeTimerFactory;

class FakeTimer final : public Timer {
 public:
  explicit FakeTimer(FakeTimerFactory& hub) : hub_(hub) {}
  ~FakeTimer() override;
  void start(int intervalMs) override;
  void stop() override { active_ = false; }
  bool isActive() const override { return active_; }
  int interval() const override { return interval_; }

 private:
  friend class FakeTimerFactory;
  FakeTimerFactory& hub_;
  bool active_ = false;
  int interval_ = 0;
  int64_t due_ = 0;
};

class FakeTimerFactory final : public TimerFactory {
 public:
  std::unique_ptr<Timer> make() override {
    auto t = std::make_unique<FakeTimer>(*this);
    timers_.push_back(t.get());
    return t;
  }

  int64_t now() const { return now_; }

  // Moves the virtual clock forward, firing every timer that falls due, in
  // the order they fall due (a handler may start or stop timers).
  void advance(int64_t ms) {
    const int64_t end = now_ + ms;
    while (true) {
      FakeTimer* next = nullptr;
      for (FakeTimer* t : timers_) {
        if (t->active_ && t->due_ <= end && (next == nullptr || t->due_ < next->due_)) next = t;
      }
      if (next == nullptr) break;
      now_ = next->due_;
      next->due_ = now_ + std::max(1, next->interval_);
      if (next->onTimeout) next->onTimeout();
    }
    now_ = end;
  }

  void forget(FakeTimer* t) { timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end()); }

 private:
  std::vector<FakeTimer*> timers_;
  int64_t now_ = 0;
};

inline FakeTimer::~FakeTimer() { hub_.forget(this); }

inline void FakeTimer::start(int intervalMs) {
  interval_ = intervalMs;
  active_ = true;
  due_ = hub_.now() + std::max(1, intervalMs);
}

}  // namespace tarvolen
