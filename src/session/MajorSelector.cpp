#include "session/MajorSelector.h"

#include <algorithm>

#include "session/TimeText.h"

namespace tarvolen {
namespace {

std::string Entry(const std::string& name, const std::string& code) {
  return name + std::string(MajorSelector::kPadding, ' ') + code;
}

}  // namespace

MajorSelector::MajorSelector() { entries_.push_back(Entry(kOwnMajorName, kOwnMajorCode)); }

void MajorSelector::Fill(const CategoryLists& lists) {
  entries_.clear();
  for (int i = 0; i < CategoryLists::kNames; ++i) {
    const std::string& name = lists.majors[static_cast<size_t>(i)];
    if (name.empty()) continue;
    entries_.push_back(Entry(name, ZeroPadded(i, 2)));
  }
  entries_.push_back(Entry(kOwnMajorName, kOwnMajorCode));
  selected_ = 0;
}

void MajorSelector::setSelectedIndex(int index) { selected_ = std::clamp(index, 0, entryCount() - 1); }

std::string MajorSelector::selectedName() const {
  const std::string& e = selectedEntry();
  const size_t tail = static_cast<size_t>(kPadding) + 2;
  return e.size() >= tail ? e.substr(0, e.size() - tail) : e;
}

int MajorSelector::SelectedMajor(const StudentRecord& student) const { return MajorOfEntry(selectedEntry(), student); }

int MajorOfEntry(const std::string& entry, const StudentRecord& student) {
  const std::string code = entry.size() >= 2 ? entry.substr(entry.size() - 2) : entry;
  if (code == MajorSelector::kOwnMajorCode) return student.major;
  // The value of the code: leading spaces, an optional sign, digits.
  size_t i = 0;
  while (i < code.size() && code[i] == ' ') ++i;
  bool negative = false;
  if (i < code.size() && (code[i] == '-' || code[i] == '+')) negative = code[i++] == '-';
  int value = 0;
  for (; i < code.size() && code[i] >= '0' && code[i] <= '9'; ++i) value = value * 10 + (code[i] - '0');
  return negative ? -value : value;
}

}  // namespace tarvolen
