#pragma once
// The running sessions (at most 1001) and the counters that go with them.
// Every change is written through at once to shuju.dat and to the session
// count at set.dat position 1.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "store/RecordFile.h"
#include "store/Records.h"
#include "store/SettingsFile.h"
#include "store/Tables.h"
#include "store/OleDate.h"

namespace tarvolen {

class ActiveSessionTable {
 public:
  static constexpr int kCapacity = 1001;
  static constexpr int kRowsPerPage = 30;

  ActiveSessionTable() : sessions_(kCapacity), overtime_(kCapacity, false), records_(kCapacity, 0) {}

  // Restores the sessions from shuju.dat at start-up. `storedCount` is the
  // count read from set.dat position 1; room places must already be set.
  // Reports "房间数据异常。" through `notify` for every session whose room has
  // no free place, or that names a room or student that cannot exist; and
  // reports an impossible count and every session whose start is not valid.
  struct LoadContext {
    const RoomTable& rooms;
    const StudentTable& students;
    std::function<int(const SessionRecord&)> overtimeMinutes;  // elapsed - limit
    std::function<void(const std::string&)> notify;
  };
  void LoadSessions(RecordFile file, SettingsFile& settings, int32_t storedCount, const LoadContext& ctx);

  // Free places of every room and the total places, from the room table.
  void SetPlacesFromRooms(const RoomTable& rooms);

  int32_t count() const { return count_; }
  const SessionRecord& at(int position) const { return sessions_.at(static_cast<size_t>(position)); }
  bool isOvertime(int position) const { return overtime_.at(static_cast<size_t>(position)); }
  int32_t highestRecord() const { return highestRecord_; }
  const std::string& freeRecords() const { return freeRecords_; }
  int onlineCount() const { return onlineCount_; }
  int overtimeCount() const { return overtimeCount_; }
  int freePlaces(int room) const { return freePlaces_.at(static_cast<size_t>(room)); }
  int totalPlaces() const { return totalPlaces_; }
  int lastVacatedRoom() const { return lastVacatedRoom_; }
  // Pages of the session list: (count - 1) / 30, 0 when empty.
  int lastPage() const { return count_ > 0 ? (count_ - 1) / kRowsPerPage : 0; }

  // Starts a session at position count: the entry is filled, then
  // `beforeFileWrite` runs, then the session file record and the count are
  // written; only when both reached the disk does the table count the
  // session. Refused when the table is full or the slots cannot exist.
  Status AddSession(int student, int room, const DateTime& now, SettingsFile& settings,
                    const std::function<void()>& beforeFileWrite = {});

  struct Removed {
    int room = 0;
    int position = -1;  // -1: not ended (no session, or its record could not be freed)
    Status status;      // with position -1: why nothing changed; else a failed count write
  };
  // Ends the student's session: its file record is freed for reuse first (a
  // failure ends nothing), then the last session moves into its position and
  // the count is written.
  Removed RemoveSession(int student, SettingsFile& settings);

  // The writes AddSession and RemoveSession would make now (the session
  // record, then the count), for the crash journal; nothing written.
  Result<WritePlan> PlanAddSession(int student, int room, const DateTime& now, const SettingsFile& settings) const;
  Result<WritePlan> PlanRemoveSession(int student, const SettingsFile& settings) const;

  void setLastVacatedRoom(int room) { lastVacatedRoom_ = room; }
  // Room editor and room operations change capacities and service status.
  void setFreePlaces(int room, int places) { freePlaces_.at(static_cast<size_t>(room)) = static_cast<uint8_t>(places); }
  void setTotalPlaces(int total) { totalPlaces_ = total; }

  void MarkOvertime(int position);
  // First position whose student slot equals `student`, -1 when none.
  int FindSession(int student) const;

  RecordFile& file() { return file_; }

 private:
  static SessionRecord NewSession(int student, int room, const DateTime& now);
  // The session-file record the next session takes: the first free one,
  // else one past the highest.
  int32_t NextRecord() const;

  RecordFile file_;
  std::vector<SessionRecord> sessions_;
  std::vector<bool> overtime_;
  // The session-file record of each position, so ending a session needs no
  // search of the file.
  std::vector<int32_t> records_;
  int32_t count_ = 0;
  int32_t highestRecord_ = 0;
  std::string freeRecords_;
  int onlineCount_ = 0;
  int overtimeCount_ = 0;
  std::array<uint8_t, RoomTable::kLastSlot + 1> freePlaces_{};
  int totalPlaces_ = 0;
  int lastVacatedRoom_ = 0;
};

// Start-up messages of a damaged session file: a session count in set.dat
// that no table can have, and a session whose start is not valid.
inline constexpr const char* kImpossibleSessionCountMessage = "房间数据异常：在线人数记录无效，已按上机记录恢复。";
std::string InvalidStartMessage(const std::string& roomName);

// "0000" formatting of a session-file record number for the free list.
std::string FreeRecordKey(int32_t record);

}  // namespace tarvolen
