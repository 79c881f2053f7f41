#pragma once
// The wall clock, local time. Injected everywhere time matters so billing,
// overtime and the calendar are tested with a clock that a test moves.
#include <ctime>

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
  DateTime now() const override {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    DateTime d;
    d.date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    d.hour = local.tm_hour;
    d.minute = local.tm_min;
    d.second = local.tm_sec;
    return d;
  }
};

}  // namespace tarvolen
