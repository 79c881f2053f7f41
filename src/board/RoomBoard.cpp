#include "board/RoomBoard.h"

#include <algorithm>

#include "session/SessionClock.h"
#include "session/TimeText.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

constexpr int kFreeReference = 1000;

// Prefixes of free rooms in the time columns and the name column: free rooms
// sort after every occupied room ascending, before them descending.
const std::string kFreeTimePrefix = "19999     ";
const std::string kFreeNamePrefix = "[空]       ";

}  // namespace

int RowTextColour(const std::string& overtimeText) {
  if (overtimeText.rfind("余", 0) == 0 || overtimeText == "----") return cellcolour::kText;
  return cellcolour::kOvertimeText;
}

RoomBoard::RoomBoard(ListCursor& cursor) : cursor_(cursor) {}

void RoomBoard::setOrdering(int column, int direction) {
  if (column < 0 || column >= kColumns) return;
  sortColumn_ = column;
  direction_ = direction == 1 ? 1 : 0;
}

std::string RoomBoard::OccupiedPrefix(const RoomListContext& ctx, const SessionRecord& s, int elapsed,
                                      int overtime) const {
  switch (sortColumn_) {
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
  switch (sortColumn_) {
    case 1:
    case 2: return kFreeTimePrefix;
    case 3: return kFreeNamePrefix;
    case 4: return TenDigits(0);
    case 5: return TenDigits(ctx.rooms[room].type);
    default: return TenDigits(room);
  }
}

void RoomBoard::BuildRoomList(const RoomListContext& ctx, int a, int b) {
  candidates_.clear();
  const AssignmentOptions& o = ctx.options;
  const int count = ctx.sessions.count();
  const StudentRecord* student = StudentTable::validSlot(ctx.student) ? &ctx.students[ctx.student] : nullptr;

  auto addKey = [this](std::string prefix, int reference) {
    prefix += ZeroPadded(reference, 4);
    candidates_.push_back({std::move(prefix), reference});
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
        if (freeRoomUsable(r)) addKey(FreePrefix(ctx, r), r + kFreeReference);
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
        if (freeRoomUsable(r)) addKey(TenDigits(k), r + kFreeReference);
      }
    }
  }

  // One sort, ascending by the bytes of the key text.
  std::sort(candidates_.begin(), candidates_.end(),
            [](const Candidate& x, const Candidate& y) { return x.key < y.key; });

  const int n = candidateCount();
  pageRange_ = ListCursor::LastPage(n);
  if (cursor_.page() > pageRange_ || cursor_.page() < 0) cursor_.set(pageRange_, cursor_.row());

  int remembered = -1;
  if (a >= 1) {
    remembered = 0;
    for (int i = 0; i < n; ++i) {
      const int ref = candidates_[static_cast<size_t>(i)].reference;
      Proposal c;
      if (ref < kFreeReference) {
        const SessionRecord& s = ctx.sessions.at(ref);
        c = {s.room, s.student};
      } else {
        c = {ref - kFreeReference, 0};
      }
      if (c.room != a || c.occupant != b) continue;
      const int q = direction_ == 0 ? i : n - 1 - i;
      cursor_.set(q / kRows, cursor_.row());
      remembered = q % kRows;
      break;
    }
  }

  for (int i = 0; i < kRows; ++i) {
    const int position = cursor_.page() * kRows + i;
    const int background = rows_[static_cast<size_t>(i)].background;
    RoomRow row;
    if (position < n) row = MakeRow(ctx, candidates_[static_cast<size_t>(ListIndex(position))].reference);
    row.background = background;
    rows_[static_cast<size_t>(i)] = std::move(row);
  }

  if (remembered >= 0) SelectRoomRow(remembered);
  WalkSelectionUp();
  // The label names the room the selection rests on after the rebuild, even
  // when another room now shows in the selected row.
  if (hasSelection_ && rows_[static_cast<size_t>(cursor_.row())].showsRoom()) {
    label_ = rows_[static_cast<size_t>(cursor_.row())].roomName;
  }
}

int RoomBoard::ListIndex(int displayPosition) const {
  return direction_ == 0 ? displayPosition : candidateCount() - 1 - displayPosition;
}

RoomRow RoomBoard::MakeRow(const RoomListContext& ctx, int reference) const {
  RoomRow row;
  if (reference < kFreeReference) {
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
    const int r = reference - kFreeReference;
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
  if (paintedRow_ >= 0 && paintedRow_ < kRows)
    rows_[static_cast<size_t>(paintedRow_)].background = cellcolour::kBackground;
  if (row >= 0 && row < kRows) rows_[static_cast<size_t>(row)].background = cellcolour::kSelected;
  paintedRow_ = row;
}

void RoomBoard::SelectRoomRow(int row) {
  if (row < 0 || row >= kRows) return;
  if (hasSelection_ && row == cursor_.row()) return;
  const RoomRow& target = rows_[static_cast<size_t>(row)];
  if (!target.showsRoom()) return;
  cursor_.set(cursor_.page(), row);
  hasSelection_ = true;
  Paint(row);
  label_ = target.roomName;
}

void RoomBoard::CursorMoved() {
  const int row = cursor_.row();
  if (row < 0 || row >= kRows) return;
  hasSelection_ = true;
  Paint(row);
  if (rows_[static_cast<size_t>(row)].showsRoom()) label_ = rows_[static_cast<size_t>(row)].roomName;
}

void RoomBoard::WalkSelectionUp() {
  if (!hasSelection_) return;
  int row = std::clamp(cursor_.row(), 0, kRows - 1);
  for (int r = row; r >= 0; --r) {
    if (rows_[static_cast<size_t>(r)].showsRoom()) {
      row = r;
      break;
    }
  }
  cursor_.set(cursor_.page(), row);
  Paint(row);
}

void RoomBoard::ClickHeading(const RoomListContext& ctx, int column) {
  if (column < 0 || column >= kColumns) return;
  if (column == sortColumn_) {
    direction_ = 1 - direction_;
  } else {
    sortColumn_ = column;
    direction_ = 0;
  }
  BuildRoomList(ctx, 0, 0);
}

void RoomBoard::ShowPage(const RoomListContext& ctx, int page) {
  cursor_.set(std::max(page, 0), cursor_.row());
  BuildRoomList(ctx, 0, 0);
}

std::vector<std::string> RoomBoard::keys() const {
  std::vector<std::string> out;
  out.reserve(candidates_.size());
  for (const Candidate& c : candidates_) out.push_back(c.key);
  return out;
}

}  // namespace tarvolen
