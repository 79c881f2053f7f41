#pragma once
// The identity prompt window: mirrors the core's prompt and forwards the
// operator's actions to it.
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvolen {

class Desk;

class IdentityPromptWindow : public QWidget {
  Q_OBJECT
 public:
  explicit IdentityPromptWindow(Desk& desk, QWidget* parent = nullptr);

  // Draws the prompt's current state.
  void render();

  QComboBox* identityList() const { return combo1_; }
  QLineEdit* passwordBox() const { return text1_; }
  QLineEdit* secondBox() const { return text2_; }
  QPushButton* confirmButton() const { return command1_; }
  QPushButton* cancelButton() const { return command4_; }
  QLabel* captionLabel() const { return label1_; }

 signals:
  void confirmed();
  void endProgramRequested();
  void cancelledBack();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Combo1_Click(int index);
  void Command1_Click();
  void Command4_Click();

  Desk& desk_;
  bool rendering_ = false;
  QComboBox* combo1_;
  QLabel* label1_;
  QLineEdit* text1_;
  QLineEdit* text2_;
  QLabel* label2_;
  QPushButton* command1_;
  QPushButton* command4_;
};

}  // namespace tarvolen
