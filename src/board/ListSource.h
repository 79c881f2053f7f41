#pragma once
// What a long list shows (the student list, the room editor's list, a query
// result), asked for item by item: the owner keeps its rows in its own form
// and makes a cell's text only when a view draws that cell. Items are
// numbered 0 .. itemCount() - 1 in the owner's order; ListModel sorts them.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "board/CellColour.h"
#include "board/ListModel.h"

namespace tarvolen {

// One sort key per item: text keys compare by their bytes, numbers as numbers.
using ListKeys = std::variant<std::vector<std::string>, std::vector<int64_t>>;

class ListSource {
 public:
  virtual ~ListSource() = default;

  virtual int itemCount() const = 0;
  virtual int columnCount() const = 0;
  virtual std::string heading(int column) const = 0;
  virtual std::string cellText(int item, int column) const = 0;
  // Text colour index of an item's cells; the list paints the backgrounds.
  virtual int textColour(int /*item*/) const { return cellcolour::kText; }
  // The keys of every item for sorting by `column`.
  virtual ListKeys sortKeys(int column) const = 0;
};

// Sorts the list's items by its sort column, with keys from `source`.
void SortList(ListModel& list, const ListSource& source);

}  // namespace tarvolen
