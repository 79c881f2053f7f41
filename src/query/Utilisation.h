#pragma once
// Room utilisation: how many minutes of each hour the rooms were occupied
// over a range of days, from the check-in year files. Check-ins and
// check-outs are paired the way the query's combined display pairs them
// (CheckinPairing); each session occupies its room from the check-in minute
// to the check-out minute, and overlapping sessions of one room count every
// minute once.
//
// The computation is built in steps (UtilisationBuilder::Step) so the one
// UI thread can take a block of records at a time and stay responsive.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WorkbookWriter.h"
#include "startup/Calendar.h"
#include "store/OleDate.h"
#include "store/ProgramFolder.h"
#include "store/Records.h"
#include "store/Tables.h"

namespace tarvolen::query {

// What to count: the days from..to (both included) and the rooms.
struct UtilisationRequest {
  CivilDate from;
  CivilDate to;
  // Room slots to show; empty: every open room (with `type`, every open
  // room of that type) and every slot that has records in the range but no
  // room any more.
  std::vector<int> rooms;
  std::optional<int> type;  // room type (a major index), or all types
};

// The default range: the semester that holds `today` by the calendar's
// dividers, from its first day to the day before the next semester begins.
UtilisationRequest DefaultUtilisationRequest(const CivilDate& today, const Dividers& dividers);

// One room's row of the report.
struct RoomUtilisation {
  int slot = 0;
  std::string label;     // the room's name, or "房间" + slot + "(已删除)" for a slot with no room
  int type = -1;         // the room type; -1 for a deleted room
  std::string typeName;  // the type's name from zy.dat ("已删除" for a deleted room)
  bool deleted = false;
  // Occupied minutes summed over the days, per hour of the day 0..23.
  std::array<int64_t, 24> minutesByHour{};
  int64_t occupiedMinutes = 0;
  int64_t sessions = 0;           // sessions with at least one minute in the range
  int64_t estimatedSessions = 0;  // of them, check-ins without a check-out
  double fees = 0;                // fees of the check-outs dated in the range
  double openingShare = 0;        // occupiedMinutes / the minutes of the opening hours
};

struct UtilisationReport {
  CivilDate from;
  CivilDate to;
  // The minutes each hour of the day was available in the range: the days
  // of the range, the last one cut at `now` when the range reaches today.
  std::array<int64_t, 24> availableByHour{};
  // The same per weekday (0 Monday .. 6 Sunday) and hour.
  std::array<std::array<int64_t, 24>, 7> availableByWeekdayHour{};
  // Occupied room-minutes of all rows together, per weekday and hour.
  std::array<std::array<int64_t, 24>, 7> minutesByWeekdayHour{};
  // The hours shown: the earliest to the latest hour with any use; both -1
  // when nothing was occupied. The opening hours are this span.
  int firstHour = -1;
  int lastHour = -1;
  std::vector<RoomUtilisation> rooms;  // grouped by type (type order, deleted last), then slot
  RoomUtilisation totals;              // the sums of every row (label "合计")
  int64_t checkoutsBeforeCheckin = 0;  // pairs whose check-out lies before the check-in: ignored
  int64_t estimatedSessions = 0;       // check-ins without a check-out, counted to the time limit
  int64_t activeSessions = 0;          // still running: counted up to now
  std::string readFault;               // a year file that could not be read to its end
  // Records of no valid room slot, kind, minute or date: skipped.
  int64_t skippedRecords = 0;

  bool empty() const { return firstHour < 0; }
  // The share 0..1 of hour h the room of row r was occupied (0 when the hour
  // had no available minute).
  double Share(size_t row, int hour) const;
  // The share of (weekday, hour) for all rows together.
  double WeekdayShare(int weekday, int hour) const;
  // The lines under the picture: "所选时段没有使用记录" for an empty report,
  // then "签退早于签到的记录N条，未计入", "N次签到没有签退，按房间限时估算",
  // "N人正在使用，计至现在", "N条记录无法识别，未计入" for non-zero counts,
  // and the read fault.
  std::vector<std::string> Notes() const;
};

// What the computation reads besides the year files.
struct UtilisationContext {
  const ProgramFolder& folder;
  const RoomTable& rooms;
  const CategoryLists& categories;  // the type names
  int defaultTimeLimit = 0;         // set.dat position 5, minutes
  // The running sessions (shuju.dat): a pending check-in that matches one
  // (room, student, start) counts up to now instead of being estimated.
  std::vector<SessionRecord> running;
  DateTime now;  // the day and minute the report is made
};

class UtilisationBuilder {
 public:
  UtilisationBuilder(UtilisationRequest request, UtilisationContext context);
  ~UtilisationBuilder();
  UtilisationBuilder(const UtilisationBuilder&) = delete;
  UtilisationBuilder& operator=(const UtilisationBuilder&) = delete;

  // Reads and pairs about `records` records; true when the report is done.
  bool Step(size_t records = 65536);
  // Share 0..1 of the work done, for a progress bar.
  double Progress() const;
  // The finished report (call after Step returned true).
  UtilisationReport Take();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The whole computation at once (the command line, tests).
UtilisationReport BuildUtilisation(const UtilisationRequest& request, const UtilisationContext& context);

// The numbers as rows of cells for a workbook or a .csv (shares and hours
// as numbers): a title row, one
// row per room (房间, 类型, 使用小时, 次数, 开放时段占用率, 收费, then the share
// of each hour shown) and the totals row; then an empty row and the weekday ×
// hour table.
std::vector<CellRow> UtilisationTable(const UtilisationReport& report);

// The table as UTF-8 CSV (RFC 4180 quoting, CRLF line ends).
std::string UtilisationCsv(const UtilisationReport& report);

}  // namespace tarvolen::query
