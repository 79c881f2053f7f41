#include "platform/InertTimer.h"
#include "board/SessionBoard.h"

#include <algorithm>

#include "session/SessionClock.h"
#include "session/TimeText.h"
#include "store/TextCells.h"

namespace tarvolen {

int CountAvailablePlaces(const ActiveSessionTable& sessions, const AssignmentOptions& options) {
  const int online = sessions.onlineCount();
  const int overtime = sessions.overtimeCount();
  return (options.useIdleRooms ? sessions.totalPlaces() - online : 0) + (options.useOvertimeRooms ? overtime : 0) +
         (options.useRoomsInTime ? online - overtime : 0);
}

SessionBoard::SessionBoard(ListCursor& cursor, std::unique_ptr<Timer> flashTimer)
    : list_(cursor, kColumns, 0, 0), timer_(flashTimer ? std::move(flashTimer) : std::make_unique<InertTimer>()) {
  timer_->onTimeout = [this] { FlashTick(); };
}

std::string SessionBoard::Prefix(const SessionListContext& ctx, const SessionRecord& s) const {
  const StudentRecord& student = ctx.students[s.student];
  switch (list_.sortColumn()) {
    case 1: return TenDigits(student.card);
    case 2: return TenDigits(s.startMinute);
    case 3: return TenDigits(SessionElapsedMinutes(s, ctx.now));
    case 4: return TenDigits(s.room);
    case 5: return TenDigits(ctx.rooms[s.room].type);
    case 6: return TenDigits(DayNumber(DateOf(student.enrolled)));
    case 7: return TenDigits(student.major);
    case 8: return OvertimeSortKey(SessionOvertime(s, ctx.rooms, ctx.defaultTimeLimit, ctx.now));
    default:
      // Names sort by the bytes of their UTF-8 text, padded to ten cells.
      return FitColumn(student.name, 10);
  }
}

void SessionBoard::ShowSessionList(const SessionListContext& ctx, int a) {
  positions_.clear();
  std::vector<std::string> keys;
  const int count = ctx.sessions.count();
  for (int p = 0; p < count; ++p) {
    const SessionRecord& s = ctx.sessions.at(p);
    if (!SessionSlotsValid(s)) continue;
    keys.push_back(Prefix(ctx, s) + ZeroPadded(p, 3));
    positions_.push_back(p);
  }
  // Ascending by the bytes of the key, equal keys by position. The position
  // is kept beside the key rather than read back from its last three
  // characters, which position 1000 (the 1001st session) would not fit.
  list_.Sort(std::move(keys));
  list_.KeepPageInRange();

  const int n = list_.count();
  int flashRow = -1;
  if (a >= 1) {
    for (int i = 0; i < n; ++i) {
      const int position = positions_[static_cast<size_t>(list_.itemAtSorted(i))];
      if (ctx.sessions.at(position).student != a) continue;
      flashRow = list_.RevealDisplayPosition(list_.displayPosition(i));
      break;
    }
  }

  for (int i = 0; i < kRows; ++i) {
    const int item = list_.itemInRow(i);
    SessionRow& target = rows_[static_cast<size_t>(i)];
    SessionRow row;
    if (item >= 0) row = MakeRow(ctx, positions_[static_cast<size_t>(item)]);
    // The backgrounds belong to the row, not to the entry shown in it.
    row.background = target.background;
    row.flashColour = target.flashColour;
    target = std::move(row);
  }

  if (flashRow >= 0) FlashSessionRow(flashRow);

  if (list_.WalkSelectionUp([this](int r) { return !rows_[static_cast<size_t>(r)].name.empty(); })) {
    Paint(list_.selectedRow());
  }
}

SessionRow SessionBoard::MakeRow(const SessionListContext& ctx, int position) const {
  SessionRow row;
  const SessionRecord& s = ctx.sessions.at(position);
  const StudentRecord& student = ctx.students[s.student];
  const RoomRecord& room = ctx.rooms[s.room];
  const int elapsed = SessionElapsedMinutes(s, ctx.now);
  const int overtime = elapsed - RoomTimeLimit(room.timeLimitCode, ctx.defaultTimeLimit);
  row.student = s.student;
  row.room = s.room;
  row.name = student.name;
  row.card = std::to_string(student.card);
  row.checkIn = Rtime(s.startMinute);
  row.used = Rctime(elapsed);
  row.usedTooltip = IsoDateText(s.startDate);
  row.roomName = room.name;
  row.typeName = ctx.categories.majorName(room.type);
  row.grade = EnrolmentYearLabel(student.enrolled) + "|" +
              ctx.categories.gradeName(NianNJi(student.enrolled, ctx.now.date, ctx.dividers));
  row.major = ctx.categories.majorName(student.major);
  row.overtime = Rtime(overtime);
  row.textColour = RowTextColour(row.overtime);
  return row;
}

void SessionBoard::PaintIndex(int row, int colour) {
  if (row < 0 || row >= kRows) return;
  SessionRow& r = rows_[static_cast<size_t>(row)];
  r.background = colour;
  r.flashColour.reset();
}

void SessionBoard::Paint(int row) {
  const int before = list_.MovePaint(row);
  if (before != row) PaintIndex(before, cellcolour::kBackground);
  PaintIndex(row, cellcolour::kSelected);
}

void SessionBoard::SelectSessionRow(int row) {
  if (row < 0 || row >= kRows) return;
  if (!list_.Select(row, rows_[static_cast<size_t>(row)].showsEntry())) return;
  Paint(row);
}

void SessionBoard::CursorMoved() {
  if (!list_.CursorMoved()) return;
  Paint(list_.selectedRow());
}

void SessionBoard::FlashSessionRow(int row) {
  if (timer_->isActive()) StopFlash();
  flashRow_ = row;
  flashCounter_ = 0;
  timer_->start(kFlashIntervalMs);
}

void SessionBoard::StopFlash() {
  if (!timer_->isActive()) return;
  flashCounter_ = kFlashLastCount;
  FlashTick();
}

void SessionBoard::FlashTick() {
  const int counter = flashCounter_++;
  if (flashRow_ >= 0 && flashRow_ < kRows) {
    rows_[static_cast<size_t>(flashRow_)].flashColour = kFlashColours[static_cast<size_t>(counter % 6)];
  }
  if (counter >= kFlashLastCount) {
    timer_->stop();
    PaintIndex(flashRow_, flashRow_ == selectedRow() ? cellcolour::kSelected : cellcolour::kBackground);
  }
  if (onFlashTick) onFlashTick();
}

void SessionBoard::ClickHeading(const SessionListContext& ctx, int column) {
  if (!list_.ClickHeading(column)) return;
  ShowSessionList(ctx, 0);
}

void SessionBoard::ShowPage(const SessionListContext& ctx, int page) {
  list_.ShowPage(page);
  ShowSessionList(ctx, 0);
  StopFlash();
}

CounterTexts SessionBoard::ShowCounters(const ActiveSessionTable& sessions) const {
  const int online = sessions.onlineCount();
  const int overtime = sessions.overtimeCount();
  const int total = sessions.totalPlaces();
  CounterTexts t;
  t.online = "在线：" + std::to_string(online);
  t.overtime = "超时：" + std::to_string(overtime);
  t.page = "第" + std::to_string(list_.page() + 1) + "/" + std::to_string(sessions.lastPage() + 1) + "页";
  t.places = std::to_string(total - online + overtime) + "/" + std::to_string(total);
  t.idleRoomsCaption = "使用空闲房间(" + std::to_string(total - online) + ")";
  t.overtimeRoomsCaption = "使用超时房间(" + std::to_string(overtime) + ")";
  t.roomsInTimeCaption = "使用未超时房间(" + std::to_string(online - overtime) + ")";
  return t;
}

}  // namespace tarvolen
