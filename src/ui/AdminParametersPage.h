#pragma once
// Page 1 "参数设置" of the administration area: the parameter grid, the
// options of check-out and start-up, the upgrade policy, and the category
// lists (member levels, grades, classes, majors) with their edit mode
// "修改中" (Check2).
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "ui/AdminControls.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tarvolen {

class Desk;

class AdminParametersPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kParameters = 10;
  static constexpr int kChecks = 2;
  static constexpr int kPolicies = 5;
  static constexpr int kNameLists = 3;  // grades, classes, majors

  AdminParametersPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

 private:
  QWidget* BuildParameters();
  QWidget* BuildPolicy();
  QWidget* BuildLists();

  // Event handlers of the controls: each forwards to the desk.
  void Param_Change(int index);
  void Check_Click(int index, bool on);
  void Upgrade_Click(int index);
  void Check2_Click(bool on);  // "修改中"
  void ListLevels_Click(int row);
  void CommandLevel_Click();
  void NameList_Click(int list, int row);
  void CommandName_Click(int list);

  void After();
  std::string NameRow(int list, int index) const;

  Desk& desk_;
  std::function<void()> changed_;

  std::array<adminui::ValueBox, kParameters> params_{};
  std::array<QCheckBox*, kChecks> checks_{};
  std::array<QRadioButton*, kPolicies> upgrade_{};
  QCheckBox* check2_;
  QListWidget* listLevels_;
  QLineEdit* levelName_;
  QLineEdit* levelPercent_;
  QLineEdit* levelThreshold_;
  QPushButton* commandLevel_;
  std::array<QListWidget*, kNameLists> nameLists_{};
  std::array<QLineEdit*, kNameLists> nameBoxes_{};
  std::array<QPushButton*, kNameLists> nameButtons_{};
};

}  // namespace tarvolen
