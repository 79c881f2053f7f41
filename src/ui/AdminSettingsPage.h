#pragma once
// Page 0 "设置" of the administration area: the interface colours, the
// message font and colour, the desk options, the member photos, the custom
// display name, the own password change and "切换用户". Every control
// forwards to the options editor of the desk and shows what the desk keeps.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "ui/AdminControls.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvolen {

class Desk;
struct AdminDialogs;

class AdminSettingsPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kColours = 10;
  static constexpr int kChecks = 8;
  static constexpr int kPhotoNamings = 3;

  // `changed` is told after every change handed to the desk.
  AdminSettingsPage(Desk& desk, const AdminDialogs& dialogs, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

 signals:
  void switchIdentityRequested();
  void titleChanged();

 private:
  QWidget* BuildColours();
  QWidget* BuildMessageLook();
  QWidget* BuildOptions();
  QWidget* BuildPhotos();
  QWidget* BuildPassword();

  // Event handlers of the controls: each forwards to the desk.
  void Colour_Click(int index);
  void Command13_Click();  // "选择提示信息字体"
  void Label12_Click();    // message colour
  void Check_Click(int index, bool on);
  void ComboMode_Click(int index);
  void ComboBoardSize_Click(int index);
  void TextTimeLimit_Change();
  void TextCardDigits_Change();
  void CommandPhoto_Click();  // "修改" of the photo folder
  void PhotoNaming_Click(int index);
  void CommandCustomName_Click();  // "自定义名称"
  void Command4_Click();           // "修改" of "密码修改"
  void Command14_Click();          // "切换用户"

  void After();

  Desk& desk_;
  const AdminDialogs& dialogs_;
  std::function<void()> changed_;

  std::array<adminui::SwatchLabel*, kColours> colours_{};
  QPushButton* command13_;
  adminui::SwatchLabel* label12_;
  std::array<QCheckBox*, kChecks> checks_{};
  QComboBox* comboMode_;
  QComboBox* comboBoardSize_;
  adminui::ValueBox timeLimit_;
  adminui::ValueBox cardDigits_;
  QLabel* photoFolder_;
  QPushButton* commandPhoto_;
  std::array<QRadioButton*, kPhotoNamings> photoNaming_{};
  QPushButton* commandCustomName_;
  QLineEdit* text4_5_;  // "旧 密 码"
  QLineEdit* text4_1_;  // "新 密 码"
  QLineEdit* text4_2_;  // "确认密码"
  QPushButton* command4_;
  QPushButton* command14_;
  QString drawnFont_;
};

}  // namespace tarvolen
