#include "session/Billing.h"

#include <algorithm>
#include <limits>

namespace tarvolen {

int BilledMinutes(int minutes, int unit, int tolerance) {
  if (unit < 2) return minutes;
  const int64_t m = minutes;
  const int64_t b = ((m - tolerance - 1) / unit + 1) * unit;  // C++ division truncates toward zero
  return static_cast<int>(std::clamp<int64_t>(b, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Bill ComputeBill(int minutes, const RoomRecord& room, int percentage) {
  Bill bill;
  bill.billed = BilledMinutes(minutes, room.billingUnit, room.tolerance);
  if (bill.billed < 0) {
    bill.hadAnomaly = true;
    bill.anomaly = bill.billed;
    bill.billed = 0;
  }
  float f = static_cast<float>(bill.billed) * room.price / 60.0f * static_cast<float>(percentage) / 100.0f;
  f = f + room.handlingFee;
  if (f < room.minimumFee) f = room.minimumFee;
  if (bill.billed < 3) f = 0;
  bill.fee = f;
  return bill;
}

int LevelFor(const StudentRecord& s, const CategoryLists& lists, int policy) {
  double measure = 0;
  switch (policy) {
    case 0: measure = s.totalRecharged; break;
    case 1: measure = static_cast<double>(s.totalRecharged) - static_cast<double>(s.balance); break;
    case 2: measure = s.totalMinutes; break;
    case 4: measure = s.checkinCount; break;
    default: measure = 0; break;
  }
  for (int level = CategoryLists::kLevels - 1; level >= 0; --level) {
    const LevelRecord& l = lists.levels[static_cast<size_t>(level)];
    if (l.name.empty() || l.threshold == -1) continue;
    if (static_cast<double>(l.threshold) <= measure) return level;
  }
  return -1;
}

int32_t AddMinutes(int32_t total, int minutes) {
  const int64_t sum = static_cast<int64_t>(total) + minutes;
  return static_cast<int32_t>(
      std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

std::string TimeAnomalyRemark(int billed) {
  return "用时异常(" + std::to_string(billed) + "分)，已忽略为0，请保持系统时间准确！";
}

}  // namespace tarvolen
