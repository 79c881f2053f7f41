#include "store/ActiveSessionTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tarvolen {

std::string FreeRecordKey(int32_t record) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d", record);
  return buf;
}

std::string InvalidStartMessage(const std::string& roomName) {
  return "房间数据异常：" + roomName + "的登录时间无效，用时按0分钟计。";
}

void ActiveSessionTable::SetPlacesFromRooms(const RoomTable& rooms) {
  freePlaces_.fill(0);
  totalPlaces_ = 0;
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
    const RoomRecord& room = rooms[r];
    if (room.isFree() || !room.isOpen()) continue;
    freePlaces_[static_cast<size_t>(r)] = room.capacity;
    totalPlaces_ += room.capacity;
  }
}

void ActiveSessionTable::LoadSessions(RecordFile file, SettingsFile& settings, int32_t storedCount,
                                      const LoadContext& ctx) {
  file_ = std::move(file);
  // A count no table can have says nothing about how many sessions run:
  // rather than dropping them, they are read from the file, as many as it
  // holds in use and the table takes, and the count follows (below).
  const bool countPossible = storedCount >= 0 && storedCount <= kCapacity;
  if (!countPossible && ctx.notify) ctx.notify(kImpossibleSessionCountMessage);
  const int32_t wanted = countPossible ? storedCount : kCapacity;
  const int64_t recordsInFile = file_.recordCount();
  int32_t p = 0;
  int32_t h = 0;
  while (p < wanted) {
    // Past the end of the file there are only free records: stop there.
    if (h >= recordsInFile) break;
    ++h;
    auto bytes = file_.read(h);
    if (!bytes.ok()) break;
    SessionRecord s = UnpackSession(bytes.value());
    if (s.room < 1) {
      freeRecords_ += FreeRecordKey(h);
      continue;
    }
    if (!RoomTable::validSlot(s.room) || !StudentTable::validSlot(s.student)) {
      // A damaged record: never index past a table. Its record is reused.
      if (ctx.notify) ctx.notify("房间数据异常。");
      freeRecords_ += FreeRecordKey(h);
      continue;
    }
    // A start that cannot be (a date outside 1900..9999 or not a number, a
    // minute outside the day) leaves the session's time unknown. It is
    // loaded, so the board shows who holds the place and the operator can
    // check the student out, but its minutes count as 0 and it is never
    // overtime (SessionElapsedMinutes, SessionOvertime): its check-out bills
    // a session of no time, never a time nobody knows. Dropping it instead
    // would free a place that may be taken, and the student's swipe on
    // leaving would check them in anew.
    const bool validStart = HasValidStart(s);
    if (!validStart && ctx.notify) ctx.notify(InvalidStartMessage(ctx.rooms[s.room].name));
    sessions_[static_cast<size_t>(p)] = s;
    overtime_[static_cast<size_t>(p)] = false;
    records_[static_cast<size_t>(p)] = h;
    ++onlineCount_;
    auto& places = freePlaces_[static_cast<size_t>(s.room)];
    if (places == 0) {
      places = 1;
      if (ctx.notify) ctx.notify("房间数据异常。");
    }
    --places;
    if (validStart && ctx.overtimeMinutes && ctx.overtimeMinutes(s) >= 1) {
      overtime_[static_cast<size_t>(p)] = true;
      ++overtimeCount_;
    }
    ++p;
  }
  highestRecord_ = h;
  count_ = p;
  if (count_ != storedCount) {
    // The file held fewer sessions than set.dat said: the count follows the
    // file. The restore skips a failed write: the next start corrects it again.
    (void)settings.writeLong(settings::kSessionCount, count_);
  }
}

void ActiveSessionTable::MarkOvertime(int position) {
  if (position < 0 || position >= count_ || overtime_[static_cast<size_t>(position)]) return;
  overtime_[static_cast<size_t>(position)] = true;
  ++overtimeCount_;
}

int ActiveSessionTable::FindSession(int student) const {
  for (int p = 0; p < count_; ++p) {
    if (sessions_[static_cast<size_t>(p)].student == student) return p;
  }
  return -1;
}

}  // namespace tarvolen

namespace tarvolen {

SessionRecord ActiveSessionTable::NewSession(int student, int room, const DateTime& now) {
  SessionRecord s;
  s.room = static_cast<int16_t>(room);
  s.student = static_cast<int16_t>(student);
  s.startMinute = static_cast<int16_t>(MinuteOfDay(now));
  s.startDate = ToOle(now.date);
  return s;
}

int32_t ActiveSessionTable::NextRecord() const {
  int32_t record = freeRecords_.size() >= 4 ? std::atoi(freeRecords_.substr(0, 4).c_str()) : 0;
  return record >= 1 ? record : highestRecord_ + 1;
}

Result<WritePlan> ActiveSessionTable::PlanAddSession(int student, int room, const DateTime& now,
                                                     const SettingsFile& settings) const {
  if (count_ >= kCapacity) {
    return Status(ErrorCode::Refused, "签到人数已达上限（1001人），不能再登记！");
  }
  if (!StudentTable::validSlot(student) || !RoomTable::validSlot(room)) {
    return Status(ErrorCode::Refused, "房间数据异常。");
  }
  auto packed = Pack(NewSession(student, room, now));
  if (!packed.ok()) return packed.status();
  return WritePlan{file_.planWrite(NextRecord(), packed.value()),
                   settings.planLong(settings::kSessionCount, count_ + 1)};
}

Result<WritePlan> ActiveSessionTable::PlanRemoveSession(int student, const SettingsFile& settings) const {
  const int p = FindSession(student);
  if (p < 0) return Status(ErrorCode::Refused, "no session");
  WritePlan plan;
  if (const int32_t record = records_[static_cast<size_t>(p)]; record >= 1) {
    auto bytes = file_.read(record);
    if (!bytes.ok()) return bytes.status();
    SessionRecord rec = UnpackSession(bytes.value());
    rec.room = 0;
    auto packed = Pack(rec);
    if (!packed.ok()) return packed.status();
    plan.push_back(file_.planWrite(record, packed.value()));
  }
  plan.push_back(settings.planLong(settings::kSessionCount, count_ - 1));
  return plan;
}

Status ActiveSessionTable::AddSession(int student, int room, const DateTime& now, SettingsFile& settings,
                                      const std::function<void()>& beforeFileWrite) {
  if (count_ >= kCapacity) {
    return Status(ErrorCode::Refused, "签到人数已达上限（1001人），不能再登记！");
  }
  if (!StudentTable::validSlot(student) || !RoomTable::validSlot(room)) {
    return Status(ErrorCode::Refused, "房间数据异常。");
  }
  SessionRecord& s = sessions_[static_cast<size_t>(count_)];
  s = NewSession(student, room, now);
  overtime_[static_cast<size_t>(count_)] = false;

  if (beforeFileWrite) beforeFileWrite();

  const std::string freeBefore = freeRecords_;
  const int32_t highestBefore = highestRecord_;
  int32_t record = 0;
  if (freeRecords_.size() >= 4) {
    record = std::atoi(freeRecords_.substr(0, 4).c_str());
    freeRecords_.erase(0, 4);
  }
  if (record < 1) record = ++highestRecord_;
  // The file first, the table after: a session the file does not hold is
  // not started, so the next start never disagrees with what the desk did.
  auto undo = [&] {
    freeRecords_ = freeBefore;
    highestRecord_ = highestBefore;
  };
  auto packed = Pack(s);
  if (!packed.ok()) {
    undo();
    return packed.status();
  }
  if (Status written = file_.write(record, packed.value()); !written.ok()) {
    undo();
    return written;
  }
  if (Status counted = settings.writeLong(settings::kSessionCount, count_ + 1); !counted.ok()) {
    // A count that leaves the record out would drop the session at the next
    // start: the record is freed again and the session not started.
    SessionRecord freed = s;
    freed.room = 0;
    if (auto f = Pack(freed); f.ok()) {
      // Should freeing fail too, the stale count still keeps the record
      // out at the next start, which is what it has to be.
      (void)file_.write(record, f.value());
    }
    undo();
    return counted;
  }
  records_[static_cast<size_t>(count_)] = record;
  ++count_;
  ++onlineCount_;
  auto& places = freePlaces_[static_cast<size_t>(room)];
  if (places > 0) --places;
  return Status::Ok();
}

ActiveSessionTable::Removed ActiveSessionTable::RemoveSession(int student, SettingsFile& settings) {
  Removed out;
  const int p = FindSession(student);
  if (p < 0) return out;
  const int32_t record = records_[static_cast<size_t>(p)];

  // The session's own record (known since it was read or written) is freed
  // first: while the file holds it the session is not ended, so the next
  // start can never bring back a session the desk has checked out.
  if (record >= 1) {
    auto bytes = file_.read(record);
    if (!bytes.ok()) {
      out.status = bytes.status();
      return out;
    }
    SessionRecord rec = UnpackSession(bytes.value());
    rec.room = 0;
    auto packed = Pack(rec);
    if (!packed.ok()) {
      out.status = packed.status();
      return out;
    }
    if (Status freed = file_.write(record, packed.value()); !freed.ok()) {
      out.status = freed;
      return out;
    }
    freeRecords_ += FreeRecordKey(record);
  }

  out.position = p;
  out.room = sessions_[static_cast<size_t>(p)].room;
  const bool wasOvertime = overtime_[static_cast<size_t>(p)];
  sessions_[static_cast<size_t>(p)] = sessions_[static_cast<size_t>(count_ - 1)];
  overtime_[static_cast<size_t>(p)] = overtime_[static_cast<size_t>(count_ - 1)];
  records_[static_cast<size_t>(p)] = records_[static_cast<size_t>(count_ - 1)];
  overtime_[static_cast<size_t>(count_ - 1)] = false;
  --count_;
  if (wasOvertime) --overtimeCount_;
  // A count left too high is harmless: the next start stops at the records
  // the file holds and writes back the count it found.
  out.status = settings.writeLong(settings::kSessionCount, count_);
  --onlineCount_;
  if (RoomTable::validSlot(out.room)) {
    auto& places = freePlaces_[static_cast<size_t>(out.room)];
    if (places < 255) ++places;
  }
  lastVacatedRoom_ = out.room;
  return out;
}

}  // namespace tarvolen
