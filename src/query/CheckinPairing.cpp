#include "query/CheckinPairing.h"

namespace tarvolen {

void CheckinPairing::AddCheckin(int16_t student, uint8_t operatorId, int16_t time, int32_t day, int16_t room) {
  PendingCheckin entry{student, operatorId, time, day, next_++, room};
  if (count_ < kCapacity) {
    list_[static_cast<size_t>(count_++)] = entry;
    return;
  }
  size_t oldest = 0;
  for (size_t i = 1; i < list_.size(); ++i) {
    if (list_[i].order < list_[oldest].order) oldest = i;
  }
  list_[oldest] = entry;
  ++dropped_;
}

std::optional<PendingCheckin> CheckinPairing::TakeCheckin(int16_t student) {
  for (int i = 0; i < count_; ++i) {
    if (list_[static_cast<size_t>(i)].student != student) continue;
    PendingCheckin found = list_[static_cast<size_t>(i)];
    list_[static_cast<size_t>(i)] = list_[static_cast<size_t>(count_ - 1)];
    --count_;
    return found;
  }
  return std::nullopt;
}

void CheckinPairing::Clear() {
  count_ = 0;
  next_ = 0;
  dropped_ = 0;
}

}  // namespace tarvolen
