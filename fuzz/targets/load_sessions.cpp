// Input: the session count of set.dat (4 bytes), then the bytes of
// shuju.dat. The sessions are restored as start-up restores them; then the
// first one is ended and a new one started, so the free-record list the
// load built is used once.
#include <cstdlib>

#include "FuzzFolder.h"
#include "store/ActiveSessionTable.h"
#include "session/SessionClock.h"

namespace {

struct Tables {
  tarvolen::RoomTable rooms;
  tarvolen::StudentTable students;
  Tables() {
    // Rooms with and without places, and every kind of time-limit code.
    const int16_t limits[] = {0, 1, 12, -3, 32767};
    for (int r = 1; r <= 5; ++r) {
      rooms[r].name = "琴房" + std::to_string(r);
      rooms[r].capacity = static_cast<uint8_t>(r - 1);
      rooms[r].timeLimitCode = limits[r - 1];
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  static const Tables tables;
  const auto& folder = fuzz::FuzzFolder::Get();
  fuzz::FuzzInput input(data, size);
  const int32_t count = input.takeInt32();
  fuzz::FuzzFolder::Write(folder.desk().settings(), {});
  fuzz::FuzzFolder::Write(folder.desk().sessions(), input.rest());
  auto settings = SettingsFile::Open(folder.desk().settings());
  if (!settings.ok() || !settings->writeLong(settings::kSessionCount, count).ok()) return 0;
  auto file = RecordFile::Open(folder.desk().sessions(), kSessionRecordLength);
  if (!file.ok()) return 0;

  const DateTime now{CivilDate{2024, 3, 11}, 15, 30, 0};
  ActiveSessionTable::LoadContext ctx{tables.rooms,
                                      tables.students,
                                      [now](const SessionRecord& s) {
                                        return SessionElapsedMinutes(s, now) -
                                               RoomTimeLimit(tables.rooms[s.room].timeLimitCode, 120);
                                      },
                                      {}};
  ActiveSessionTable sessions;
  sessions.SetPlacesFromRooms(tables.rooms);
  sessions.LoadSessions(std::move(file.value()), *settings, settings->longAt(settings::kSessionCount), ctx);

  // Every restored session names a room and a student the tables have: the
  // boards index them without a check.
  if (sessions.count() < 0 || sessions.count() > ActiveSessionTable::kCapacity) std::abort();
  for (int p = 0; p < sessions.count(); ++p) {
    if (!RoomTable::validSlot(sessions.at(p).room) || !StudentTable::validSlot(sessions.at(p).student)) std::abort();
  }
  if (sessions.count() > 0) {
    const SessionRecord first = sessions.at(0);
    (void)sessions.RemoveSession(first.student, *settings);
    (void)sessions.AddSession(first.student, first.room, now, *settings);
  }
  return 0;
}
