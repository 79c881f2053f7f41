#pragma once
// Page 4 "用户管理" of the administration area: the seven identities
// (List4), the name and password boxes, the rights Check8(0..9) and
// "确定修改" (Command2). The user page of the desk holds what is typed.
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarvolen {

class Desk;

class AdminUsersPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kRights = 10;

  AdminUsersPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

 private:
  // Event handlers of the controls: each forwards to the user page of the desk.
  void List4_Click(int row);
  void Text4_0_Change(const QString& text);  // "用 户 名"
  void Text4_3_Change(const QString& text);  // "初始密码"
  void Text4_4_Change(const QString& text);  // "确认密码"
  void Check8_Click(int bit, bool on);
  void Command2_Click();  // "确定修改"

  void After();

  Desk& desk_;
  std::function<void()> changed_;
  QListWidget* list4_;
  QLineEdit* text4_0_;
  QLineEdit* text4_3_;
  QLineEdit* text4_4_;
  std::array<QCheckBox*, kRights> check8_{};
  QPushButton* command2_;
};

}  // namespace tarvolen
