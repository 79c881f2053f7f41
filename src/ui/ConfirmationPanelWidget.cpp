#include "ui/ConfirmationPanelWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "accounts/AccountOperations.h"
#include "desk/Desk.h"
#include "ui/AdminControls.h"

namespace tarvolen {

using adminui::MirrorText;
using adminui::SetVisible;
using adminui::Text;
using adminui::Utf8;

namespace {

QString ColourName(SummaryColour c) {
  switch (c) {
    case SummaryColour::Red: return QStringLiteral("#ff0000");
    case SummaryColour::Green: return QStringLiteral("#00ff00");
    case SummaryColour::Yellow: return QStringLiteral("#ffff00");
    case SummaryColour::White: break;
  }
  return QStringLiteral("#ffffff");
}

// One printed line as rich text: its runs in their colours, spaces kept.
QString LineHtml(const SummaryLine& line) {
  QString html = QStringLiteral("<span style=\"white-space:pre\">");
  for (const SummaryRun& run : line) {
    html += QStringLiteral("<span style=\"color:%1\">%2</span>")
                .arg(ColourName(run.colour), Text(run.text).toHtmlEscaped());
  }
  return html + QStringLiteral("&nbsp;</span>");
}

void SetLabel(QLabel* label, const QString& text) {
  if (label->text() != text) label->setText(text);
}

}  // namespace

ConfirmationPanelWidget::ConfirmationPanelWidget(Desk& desk, QWidget* parent) : QWidget(parent), desk_(desk) {
  setObjectName(QStringLiteral("Picture5"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(0, 0, 64));
  p.setColor(QPalette::WindowText, Qt::white);
  setPalette(p);

  auto* layout = new QGridLayout(this);
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("Label3_17"));
  QFont titleFont = font();
  titleFont.setPointSize(14);
  titleFont.setBold(true);
  title_->setFont(titleFont);
  layout->addWidget(title_, 0, 0, 1, 2);

  summary_ = new QWidget(this);
  summary_->setObjectName(QStringLiteral("summary"));
  summaryLines_ = new QVBoxLayout(summary_);
  summaryLines_->setSpacing(0);
  summaryLines_->setContentsMargins(0, 0, 0, 0);
  summaryLines_->addStretch(1);
  layout->addWidget(summary_, 1, 0, 1, 1);

  image4_ = new QLabel(this);
  image4_->setObjectName(QStringLiteral("Image4"));
  image4_->setFixedSize(120, 160);
  image4_->setScaledContents(true);
  layout->addWidget(image4_, 1, 1, Qt::AlignTop);

  label21_ = new QLabel(this);
  label21_->setObjectName(QStringLiteral("Label21"));
  layout->addWidget(label21_, 2, 0, 1, 2);

  auto* code = new QHBoxLayout;
  labhy4_ = new QLabel(QStringLiteral("验证码："), this);
  labhy4_->setObjectName(QStringLiteral("Labhy_4"));
  label19_ = new QLabel(this);
  label19_->setObjectName(QStringLiteral("Label19"));
  // The code's own font is not shipped: the default face, large and clear.
  QFont codeFont = font();
  codeFont.setPointSize(22);
  codeFont.setBold(true);
  label19_->setFont(codeFont);
  text16_ = new QLineEdit(this);
  text16_->setObjectName(QStringLiteral("Text16"));
  text16_->setMaxLength(16);
  command18_ = new QPushButton(QStringLiteral("换一张"), this);
  command18_->setObjectName(QStringLiteral("Command18"));
  code->addWidget(labhy4_);
  code->addWidget(label19_);
  code->addWidget(text16_);
  code->addWidget(command18_);
  code->addStretch(1);
  layout->addLayout(code, 3, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  command19_ = new QPushButton(QStringLiteral("确  定"), this);
  command19_->setObjectName(QStringLiteral("Command19"));
  command21_ = new QPushButton(QStringLiteral("放弃"), this);
  command21_->setObjectName(QStringLiteral("Command21"));
  buttons->addStretch(1);
  buttons->addWidget(command19_);
  buttons->addWidget(command21_);
  layout->addLayout(buttons, 4, 0, 1, 2);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(0, 1);

  connect(command18_, &QPushButton::clicked, this, &ConfirmationPanelWidget::Command18_Click);
  connect(command19_, &QPushButton::clicked, this, &ConfirmationPanelWidget::Command19_Click);
  connect(command21_, &QPushButton::clicked, this, &ConfirmationPanelWidget::Command21_Click);
  connect(text16_, &QLineEdit::returnPressed, this, &ConfirmationPanelWidget::Command19_Click);
  connect(text16_, &QLineEdit::textEdited, this, &ConfirmationPanelWidget::Text16_Change);
}

void ConfirmationPanelWidget::render() {
  const ConfirmationPanel& panel = desk_.accounts().panel();
  SetVisible(this, panel.open);
  if (!panel.open) return;
  raise();
  SetLabel(title_, Text(panel.title));
  SetLabel(label19_, Text(panel.code));
  SetLabel(label21_, Text(panel.remarkLine));
  for (QWidget* w : std::initializer_list<QWidget*>{label19_, labhy4_, command18_, text16_}) {
    SetVisible(w, panel.codeShown);
  }
  MirrorText(text16_, panel.typed);

  // One label per printed line, named for the control list.
  while (lines_.size() < panel.summary.size()) {
    auto* l = new QLabel(summary_);
    l->setObjectName(QStringLiteral("Summary_%1").arg(lines_.size()));
    l->setTextFormat(Qt::RichText);
    summaryLines_->insertWidget(static_cast<int>(lines_.size()), l);
    lines_.push_back(l);
  }
  for (size_t i = 0; i < lines_.size(); ++i) {
    const bool used = i < panel.summary.size();
    SetVisible(lines_[i], used);
    if (used) SetLabel(lines_[i], LineHtml(panel.summary[i]));
  }

  if (drawnPhoto_ != panel.photoPath) {
    drawnPhoto_ = panel.photoPath;
    // A missing or unreadable photo leaves the picture empty.
    QPixmap photo;
    if (!drawnPhoto_.empty()) photo.load(Text(drawnPhoto_));
    image4_->setPixmap(photo);
  }
  if (focusRequest_ != panel.focusRequest) {
    focusRequest_ = panel.focusRequest;
    (panel.focusOnCode ? static_cast<QWidget*>(text16_) : command19_)->setFocus(Qt::OtherFocusReason);
  }
}

void ConfirmationPanelWidget::Command18_Click() {
  desk_.accounts().NewCode();
  emit changed();
}

void ConfirmationPanelWidget::Command19_Click() {
  (void)desk_.accounts().Confirm();
  emit changed();
}

void ConfirmationPanelWidget::Command21_Click() {
  desk_.accounts().Close();
  emit changed();
}

void ConfirmationPanelWidget::Text16_Change(const QString& text) { desk_.accounts().SetTypedCode(Utf8(text)); }

}  // namespace tarvolen
