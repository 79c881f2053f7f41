#include "admin/StudentList.h"

#include <unordered_map>

#include "session/StudentDetails.h"
#include "session/TimeText.h"
#include "startup/Calendar.h"
#include "store/NumberText.h"
#include "store/RecordFile.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

constexpr int kEntryPadding = kGradeEntryPadding;

std::string Plain(float v) { return GeneralNumber(ScaledFromSingle(v)); }

}  // namespace

std::string StudentRow(const StudentRecord& s, int slot, const CategoryLists& lists, const RoomTable& rooms,
                       const CivilDate& today, const Dividers& div) {
  std::string rooms_;
  for (int16_t r : s.dedicatedRooms) {
    if (!RoomTable::validSlot(r) || rooms[r].isFree()) continue;
    if (!rooms_.empty()) rooms_ += ",";
    rooms_ += rooms[r].name;
  }
  const CivilDate enrolled = DateOf(s.enrolled);
  const std::string sex = s.sex == 0 ? "男" : s.sex == 1 ? "女" : "";
  return ZeroPadded(s.card, 10) + " " + ZeroPadded(s.idNumber, 16) + " " + FitColumn(s.name, 8) + " " + sex + " " +
         FitColumn(lists.majorName(s.major), 6) + " " + ZeroPadded(((enrolled.year % 100) + 100) % 100, 2) + "_" +
         FitColumn(lists.gradeName(NianNJi(s.enrolled, today, div)), 6) + " " +
         FitColumn(lists.className(s.classIndex), 10) + " " + FitColumn(FormatFixed(s.semesterMinutes / 60.0, 1), 6) +
         " " + FitColumn(FormatFixed(s.totalMinutes / 60.0, 1), 6) + FitColumn(lists.levelName(s.level), 4) + " " +
         FitColumn(Plain(s.totalRecharged), 7) + " " + FitColumn(Plain(s.balance), 5) + " " + rooms_ +
         std::string(20, ' ') + ZeroPadded(slot, 4);
}

std::vector<std::string> IndexedEntries(const std::array<std::string, CategoryLists::kNames>& names) {
  std::vector<std::string> entries{kUnlimited};
  for (int i = 0; i < CategoryLists::kNames; ++i) {
    const std::string& name = names[static_cast<size_t>(i)];
    if (!name.empty()) entries.push_back(name + std::string(kEntryPadding, ' ') + ZeroPadded(i, 3));
  }
  return entries;
}

int FilterValue(const std::string& entry) {
  if (entry.empty() || entry == kUnlimited || entry.size() < 3) return -1;
  const NumberText n = ReadNumber(std::string_view(entry).substr(entry.size() - 3), NumberTarget::Int32);
  return n.isNumber() ? static_cast<int>(n.whole) : -1;
}

StudentList::StudentList(Services services, Hooks hooks)
    : data_(services.data),
      options_(services.options),
      feedback_(services.feedback),
      boxes_(services.boxes),
      clock_(services.clock),
      hooks_(std::move(hooks)) {}

void StudentList::FillFilters() {
  const CategoryLists& lists = data_.categories();
  const Dividers div = SaneDividers(options_.autumnDivider, options_.springDivider);
  std::vector<std::string> grades{kUnlimited};
  for (std::string& e : GradeListEntries(clock_.now().date, div, lists)) grades.push_back(std::move(e));
  entries_[kGrade] = std::move(grades);
  entries_[kClass] = IndexedEntries(lists.classes);
  entries_[kMajor] = IndexedEntries(lists.majors);
  // The newest grade first, the others unlimited.
  filter_ = {entries_[kGrade].size() > 1 ? 1 : 0, 0, 0};
}

int StudentList::filterValue(int f) const {
  const auto& entries = entries_.at(static_cast<size_t>(f));
  const int i = filter_.at(static_cast<size_t>(f));
  if (i < 0 || i >= static_cast<int>(entries.size())) return -1;
  return FilterValue(entries[static_cast<size_t>(i)]);
}

void StudentList::ChooseFilter(int f, int index) {
  if (f < 0 || f >= kFilters) return;
  filter_[static_cast<size_t>(f)] = index;
  Rebuild();
}

bool StudentList::FollowStudent(int slot) {
  if (!StudentTable::validSlot(slot)) return false;
  const StudentRecord& s = data_.students()[slot];
  const Dividers div = SaneDividers(options_.autumnDivider, options_.springDivider);
  const std::array<int, kFilters> own = {NianNJi(s.enrolled, clock_.now().date, div), s.classIndex, s.major};
  bool differs = false;
  for (int f = 0; f < kFilters; ++f) {
    const int v = filterValue(f);
    if (v >= 0 && v != own[static_cast<size_t>(f)]) differs = true;
  }
  if (!differs) return false;
  for (int f = 0; f < kFilters; ++f) {
    if (filterValue(f) < 0) continue;
    const auto& entries = entries_[static_cast<size_t>(f)];
    int index = 0;
    for (size_t e = 1; e < entries.size(); ++e) {
      if (FilterValue(entries[e]) == own[static_cast<size_t>(f)]) index = static_cast<int>(e);
    }
    filter_[static_cast<size_t>(f)] = index;
  }
  Rebuild();
  return true;
}

bool StudentList::Shows(const StudentRecord& s) const {
  if (s.card <= 0) return false;
  const int grade = filterValue(kGrade);
  const int cls = filterValue(kClass);
  const int major = filterValue(kMajor);
  if (grade >= 0) {
    const Dividers div = SaneDividers(options_.autumnDivider, options_.springDivider);
    if (NianNJi(s.enrolled, clock_.now().date, div) != grade) return false;
  }
  if (cls >= 0 && s.classIndex != cls) return false;
  if (major >= 0 && s.major != major) return false;
  return true;
}

std::string StudentList::MakeRow(int slot) const {
  const Dividers div = SaneDividers(options_.autumnDivider, options_.springDivider);
  return StudentRow(data_.students()[slot], slot, data_.categories(), data_.rooms(), clock_.now().date, div);
}

void StudentList::Rebuild() {
  rows_.clear();
  const StudentTable& students = data_.students();
  for (int slot = 1; slot <= StudentTable::kLastSlot; ++slot) {
    if (Shows(students[slot])) rows_.push_back({slot, MakeRow(slot)});
  }
  selected_.assign(rows_.size(), false);
  current_ = -1;
  ++rowsVersion_;
  SelectionChanged();
}

int StudentList::AppendRow(int slot) {
  rows_.push_back({slot, MakeRow(slot)});
  selected_.push_back(false);
  ++rowsVersion_;
  return rowCount() - 1;
}

void StudentList::RefreshRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  Row& r = rows_[static_cast<size_t>(row)];
  if (StudentTable::validSlot(r.slot) && data_.students()[r.slot].card != 0) {
    r.text = MakeRow(r.slot);
  } else {
    r = Row{};
  }
  ++rowsVersion_;
}

int StudentList::selectedCount() const {
  int n = 0;
  for (bool s : selected_) n += s ? 1 : 0;
  return n;
}

int StudentList::RowOf(int slot) const {
  for (int r = 0; r < rowCount(); ++r) {
    if (rows_[static_cast<size_t>(r)].slot == slot) return r;
  }
  return -1;
}

void StudentList::SetCurrent(int row) {
  current_ = row >= 0 && row < rowCount() ? row : -1;
  if (current_ >= 0 && rows_[static_cast<size_t>(current_)].slot > 0 && hooks_.currentChanged) {
    hooks_.currentChanged(rows_[static_cast<size_t>(current_)].slot);
  }
}

void StudentList::SetSelection(const std::vector<int>& rows, int current) {
  selected_.assign(rows_.size(), false);
  for (int r : rows) {
    if (r >= 0 && r < rowCount()) selected_[static_cast<size_t>(r)] = true;
  }
  SelectionChanged();
  if (current != current_) SetCurrent(current);
}

void StudentList::SelectSlot(int slot) {
  for (int r = 0; r < rowCount(); ++r) selected_[static_cast<size_t>(r)] = rows_[static_cast<size_t>(r)].slot == slot;
  SelectionChanged();
}

void StudentList::SelectOnly(int row) {
  selected_.assign(rows_.size(), false);
  if (row >= 0 && row < rowCount()) selected_[static_cast<size_t>(row)] = true;
  SelectionChanged();
  SetCurrent(row);
}

void StudentList::Search() {
  if (searchText_.empty()) {
    const bool chosen = searchField_ >= 0 && searchField_ < static_cast<int>(kSearchFields.size());
    (void)feedback_.Refuse(std::string("请输入") + (chosen ? kSearchFields[static_cast<size_t>(searchField_)] : ""),
                           true);
    return;
  }
  current_ = -1;
  if (searchField_ >= 0 && searchField_ <= 2) {
    const int64_t number = searchField_ == 0 ? 0 : ReadNumber(searchText_, NumberTarget::Card).whole;
    const StudentTable& students = data_.students();
    for (int r = 0; r < rowCount(); ++r) {
      const int slot = rows_[static_cast<size_t>(r)].slot;
      bool hit = false;
      if (StudentTable::validSlot(slot) && students[slot].card > 0) {
        const StudentRecord& s = students[slot];
        hit = searchField_ == 0 ? s.name == searchText_ : searchField_ == 1 ? s.card == number : s.idNumber == number;
      }
      selected_[static_cast<size_t>(r)] = hit;
    }
  }
  SelectionChanged();
  const int found = selectedCount();
  if (found == 0) {
    (void)feedback_.Refuse("未找到指定项", true);
    return;
  }
  feedback_.PushMessage("找到" + std::to_string(found) + "项\"");
  for (int r = 0; r < rowCount(); ++r) {
    if (selected_[static_cast<size_t>(r)]) {
      SetCurrent(r);
      break;
    }
  }
}

void StudentList::Delete() {
  if (!(hooks_.editMode && hooks_.editMode()) || current_ < 0) return;
  if (selectedCount() >= 2 && !boxes_.ask("提示", "是否确定删除多个数据？", BoxIcon::Critical)) return;
  StudentTable& students = data_.students();
  for (int r = 0; r < rowCount(); ++r) {
    if (!selected_[static_cast<size_t>(r)]) continue;
    const int slot = rows_[static_cast<size_t>(r)].slot;
    if (!StudentTable::validSlot(slot) || students[slot].card == 0) continue;
    if (data_.sessions().FindSession(slot) >= 0) {
      feedback_.PushMessage("删除失败：已登记的学生:" + students[slot].name);
      continue;
    }
    StudentRecord freed = students[slot];
    freed.card = 0;  // every other member stays as it was
    if (Status saved = StudentTable::SaveRecordOf(data_.folder(), slot, freed); !saved.ok()) {
      (void)feedback_.Refuse("删除失败：" + students[slot].name + "，" + saved.detail(), true);
      continue;
    }
    students[slot] = freed;
    rows_[static_cast<size_t>(r)] = Row{};
  }
  ++rowsVersion_;
  feedback_.PushMessage("删除成功！");
}

void StudentList::ClearDuplicates() {
  if (!(hooks_.editMode && hooks_.editMode())) return;
  // One pass: the lowest slot of a card keeps it, as a pairwise scan in
  // slot order would leave it.
  StudentTable& students = data_.students();
  std::unordered_map<int64_t, int> firstSlot;
  firstSlot.reserve(StudentTable::kLastSlot);
  int cleared = 0;
  // One open file for every record this writes.
  auto file = RecordFile::Open(data_.folder().students(), kStudentRecordLength);
  if (!file.ok()) {
    (void)feedback_.Refuse("清除失败：" + file.status().detail(), true);
    return;
  }
  for (int slot = 1; slot <= StudentTable::kLastSlot; ++slot) {
    const int64_t card = students[slot].card;
    if (card <= 0) continue;
    if (firstSlot.emplace(card, slot).second) continue;
    // A student who practises keeps the card: freeing the slot would let
    // the next add take it while the session still bills it.
    if (data_.sessions().FindSession(slot) >= 0) {
      feedback_.PushMessage("更改失败：已登记的学生:" + students[slot].name);
      continue;
    }
    StudentRecord freed = students[slot];
    freed.card = 0;
    const Result<Bytes> packed = Pack(freed);
    if (Status saved = packed.ok() ? file->write(slot + 1, packed.value()) : packed.status(); !saved.ok()) {
      (void)feedback_.Refuse("清除失败：" + freed.name + "，" + saved.detail(), true);
      continue;
    }
    students[slot] = freed;
    ++cleared;
  }
  if (cleared > 0) {
    feedback_.PushMessage("(" + std::to_string(cleared) + ")清除完成");
    Rebuild();
  } else {
    feedback_.PushMessage("没有重复卡号");
  }
}

}  // namespace tarvolen
