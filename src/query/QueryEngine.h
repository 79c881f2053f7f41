#pragma once
// RunQuery: reads the chosen source, keeps the records that pass every
// ticked criterion and lists them in a QueryResult. The year files of every
// year in the date range are read front to back, read-only; a missing year
// file holds no records. Records that name a student or room slot outside
// the tables, or an index past a list, match no criterion on that field and
// show it empty.
#include <array>
#include <memory>
#include <string>

#include "query/QueryRequest.h"
#include "query/QueryResult.h"
#include "store/ProgramFolder.h"
#include "store/SideFiles.h"
#include "store/Tables.h"

namespace tarvolen::query {

// What the engine reads besides the files.
struct QueryContext {
  QueryContext(const ProgramFolder& folderIn, const StudentTable& studentsIn, const RoomTable& roomsIn,
               const CategoryLists& categoriesIn, const OperationNames& namesIn)
      : folder(folderIn), students(studentsIn), rooms(roomsIn), categories(categoriesIn), operationNames(namesIn) {}
  const ProgramFolder& folder;
  const StudentTable& students;  // the table in memory (check-in and log sources)
  const RoomTable& rooms;
  const CategoryLists& categories;
  const OperationNames& operationNames;
  std::array<std::string, 7> identities{};
  int cardDigits = 12;
  int idDigits = 12;
  Dividers dividers;
  CivilDate today;
};

struct QueryOutcome {
  std::unique_ptr<QueryResult> result;
  // A year file that could not be read to its end (the records before the
  // fault are listed); empty when every file read.
  std::string readFault;
  // Combined display: pending check-ins dropped because the list was full.
  int64_t droppedCheckins = 0;
};

QueryOutcome RunQuery(const QueryRequest& request, const QueryContext& context);

}  // namespace tarvolen::query
