#pragma once
#include "platform/KeySource.h"

namespace tarvolen {

// Keys typed by a test.
class FakeKeySource final : public KeySource {
 public:
  void install(std::function<void(int)> onKeyDown) override {
    if (!onKeyDown_) onKeyDown_ = std::move(onKeyDown);
  }
  void remove() override { onKeyDown_ = nullptr; }
  bool installed() const override { return static_cast<bool>(onKeyDown_); }
  std::string describe() const override { return "test keys"; }

  void press(int key) {
    if (onKeyDown_) onKeyDown_(key);
  }

 private:
  std::function<void(int)> onKeyDown_;
};

}  // namespace tarvolen
