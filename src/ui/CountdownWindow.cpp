#include "ui/CountdownWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desk/Desk.h"

namespace tarvolen {

CountdownWindow::CountdownWindow(Desk& desk)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      desk_(desk) {
  setObjectName(QStringLiteral("FMSG"));
  setWindowTitle(QStringLiteral("提示"));
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setWordWrap(true);
  label1_->setMinimumWidth(320);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(QStringLiteral("Command1_%1").arg(i));
    b->setMinimumWidth(90);
    b->setAutoDefault(true);
    connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    buttons->addWidget(b);
    command1_[static_cast<size_t>(i)] = b;
  }
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addLayout(buttons);
}

void CountdownWindow::Command1_Click(int index) { desk_.countdown().press(index); }

void CountdownWindow::render() {
  const CountdownBox::View& v = desk_.countdown().view();
  if (v.text != drawnText_) {
    label1_->setText(QString::fromStdString(v.text));
    drawnText_ = v.text;
  }
  for (size_t i = 0; i < 2; ++i) {
    if (v.captions[i] != drawnCaptions_[i]) {
      command1_[i]->setText(QString::fromStdString(v.captions[i]));
      drawnCaptions_[i] = v.captions[i];
    }
  }
  if (v.visible && !isVisible()) {
    show();
    raise();
    activateWindow();
    command1_[static_cast<size_t>(v.focusButton == CountdownBox::kNo ? 1 : 0)]->setFocus();
  } else if (!v.visible && isVisible()) {
    hide();
  }
}

void CountdownWindow::closeEvent(QCloseEvent* event) {
  if (desk_.countdown().requestClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace tarvolen
