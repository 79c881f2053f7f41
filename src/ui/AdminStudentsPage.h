#pragma once
// Page 3 "学生数据" of the administration area: the student list List1 with
// its filters Combo13(0..2) and search (Combo12, Text15, Command44), the
// buttons 删除 (Command42) and 清除重复卡号 (Command43), and the editor beside
// it: fifteen fields Combo3(i) with their boxes Check1(i) and Check5(i),
// Text17 and the room chooser, 新增 (Command45) and 修改 (Command8). The
// edit mode Check4 heads the page. Everything goes to the desk's student
// list and editor; render() draws what they hold.
#include <QWidget>
#include <array>
#include <functional>

#include "admin/StudentEditor.h"
#include "notify/Signal.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarvolen {
class ImportProgressWidget;
}

namespace tarvolen {

class Desk;

class AdminStudentsPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kFields = StudentEditor::kFields;

  AdminStudentsPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

 private:
  void Check4_Click(bool on);
  void Combo13_Click(int filter, int index);
  void Command44_Click();  // 查找
  void Command42_Click();  // 删除
  void Command43_Click();  // 清除重复卡号
  void Command45_Click();  // 新增
  void Command8_Click();   // 修改
  void List1_SelectionChanged();
  void Combo3_Enter(int field);
  void Combo3_14_Click(int index);
  void Label39_Click();
  void After();
  void RenderList();

  Desk& desk_;
  std::function<void()> changed_;
  QCheckBox* check4_;
  std::array<QComboBox*, 3> combo13_{};
  QComboBox* combo12_;
  QLineEdit* text15_;
  QListWidget* list1_;
  QPushButton* command42_;
  QPushButton* command43_;
  QPushButton* command45_;
  QPushButton* command8_;
  // 从电子表格导入 and the import's progress.
  QPushButton* importStudents_;
  ImportProgressWidget* importProgress_;
  Connections listening_;
  std::array<QCheckBox*, kFields> check1_{};
  std::array<QCheckBox*, kFields> check5_{};
  std::array<QWidget*, kFields> combo3_{};  // a QLineEdit for typed fields, a QComboBox for choices
  QLineEdit* text17_;
  QLabel* label39_;
  QLabel* label38_;
  int rowsVersion_ = -1;
  int selectionVersion_ = -1;
  int focusRequest_ = 0;
};

}  // namespace tarvolen
