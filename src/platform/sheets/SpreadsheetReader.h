#pragma once
// The workbook reader of the program: looks at the file's first bytes and
// hands it to the .xlsx reader (a zip package) or the .xls reader (an OLE
// compound file), whatever its name ends in. A compound file that holds an
// encrypted package is a password-protected .xlsx.
#include "platform/Workbook.h"

namespace tarvolen {

class SpreadsheetReader final : public WorkbookReader {
 public:
  Result<Workbook> read(const std::string& path, const WorkbookLimits& limits) override;
};

}  // namespace tarvolen
