#pragma once
// Office Open XML workbooks (.xlsx): the zip container through minizip, its
// XML parts through expat. The parts read: xl/workbook.xml and its
// relationships (which sheet is which part, the 1904 date system),
// xl/sharedStrings.xml, xl/styles.xml (which cell styles show dates) and
// the first sheets' parts.
#include <string>

#include "platform/Workbook.h"

namespace tarvolen::sheets {

Result<Workbook> ReadXlsx(const std::string& path, const WorkbookLimits& limits);

}  // namespace tarvolen::sheets
