#pragma once
// A sorted, paged list over items that live elsewhere. It holds no rows:
// only the sort order of the items (an index vector, sorted once per key
// set), the ordering chosen by the headings, the page and the selected row
// of the list's cursor. Whoever shows the list asks for the item at a
// display position and makes that row's cells itself, on demand.
//
// Display positions count from the top of the list as drawn: ascending they
// follow the sort order, descending they read it from the end, so changing
// the direction never sorts again.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "board/ListCursor.h"

namespace tarvolen {

class ListModel {
 public:
  static constexpr int kPageRows = ListCursor::kRows;

  // `cursor` (the page and row that keys, wheel and board share) must
  // outlive the model. `columns` bounds the sort column.
  ListModel(ListCursor& cursor, int columns, int sortColumn, int direction);
  ListModel(const ListModel&) = delete;
  ListModel& operator=(const ListModel&) = delete;

  // --- ordering -----------------------------------------------------------
  int columns() const { return columns_; }
  int sortColumn() const { return sortColumn_; }
  int direction() const { return direction_; }  // 0 ascending, 1 descending
  // Out-of-range columns are ignored; any direction but 1 is ascending.
  void setOrdering(int column, int direction);
  // A heading click: the sorted column again reverses the direction, another
  // column sorts ascending. False for a column outside the list.
  bool ClickHeading(int column);

  // --- content ------------------------------------------------------------
  // Item i (0 .. n-1) gets key i; items sort ascending by the bytes of their
  // key text, equal keys by item number. The text keys are kept for keys().
  void Sort(std::vector<std::string> keys);
  // The same with numeric keys (the long lists' number columns).
  void Sort(const std::vector<int64_t>& keys);
  void Clear();

  int count() const { return static_cast<int>(order_.size()); }
  // The item at a place of the sort order (ascending), and at a display
  // position; -1 outside the list.
  int itemAtSorted(int sortedIndex) const;
  int itemAt(int displayPosition) const;
  // The display position of a place of the sort order.
  int displayPosition(int sortedIndex) const;
  // The item shown in row `row` of the current page; -1 for an empty row.
  int itemInRow(int row) const;
  // The text keys in ascending order (empty after a numeric sort).
  std::vector<std::string> keys() const;

  // --- paging -------------------------------------------------------------
  int page() const { return cursor_.page(); }
  // Last page: (n - 1) \ 30, 0 when empty.
  int pageRange() const { return ListCursor::LastPage(count()); }
  // After the list changed: a page outside 0 .. pageRange becomes the last.
  void KeepPageInRange();
  // The scroll bar asked for `page` (below 0 is page 0); the row stays.
  void ShowPage(int page);
  // Shows the page holding a display position; its row on that page.
  int RevealDisplayPosition(int position);

  // --- selection ----------------------------------------------------------
  // -1 until a row has been selected.
  int selectedRow() const { return hasSelection_ ? cursor_.row() : -1; }
  bool hasSelection() const { return hasSelection_; }
  // The selection as a display position of the whole list (page * 30 +
  // row), -1 without one: how a scrolling grid sees it.
  int selectedPosition() const { return hasSelection_ ? cursor_.index() : -1; }
  // Selects a display position, showing its page; false outside the list.
  bool SelectPosition(int position);
  // Selects a row of the page: false (nothing done) when the row is outside
  // the page, already selected or shows nothing (`filled` false).
  bool Select(int row, bool filled);
  // The key handler moved the cursor: its row is the selection now. False
  // when the row is outside the page.
  bool CursorMoved();
  // The selected row moves up to the first row at or above it for which
  // `filled(row)` holds (row 0 if none). Nothing without a selection.
  template <class Filled>
  bool WalkSelectionUp(Filled filled) {
    if (!hasSelection_) return false;
    int row = std::clamp(cursor_.row(), 0, kPageRows - 1);
    for (int r = row; r >= 0; --r) {
      if (filled(r)) {
        row = r;
        break;
      }
    }
    cursor_.set(cursor_.page(), row);
    return true;
  }
  // The row drawn with the selected background, -1 for none: the owner
  // repaints the old one when the selection moves.
  int paintedRow() const { return paintedRow_; }
  // Marks `row` painted and returns the row painted before.
  int MovePaint(int row);

 private:
  template <class Key>
  void SortItems(const std::vector<Key>& keys);

  ListCursor& cursor_;
  int columns_;
  int sortColumn_;
  int direction_;
  std::vector<int32_t> order_;  // item numbers, ascending by key
  std::vector<std::string> textKeys_;
  bool hasSelection_ = false;
  int paintedRow_ = -1;
};

}  // namespace tarvolen
