#include "admin/RoomRow.h"

#include "admin/RoomEntries.h"
#include "session/StudentDetails.h"
#include "store/TextCells.h"

namespace tarvolen {

std::string RoomListRow(const RoomRecord& room, const CategoryLists& lists) {
  if (room.isFree()) return {};
  std::string row = " ";
  row += FitColumn(room.name, 12);
  row += FitColumn(lists.majorName(room.type), 8);
  row += " ";
  row += FitColumn(TimeLimitText(room.timeLimitCode), 8);
  row += " 开放:";
  row += kOpenEntries[room.isOpen() ? 0 : 1];
  row += " ";
  row += FitColumn(FormatFixed(room.price, 2) + "元/时", 11);
  row += " ";
  row += FitColumn(std::to_string(room.capacity), 10);
  row += FitColumn(FormatFixed(room.minimumFee, 2), 10);
  row += FitColumn(std::to_string(room.billingUnit), 7);
  row += FitColumn(std::to_string(room.tolerance), 7);
  row += FitColumn(FormatFixed(room.handlingFee, 2), 10);
  return row;
}

}  // namespace tarvolen
