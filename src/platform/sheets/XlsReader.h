#pragma once
// Legacy .xls workbooks (BIFF) through FreeXL.
#include <string>

#include "platform/Workbook.h"

namespace tarvolen::sheets {

Result<Workbook> ReadXls(const std::string& path, const WorkbookLimits& limits);

// ReadXls in a child process, the workbook handed back through a pipe.
// FreeXL reads out of bounds on some crafted files (found by fuzzing); a
// child that crashes, or takes longer than `seconds`, takes only itself
// down, and the file is refused as damaged.
Result<Workbook> ReadXlsIsolated(const std::string& path, const WorkbookLimits& limits, int seconds = 30);

}  // namespace tarvolen::sheets
