#pragma once
// Spreadsheet files through two Debian libraries: the export writes .xlsx
// with libxlsxwriter; the template's title row is read with FreeXL (.xls).
#include "platform/WorkbookWriter.h"

namespace tarvolen {

class XlsxWorkbookWriter final : public WorkbookWriter {
 public:
  Result<CellRow> ReadTitleRow(const std::filesystem::path& path) override;
  Status WriteSheet(const std::filesystem::path& path, const std::vector<CellRow>& rows) override;
};

}  // namespace tarvolen
