#include "board/ListModel.h"

#include <algorithm>
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

namespace {

// The first sixteen bytes of a key as two numbers that order as the bytes
// do (missing bytes count as 0): keys of up to sixteen bytes, as the boards
// make them, sort on these alone.
struct KeyPrefix {
  uint64_t high = 0;
  uint64_t low = 0;
};

uint64_t Pack(const std::string& key, size_t from) {
  uint64_t value = 0;
  for (size_t i = from; i < from + 8; ++i) {
    value <<= 8;
    if (i < key.size()) value |= static_cast<unsigned char>(key[i]);
  }
  return value;
}

}  // namespace

void ListModel::Sort(std::vector<std::string> keys) {
  textKeys_ = std::move(keys);
  // Prefix and item side by side: the sort walks memory in order and goes
  // to the whole key text only when two long keys share their prefix.
  struct Entry {
    KeyPrefix prefix;
    int32_t item;
  };
  std::vector<Entry> entries(textKeys_.size());
  for (size_t i = 0; i < textKeys_.size(); ++i) {
    entries[i] = {{Pack(textKeys_[i], 0), Pack(textKeys_[i], 8)}, static_cast<int32_t>(i)};
  }
  const std::vector<std::string>& k = textKeys_;
  std::sort(entries.begin(), entries.end(), [&k](const Entry& a, const Entry& b) {
    if (a.prefix.high != b.prefix.high) return a.prefix.high < b.prefix.high;
    if (a.prefix.low != b.prefix.low) return a.prefix.low < b.prefix.low;
    const std::string& x = k[static_cast<size_t>(a.item)];
    const std::string& y = k[static_cast<size_t>(b.item)];
    if (x.size() > 16 || y.size() > 16) {
      const int c = x.compare(y);
      if (c != 0) return c < 0;
    } else if (x.size() != y.size()) {
      return x.size() < y.size();  // "a" before "a\0": the padding hid the difference
    }
    return a.item < b.item;
  });
  order_.resize(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) order_[i] = entries[i].item;
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
