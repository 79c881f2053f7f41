// Input: the default time limit (4 bytes), then the bytes of a check-in
// year file of 2024. The utilisation of the whole year is built from it,
// with a running session that matches the first record, the picture laid
// out and the table written as csv: any bytes give a report.
#include "FuzzFolder.h"
#include "query/Utilisation.h"
#include "query/UtilisationPicture.h"
#include "store/Records.h"

namespace {

struct Lists {
  tarvolen::RoomTable rooms;
  tarvolen::CategoryLists categories;
  Lists() {
    for (int r = 1; r <= 5; ++r) {
      rooms[r].name = "琴房" + std::to_string(r);
      rooms[r].type = static_cast<uint8_t>(r * 7);  // some beyond the major list
      rooms[r].timeLimitCode = static_cast<int16_t>(r - 1);
    }
    rooms[4].serviceStatus = 1;
    categories.majors[0] = "钢琴";
    categories.majors[14] = "声乐";
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  static const Lists lists;
  const auto& folder = fuzz::FuzzFolder::Get();
  fuzz::FuzzInput input(data, size);
  const int32_t limit = input.takeInt32();
  const auto bytes = input.rest();
  fuzz::FuzzFolder::Write(folder.desk().checkinYear(2024), bytes);
  std::vector<SessionRecord> running;
  if (bytes.size() >= kCheckinRecordLength) {
    const CheckinRecord first = UnpackCheckin(Bytes(bytes.begin(), bytes.begin() + kCheckinRecordLength));
    running.push_back({first.room, first.student, first.time, first.date});
  }
  const query::UtilisationContext context{folder.desk(), lists.rooms,        lists.categories,
                                          limit,         std::move(running), DateTime{{2024, 12, 31}, 23, 59, 0}};
  query::UtilisationRequest request;
  request.from = {2024, 1, 1};
  request.to = {2024, 12, 31};
  const query::UtilisationReport report = query::BuildUtilisation(request, context);
  (void)query::LayOutUtilisation(report, query::UtilisationView::RoomsByHour);
  (void)query::LayOutUtilisation(report, query::UtilisationView::WeekdaysByHour);
  (void)query::UtilisationCsv(report);
  return 0;
}
