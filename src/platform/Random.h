#pragma once
// Pseudo-random numbers for room assignment and the verification code.
#include <random>

namespace tarvolen {

class Random {
 public:
  virtual ~Random() = default;
  // A number in [0, 1).
  virtual double next() = 0;
};

// Seeded from the clock at start, as a desk needs nothing stronger.
class SystemRandom final : public Random {
 public:
  SystemRandom() : engine_(std::random_device{}()) {}
  double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

 private:
  std::mt19937 engine_;
};

}  // namespace tarvolen
