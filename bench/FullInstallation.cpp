#include "FullInstallation.h"

#include "maintenance/CleanInstallation.h"
#include "store/ActiveSessionTable.h"
#include "store/RecordFile.h"
#include "store/SettingsFile.h"
#include "store/Tables.h"

namespace tarvolen::bench {

Status WriteFullInstallation(const std::filesystem::path& dir, const CivilDate& today, int longSessions) {
  if (Status s = WriteCleanInstallation(dir, today); !s.ok()) return s;
  ProgramFolder folder(dir);

  auto rooms = RecordFile::Open(folder.rooms(), kRoomRecordLength);
  if (!rooms.ok()) return rooms.status();
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
    RoomRecord room;
    room.name = "R" + std::to_string(r);
    room.type = static_cast<uint8_t>(r % 4);
    room.capacity = 2;
    room.price = 12;
    room.billingUnit = 15;
    room.tolerance = 5;
    if (Status s = rooms->write(r + 1, Pack(room).value()); !s.ok()) return s;
  }

  auto students = RecordFile::Open(folder.students(), kStudentRecordLength);
  if (!students.ok()) return students.status();
  for (int s = 1; s <= StudentTable::kLastSlot; ++s) {
    StudentRecord st;
    st.card = 100000 + s;
    st.idNumber = 2012000000 + s;
    st.name = "学生" + std::to_string(s);
    st.major = static_cast<uint8_t>(s % 4);
    st.enrolled = ToOle(CivilDate{2012, 8, 15});
    st.balance = 100;
    st.totalRecharged = 100;
    auto packed = Pack(st);
    if (!packed.ok()) return packed.status();
    if (Status w = students->write(s + 1, packed.value()); !w.ok()) return w;
  }

  auto sessions = RecordFile::Open(folder.sessions(), kSessionRecordLength);
  if (!sessions.ok()) return sessions.status();
  for (int n = 1; n <= ActiveSessionTable::kCapacity; ++n) {
    const int16_t start = n <= longSessions ? 0 : 9 * 60 + 59;
    SessionRecord rec{static_cast<int16_t>((n - 1) % 999 + 1), static_cast<int16_t>(n), start, ToOle(today)};
    if (Status s = sessions->write(n, Pack(rec).value()); !s.ok()) return s;
  }
  auto settings = SettingsFile::Open(folder.settings());
  if (!settings.ok()) return settings.status();
  // A desk that was set up: the administrator has a password.
  if (Status s = settings->writeStringRecord(settings::kRecPassword + 6, "admin"); !s.ok()) return s;
  return settings->writeLong(settings::kSessionCount, ActiveSessionTable::kCapacity);
}

}  // namespace tarvolen::bench

namespace tarvolen::bench {

Status WriteYearFile(const std::filesystem::path& dir, const CivilDate& today, int records, int todays) {
  ProgramFolder folder(dir);
  auto file = RecordFile::Open(folder.checkinYear(today.year), kCheckinRecordLength);
  if (!file.ok()) return file.status();
  // One large write: a million records one by one would take minutes.
  Bytes all;
  all.reserve(static_cast<size_t>(records) * kCheckinRecordLength);
  for (int n = 1; n <= records; ++n) {
    CheckinRecord r;
    r.room = static_cast<int16_t>(n % 999 + 1);
    r.student = static_cast<int16_t>(n % 5000 + 1);
    r.time = static_cast<int16_t>(n % 1440);
    r.date = ToOle(n > records - todays ? today : FromDayNumber(DayNumber(today) - 1));
    r.kind = static_cast<uint8_t>(n % 2);
    r.keyDate = ToOle(CivilDate{2012, 8, 15});
    Bytes b = Pack(r).value();
    b.resize(kCheckinRecordLength, 0);
    all.insert(all.end(), b.begin(), b.end());
  }
  if (Status s = file->write(1, {}); !s.ok()) return s;
  RecordFile big = std::move(file.value());
  big.close();
  auto raw = RecordFile::Open(folder.checkinYear(today.year), all.size());
  if (!raw.ok()) return raw.status();
  if (Status s = raw->write(1, all); !s.ok()) return s;
  auto settings = SettingsFile::Open(folder.settings());
  if (!settings.ok()) return settings.status();
  return settings->writeLong(settings::kCheckinCount, records);
}

}  // namespace tarvolen::bench
