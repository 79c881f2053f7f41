#pragma once
// 导出电子表格: the grid's selection written to a spreadsheet file. Row 1 is
// the title row of the installation's template 1.dat (empty when there is
// none); the selection follows from row 2. The file is written as .xlsx,
// the extension added when the name has none.
#include <filesystem>
#include <string>

#include "platform/WorkbookWriter.h"
#include "query/ResultGrid.h"
#include "store/ProgramFolder.h"

namespace tarvolen::query {

inline constexpr const char* kExportDialogTitle = "导出数据";
inline constexpr const char* kExportFilter = "报表文件 (*.xlsx)";
inline constexpr const char* kTemplateFile = "1.dat";

struct ExportOutcome {
  bool written = false;
  std::filesystem::path path;  // the file written (or tried)
  std::string message;         // "成功", or "导出失败" and the reason
};

// `chosen` as the save dialog gave it.
std::filesystem::path ExportPath(const std::string& chosen);

ExportOutcome ExportSelection(const ResultGrid& grid, const std::string& chosen, const ProgramFolder& folder,
                              WorkbookWriter& workbooks);

}  // namespace tarvolen::query
