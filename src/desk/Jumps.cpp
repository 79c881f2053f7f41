#include "desk/Jumps.h"

#include "desk/SessionEngine.h"

namespace tarvolen {

bool Jumps::Open(int page) {
  s_.engine.CancelCheckIn();
  if (!s_.area.isOpen()) s_.area.Toggle();
  // A refused page (no right, students still loading) was told by the navigation.
  return s_.area.Navigate(page).ok();
}

void Jumps::Jump(JumpCell cell, int row) {
  const bool toRoom = cell == JumpCell::SessionRoom || cell == JumpCell::RoomName;
  // The room list's own room cell tests no right here: the navigation does.
  if (cell != JumpCell::RoomName) {
    const Right right = toRoom ? Right::Rooms : Right::Students;
    if (!s_.op.Has(right)) {
      s_.feedback.PushMessage("已退出");
      return;
    }
  }
  const bool inPage = row >= 0 && row < SessionBoard::kRows;
  int target = 0;
  switch (cell) {
    case JumpCell::PanelName: target = s_.engine.dialogue().student; break;
    case JumpCell::SessionName:
      target = inPage ? s_.engine.sessionBoard().rows()[static_cast<size_t>(row)].student : 0;
      break;
    case JumpCell::SessionRoom:
      target = inPage ? s_.engine.sessionBoard().rows()[static_cast<size_t>(row)].room : 0;
      break;
    case JumpCell::RoomOccupant:
      target = inPage ? s_.engine.roomBoard().rows()[static_cast<size_t>(row)].occupant : 0;
      break;
    case JumpCell::RoomName: target = inPage ? s_.engine.roomBoard().rows()[static_cast<size_t>(row)].room : 0; break;
  }
  if (target <= 0) return;
  if (!Open(toRoom ? static_cast<int>(Right::Rooms) : static_cast<int>(Right::Students))) return;
  if (toRoom) {
    if (hooks_.selectRoom) hooks_.selectRoom(target);
    return;
  }
  (void)s_.students.FollowStudent(target);
  s_.students.SelectSlot(target);
}

}  // namespace tarvolen
