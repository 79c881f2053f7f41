#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "startup/Desk.h"

namespace tarvolen {

MainWindow::MainWindow(Desk& desk, QWidget* parent) : QMainWindow(parent), desk_(desk) {
  setObjectName(QStringLiteral("mainWindow"));
  auto* central = new QWidget(this);
  tKey_ = new QLabel(central);
  tKey_->setObjectName(QStringLiteral("TKey"));
  status_ = new QLabel(central);
  status_->setObjectName(QStringLiteral("status"));
  command14_ = new QPushButton(QStringLiteral("切换用户"), central);
  command14_->setObjectName(QStringLiteral("Command14"));
  exitButton_ = new QPushButton(QStringLiteral("退出"), central);
  exitButton_->setObjectName(QStringLiteral("exitButton"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command14_);
  buttons->addStretch();
  buttons->addWidget(exitButton_);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(tKey_);
  layout->addWidget(status_);
  layout->addStretch();
  layout->addLayout(buttons);
  setCentralWidget(central);
  resize(875, 547);  // 13125 x 8205 twips

  connect(exitButton_, &QPushButton::clicked, this, [this] { emit exitRequested(); });
  connect(command14_, &QPushButton::clicked, this, [this] { emit switchRequested(); });
}

void MainWindow::render() {
  setWindowTitle(QString::fromStdString(desk_.windowTitle()));
  setEnabled(desk_.mainWindowEnabled());
  const auto& history = desk_.notifier().history();
  status_->setText(history.empty() ? QString() : QString::fromStdString(history.back()));
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() &&
      !desk_.mainWindowEnabled()) {
    emit activatedWhileDisabled();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  emit exitRequested();
}

}  // namespace tarvolen
