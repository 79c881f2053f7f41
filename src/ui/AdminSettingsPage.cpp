#include "ui/AdminSettingsPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "access/UserPage.h"
#include "notify/MessageLayout.h"
#include "desk/Desk.h"
#include "startup/OptionsEditor.h"
#include "ui/AdminControls.h"
#include "ui/AdminDialogs.h"
#include "ui/WindowLook.h"

namespace tarvolen {

using adminui::SetChecked;
using adminui::SetEnabled;
using adminui::Text;
using adminui::Utf8;

namespace {

const char* const kColourCaptions[AdminSettingsPage::kColours] = {
    "底色", "背景", "文字", "超时", "选择", "房间标题", "房间标题文字", "界面标题", "界面标题文字", "边框"};

struct CheckEntry {
  const char* caption;
  const char* name;
  CheckOption option;
  bool Options::*value;
};
const CheckEntry kCheckEntries[AdminSettingsPage::kChecks] = {
    {"打开音效", "CheckSound", CheckOption::SoundOn, &Options::soundOn},
    {"显示详细信息", "CheckDetails", CheckOption::ShowDetails, &Options::showDetails},
    {"只能刷卡登记", "CheckCardOnly", CheckOption::CardOnly, &Options::cardOnly},
    {"焦点强制", "CheckFocusForced", CheckOption::FocusForced, &Options::focusForced},
    {"启用大键盘数字", "CheckMainRowDigits", CheckOption::MainRowDigits, &Options::mainRowDigits},
    {"按专用琴房分配", "CheckDedicatedRoom", CheckOption::ByDedicatedRoom, &Options::byDedicatedRoom},
    {"使用验证码", "CheckVerificationCode", CheckOption::VerificationCode, &Options::verificationCode},
    {"自动登录", "CheckAutoCheckin", CheckOption::AutoCheckin, &Options::autoCheckin},
};

const char* const kModes[] = {"手动选择", "按超时", "随机分配", "房间顺序", "房间逆序", "最近下线"};
const char* const kPhotoNamingCaptions[AdminSettingsPage::kPhotoNamings] = {"按证号命名", "按卡号命名", "按姓名命名"};

QLineEdit* PasswordBox(const char* name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setEchoMode(QLineEdit::Password);
  return e;
}

void SetCurrent(QComboBox* box, int index) {
  if (box->currentIndex() == index) return;
  QSignalBlocker block(box);
  box->setCurrentIndex(index);
}

}  // namespace

AdminSettingsPage::AdminSettingsPage(Desk& desk, const AdminDialogs& dialogs, std::function<void()> changed,
                                     QWidget* parent)
    : QWidget(parent), desk_(desk), dialogs_(dialogs), changed_(std::move(changed)) {
  // The colours across the top; under them three columns: the options, the
  // message look over the photos, the password. So the page fits the area
  // at the window's delivered size.
  auto* layout = new QGridLayout(this);
  adminui::Tighten(layout);
  layout->addWidget(BuildColours(), 0, 0, 1, 3);
  layout->addWidget(BuildOptions(), 1, 0);
  auto* middle = new QVBoxLayout;
  middle->setSpacing(adminui::kPageSpacing);
  middle->addWidget(BuildMessageLook());
  middle->addWidget(BuildPhotos());
  middle->addStretch(1);
  layout->addLayout(middle, 1, 1);
  layout->addWidget(BuildPassword(), 1, 2);
  layout->setRowStretch(2, 1);
  layout->setColumnStretch(3, 1);
}

QWidget* AdminSettingsPage::BuildColours() {
  auto* box = new QGroupBox(QStringLiteral("界面颜色"), this);
  auto* grid = new QGridLayout(box);
  adminui::Tighten(grid);
  for (int i = 0; i < kColours; ++i) {
    auto* swatch = new adminui::SwatchLabel(QString::fromUtf8(kColourCaptions[i]), box);
    swatch->setObjectName(QStringLiteral("Colour_%1").arg(i));
    connect(swatch, &adminui::SwatchLabel::clicked, this, [this, i] { Colour_Click(i); });
    grid->addWidget(swatch, i / 5, i % 5);
    colours_[static_cast<size_t>(i)] = swatch;
  }
  return box;
}

QWidget* AdminSettingsPage::BuildMessageLook() {
  auto* box = new QGroupBox(QStringLiteral("提示信息"), this);
  auto* grid = new QGridLayout(box);
  adminui::Tighten(grid);
  grid->addWidget(new QLabel(QStringLiteral("字体"), box), 0, 0);
  command13_ = new QPushButton(QStringLiteral("选择提示信息字体"), box);
  command13_->setObjectName(QStringLiteral("Command13"));
  connect(command13_, &QPushButton::clicked, this, [this] { Command13_Click(); });
  grid->addWidget(command13_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("颜色"), box), 1, 0);
  label12_ = new adminui::SwatchLabel(QString(), box);
  label12_->setObjectName(QStringLiteral("Label12"));
  label12_->setToolTip(QStringLiteral("提示信息的文字颜色"));
  connect(label12_, &adminui::SwatchLabel::clicked, this, [this] { Label12_Click(); });
  grid->addWidget(label12_, 1, 1);

  commandCustomName_ = new QPushButton(QStringLiteral("自定义名称"), box);
  commandCustomName_->setObjectName(QStringLiteral("CommandCustomName"));
  connect(commandCustomName_, &QPushButton::clicked, this, [this] { CommandCustomName_Click(); });
  grid->addWidget(commandCustomName_, 2, 0, 1, 2);
  return box;
}

QWidget* AdminSettingsPage::BuildOptions() {
  auto* box = new QGroupBox(QStringLiteral("选项"), this);
  auto* grid = new QGridLayout(box);
  adminui::Tighten(grid);
  for (int i = 0; i < kChecks; ++i) {
    const CheckEntry& e = kCheckEntries[i];
    auto* c = new QCheckBox(QString::fromUtf8(e.caption), box);
    c->setObjectName(QString::fromLatin1(e.name));
    connect(c, &QCheckBox::clicked, this, [this, i](bool on) { Check_Click(i, on); });
    grid->addWidget(c, i / 2, i % 2);
    checks_[static_cast<size_t>(i)] = c;
  }
  int row = (kChecks + 1) / 2;

  grid->addWidget(new QLabel(QStringLiteral("分配方式："), box), row, 0);
  comboMode_ = new QComboBox(box);
  comboMode_->setObjectName(QStringLiteral("ComboMode"));
  for (const char* m : kModes) comboMode_->addItem(QString::fromUtf8(m));
  connect(comboMode_, &QComboBox::activated, this, [this](int index) { ComboMode_Click(index); });
  grid->addWidget(comboMode_, row++, 1);

  grid->addWidget(new QLabel(QStringLiteral("房间列表字号："), box), row, 0);
  comboBoardSize_ = new QComboBox(box);
  comboBoardSize_->setObjectName(QStringLiteral("ComboBoardSize"));
  comboBoardSize_->addItem(QStringLiteral("自动调整"));
  for (int size = 10; size <= 30; ++size) comboBoardSize_->addItem(QString::number(size));
  connect(comboBoardSize_, &QComboBox::activated, this, [this](int index) { ComboBoardSize_Click(index); });
  grid->addWidget(comboBoardSize_, row++, 1);

  grid->addWidget(new QLabel(QStringLiteral("限时(分)："), box), row, 0);
  auto* timeLimit = new QLineEdit(box);
  timeLimit->setObjectName(QStringLiteral("TextTimeLimit"));
  connect(timeLimit, &QLineEdit::editingFinished, this, [this] { TextTimeLimit_Change(); });
  grid->addWidget(timeLimit, row++, 1);
  timeLimit_ = adminui::ValueBox(timeLimit);

  grid->addWidget(new QLabel(QStringLiteral("卡号位数："), box), row, 0);
  auto* cardDigits = new QLineEdit(box);
  cardDigits->setObjectName(QStringLiteral("TextCardDigits"));
  connect(cardDigits, &QLineEdit::editingFinished, this, [this] { TextCardDigits_Change(); });
  grid->addWidget(cardDigits, row++, 1);
  cardDigits_ = adminui::ValueBox(cardDigits);
  return box;
}

QWidget* AdminSettingsPage::BuildPhotos() {
  auto* box = new QGroupBox(QStringLiteral("会员照片"), this);
  auto* grid = new QGridLayout(box);
  adminui::Tighten(grid);
  grid->addWidget(new QLabel(QStringLiteral("会员照片路径设定:"), box), 0, 0);
  commandPhoto_ = new QPushButton(QStringLiteral("修改"), box);
  commandPhoto_->setObjectName(QStringLiteral("CommandPhoto"));
  connect(commandPhoto_, &QPushButton::clicked, this, [this] { CommandPhoto_Click(); });
  grid->addWidget(commandPhoto_, 0, 1);
  photoFolder_ = new QLabel(box);
  photoFolder_->setObjectName(QStringLiteral("LabelPhotoFolder"));
  photoFolder_->setFrameShape(QFrame::StyledPanel);
  photoFolder_->setMinimumWidth(180);
  grid->addWidget(photoFolder_, 1, 0, 1, 2);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < kPhotoNamings; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(kPhotoNamingCaptions[i]), box);
    r->setObjectName(QStringLiteral("PhotoNaming_%1").arg(i));
    group->addButton(r, i);
    connect(r, &QRadioButton::clicked, this, [this, i] { PhotoNaming_Click(i); });
    grid->addWidget(r, 2 + i, 0, 1, 2);
    photoNaming_[static_cast<size_t>(i)] = r;
  }
  return box;
}

QWidget* AdminSettingsPage::BuildPassword() {
  auto* panel = new QWidget(this);
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(0, 0, 0, 0);
  auto* box = new QGroupBox(QStringLiteral("密码修改"), panel);
  auto* grid = new QGridLayout(box);
  adminui::Tighten(grid);
  text4_5_ = PasswordBox("Text4_5", box);
  text4_1_ = PasswordBox("Text4_1", box);
  text4_2_ = PasswordBox("Text4_2", box);
  grid->addWidget(new QLabel(QStringLiteral("旧 密 码"), box), 0, 0);
  grid->addWidget(text4_5_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("新 密 码"), box), 1, 0);
  grid->addWidget(text4_1_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("确认密码"), box), 2, 0);
  grid->addWidget(text4_2_, 2, 1);
  command4_ = new QPushButton(QStringLiteral("修改"), box);
  command4_->setObjectName(QStringLiteral("Command4"));
  connect(command4_, &QPushButton::clicked, this, [this] { Command4_Click(); });
  grid->addWidget(command4_, 3, 1);
  // Beside "修改", in view without scrolling at the window's smallest size.
  command14_ = new QPushButton(QStringLiteral("切换用户"), box);
  command14_->setObjectName(QStringLiteral("Command14"));
  connect(command14_, &QPushButton::clicked, this, [this] { Command14_Click(); });
  grid->addWidget(command14_, 3, 0);
  v->addWidget(box);
  v->addStretch(1);
  return panel;
}

void AdminSettingsPage::render() {
  const Options& o = desk_.options();
  for (int i = 0; i < kColours; ++i) colours_[static_cast<size_t>(i)]->paint(o.colours[static_cast<size_t>(i)]);

  // The font button wears the message font.
  const QFont font = FontFromOptions(o.font);
  const QString fontKey = font.toString();
  if (fontKey != drawnFont_) {
    drawnFont_ = fontKey;
    command13_->setFont(font);
  }
  label12_->paint(o.messageColour);

  for (int i = 0; i < kChecks; ++i) {
    SetChecked(checks_[static_cast<size_t>(i)], o.*(kCheckEntries[i].value));
  }
  SetCurrent(comboMode_, o.assignmentMode);
  SetCurrent(comboBoardSize_, o.boardSize);
  timeLimit_.show(NumberOptionText(o, NumberOption::DefaultTimeLimit));
  cardDigits_.show(NumberOptionText(o, NumberOption::CardDigitsField));

  const QString folder = Text(o.photoFolder);
  if (photoFolder_->text() != folder) photoFolder_->setText(folder);
  for (int i = 0; i < kPhotoNamings; ++i) SetChecked(photoNaming_[static_cast<size_t>(i)], o.photoNaming == i);

  SetEnabled(command4_, desk_.passwordChangeEnabled());
}

void AdminSettingsPage::After() {
  // The area redraws every page after a change; alone, the page redraws itself.
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

void AdminSettingsPage::Colour_Click(int index) {
  const int32_t stored = desk_.options().colours[static_cast<size_t>(index)];
  std::optional<QColor> chosen = dialogs_.colour(FromStoredColour(static_cast<uint32_t>(stored)), this);
  if (!chosen) return;
  (void)desk_.optionsEditor().ChooseColour(index, adminui::ToStoredColour(*chosen));
  After();
}

void AdminSettingsPage::Command13_Click() {
  // A size outside what the stack can show is refused with a box, and the
  // dialog comes back until a valid font or a cancel.
  for (;;) {
    std::optional<QFont> chosen = dialogs_.font(FontFromOptions(desk_.options().font), this);
    if (!chosen) return;
    MessageFont f;
    f.name = Utf8(chosen->family());
    f.size = chosen->pointSize() > 0 ? chosen->pointSize() : static_cast<int>(std::lround(chosen->pointSizeF()));
    f.bold = chosen->bold();
    f.italic = chosen->italic();
    f.strikethrough = chosen->strikeOut();
    if (!desk_.optionsEditor().ChooseFont(f).askAgain) break;
  }
  After();
}

void AdminSettingsPage::Label12_Click() {
  const int32_t stored = desk_.options().messageColour;
  std::optional<QColor> chosen = dialogs_.colour(FromStoredColour(static_cast<uint32_t>(stored)), this);
  if (!chosen) return;
  (void)desk_.optionsEditor().ChooseMessageColour(adminui::ToStoredColour(*chosen));
  After();
}

void AdminSettingsPage::Check_Click(int index, bool on) {
  (void)desk_.optionsEditor().SetCheck(kCheckEntries[index].option, on);
  After();
}

void AdminSettingsPage::ComboMode_Click(int index) {
  (void)desk_.optionsEditor().SetChoice(ChoiceOption::AssignmentMode, index);
  After();
}

void AdminSettingsPage::ComboBoardSize_Click(int index) {
  (void)desk_.optionsEditor().SetChoice(ChoiceOption::BoardSize, index);
  After();
}

void AdminSettingsPage::TextTimeLimit_Change() {
  if (!adminui::HandOverNumber(desk_.optionsEditor(), timeLimit_, NumberOption::DefaultTimeLimit)) return;
  After();
}

void AdminSettingsPage::TextCardDigits_Change() {
  if (!adminui::HandOverNumber(desk_.optionsEditor(), cardDigits_, NumberOption::CardDigitsField)) return;
  After();
}

void AdminSettingsPage::CommandPhoto_Click() {
  std::optional<QString> path = dialogs_.photo(this);
  if (!path) return;
  (void)desk_.optionsEditor().ChoosePhoto(Utf8(*path));
  After();
}

void AdminSettingsPage::PhotoNaming_Click(int index) {
  (void)desk_.optionsEditor().SetChoice(ChoiceOption::PhotoNaming, index);
  After();
}

void AdminSettingsPage::CommandCustomName_Click() {
  std::optional<QString> name = dialogs_.customName(Text(desk_.customName()), this);
  if (!name) return;
  const Status s = desk_.optionsEditor().SetCustomName(Utf8(*name));
  if (s.ok()) emit titleChanged();
  After();
}

void AdminSettingsPage::Command4_Click() {
  const PasswordChangeOutcome out =
      ChangeOwnPassword(desk_.op(), desk_.feedback(), desk_.settings(), Utf8(text4_5_->text()), Utf8(text4_1_->text()),
                        Utf8(text4_2_->text()));
  if (out.clearAll) {
    text4_5_->clear();
    text4_1_->clear();
    text4_2_->clear();
  }
  After();
}

void AdminSettingsPage::Command14_Click() { emit switchIdentityRequested(); }

}  // namespace tarvolen
