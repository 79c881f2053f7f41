#include "query/ResultGrid.h"

#include <algorithm>
#include <cstdlib>

#include "query/QueryRequest.h"

namespace tarvolen::query {

ResultGrid::ResultGrid() : list_(cursor_, 64, 0, 0) {}

void ResultGrid::Show(std::unique_ptr<QueryResult> result, std::string title) {
  result_ = std::move(result);
  title_ = std::move(title);
  sorted_ = false;
  directions_.assign(static_cast<size_t>(columnCount()), 0);
  // Unsorted: the records in the order they were read (zero keys keep it).
  list_.setOrdering(0, 0);
  list_.Sort(std::vector<int64_t>(static_cast<size_t>(records()), 0));

  choice_ = ExportChoice{};
  for (int c = 0; c < ExportChoice::kSelectors; ++c) {
    const bool present = c < columnCount();
    choice_.captions[static_cast<size_t>(c)] = present ? result_->heading(c) : std::string();
    choice_.shown[static_cast<size_t>(c)] = present;
    choice_.ticked[static_cast<size_t>(c)] = present;
  }
  choice_.firstLine = std::to_string(1);
  choice_.lastLine = std::to_string(records());
}

void ResultGrid::Clear() {
  result_.reset();
  title_.clear();
  list_.Clear();
  directions_.clear();
  sorted_ = false;
}

std::string ResultGrid::cell(int row, int column) const {
  if (!result_ || row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
  if (row == 0) return result_->averageCell(column);
  if (row == 1) return result_->totalCell(column);
  if (row == 2) return result_->heading(column);
  const int line = row - kFixedRows;
  if (column == 0) return std::to_string(line + 1);
  return result_->cellText(list_.itemAt(line), column);
}

void ResultGrid::ClickTitle(int column) {
  if (!result_ || column <= 0 || column >= columnCount()) return;
  uint8_t& flag = directions_[static_cast<size_t>(column)];
  const bool resort = !sorted_ || column != list_.sortColumn();
  list_.setOrdering(column, flag);
  if (resort) SortList(list_, *result_);
  sorted_ = true;
  flag = static_cast<uint8_t>(1 - flag);
}

SheetCell ResultGrid::ExportCell(int row, int column) const {
  SheetCell c;
  c.text = cell(row, column);
  const bool numeric = row != 2 && result_->isNumeric(column) && !(row < 2 && column == 0);
  if (numeric && !c.text.empty()) {
    char* end = nullptr;
    const double v = std::strtod(c.text.c_str(), &end);
    if (end != nullptr && *end == '\0') {
      c.number = true;
      c.value = v;
    }
  }
  return c;
}

std::vector<CellRow> ResultGrid::Selection() const {
  std::vector<CellRow> rows;
  if (!result_) return rows;
  std::vector<int> columns;
  for (int c = 0; c < std::min(columnCount(), ExportChoice::kSelectors); ++c) {
    if (choice_.ticked[static_cast<size_t>(c)]) columns.push_back(c);
  }
  auto line = [&](int row) {
    CellRow r;
    for (int c : columns) r.push_back(ExportCell(row, c));
    rows.push_back(std::move(r));
  };
  if (choice_.averages) line(0);
  if (choice_.totals) line(1);
  line(2);
  // Running numbers outside the records are clamped to them.
  const int first = std::max(1, static_cast<int>(CaptionNumber(choice_.firstLine)));
  const int last = std::min(records(), static_cast<int>(CaptionNumber(choice_.lastLine)));
  for (int n = first; n <= last; ++n) line(kFixedRows + n - 1);
  return rows;
}

}  // namespace tarvolen::query
