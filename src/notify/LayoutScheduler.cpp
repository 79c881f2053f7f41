#include "notify/LayoutScheduler.h"

namespace tarvolen {

LayoutScheduler::LayoutScheduler(Hooks hooks, std::unique_ptr<Timer> timer)
    : hooks_(std::move(hooks)), timer_(std::move(timer)) {
  timer_->onTimeout = [this] { Tick(); };
}

void LayoutScheduler::Resized(bool minimised) {
  if (minimised) return;
  Restart();
}

void LayoutScheduler::BoardSizeChanged() { Restart(); }

void LayoutScheduler::Restart() {
  timer_->stop();
  timer_->start(kDelayMs);
}

void LayoutScheduler::Tick() {
  timer_->stop();
  if (hooks_.minimised && hooks_.minimised()) {
    minimisedFlag_ = true;
    return;
  }
  // The first pass after a minimised one lays out as well: the window may
  // have been resized just before it was minimised, and skipping this pass
  // would leave the lists at the old size after the restore.
  minimisedFlag_ = false;
  ++passes_;
  if (hooks_.layOut) hooks_.layOut();
}

}  // namespace tarvolen
