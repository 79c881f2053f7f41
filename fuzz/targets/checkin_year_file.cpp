// Input: the check-in count of set.dat (4 bytes), then the bytes of a
// check-in year file. Opened as start-up opens it, then today's activity of
// the student of the last record is read back, "today" being that record's
// day, so the backward scan runs over the records of one day.
#include "FuzzFolder.h"
#include "session/StudentDetails.h"
#include "store/YearFile.h"

namespace {

struct Lists {
  tarvolen::RoomTable rooms;
  tarvolen::CategoryLists categories;
  tarvolen::OperationNames names;
  Lists() {
    for (int r = 1; r <= 5; ++r) {
      rooms[r].name = "琴房" + std::to_string(r);
      rooms[r].type = static_cast<uint8_t>(r * 7);  // some beyond the major list
    }
    categories.majors[0] = "钢琴";
    categories.majors[14] = "声乐";
    for (int i = 1; i <= tarvolen::OperationNames::kNames; ++i) names.names[static_cast<size_t>(i)] = "操作";
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  static const Lists lists;
  const auto& folder = fuzz::FuzzFolder::Get();
  fuzz::FuzzInput input(data, size);
  const int32_t storedCount = input.takeInt32();
  const auto path = folder.desk().checkinYear(2024);
  fuzz::FuzzFolder::Write(folder.desk().settings(), {});
  fuzz::FuzzFolder::Write(path, input.rest());
  auto settings = SettingsFile::Open(folder.desk().settings());
  if (!settings.ok()) return 0;
  YearFile year;
  if (!year.open(path, kCheckinRecordLength, &*settings, settings::kCheckinCount, storedCount).ok()) return 0;

  auto last = year.read(std::max<int64_t>(year.file().recordCount(), 1));
  if (!last.ok()) return 0;
  const CheckinRecord r = UnpackCheckin(last.value());
  CivilDate today = DateOf(r.date);
  // The desk's today is never the zero day: records past the end of the file
  // read as zeros and end the scan only because their day is not today.
  if (DayNumber(today) == 0) today = CivilDate{2024, 3, 11};
  (void)ReadTodaysActivity(year, r.student, r.keyDate, today, lists.rooms, lists.categories, lists.names);
  return 0;
}
