#pragma once
#include <utility>

#include "platform/SingleInstance.h"

namespace tarvolen {

// Answers every acquire() with the claim it was made with.
class FakeSingleInstance final : public SingleInstance {
 public:
  explicit FakeSingleInstance(bool otherRunning = false)
      : claim_{otherRunning ? InstanceHold::HeldByOther : InstanceHold::Acquired, {}} {}
  explicit FakeSingleInstance(InstanceClaim claim) : claim_(std::move(claim)) {}
  InstanceClaim acquire() override { return claim_; }

 private:
  InstanceClaim claim_;
};

}  // namespace tarvolen
