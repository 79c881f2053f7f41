#pragma once
// Changes of the category lists on the parameter page, while the edit mode
// "修改中" is on: grade, class and major names, and the member levels.
#include <map>
#include <string>

#include "access/AdminArea.h"
#include "access/Operator.h"
#include "notify/Feedback.h"
#include "store/InstallationData.h"
#include "store/Result.h"

namespace tarvolen {

enum class NameList { Grades, Classes, Majors };

class CategoryEditor {
 public:
  // `area` holds the edit mode "修改中" (Check2).
  CategoryEditor(const Operator& op, Feedback& feedback, InstallationData& data, const AdminArea& area)
      : operator_(op), feedback_(feedback), data_(data), area_(area) {}

  // The entry gets the text cut to 16 display cells (and to the 18 bytes its
  // record holds); the record is written at once. Grade and class names
  // change in memory at once, a major name only after a restart.
  Status ChangeName(NameList list, int index, const std::string& text);
  // A level: a name with a space is refused with "不能有空格。"; otherwise the
  // name is cut to 12 cells, the percentage read as a Byte and the threshold
  // as a Long, and hy.dat record index + 1 is written.
  Status ChangeLevel(int index, const std::string& name, const std::string& percentage, const std::string& threshold);

  // The name the page lists for an entry: as loaded, or as last written
  // (a major written in this run shows its new name though the desk keeps
  // the old one until the restart).
  std::string NameShown(NameList list, int index) const;

 private:
  Status Allowed() const;
  const Operator& operator_;
  Feedback& feedback_;
  InstallationData& data_;
  const AdminArea& area_;
  std::map<int, std::string> writtenMajors_;
};

}  // namespace tarvolen
