#include "board/ListModel.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tarvolen {

ListModel::ListModel(ListCursor& cursor, int columns, int sortColumn, int direction)
    : cursor_(cursor), columns_(columns), sortColumn_(sortColumn), direction_(direction == 1 ? 1 : 0) {}

void ListModel::setOrdering(int column, int direction) {
  if (column < 0 || column >= columns_) return;
  sortColumn_ = column;
  direction_ = direction == 1 ? 1 : 0;
}

bool ListModel::ClickHeading(int column) {
  if (column < 0 || column >= columns_) return false;
  if (column == sortColumn_) {
    direction_ = 1 - direction_;
  } else {
    sortColumn_ = column;
    direction_ = 0;
  }
  return true;
}

void ListModel::Sort(std::vector<std::string> keys) {
  textKeys_ = std::move(keys);
  order_.resize(textKeys_.size());
  std::iota(order_.begin(), order_.end(), 0);
  const std::vector<std::string>& k = textKeys_;
  std::sort(order_.begin(), order_.end(), [&k](int32_t a, int32_t b) {
    const int c = k[static_cast<size_t>(a)].compare(k[static_cast<size_t>(b)]);
    return c != 0 ? c < 0 : a < b;
  });
}

void ListModel::Sort(const std::vector<int64_t>& keys) {
  textKeys_.clear();
  // Key and item side by side: the sort walks memory in order instead of
  // jumping into the key vector for every comparison.
  std::vector<std::pair<int64_t, int32_t>> pairs(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) pairs[i] = {keys[i], static_cast<int32_t>(i)};
  std::sort(pairs.begin(), pairs.end());
  order_.resize(pairs.size());
  for (size_t i = 0; i < pairs.size(); ++i) order_[i] = pairs[i].second;
}

void ListModel::Clear() {
  order_.clear();
  textKeys_.clear();
}

int ListModel::itemAtSorted(int sortedIndex) const {
  if (sortedIndex < 0 || sortedIndex >= count()) return -1;
  return order_[static_cast<size_t>(sortedIndex)];
}

int ListModel::displayPosition(int sortedIndex) const {
  return direction_ == 0 ? sortedIndex : count() - 1 - sortedIndex;
}

// Reading from the end is its own inverse, so the same arithmetic maps a
// display position back to its place in the sort order.
int ListModel::itemAt(int displayPosition) const {
  if (displayPosition < 0 || displayPosition >= count()) return -1;
  return itemAtSorted(this->displayPosition(displayPosition));
}

int ListModel::itemInRow(int row) const {
  if (row < 0 || row >= kPageRows) return -1;
  return itemAt(cursor_.page() * kPageRows + row);
}

std::vector<std::string> ListModel::keys() const {
  std::vector<std::string> out;
  if (textKeys_.empty()) return out;
  out.reserve(order_.size());
  for (int32_t item : order_) out.push_back(textKeys_[static_cast<size_t>(item)]);
  return out;
}

void ListModel::KeepPageInRange() {
  const int last = pageRange();
  if (cursor_.page() > last || cursor_.page() < 0) cursor_.set(last, cursor_.row());
}

void ListModel::ShowPage(int page) { cursor_.set(std::max(page, 0), cursor_.row()); }

int ListModel::RevealDisplayPosition(int position) {
  cursor_.set(position / kPageRows, cursor_.row());
  return position % kPageRows;
}

bool ListModel::Select(int row, bool filled) {
  if (row < 0 || row >= kPageRows) return false;
  if (hasSelection_ && row == cursor_.row()) return false;
  if (!filled) return false;
  cursor_.set(cursor_.page(), row);
  hasSelection_ = true;
  return true;
}

bool ListModel::SelectPosition(int position) {
  if (position < 0 || position >= count()) return false;
  cursor_.set(position / kPageRows, position % kPageRows);
  hasSelection_ = true;
  return true;
}

bool ListModel::CursorMoved() {
  const int row = cursor_.row();
  if (row < 0 || row >= kPageRows) return false;
  hasSelection_ = true;
  return true;
}

int ListModel::MovePaint(int row) { return std::exchange(paintedRow_, row); }

}  // namespace tarvolen
