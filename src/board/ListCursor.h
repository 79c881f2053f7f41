#pragma once
// The selected row of a 30-row paged list (the session list, the room list)
// and how the keys move it.
namespace tarvolen {

class ListCursor {
 public:
  static constexpr int kRows = 30;

  int page() const { return page_; }
  int row() const { return row_; }
  // The item the cursor stands on: page * 30 + row.
  int index() const { return page_ * kRows + row_; }
  // The last page of a list of `count` items; 0 for an empty list.
  static int LastPage(int count) { return count > 0 ? (count - 1) / kRows : 0; }

  // Page Up / Page Down: the row stays; before the first page is row 0 of
  // page 0, past the last page is the last item.
  void pageUp(int count);
  void pageDown(int count);
  // Up / Down: across page ends; a target row without an item is not
  // entered. True when the cursor moved.
  bool up(int count);
  bool down(int count);

  void set(int page, int row) {
    page_ = page;
    row_ = row;
  }
  // Keeps the page within the list after it shrank.
  void clampPage(int count);

 private:
  int page_ = 0;
  int row_ = 0;
};

}  // namespace tarvolen
