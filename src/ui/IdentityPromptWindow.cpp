#include "ui/IdentityPromptWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "desk/Desk.h"

namespace tarvolen {

IdentityPromptWindow::IdentityPromptWindow(Desk& desk, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint), desk_(desk) {
  setObjectName(QStringLiteral("identityPrompt"));
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  text1_ = new QLineEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setEchoMode(QLineEdit::Password);
  text2_ = new QLineEdit(this);
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->setEchoMode(QLineEdit::Password);
  label2_ = new QLabel(QString::fromUtf8(IdentityPrompt::kFirstRunText), this);
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->setWordWrap(true);
  command1_ = new QPushButton(QStringLiteral("确认"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command4_ = new QPushButton(QStringLiteral("取  消"), this);
  command4_->setObjectName(QStringLiteral("Command4"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command1_);
  buttons->addWidget(command4_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(combo1_);
  layout->addWidget(label2_);
  layout->addWidget(label1_);
  layout->addWidget(text1_);
  layout->addWidget(text2_);
  layout->addLayout(buttons);
  setMinimumWidth(320);

  connect(combo1_, &QComboBox::currentIndexChanged, this, &IdentityPromptWindow::Combo1_Click);
  connect(text1_, &QLineEdit::textEdited, this,
          [this](const QString& t) { desk_.prompt().setPassword(t.toStdString()); });
  connect(text2_, &QLineEdit::textEdited, this,
          [this](const QString& t) { desk_.prompt().setSecond(t.toStdString()); });
  connect(text1_, &QLineEdit::returnPressed, this, &IdentityPromptWindow::Command1_Click);
  connect(text2_, &QLineEdit::returnPressed, this, &IdentityPromptWindow::Command1_Click);
  connect(command1_, &QPushButton::clicked, this, &IdentityPromptWindow::Command1_Click);
  connect(command4_, &QPushButton::clicked, this, &IdentityPromptWindow::Command4_Click);
}

void IdentityPromptWindow::render() {
  const auto& v = desk_.prompt().view();
  rendering_ = true;
  setWindowTitle(QString::fromStdString(v.title));
  if (combo1_->count() != static_cast<int>(v.names.size())) {
    combo1_->clear();
    for (const auto& n : v.names) combo1_->addItem(QString::fromStdString(n));
  }
  combo1_->setCurrentIndex(v.selected);
  combo1_->setVisible(v.listVisible);
  label1_->setText(QString::fromStdString(v.label));
  label1_->setVisible(v.labelVisible);
  label2_->setVisible(v.firstRunLabelVisible);
  text2_->setVisible(v.secondBoxVisible);
  text1_->setEnabled(v.passwordEnabled);
  if (text1_->text().toStdString() != v.password) text1_->setText(QString::fromStdString(v.password));
  if (text2_->text().toStdString() != v.second) text2_->setText(QString::fromStdString(v.second));
  rendering_ = false;
  if (isVisible()) {
    if (v.focus == IdentityPrompt::Focus::Password && text1_->isEnabled()) {
      text1_->setFocus();
    } else {
      command1_->setFocus();
    }
  }
}

void IdentityPromptWindow::Combo1_Click(int index) {
  if (rendering_) return;
  desk_.prompt().select(index);
  render();
}

void IdentityPromptWindow::Command1_Click() {
  auto outcome = desk_.ConfirmIdentity();
  render();
  if (outcome == IdentityPrompt::Outcome::Confirmed || outcome == IdentityPrompt::Outcome::FirstRunDone) {
    hide();
    emit confirmed();
  }
}

void IdentityPromptWindow::Command4_Click() {
  auto outcome = desk_.CancelIdentity();
  if (outcome == IdentityPrompt::Outcome::EndProgram) {
    emit endProgramRequested();
  } else {
    hide();
    emit cancelledBack();
  }
}

void IdentityPromptWindow::closeEvent(QCloseEvent* event) {
  // The prompt cannot be closed with the window's close control.
  event->ignore();
}

}  // namespace tarvolen
