#pragma once
// The student list of the page "学生数据" (List1): one fixed-column row per
// shown student, in slot order, each ending in the slot's four digits; the
// grade, class and major filters that decide which students show; the
// search that selects rows; deleting the selected students and clearing
// duplicate cards. The rows are made at a rebuild and kept, as the list
// shows them, until the next one; the editor refreshes single rows.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "notify/Feedback.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "startup/Calendar.h"
#include "startup/Options.h"
#include "store/InstallationData.h"

namespace tarvolen {

// One student's row (slot s, which must hold a student).
std::string StudentRow(const StudentRecord& s, int slot, const CategoryLists& lists, const RoomTable& rooms,
                       const CivilDate& today, const Dividers& div);

// Entries of a filter: "[不限定]", then name + padding + index in three digits.
inline constexpr const char* kUnlimited = "[不限定]";
std::vector<std::string> IndexedEntries(const std::array<std::string, CategoryLists::kNames>& names);
// The number in the last three characters of a filter entry; -1 for "[不限定]".
int FilterValue(const std::string& entry);

class StudentList {
 public:
  static constexpr const char* kHeading =
      "卡号        证号             姓名   性别 专业   年级      班级     累计   总计   级别  总费用  余额   专用琴房";
  static constexpr std::array<const char*, 4> kSearchFields = {"查找姓名", "查找卡号", "查找证号", "[不限定]"};
  enum Filter { kGrade = 0, kClass = 1, kMajor = 2, kFilters = 3 };

  struct Services {
    InstallationData& data;
    const Options& options;
    Feedback& feedback;
    MessageBoxes& boxes;
    Clock& clock;
  };
  struct Hooks {
    // The page's edit mode (Check4): deleting and clearing need it.
    std::function<bool()> editMode;
    // The current row changed to a student: the editor loads it.
    std::function<void(int slot)> currentChanged;
  };

  StudentList(Services services, Hooks hooks);

  // Start-up: the filters' entries; the grade filter on the newest grade.
  void FillFilters();
  const std::vector<std::string>& filterEntries(int f) const { return entries_.at(static_cast<size_t>(f)); }
  int filterIndex(int f) const { return filter_.at(static_cast<size_t>(f)); }
  // The value a set filter selects, -1 when not set.
  int filterValue(int f) const;
  // Combo13(f): a filter chosen; the list is rebuilt.
  void ChooseFilter(int f, int index);
  // Sets the filters that are set to the student's own values; true when
  // one had to change (the list is then rebuilt once).
  bool FollowStudent(int slot);

  void Rebuild();
  int rowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& rowText(int row) const { return rows_.at(static_cast<size_t>(row)).text; }
  int rowSlot(int row) const { return rows_.at(static_cast<size_t>(row)).slot; }
  // A new student's row at the end; the row's index.
  int AppendRow(int slot);
  void RefreshRow(int row);
  // Changes whenever the rows are rebuilt (the window redraws them all).
  int rowsVersion() const { return rowsVersion_; }

  // --- selection ----------------------------------------------------------
  bool isSelected(int row) const { return selected_.at(static_cast<size_t>(row)); }
  int selectedCount() const;
  int current() const { return current_; }
  // A click in the list: the rows now selected and the current one (which
  // loads its student into the editor).
  void SetSelection(const std::vector<int>& rows, int current);
  // Every row of the slot selected, every other row not; the current row stays.
  void SelectSlot(int slot);
  // The row selected alone and current (loads it).
  void SelectOnly(int row);
  int selectionVersion() const { return selectionVersion_; }
  // The first row showing `slot`, -1 when none.
  int RowOf(int slot) const;

  // --- search, delete, duplicates ----------------------------------------
  int searchField() const { return searchField_; }
  void setSearchField(int index) { searchField_ = index; }
  const std::string& searchText() const { return searchText_; }
  void setSearchText(const std::string& text) { searchText_ = text; }
  // "查找" (Command44).
  void Search();
  // "删除" (Command42).
  void Delete();
  // "清除重复卡号" (Command43).
  void ClearDuplicates();

 private:
  struct Row {
    int slot = 0;
    std::string text;
  };
  bool Shows(const StudentRecord& s) const;
  std::string MakeRow(int slot) const;
  void SetCurrent(int row);
  void SelectionChanged() { ++selectionVersion_; }

  InstallationData& data_;
  const Options& options_;
  Feedback& feedback_;
  MessageBoxes& boxes_;
  Clock& clock_;
  Hooks hooks_;
  std::array<std::vector<std::string>, kFilters> entries_{};
  std::array<int, kFilters> filter_{-1, -1, -1};
  std::vector<Row> rows_;
  std::vector<bool> selected_;
  int current_ = -1;
  int rowsVersion_ = 0;
  int selectionVersion_ = 0;
  int searchField_ = 0;
  std::string searchText_;
};

}  // namespace tarvolen
