#pragma once
// In-memory rooms, students and category lists for the session engine and
// board tests, with the running sessions restored the way start-up restores
// them: written to shuju.dat in a throw-away folder and loaded from there.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/ActiveSessionTable.h"
#include "session/SessionClock.h"
#include "store/RecordFile.h"
#include "store/SettingsFile.h"
#include "store/Tables.h"
#include "support/TempDir.h"

namespace tarvolen::testing {

class SessionTables {
 public:
  SessionTables() { std::filesystem::create_directories(temp_.root()); }

  RoomRecord& addRoom(int slot, const std::string& name, int type, int capacity, int timeLimitCode = 0) {
    RoomRecord& r = rooms[slot];
    r.name = name;
    r.type = static_cast<uint8_t>(type);
    r.capacity = static_cast<uint8_t>(capacity);
    r.timeLimitCode = static_cast<int16_t>(timeLimitCode);
    return r;
  }

  StudentRecord& addStudent(int slot, int64_t card, const std::string& name, int major) {
    StudentRecord& s = students[slot];
    s.card = card;
    s.name = name;
    s.major = static_cast<uint8_t>(major);
    s.enrolled = ToOle(CivilDate{2012, 8, 15});
    return s;
  }

  // A session to be restored by load(), at the next position.
  void addSession(int room, int student, int startMinute, CivilDate startDate) {
    pending_.push_back({static_cast<int16_t>(room), static_cast<int16_t>(student), static_cast<int16_t>(startMinute),
                        ToOle(startDate)});
  }

  // Places from the rooms, then the pending sessions written to shuju.dat
  // and restored; a session over its limit by a minute or more is marked,
  // as at start-up.
  void load(const DateTime& now, int defaultTimeLimit) {
    {
      auto file = RecordFile::Open(temp_.path("shuju.dat"), kSessionRecordLength);
      ASSERT_TRUE(file.ok());
      for (size_t i = 0; i < pending_.size(); ++i) {
        ASSERT_TRUE(file->write(static_cast<int64_t>(i) + 1, Pack(pending_[i]).value()).ok());
      }
    }
    settings_ = testing::OpenSettings(temp_);
    ASSERT_TRUE(settings_);
    auto file = RecordFile::Open(temp_.path("shuju.dat"), kSessionRecordLength);
    ASSERT_TRUE(file.ok());
    sessions = std::make_unique<ActiveSessionTable>();
    sessions->SetPlacesFromRooms(rooms);
    const RoomTable& roomTable = rooms;
    ActiveSessionTable::LoadContext ctx{rooms, students,
                                        [&roomTable, now, defaultTimeLimit](const SessionRecord& s) {
                                          return SessionElapsedMinutes(s, now) -
                                                 RoomTimeLimit(roomTable[s.room].timeLimitCode, defaultTimeLimit);
                                        },
                                        [this](const std::string& m) { messages.push_back(m); }};
    sessions->LoadSessions(std::move(file.value()), *settings_, static_cast<int32_t>(pending_.size()), ctx);
    ASSERT_EQ(sessions->count(), static_cast<int32_t>(pending_.size()));
  }

  RoomTable rooms;
  StudentTable students;
  CategoryLists categories;
  std::unique_ptr<ActiveSessionTable> sessions = std::make_unique<ActiveSessionTable>();
  std::vector<std::string> messages;

 private:
  TempDir temp_;
  std::optional<SettingsFile> settings_;
  std::vector<SessionRecord> pending_;
};

}  // namespace tarvolen::testing
