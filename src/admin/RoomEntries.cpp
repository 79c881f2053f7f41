#include "admin/RoomEntries.h"

#include "session/TimeText.h"

namespace tarvolen {
namespace {

std::string Entry(const std::string& name, int number, int digits) {
  return name + std::string(kEntryPadding, ' ') + ZeroPadded(number, digits);
}

std::vector<std::string> MakeTimeLimitEntries() {
  std::vector<std::string> entries = {"[默认]", "[不限时]"};
  for (int code = 2; code < kTimeLimitEntries; ++code) entries.push_back(std::to_string(code * 5) + "分钟");
  return entries;
}

std::vector<std::string> MajorEntries(const CategoryLists& lists, int digits) {
  std::vector<std::string> entries;
  for (int i = 0; i < CategoryLists::kNames; ++i) {
    const std::string& name = lists.majors[static_cast<size_t>(i)];
    // An unnamed major is no room type anyone can choose.
    if (!name.empty()) entries.push_back(Entry(name, i, digits));
  }
  return entries;
}

}  // namespace

const std::vector<std::string>& TimeLimitEntries() {
  static const std::vector<std::string> entries = MakeTimeLimitEntries();
  return entries;
}

std::string TimeLimitText(int code) {
  if (code < 0 || code >= kTimeLimitEntries) return {};
  return TimeLimitEntries()[static_cast<size_t>(code)];
}

std::vector<std::string> TypeEntries(const CategoryLists& lists) { return MajorEntries(lists, 2); }

std::vector<std::string> TypeFilterEntries(const CategoryLists& lists) {
  std::vector<std::string> entries = {kAnyEntry};
  for (std::string& e : MajorEntries(lists, 3)) entries.push_back(std::move(e));
  return entries;
}

std::vector<std::string> ServiceFilterEntries() {
  return {kAnyEntry, Entry("开放：是", 0, 3), Entry("开放：否", 1, 3)};
}

int EntryNumber(const std::string& entry, int digits) {
  const size_t n = static_cast<size_t>(digits);
  const std::string tail = entry.size() >= n ? entry.substr(entry.size() - n) : entry;
  int value = 0;
  for (char c : tail) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace tarvolen
