#pragma once
// The export template 1.dat: a spreadsheet workbook in the legacy .xls
// format (BIFF8 inside an OLE2 compound file) with one sheet whose first
// row holds the report's heading. No maintained library writes this format,
// and the template needs only a few records, so they are written here.
#include <filesystem>
#include <string>
#include <vector>

#include "store/Packing.h"
#include "store/Result.h"

namespace tarvolen {

// The heading a new installation's template carries in row 1.
inline constexpr const char* kTemplateHeading = "琴房管理查询报表";

// The whole file: text cells `cells` in row 1 of a sheet named "Sheet1".
Bytes MakeTitleWorkbook(const std::vector<std::string>& cells);

// Writes it, replacing any file of that name.
Status WriteTitleWorkbook(const std::filesystem::path& path, const std::vector<std::string>& cells);

}  // namespace tarvolen
