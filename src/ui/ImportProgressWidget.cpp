#include "ui/ImportProgressWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace tarvolen {

ImportProgressWidget::ImportProgressWidget(SheetImport& import, SheetImport::Kind kind, const QString& name,
                                           QWidget* parent)
    : QWidget(parent), import_(import), kind_(kind) {
  setObjectName(name);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  label_ = new QLabel(this);
  label_->setObjectName(name + QStringLiteral("Text"));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(name + QStringLiteral("Bar"));
  bar_->setTextVisible(false);
  cancel_ = new QPushButton(QStringLiteral("取消"), this);
  cancel_->setObjectName(name + QStringLiteral("Cancel"));
  connect(cancel_, &QPushButton::clicked, this, [this] { import_.Cancel(); });
  layout->addWidget(label_);
  layout->addWidget(bar_, 1);
  layout->addWidget(cancel_);
  setVisible(false);
}

void ImportProgressWidget::render() {
  const bool shown = import_.running() && import_.kind() == kind_;
  if (shown) {
    label_->setText(QString::fromStdString(import_.progressText()));
    bar_->setRange(0, std::max(1, import_.rowsTotal()));
    bar_->setValue(import_.rowsDone());
  }
  if (isVisible() != shown) setVisible(shown);
}

}  // namespace tarvolen
