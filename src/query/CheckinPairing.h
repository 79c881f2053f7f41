#pragma once
// Pairs the check-outs of the check-in year files with their check-ins, in
// the order the records were written: a check-in waits in the pending list
// until a check-out of the same student slot takes it. Used by the query's
// combined display and by anything that needs sessions from the history.
#include <array>
#include <cstdint>
#include <optional>

namespace tarvolen {

struct PendingCheckin {
  int16_t student = 0;
  uint8_t operatorId = 0;
  int16_t time = 0;    // minutes since midnight
  int32_t day = 0;     // day number (store/OleDate)
  uint64_t order = 0;  // when it was added, to know the oldest
  int16_t room = 0;    // the room checked into
};

class CheckinPairing {
 public:
  static constexpr int kCapacity = 999;

  // A check-in joins the pending list. When the list is full the oldest
  // pending check-in is dropped to make room (its check-out, if it ever
  // comes, then finds none).
  void AddCheckin(int16_t student, uint8_t operatorId, int16_t time, int32_t day, int16_t room = 0);
  // A check-out takes the first pending check-in of its student, in list
  // order; the last entry moves into its place. None: nothing pending.
  std::optional<PendingCheckin> TakeCheckin(int16_t student);

  void Clear();
  int pending() const { return count_; }
  // Check-ins dropped because the list was full.
  int64_t dropped() const { return dropped_; }

 private:
  std::array<PendingCheckin, kCapacity> list_{};
  int count_ = 0;
  uint64_t next_ = 0;
  int64_t dropped_ = 0;
};

// The minutes from a check-in to its check-out, across days.
inline int32_t MinutesBetween(int32_t inDay, int inTime, int32_t outDay, int outTime) {
  return (outDay - inDay) * 1440 + (outTime - inTime);
}

}  // namespace tarvolen
