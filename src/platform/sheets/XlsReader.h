#pragma once
// Legacy .xls workbooks (BIFF) through FreeXL.
#include <string>

#include "platform/Workbook.h"

namespace tarvolen::sheets {

Result<Workbook> ReadXls(const std::string& path, const WorkbookLimits& limits);

}  // namespace tarvolen::sheets
