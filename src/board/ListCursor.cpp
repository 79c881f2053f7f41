#include "board/ListCursor.h"

namespace tarvolen {

void ListCursor::pageUp(int count) {
  (void)count;
  if (page_ - 1 < 0) {
    page_ = 0;
    row_ = 0;
    return;
  }
  --page_;
}

void ListCursor::pageDown(int count) {
  const int last = LastPage(count);
  if (page_ + 1 > last) {
    page_ = last;
    row_ = count > 0 ? (count - 1) % kRows : 0;
    return;
  }
  ++page_;
}

bool ListCursor::up(int count) {
  int page = page_;
  int row = row_ - 1;
  if (row < 0) {
    if (page > 0) {
      --page;
      row = kRows - 1;
    } else {
      row = 0;
    }
  }
  if (page * kRows + row >= count) return false;
  page_ = page;
  row_ = row;
  return true;
}

bool ListCursor::down(int count) {
  int page = page_;
  int row = row_ + 1;
  if (row >= kRows) {
    if (page < LastPage(count)) {
      ++page;
      row = 0;
    } else {
      row = kRows - 1;
    }
  }
  if (page * kRows + row >= count) return false;
  page_ = page;
  row_ = row;
  return true;
}

void ListCursor::clampPage(int count) {
  const int last = LastPage(count);
  if (page_ > last) page_ = last;
}

}  // namespace tarvolen
