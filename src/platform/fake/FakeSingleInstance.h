#pragma once
#include "platform/SingleInstance.h"

namespace tarvolen {

class FakeSingleInstance final : public SingleInstance {
 public:
  explicit FakeSingleInstance(bool otherRunning = false) : otherRunning_(otherRunning) {}
  bool acquire() override { return !otherRunning_; }

 private:
  bool otherRunning_;
};

}  // namespace tarvolen
