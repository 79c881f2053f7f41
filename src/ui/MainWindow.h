#pragma once
// The main window: renders the desk's state and forwards the operator's
// actions. Closing it runs save-and-exit.
#include <QMainWindow>

class QLabel;
class QPushButton;

namespace tarvolen {

class Desk;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Desk& desk, QWidget* parent = nullptr);

  void render();
  QPushButton* exitButton() const { return exitButton_; }
  QPushButton* switchButton() const { return command14_; }

 signals:
  void exitRequested();
  void switchRequested();
  // The window was activated (clicked, say) while disabled for a switch of
  // identity: the prompt must be brought back in front of it.
  void activatedWhileDisabled();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  Desk& desk_;
  QLabel* tKey_;
  QLabel* status_;
  QPushButton* command14_;
  QPushButton* exitButton_;
};

}  // namespace tarvolen
