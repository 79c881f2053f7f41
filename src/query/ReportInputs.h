#pragma once
// What a report reads besides the year files, read without writing: the
// rooms, the room types, the default time limit and the dividers of
// set.dat, and the running sessions of shuju.dat. A report may run while
// the desk runs, or on a copy in a read-only folder, so nothing here opens
// a file for writing or creates one.
#include <vector>

#include "startup/Calendar.h"
#include "store/ProgramFolder.h"
#include "store/Records.h"
#include "store/Result.h"
#include "store/Tables.h"

namespace tarvolen::query {

struct ReportInputs {
  RoomTable rooms;
  CategoryLists categories;  // the majors (room types); the rest stays empty
  int defaultTimeLimit = 0;
  Dividers dividers;
  std::vector<SessionRecord> running;
};

// Refused with a message naming the file when set.dat or rooms.dat is
// missing or shorter than its data (not a program folder, or a damaged one).
// A missing zy.dat or shuju.dat reads as no names and no running sessions.
Result<ReportInputs> ReadReportInputs(const ProgramFolder& folder);

}  // namespace tarvolen::query
