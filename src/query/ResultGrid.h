#pragma once
// The query window's grid: the average, total and title lines fixed on
// top, the records under them in the order the operator sorted them, the
// running numbers always counting the lines as they stand; and the export
// settings (which columns, which lines, the two aggregate lines) that the
// export and the print hand on.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "board/ListCursor.h"
#include "board/ListModel.h"
#include "platform/WorkbookWriter.h"
#include "query/QueryResult.h"

namespace tarvolen::query {

// The export settings panel (Picture1).
struct ExportChoice {
  static constexpr int kSelectors = 30;
  // Check1(c): the caption (column c's title), shown and ticked.
  std::array<std::string, kSelectors> captions{};
  std::array<bool, kSelectors> shown{};
  std::array<bool, kSelectors> ticked{};
  // Text1(0), Text1(1): the first and last running number of the lines.
  std::string firstLine;
  std::string lastLine;
  bool averages = false;  // Check2 平均数
  bool totals = false;    // Check3 总计数
};

class ResultGrid {
 public:
  static constexpr int kFixedRows = 3;

  ResultGrid();

  // A query's result goes in: the window's title is `title`, no sorting,
  // the export settings reset (Gsnew).
  void Show(std::unique_ptr<QueryResult> result, std::string title);
  // 结束: the grid is emptied, titles included.
  void Clear();

  bool hasResult() const { return result_ != nullptr; }
  const QueryResult* result() const { return result_.get(); }
  const std::string& title() const { return title_; }
  int records() const { return result_ ? result_->itemCount() : 0; }
  int rowCount() const { return result_ ? kFixedRows + records() : 0; }
  int columnCount() const { return result_ ? result_->columnCount() : 0; }
  // Row 0 the averages, 1 the totals, 2 the titles, 3.. the records as
  // sorted; column 0 of a record is its running number.
  std::string cell(int row, int column) const;
  // The result's item shown in record line `line` (0 = grid row 3).
  int itemAt(int line) const { return list_.itemAt(line); }

  // A click on column `column`'s title: that column's direction flips,
  // its first click sorting ascending, the next descending; numbers sort
  // as numbers. The running number column keeps the order.
  void ClickTitle(int column);
  int sortColumn() const { return sorted_ ? list_.sortColumn() : -1; }
  bool descending() const { return list_.direction() == 1; }

  ExportChoice& exportChoice() { return choice_; }
  const ExportChoice& exportChoice() const { return choice_; }
  // The lines the export and the print hand on: the average line and the
  // total line when ticked, the titles, then the records from the first to
  // the last running number of the line range (clamped to the records),
  // the ticked columns only. Numeric cells are numbers.
  std::vector<CellRow> Selection() const;

 private:
  SheetCell ExportCell(int row, int column) const;

  std::unique_ptr<QueryResult> result_;
  std::string title_;
  ListCursor cursor_;
  ListModel list_;
  std::vector<uint8_t> directions_;  // by column, 0 or 1
  bool sorted_ = false;
  ExportChoice choice_;
};

}  // namespace tarvolen::query
