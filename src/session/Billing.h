#pragma once
// What a session costs: billed minutes from the room's unit and tolerance,
// the fee from its tariff and the student's level; and the level rule that
// follows every check-out and recharge.
#include <cstdint>
#include <string>

#include "store/Records.h"
#include "store/Tables.h"

namespace tarvolen {

// With a billing unit u of 2 or more: ((m - t - 1) \ u + 1) * u, the
// division truncating toward zero; otherwise m. Computed in 64 bits and
// kept within an int, so no minute count can overflow it.
int BilledMinutes(int minutes, int unit, int tolerance);

struct Bill {
  int billed = 0;   // billed minutes, 0 after an anomaly
  int anomaly = 0;  // the negative billed minutes that were ignored
  bool hadAnomaly = false;
  float fee = 0;  // yuan, single precision
};

// The bill of m minutes used in `room` by a student at `percentage` % of
// the price. Below 3 billed minutes nothing is charged, not even fees.
Bill ComputeBill(int minutes, const RoomRecord& room, int percentage);

// The level a student should have under `policy` (0 total recharged,
// 1 money spent, 2 total minutes, 4 check-ins; 3 and anything else measure
// 0): the highest level with a name, a threshold other than -1 and a
// threshold not above the measure; -1 when no level qualifies.
int LevelFor(const StudentRecord& s, const CategoryLists& lists, int policy);

// Adds minutes to a Long total without wrapping.
int32_t AddMinutes(int32_t total, int minutes);

// The anomaly remark: "用时异常(" billed "分)，已忽略为0，请保持系统时间准确！".
std::string TimeAnomalyRemark(int billed);

}  // namespace tarvolen
