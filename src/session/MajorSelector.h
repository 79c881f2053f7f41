#pragma once
// The major selector (Combo2): which major a swiping student is matched
// against. One entry per named major, then "[对应专业]" for the student's own
// major. Each entry ends in its code, so the selection is read back from the
// entry's last two characters.
#include <string>
#include <vector>

#include "store/Records.h"
#include "store/Tables.h"

namespace tarvolen {

class MajorSelector {
 public:
  // Spaces between an entry's name and its code.
  static constexpr int kPadding = 44;
  // The last entry's name and code: match against the student's own major.
  static constexpr const char* kOwnMajorName = "[对应专业]";
  static constexpr const char* kOwnMajorCode = "-1";

  // Only the "[对应专业]" entry, selected.
  MajorSelector();
  explicit MajorSelector(const CategoryLists& lists) { Fill(lists); }

  // One entry per non-empty major i = 0..30 in index order (name, 44 spaces,
  // i as "00"), then "[对应专业]", 44 spaces and "-1". Entry 0 is selected.
  void Fill(const CategoryLists& lists);

  const std::vector<std::string>& entries() const { return entries_; }
  int entryCount() const { return static_cast<int>(entries_.size()); }
  int selectedIndex() const { return selected_; }
  // Clamped to the entries (Left/Right never leave the list).
  void setSelectedIndex(int index);
  const std::string& selectedEntry() const { return entries_[static_cast<size_t>(selected_)]; }
  // The entry's name without the padding and the code, for display.
  std::string selectedName() const;

  // The major index the student is matched against: the student's own major
  // for "-1", else the value of the code; a code that is not a number is 0.
  int SelectedMajor(const StudentRecord& student) const;

 private:
  std::vector<std::string> entries_;
  int selected_ = 0;
};

// The rule of SelectedMajor for any entry text.
int MajorOfEntry(const std::string& entry, const StudentRecord& student);

}  // namespace tarvolen
