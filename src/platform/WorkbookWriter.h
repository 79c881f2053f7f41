#pragma once
// Spreadsheet files as the export needs them: the title row of the export
// template and a workbook of one sheet written from rows of cells.
#include <filesystem>
#include <string>
#include <vector>

#include "store/Result.h"

namespace tarvolen {

// A cell as written: text, or a number when `number` is set.
struct SheetCell {
  SheetCell() = default;
  SheetCell(std::string textIn) : text(std::move(textIn)) {}  // NOLINT: a text cell from its text
  SheetCell(std::string textIn, bool numberIn, double valueIn)
      : text(std::move(textIn)), number(numberIn), value(valueIn) {}

  std::string text;
  bool number = false;
  double value = 0;
};
using CellRow = std::vector<SheetCell>;

class WorkbookWriter {
 public:
  virtual ~WorkbookWriter() = default;
  // The cells of the first row of the first sheet of the workbook at `path`
  // (ErrorCode::Missing when there is no such file).
  virtual Result<CellRow> ReadTitleRow(const std::filesystem::path& path) = 0;
  // Writes (or replaces) a workbook whose first sheet holds `rows`, rows[0]
  // being the sheet's row 1. Succeeds only when the file was written whole.
  virtual Status WriteSheet(const std::filesystem::path& path, const std::vector<CellRow>& rows) = 0;
};

}  // namespace tarvolen
