#include "ui/AdminBackupPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "desk/Desk.h"
#include "ui/AdminControls.h"

namespace tarvolen {

using adminui::MirrorText;
using adminui::SetChecked;
using adminui::SetEnabled;
using adminui::SetVisible;
using adminui::Text;
using adminui::Utf8;

namespace {

QLineEdit* MakeEdit(const QString& name, QWidget* parent, int width = 220) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMinimumWidth(width);
  return edit;
}

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  return b;
}

}  // namespace

AdminBackupPage::AdminBackupPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)) {
  auto* v = new QVBoxLayout(this);
  v->addWidget(BuildBackupHalves());

  auto* progressRow = new QHBoxLayout;
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("BackupProgress"));
  progress_->setRange(0, 100);
  progressText_ = new QLabel(this);
  progressText_->setObjectName(QStringLiteral("BackupProgressText"));
  progressRow->addWidget(progress_, 1);
  progressRow->addWidget(progressText_, 2);
  v->addLayout(progressRow);

  auto* buttons = new QHBoxLayout;
  command36_ = MakeButton(QStringLiteral("清除数据"), QStringLiteral("Command36"), this);
  command33_ = MakeButton(QStringLiteral("恢复出厂设置"), QStringLiteral("Command33"), this);
  connect(command36_, &QPushButton::clicked, this, [this] { Command36_Click(); });
  connect(command33_, &QPushButton::clicked, this, [this] { Command33_Click(); });
  buttons->addWidget(command36_);
  buttons->addWidget(command33_);
  buttons->addStretch(1);
  v->addLayout(buttons);
  v->addWidget(BuildClearingPanel());
  v->addWidget(BuildReinitialisationPanel());
  v->addStretch(1);
  render();
}

QWidget* AdminBackupPage::BuildBackupHalves() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  const char* captions[2] = {"备份路径：", "数据恢复："};
  for (int half = 0; half < 2; ++half) {
    const int row = half == 0 ? 0 : 3;
    grid->addWidget(new QLabel(QString::fromUtf8(captions[half]), box), row, 0);
    dir1_[static_cast<size_t>(half)] = MakeEdit(QStringLiteral("Dir1_%1").arg(half), box, 320);
    grid->addWidget(dir1_[static_cast<size_t>(half)], row, 1);
    choose_[static_cast<size_t>(half)] =
        MakeButton(QStringLiteral("选择…"), QStringLiteral("Dir1Choose_%1").arg(half), box);
    grid->addWidget(choose_[static_cast<size_t>(half)], row, 2);
    connect(dir1_[static_cast<size_t>(half)], &QLineEdit::textEdited, this,
            [this, half](const QString& t) { desk_.backup().SetFolder(half, Utf8(t)); });
    connect(choose_[static_cast<size_t>(half)], &QPushButton::clicked, this, [this, half] { Dir1Choose_Click(half); });
  }
  grid->addWidget(new QLabel(QStringLiteral("备份名称："), box), 1, 0);
  text7_ = MakeEdit(QStringLiteral("Text7"), box);
  grid->addWidget(text7_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("备份时间："), box), 2, 0);
  text9_ = MakeEdit(QStringLiteral("Text9"), box);
  grid->addWidget(text9_, 2, 1);
  command23_ = MakeButton(QStringLiteral("备份"), QStringLiteral("Command23"), box);
  grid->addWidget(command23_, 2, 2);
  command24_ = MakeButton(QStringLiteral("恢复"), QStringLiteral("Command24"), box);
  grid->addWidget(command24_, 4, 2);
  grid->setColumnStretch(3, 1);
  connect(text7_, &QLineEdit::textEdited, this, [this](const QString& t) { desk_.backup().SetName(Utf8(t)); });
  connect(text9_, &QLineEdit::textEdited, this, [this](const QString& t) { desk_.backup().SetTime(Utf8(t)); });
  connect(command23_, &QPushButton::clicked, this, [this] { Command23_Click(); });
  connect(command24_, &QPushButton::clicked, this, [this] { Command24_Click(); });
  return box;
}

QWidget* AdminBackupPage::BuildClearingPanel() {
  picture8_ = new QGroupBox(QStringLiteral("清除数据"), this);
  picture8_->setObjectName(QStringLiteral("Picture8"));
  auto* v = new QVBoxLayout(picture8_);
  auto* ticks = new QHBoxLayout;
  for (int i = 0; i < DataClearing::kParts; ++i) {
    auto* c = new QCheckBox(QString::fromUtf8(DataClearing::kCaptions[static_cast<size_t>(i)]), picture8_);
    c->setObjectName(QStringLiteral("Check17_%1").arg(i));
    connect(c, &QCheckBox::toggled, this, [this, i](bool on) { desk_.clearing().SetTicked(i, on); });
    ticks->addWidget(c);
    check17_[static_cast<size_t>(i)] = c;
  }
  ticks->addStretch(1);
  v->addLayout(ticks);
  v->addWidget(new QLabel(QString::fromUtf8(kConfirmPrompt), picture8_));
  auto* row = new QHBoxLayout;
  text13_ = MakeEdit(QStringLiteral("Text13"), picture8_, 160);
  connect(text13_, &QLineEdit::textEdited, this,
          [this](const QString& t) { desk_.clearing().SetConfirmation(Utf8(t)); });
  auto* ok = MakeButton(QStringLiteral("确定"), QStringLiteral("Command38"), picture8_);
  auto* cancel = MakeButton(QStringLiteral("取消"), QStringLiteral("Command37"), picture8_);
  connect(ok, &QPushButton::clicked, this, [this] { Command38_Click(); });
  connect(cancel, &QPushButton::clicked, this, [this] { Command37_Click(); });
  row->addWidget(text13_);
  row->addWidget(ok);
  row->addWidget(cancel);
  row->addStretch(1);
  v->addLayout(row);
  return picture8_;
}

QWidget* AdminBackupPage::BuildReinitialisationPanel() {
  picdel_ = new QGroupBox(QStringLiteral("恢复出厂设置"), this);
  picdel_->setObjectName(QStringLiteral("Picdel"));
  auto* grid = new QGridLayout(picdel_);
  for (int i = 0; i < Reinitialisation::kBoxes; ++i) {
    text12_[static_cast<size_t>(i)] = MakeEdit(QStringLiteral("Text12_%1").arg(i), picdel_, 48);
    connect(text12_[static_cast<size_t>(i)], &QLineEdit::textEdited, this,
            [this, i](const QString& t) { desk_.reinitialisation().SetBox(i, Utf8(t)); });
  }
  auto label = [this](int i) {
    return new QLabel(QString::fromUtf8(Reinitialisation::kLabels[static_cast<size_t>(i)]), picdel_);
  };
  // 活动年份, 证号位数, 卡号位数 one a row; each divider as month and day.
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(label(i), i, 0);
    grid->addWidget(text12_[static_cast<size_t>(i)], i, 1);
  }
  for (int d = 0; d < 2; ++d) {
    const int row = 3 + d;
    const int month = 3 + 2 * d;
    grid->addWidget(label(month), row, 0);
    grid->addWidget(text12_[static_cast<size_t>(month)], row, 1);
    grid->addWidget(label(month + 1), row, 2);
    grid->addWidget(text12_[static_cast<size_t>(month + 1)], row, 3);
    grid->addWidget(new QLabel(QStringLiteral("日"), picdel_), row, 4);
  }
  grid->addWidget(new QLabel(QString::fromUtf8(Reinitialisation::kWarning), picdel_), 5, 0, 1, 6);
  grid->addWidget(new QLabel(QString::fromUtf8(kConfirmPrompt), picdel_), 6, 0, 1, 6);
  text11_ = MakeEdit(QStringLiteral("Text11"), picdel_, 160);
  connect(text11_, &QLineEdit::textEdited, this,
          [this](const QString& t) { desk_.reinitialisation().SetConfirmation(Utf8(t)); });
  grid->addWidget(text11_, 7, 0, 1, 2);
  auto* ok = MakeButton(QStringLiteral("确定"), QStringLiteral("Command34"), picdel_);
  auto* cancel = MakeButton(QStringLiteral("取消"), QStringLiteral("Command35"), picdel_);
  connect(ok, &QPushButton::clicked, this, [this] { Command34_Click(); });
  connect(cancel, &QPushButton::clicked, this, [this] { Command35_Click(); });
  grid->addWidget(ok, 7, 2);
  grid->addWidget(cancel, 7, 3);
  grid->setColumnStretch(6, 1);
  return picdel_;
}

void AdminBackupPage::render() {
  DataBackup& backup = desk_.backup();
  for (int half = 0; half < 2; ++half) {
    MirrorText(dir1_[static_cast<size_t>(half)], backup.folder(half));
    SetEnabled(dir1_[static_cast<size_t>(half)], !backup.busy());
    SetEnabled(choose_[static_cast<size_t>(half)], !backup.busy());
  }
  MirrorText(text7_, backup.name());
  MirrorText(text9_, backup.time());
  SetEnabled(command23_, !backup.busy());
  SetEnabled(command24_, !backup.busy());
  SetEnabled(command36_, !backup.busy());
  SetEnabled(command33_, !backup.busy());
  SetVisible(progress_, backup.busy());
  if (progress_->value() != backup.progress().percent()) progress_->setValue(backup.progress().percent());
  const QString progressText = Text(backup.progressText());
  if (progressText_->text() != progressText) progressText_->setText(progressText);

  DataClearing& clearing = desk_.clearing();
  SetVisible(picture8_, clearing.panelShown() && !backup.busy());
  for (int i = 0; i < DataClearing::kParts; ++i) SetChecked(check17_[static_cast<size_t>(i)], clearing.ticked(i));
  MirrorText(text13_, clearing.confirmation());

  Reinitialisation& reinit = desk_.reinitialisation();
  SetVisible(picdel_, reinit.panelShown() && !backup.busy());
  for (int i = 0; i < Reinitialisation::kBoxes; ++i) MirrorText(text12_[static_cast<size_t>(i)], reinit.box(i));
  MirrorText(text11_, reinit.confirmation());
}

void AdminBackupPage::After() {
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

void AdminBackupPage::Dir1Choose_Click(int half) {
  desk_.backup().ChooseFolder(half);
  After();
}

void AdminBackupPage::Command23_Click() {
  desk_.backup().Backup();
  After();
}

void AdminBackupPage::Command24_Click() {
  desk_.backup().Restore();
  After();
}

void AdminBackupPage::Command36_Click() {
  desk_.clearing().TogglePanel();
  After();
}

void AdminBackupPage::Command37_Click() {
  desk_.clearing().HidePanel();
  After();
}

void AdminBackupPage::Command38_Click() {
  desk_.clearing().Clear();
  After();
}

void AdminBackupPage::Command33_Click() {
  desk_.reinitialisation().TogglePanel();
  After();
}

void AdminBackupPage::Command35_Click() {
  desk_.reinitialisation().HidePanel();
  After();
}

void AdminBackupPage::Command34_Click() {
  desk_.reinitialisation().Run();
  // After re-initialisation the program is ending: nothing is drawn again.
  if (!desk_.reinitialisation().ended()) After();
}

}  // namespace tarvolen
