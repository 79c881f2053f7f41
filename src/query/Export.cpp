#include "query/Export.h"

#include <algorithm>
#include <cctype>

namespace tarvolen::query {

std::filesystem::path ExportPath(const std::string& chosen) {
  std::filesystem::path p(chosen);
  std::string ext = p.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext != ".xlsx") p += ".xlsx";
  return p;
}

ExportOutcome ExportSelection(const ResultGrid& grid, const std::string& chosen, const ProgramFolder& folder,
                              WorkbookWriter& workbooks) {
  ExportOutcome out;
  out.path = ExportPath(chosen);
  std::vector<CellRow> rows;
  // A missing or unreadable template leaves row 1 empty; the export goes on.
  Result<CellRow> title = workbooks.ReadTitleRow(folder.file(kTemplateFile));
  rows.push_back(title.ok() ? title.value() : CellRow{});
  for (CellRow& r : grid.Selection()) rows.push_back(std::move(r));
  Status s = workbooks.WriteSheet(out.path, rows);
  out.written = s.ok();
  out.message = s.ok() ? "成功" : "导出失败：" + s.detail();
  return out;
}

}  // namespace tarvolen::query
