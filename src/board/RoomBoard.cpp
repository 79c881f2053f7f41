#include "board/RoomBoard.h"

#include <algorithm>

#include "session/SessionClock.h"
#include "session/TimeText.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

// The sort key ends in a four-digit reference: a session's position, or
// 1000 + r for free room r. The key keeps that form; the reference kept
// beside it tells the two apart by kFreeRoom instead, since the 1001st
// session sits at position 1000.
constexpr int kFreeReference = 1000;
constexpr int kFreeRoom = 1 << 16;

// Prefixes of free rooms in the time columns and the name column: free rooms
// sort after every occupied room ascending, before them descending.
const std::string kFreeTimePrefix = "19999     ";
const std::string kFreeNamePrefix = "[空]       ";

}  // namespace

int RowTextColour(const std::string& overtimeText) {
  if (overtimeText.rfind("余", 0) == 0 || overtimeText == "----") return cellcolour::kText;
  return cellcolour::kOvertimeText;
}

// Start-up ordering: "超时" descending.
RoomBoard::RoomBoard(ListCursor& cursor) : list_(cursor, kColumns, 2, 1) {}

std::string RoomBoard::OccupiedPrefix(const RoomListContext& ctx, const SessionRecord& s, int elapsed,
                                      int overtime) const {
  switch (list_.sortColumn()) {
    case 1: return TenDigits(elapsed);
    case 2: return OvertimeSortKey(overtime);
    case 3:
      // Names sort by the bytes of their UTF-8 text, padded to ten cells.
      return FitColumn(ctx.students[s.student].name, 10);
    case 4: return TenDigits(ctx.students[s.student].card);
    case 5: return TenDigits(ctx.rooms[s.room].type);
    default:  // 0 "房间", 6 "人数"
      return TenDigits(s.room);
  }
}

std::string RoomBoard::FreePrefix(const RoomListContext& ctx, int room) const {
  switch (list_.sortColumn()) {
    case 1:
    case 2: return kFreeTimePrefix;
    case 3: return kFreeNamePrefix;
    case 4: return TenDigits(0);
    case 5: return TenDigits(ctx.rooms[room].type);
    default: return TenDigits(room);
  }
}

void RoomBoard::BuildRoomList(const RoomListContext& ctx, int a, int b) {
  references_.clear();
  std::vector<std::string> keys;
  const AssignmentOptions& o = ctx.options;
  const int count = ctx.sessions.count();
  const StudentRecord* student = StudentTable::validSlot(ctx.student) ? &ctx.students[ctx.student] : nullptr;

  auto addKey = [&](std::string prefix, int reference) {
    const bool freeRoom = reference >= kFreeRoom;
    prefix += ZeroPadded(freeRoom ? reference - kFreeRoom + kFreeReference : reference, 4);
    keys.push_back(std::move(prefix));
    references_.push_back(reference);
  };
  auto freeRoomUsable = [&](int r) {
    return RoomTable::validSlot(r) && ctx.sessions.freePlaces(r) >= 1 && ctx.rooms[r].isOpen();
  };

  if (!o.byDedicatedRoom) {
    if (o.useOvertimeRooms) {
      for (int p = 0; p < count; ++p) {
        const SessionRecord& s = ctx.sessions.at(p);
        if (!SessionSlotsValid(s)) continue;
        const int elapsed = SessionElapsedMinutes(s, ctx.now);
        const int overtime = elapsed - RoomTimeLimit(ctx.rooms[s.room].timeLimitCode, o.defaultTimeLimit);
        if (!PassesTimeFilter(overtime, o)) continue;
        addKey(OccupiedPrefix(ctx, s, elapsed, overtime), p);
      }
    }
    if (o.useIdleRooms) {
      // The room type is not checked here: the operator may pick any room.
      for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
        if (freeRoomUsable(r)) addKey(FreePrefix(ctx, r), r + kFreeRoom);
      }
    }
  } else if (student != nullptr) {
    if (o.useOvertimeRooms) {
      for (int p = 0; p < count; ++p) {
        const SessionRecord& s = ctx.sessions.at(p);
        if (!SessionSlotsValid(s) || !IsDedicatedRoom(*student, s.room)) continue;
        const int overtime = SessionOvertime(s, ctx.rooms, o.defaultTimeLimit, ctx.now);
        if (!PassesTimeFilter(overtime, o)) continue;
        addKey(FitColumn(ctx.students[s.student].name, 10), p);
      }
    }
    if (o.useIdleRooms) {
      for (int k = 0; k < 3; ++k) {
        const int r = student->dedicatedRooms[static_cast<size_t>(k)];
        if (freeRoomUsable(r)) addKey(TenDigits(k), r + kFreeRoom);
      }
    }
  }

  // One sort, ascending by the bytes of the key text.
  list_.Sort(std::move(keys));
  list_.KeepPageInRange();

  const int n = candidateCount();
  int remembered = -1;
  if (a >= 1) {
    remembered = 0;
    for (int i = 0; i < n; ++i) {
      const int ref = references_[static_cast<size_t>(list_.itemAtSorted(i))];
      Proposal c;
      if (ref < kFreeRoom) {
        const SessionRecord& s = ctx.sessions.at(ref);
        c = {s.room, s.student};
      } else {
        c = {ref - kFreeRoom, 0};
      }
      if (c.room != a || c.occupant != b) continue;
      remembered = list_.RevealDisplayPosition(list_.displayPosition(i));
      break;
    }
  }

  for (int i = 0; i < kRows; ++i) {
    const int item = list_.itemInRow(i);
    const int background = rows_[static_cast<size_t>(i)].background;
    RoomRow row;
    if (item >= 0) row = MakeRow(ctx, references_[static_cast<size_t>(item)]);
    row.background = background;
    rows_[static_cast<size_t>(i)] = std::move(row);
  }

  if (remembered >= 0) SelectRoomRow(remembered);
  WalkSelectionUp();
  // The label names the room the selection rests on after the rebuild, even
  // when another room now shows in the selected row.
  const int selected = list_.selectedRow();
  if (selected >= 0 && rows_[static_cast<size_t>(selected)].showsRoom()) {
    label_ = rows_[static_cast<size_t>(selected)].roomName;
  }
}

RoomRow RoomBoard::MakeRow(const RoomListContext& ctx, int reference) const {
  RoomRow row;
  if (reference < kFreeRoom) {
    // A session that has gone since the key was made is not shown.
    if (reference < 0 || reference >= ctx.sessions.count()) return row;
    const SessionRecord& s = ctx.sessions.at(reference);
    if (!SessionSlotsValid(s)) return row;
    const RoomRecord& room = ctx.rooms[s.room];
    const StudentRecord& occupant = ctx.students[s.student];
    const int elapsed = SessionElapsedMinutes(s, ctx.now);
    const int overtime = elapsed - RoomTimeLimit(room.timeLimitCode, ctx.options.defaultTimeLimit);
    row.room = s.room;
    row.occupant = s.student;
    row.roomName = room.name;
    row.typeName = ctx.categories.majorName(room.type);
    row.card = std::to_string(occupant.card);
    row.name = occupant.name;
    row.used = Rctime(elapsed);
    row.overtime = Rtime(overtime);
  } else {
    const int r = reference - kFreeRoom;
    if (!RoomTable::validSlot(r)) return row;
    const RoomRecord& room = ctx.rooms[r];
    row.room = r;
    row.roomName = room.name;
    row.typeName = ctx.categories.majorName(room.type);
    row.used = "----";
    row.overtime = "----";
  }
  row.textColour = RowTextColour(row.overtime);
  return row;
}

void RoomBoard::Paint(int row) {
  const int before = list_.MovePaint(row);
  if (before >= 0 && before < kRows) rows_[static_cast<size_t>(before)].background = cellcolour::kBackground;
  if (row >= 0 && row < kRows) rows_[static_cast<size_t>(row)].background = cellcolour::kSelected;
}

void RoomBoard::SelectRoomRow(int row) {
  if (row < 0 || row >= kRows) return;
  const RoomRow& target = rows_[static_cast<size_t>(row)];
  if (!list_.Select(row, target.showsRoom())) return;
  Paint(row);
  label_ = target.roomName;
}

void RoomBoard::CursorMoved() {
  if (!list_.CursorMoved()) return;
  const int row = list_.selectedRow();
  Paint(row);
  if (rows_[static_cast<size_t>(row)].showsRoom()) label_ = rows_[static_cast<size_t>(row)].roomName;
}

void RoomBoard::WalkSelectionUp() {
  if (list_.WalkSelectionUp([this](int r) { return rows_[static_cast<size_t>(r)].showsRoom(); })) {
    Paint(list_.selectedRow());
  }
}

void RoomBoard::ClickHeading(const RoomListContext& ctx, int column) {
  if (!list_.ClickHeading(column)) return;
  BuildRoomList(ctx, 0, 0);
}

void RoomBoard::ShowPage(const RoomListContext& ctx, int page) {
  list_.ShowPage(page);
  BuildRoomList(ctx, 0, 0);
}

}  // namespace tarvolen
