#pragma once
// A spreadsheet as the import sees it: sheets in workbook order, each a
// list of rows by row number, each row the texts of its cells (UTF-8) from
// column 1 on. Numbers arrive as plain decimal texts, dates as
// "yyyy-mm-dd", booleans as "TRUE"/"FALSE"; formulas as their stored
// result where the file keeps one. The reader behind the interface is
// chosen by the file's content (.xls or .xlsx).
#include <algorithm>
#include <string>
#include <vector>

#include "store/Result.h"

namespace tarvolen {

struct SheetRow {
  int number = 0;                  // 1-based row number
  std::vector<std::string> cells;  // cells[c - 1] is column c
};

struct Sheet {
  std::string name;
  // Rows in increasing number; rows without any text are left out.
  std::vector<SheetRow> rows;

  // The text at (row, column), both from 1; empty where nothing is.
  const std::string& cell(int row, int column) const {
    static const std::string none;
    auto it = std::lower_bound(rows.begin(), rows.end(), row, [](const SheetRow& r, int n) { return r.number < n; });
    if (it == rows.end() || it->number != row || column < 1) return none;
    if (column > static_cast<int>(it->cells.size())) return none;
    return it->cells[static_cast<size_t>(column - 1)];
  }
  int lastRow() const { return rows.empty() ? 0 : rows.back().number; }
};

struct Workbook {
  std::vector<Sheet> sheets;
};

// How much of a workbook is wanted: the import looks at the first nine
// sheets and 29 columns only, so the rest is never held in memory.
struct WorkbookLimits {
  int sheets = 9;
  int columns = 29;
  // A longer cell is cut (an .xlsx cell holds at most 32767 characters).
  size_t cellBytes = 32767 * 4;
};

class WorkbookReader {
 public:
  virtual ~WorkbookReader() = default;
  // The workbook at `path`; an error carries a sentence for the operator
  // (not a workbook, damaged, password-protected, ...).
  virtual Result<Workbook> read(const std::string& path, const WorkbookLimits& limits) = 0;
};

// Where no reader is given: every file is refused.
class NoWorkbookReader final : public WorkbookReader {
 public:
  Result<Workbook> read(const std::string&, const WorkbookLimits&) override {
    return Status(ErrorCode::OpenFailed, "无法读取电子表格");
  }
};

}  // namespace tarvolen
