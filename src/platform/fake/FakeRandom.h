#pragma once
#include <vector>

#include "platform/Random.h"

namespace tarvolen {

// Returns the given numbers in turn, then starts over.
class FakeRandom final : public Random {
 public:
  explicit FakeRandom(std::vector<double> values = {0.0}) : values_(std::move(values)) {}
  double next() override {
    double v = values_.empty() ? 0.0 : values_[index_ % values_.size()];
    ++index_;
    return v;
  }

 private:
  std::vector<double> values_;
  size_t index_ = 0;
};

}  // namespace tarvolen
