#pragma once
// Page 5 "会员管理" of the administration area: the member operations
// (Combo6, Text8(0..2), Command1), the room operations (Combo7, Text8(3..4),
// Command17) and the free record (Text8(5..8), Command20), each box with its
// result label Label20(i). Every event goes to the desk's account
// operations; render() draws what they hold.
#include <QWidget>
#include <array>
#include <functional>

#include "accounts/OperationInputs.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tarvolen {

class Desk;
class OperationBox;

class AdminMembersPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kBoxes = OperationInputs::kBoxes - 1;  // Text8(9) is no box on screen

  AdminMembersPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

  OperationBox* box(int i) const { return text8_[static_cast<size_t>(i)]; }

 private:
  void Combo6_Click(int index);
  void Combo7_Click(int index);
  void Text8_GotFocus(int i);
  void Text8_LostFocus(int i);
  void Text8_Change(int i, const QString& text);
  void Text8_Enter(int i);
  void Command1_Click();
  void Command17_Click();
  void Command20_Click();
  void After();

  Desk& desk_;
  std::function<void()> changed_;
  QComboBox* combo6_;
  QComboBox* combo7_;
  std::array<OperationBox*, kBoxes> text8_{};
  std::array<QLabel*, kBoxes> label20_{};
  std::array<QLabel*, kBoxes> prompt_{};
  QPushButton* command1_;
  QPushButton* command17_;
  QPushButton* command20_;
  int focusRequest_ = 0;
};

}  // namespace tarvolen
