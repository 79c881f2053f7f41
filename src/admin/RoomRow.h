#pragma once
// One row of the room list List2 and its fixed heading. Every column is cut
// or padded to a fixed number of display cells so the columns line up in a
// monospaced font.
#include <string>

#include "store/Records.h"
#include "store/Tables.h"

namespace tarvolen {

inline constexpr const char* kRoomListHeader =
    "房间          类型     时限    使用状况    价格  容纳人数  最低消费  计费单位与容差  手续费";

// " " + name (12) + type name (8) + " " + time limit (8) + " 开放:" + 是/否 +
// " " + price "0.00元/时" (11) + " " + capacity (10) + minimum fee (10) +
// billing unit (7) + tolerance (7) + handling fee (10). A free slot (no
// name) gives an empty row.
std::string RoomListRow(const RoomRecord& room, const CategoryLists& lists);

}  // namespace tarvolen
