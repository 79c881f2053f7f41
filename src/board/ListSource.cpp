#include "board/ListSource.h"

namespace tarvolen {

void SortList(ListModel& list, const ListSource& source) {
  ListKeys keys = source.sortKeys(list.sortColumn());
  if (auto* text = std::get_if<std::vector<std::string>>(&keys)) {
    list.Sort(std::move(*text));
  } else {
    list.Sort(std::get<std::vector<int64_t>>(keys));
  }
}

}  // namespace tarvolen
