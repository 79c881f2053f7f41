#include "notify/CountdownBox.h"

namespace tarvolen {

namespace {
const char* const kCaptions[2] = {"是", "否"};
}

CountdownBox::CountdownBox(std::unique_ptr<Timer> countTimer, std::unique_ptr<Timer> guardTimer)
    : count_(std::move(countTimer)), guard_(std::move(guardTimer)) {
  count_->onTimeout = [this] { Tick(); };
  guard_->onTimeout = [this] { guard_->stop(); };
}

void CountdownBox::open(const std::string& text, int defaultButton, int seconds) {
  default_ = defaultButton == kNo ? kNo : kYes;
  remaining_ = seconds < 0 ? 0 : seconds;
  view_.visible = true;
  view_.text = text;
  view_.focusButton = default_;
  count_->stop();
  guard_->stop();
  count_->start(kCountMs);
  guard_->start(kGuardMs);
  ShowCount();
}

void CountdownBox::ShowCount() {
  view_.captions[0] = kCaptions[0];
  view_.captions[1] = kCaptions[1];
  view_.captions[static_cast<size_t>(default_)] =
      std::string(kCaptions[default_]) + "(" + std::to_string(remaining_) + ")";
  if (changed) changed();
}

void CountdownBox::Tick() {
  if (remaining_ == 0) {
    press(default_);
    return;
  }
  --remaining_;
  ShowCount();
}

void CountdownBox::dismiss() {
  count_->stop();
  guard_->stop();
  view_.visible = false;
  if (changed) changed();
}

void CountdownBox::press(int button) {
  if (!view_.visible || guard_->isActive()) return;
  count_->stop();
  view_.visible = false;
  if (changed) changed();
  if (onAnswered) onAnswered(button == kNo ? kNo : kYes);
}

}  // namespace tarvolen
