#pragma once
// The yes/no countdown box (FMSG, title "提示"): the question, "是" and "否"
// (Command1_0, Command1_1), the default button counting down in its caption.
// It draws the core's countdown box and forwards the presses; its close
// control is refused.
#include <QWidget>
#include <array>
#include <string>

class QLabel;
class QPushButton;

namespace tarvolen {

class Desk;

class CountdownWindow : public QWidget {
  Q_OBJECT
 public:
  explicit CountdownWindow(Desk& desk);

  // Draws the box; shows it (in front, with the keyboard on the default
  // button) while the question is open and hides it when it closed.
  void render();

  QLabel* textLabel() const { return label1_; }
  QPushButton* button(int i) const { return command1_[static_cast<size_t>(i)]; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Command1_Click(int index);

  Desk& desk_;
  QLabel* label1_;
  std::array<QPushButton*, 2> command1_{};
  std::string drawnText_;
  std::array<std::string, 2> drawnCaptions_{};
};

}  // namespace tarvolen
