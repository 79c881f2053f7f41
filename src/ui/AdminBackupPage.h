#pragma once
// Page 7 "数据备份" of the administration area: the backup half (Dir1(0)
// with its folder chooser, Text7, Text9, Command23 "备份"), the restore half
// (Dir1(1) with its chooser, Command24 "恢复"), the progress of a copy, and
// the two panels that wipe data: Picture8 (Command36 "清除数据") and Picdel
// (Command33 "恢复出厂设置"). Every event goes to the desk's maintenance
// pieces; render() draws what they hold.
#include <QWidget>
#include <array>
#include <functional>

#include "maintenance/DataClearing.h"
#include "maintenance/Reinitialisation.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tarvolen {

class Desk;

class AdminBackupPage : public QWidget {
  Q_OBJECT
 public:
  AdminBackupPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

 private:
  QWidget* BuildBackupHalves();
  QWidget* BuildClearingPanel();
  QWidget* BuildReinitialisationPanel();
  void Dir1Choose_Click(int half);
  void Command23_Click();
  void Command24_Click();
  void Command36_Click();
  void Command37_Click();
  void Command38_Click();
  void Command33_Click();
  void Command35_Click();
  void Command34_Click();
  void After();

  Desk& desk_;
  std::function<void()> changed_;
  std::array<QLineEdit*, 2> dir1_{};
  std::array<QPushButton*, 2> choose_{};
  QLineEdit* text7_ = nullptr;
  QLineEdit* text9_ = nullptr;
  QPushButton* command23_ = nullptr;
  QPushButton* command24_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* progressText_ = nullptr;

  QPushButton* command36_ = nullptr;
  QWidget* picture8_ = nullptr;
  std::array<QCheckBox*, DataClearing::kParts> check17_{};
  QLineEdit* text13_ = nullptr;

  QPushButton* command33_ = nullptr;
  QWidget* picdel_ = nullptr;
  std::array<QLineEdit*, Reinitialisation::kBoxes> text12_{};
  QLineEdit* text11_ = nullptr;
};

}  // namespace tarvolen
