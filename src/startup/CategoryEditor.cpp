#include "startup/CategoryEditor.h"

#include <algorithm>
#include <cmath>

#include "store/Gbk.h"
#include "startup/OptionsEditor.h"
#include "store/TextCells.h"

namespace tarvolen {

Status CategoryEditor::Allowed() const {
  if (Status s = operator_.Require(Right::Parameters); !s.ok()) return s;
  if (!area_.categoryEdit()) return feedback_.Refuse("请先勾选“修改中”。");
  return Status::Ok();
}

Status CategoryEditor::ChangeName(NameList list, int index, const std::string& text) {
  if (Status s = Allowed(); !s.ok()) return s;
  const int count = list == NameList::Grades ? CategoryLists::kLoadedGrades : CategoryLists::kNames;
  if (index < 0 || index >= count) return feedback_.Refuse("请先选定要修改的项目。");
  // A long name of narrow characters can pass the width cut and still not
  // fit the record: it is shortened to the bytes the record holds.
  const std::string name = CutToGbkBytes(CutToWidth(text, 16), 18);
  const ProgramFolder& folder = data_.folder();
  const auto path = list == NameList::Grades    ? folder.grades()
                    : list == NameList::Classes ? folder.classes()
                                                : folder.majors();
  if (Status s = SaveRecord(path, kCategoryRecordLength, index + 1, PackString(name, kCategoryRecordLength)); !s.ok()) {
    feedback_.PushMessage("类别保存失败：" + s.detail());
    return s;
  }
  CategoryLists& lists = data_.categories();
  if (list == NameList::Grades) lists.grades[static_cast<size_t>(index)] = name;
  if (list == NameList::Classes) lists.classes[static_cast<size_t>(index)] = name;
  if (list == NameList::Majors) writtenMajors_[index] = name;
  return Status::Ok();
}

std::string CategoryEditor::NameShown(NameList list, int index) const {
  const CategoryLists& c = data_.categories();
  switch (list) {
    case NameList::Grades: return c.gradeName(index);
    case NameList::Classes: return c.className(index);
    case NameList::Majors: {
      auto written = writtenMajors_.find(index);
      return written != writtenMajors_.end() ? written->second : c.majorName(index);
    }
  }
  return {};
}

Status CategoryEditor::ChangeLevel(int index, const std::string& name, const std::string& percentage,
                                   const std::string& threshold) {
  if (Status s = Allowed(); !s.ok()) return s;
  if (index < 0 || index >= CategoryLists::kLevels) return feedback_.Refuse("请先选定要修改的项目。");
  if (name.find(' ') != std::string::npos || name.find("\xE3\x80\x80") != std::string::npos) {
    return feedback_.Refuse("不能有空格。", true);
  }
  LevelRecord level;
  level.name = CutToGbkBytes(CutToWidth(name, 12), 13);
  level.percentage = static_cast<uint8_t>(std::clamp<long>(std::lround(NumberBoxValue(percentage)), 0, 255));
  const double t = NumberBoxValue(threshold);
  level.threshold = static_cast<int32_t>(std::clamp<double>(std::round(t), INT32_MIN, INT32_MAX));
  if (Status s = SaveRecord(data_.folder().levels(), kCategoryRecordLength, index + 1, Pack(level)); !s.ok()) {
    feedback_.PushMessage("等级保存失败：" + s.detail());
    return s;
  }
  data_.categories().levels[static_cast<size_t>(index)] = level;
  return Status::Ok();
}

}  // namespace tarvolen
