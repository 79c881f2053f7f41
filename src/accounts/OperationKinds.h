#pragma once
// The account operations and the one waiting for confirmation. The kind
// numbers are also the kinds of their operation log lines.
#include <cstdint>
#include <string>

namespace tarvolen {

enum class OperationKind : int {
  None = 0,
  Recharge = 1,     // 充值
  LossReport = 2,   // 挂失
  LossRelease = 3,  // 解除挂失
  CardReplace = 4,  // 补卡
  Suspension = 5,   // 违规停用
  Restore = 6,      // 恢复使用
  RoomClose = 7,    // 房间停用
  RoomOpen = 8,     // 房间使用
  FreeRecord = 9,   // 记录
};

// Set by a preparation, read by the execution only.
struct PendingOperation {
  OperationKind kind = OperationKind::None;
  int student = 0;  // slot, 0 = none
  int room = 0;     // slot, 0 = none
  // Yuan x 10000. Recharge and free record: the amount; suspension: the
  // days (whole); card replacement: the slot holding the new card at
  // preparation (0 when it was free).
  int64_t amount = 0;
  std::string remark;
  // Card replacement: the new card as typed.
  int64_t newCard = 0;
};

}  // namespace tarvolen
