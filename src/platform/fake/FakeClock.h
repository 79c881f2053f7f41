#pragma once
// A clock that stands still until a test moves it.
#include "platform/Clock.h"

namespace tarvolen {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(DateTime start = {{2012, 9, 1}, 9, 0, 0}) : now_(start) {}
  DateTime now() const override { return now_; }

  void set(DateTime t) { now_ = t; }
  void setDate(CivilDate d) { now_.date = d; }
  void advanceMinutes(int minutes) {
    int total = now_.hour * 60 + now_.minute + minutes;
    int days = total >= 0 ? total / 1440 : -((-total + 1439) / 1440);
    total -= days * 1440;
    now_.date = FromDayNumber(DayNumber(now_.date) + days);
    now_.hour = total / 60;
    now_.minute = total % 60;
  }
  void advanceDays(int days) { now_.date = FromDayNumber(DayNumber(now_.date) + days); }

 private:
  DateTime now_;
};

}  // namespace tarvolen
