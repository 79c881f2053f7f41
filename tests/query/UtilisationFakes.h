#pragma once
// A computation of room utilisation made by hand: each run takes a given
// number of steps and hands back the report the test filled in.
#include <memory>
#include <string>
#include <vector>

#include "query/UtilisationDesk.h"

namespace tarvolen::testing {

struct FakeUtilisation {
  query::UtilisationReport report;  // what every run gives
  int steps = 3;                    // Step calls until done
  int started = 0;
  int stepped = 0;
  std::vector<query::UtilisationRequest> requests;
  std::vector<std::vector<CellRow>> tables;

  class Stepper final : public query::UtilisationStepper {
   public:
    explicit Stepper(FakeUtilisation& fake) : fake_(fake) {}
    bool Step() override {
      ++fake_.stepped;
      return ++done_ >= fake_.steps;
    }
    double Progress() const override { return static_cast<double>(done_) / fake_.steps; }
    query::UtilisationReport Take() override { return fake_.report; }

   private:
    FakeUtilisation& fake_;
    int done_ = 0;
  };

  query::UtilisationComputation computation() {
    query::UtilisationComputation c;
    c.defaultRequest = [](const CivilDate& today) {
      query::UtilisationRequest r;
      r.from = {today.year, 9, 1};
      r.to = {today.year + 1, 2, 14};
      return r;
    };
    c.start = [this](const query::UtilisationRequest& request) -> std::unique_ptr<query::UtilisationStepper> {
      ++started;
      requests.push_back(request);
      return std::make_unique<Stepper>(*this);
    };
    c.table = [](const query::UtilisationReport& r) {
      std::vector<CellRow> rows{CellRow{SheetCell("房间使用率")}};
      for (const auto& room : r.rooms) rows.push_back(CellRow{SheetCell(room.label)});
      return rows;
    };
    return c;
  }
};

// A report of one piano room used from 14 to 15 o'clock, and a deleted slot.
inline query::UtilisationReport PianoReport() {
  query::UtilisationReport report;
  report.from = {2026, 9, 1};
  report.to = {2026, 9, 30};
  report.firstHour = 14;
  report.lastHour = 15;
  report.availableByHour[14] = 1800;
  report.availableByHour[15] = 1800;
  query::RoomUtilisation room;
  room.slot = 1;
  room.label = "琴房01";
  room.type = 0;
  room.typeName = "钢琴";
  room.minutesByHour[14] = 675;  // 37.5%
  room.minutesByHour[15] = 1800;
  room.occupiedMinutes = 2475;
  room.sessions = 12;
  room.openingShare = 2475.0 / 3600.0;
  room.fees = 123.5;
  query::RoomUtilisation gone;
  gone.slot = 9;
  gone.label = "房间9(已删除)";
  gone.type = -1;
  gone.typeName = "已删除";
  gone.deleted = true;
  gone.minutesByHour[15] = 90;
  gone.occupiedMinutes = 90;
  gone.sessions = 1;
  report.rooms = {room, gone};
  report.totals.label = "合计";
  report.totals.minutesByHour[14] = 675;
  report.totals.minutesByHour[15] = 1890;
  report.totals.occupiedMinutes = 2565;
  report.totals.sessions = 13;
  report.totals.fees = 123.5;
  report.checkoutsBeforeCheckin = 1;
  return report;
}

}  // namespace tarvolen::testing
