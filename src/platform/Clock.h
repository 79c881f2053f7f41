#pragma once
// The wall clock, local time. Injected everywhere time matters so billing,
// overtime and the calendar are tested with a clock that a test moves.
#include "store/OleDate.h"

namespace tarvolen {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime now() const = 0;

  CivilDate today() const { return now().date; }
};

// The system clock in local time (plain C library, no Qt needed).
class SystemClock final : public Clock {
 public:
  DateTime now() const override;
};

}  // namespace tarvolen
