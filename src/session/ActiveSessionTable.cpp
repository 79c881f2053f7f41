#include "session/ActiveSessionTable.h"

#include <algorithm>
#include <cstdio>

namespace tarvolen {

std::string FreeRecordKey(int32_t record) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d", record);
  return buf;
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
  const int32_t wanted = std::clamp<int32_t>(storedCount, 0, kCapacity);
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
    sessions_[static_cast<size_t>(p)] = s;
    overtime_[static_cast<size_t>(p)] = false;
    ++onlineCount_;
    auto& places = freePlaces_[static_cast<size_t>(s.room)];
    if (places == 0) {
      places = 1;
      if (ctx.notify) ctx.notify("房间数据异常。");
    }
    --places;
    if (ctx.overtimeMinutes && ctx.overtimeMinutes(s) >= 1) {
      overtime_[static_cast<size_t>(p)] = true;
      ++overtimeCount_;
    }
    ++p;
  }
  highestRecord_ = h;
  count_ = p;
  if (count_ != storedCount) {
    // The file held fewer sessions than set.dat said: the count follows the file.
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
