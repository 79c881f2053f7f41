#pragma once
// The confirmation panel Picture5: the summary printed in its colours, the
// photo Image4, the title Label3(17), the code Label19 with its prompt
// Labhy(4), the box Text16, "换一张" (Command18), "确  定" (Command19),
// "放弃" (Command21) and the remark line Label21. It draws the desk's
// confirmation state and forwards every action.
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace tarvolen {

class Desk;

class ConfirmationPanelWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ConfirmationPanelWidget(Desk& desk, QWidget* parent = nullptr);

  void render();

 signals:
  void changed();

 private:
  void Command18_Click();  // "换一张"
  void Command19_Click();  // "确  定", also Enter in Text16
  void Command21_Click();  // "放弃"
  void Text16_Change(const QString& text);

  Desk& desk_;
  QWidget* summary_;
  QVBoxLayout* summaryLines_;
  std::vector<QLabel*> lines_;
  QLabel* image4_;
  QLabel* title_;
  QLabel* label19_;
  QLabel* labhy4_;
  QLineEdit* text16_;
  QPushButton* command18_;
  QPushButton* command19_;
  QPushButton* command21_;
  QLabel* label21_;
  std::string drawnPhoto_ = std::string(1, '\0');
  int focusRequest_ = 0;
};

}  // namespace tarvolen
