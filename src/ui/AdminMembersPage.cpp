#include "ui/AdminMembersPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "accounts/AccountOperations.h"
#include "desk/Desk.h"
#include "ui/AdminControls.h"
#include "ui/OperationBox.h"

namespace tarvolen {

using adminui::MirrorText;
using adminui::SetEnabled;
using adminui::SetIndex;
using adminui::SetLabel;
using adminui::SetVisible;
using adminui::Text;
using adminui::Utf8;

AdminMembersPage::AdminMembersPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)) {
  auto* layout = new QVBoxLayout(this);
  adminui::Tighten(layout);

  // Each box sits in a row: its prompt, the box, its result label.
  auto addBox = [this](QGridLayout* grid, int row, int i) {
    auto* prompt = new QLabel(Text(OperationInputs::kPrompts[static_cast<size_t>(i)]), this);
    prompt->setObjectName(QStringLiteral("Prompt8_%1").arg(i));
    auto* box = new OperationBox(this);
    // Text8 is also the company page's name: these boxes take the panel's prefix.
    box->setObjectName(QStringLiteral("OpText8_%1").arg(i));
    box->acceptsKey = [this, i](char32_t key) { return desk_.accounts().inputs().AcceptsKey(i, key); };
    connect(box, &OperationBox::focusGained, this, [this, i] { Text8_GotFocus(i); });
    connect(box, &OperationBox::focusLost, this, [this, i] { Text8_LostFocus(i); });
    connect(box, &OperationBox::enterPressed, this, [this, i] { Text8_Enter(i); });
    connect(box, &QLineEdit::textEdited, this, [this, i](const QString& t) { Text8_Change(i, t); });
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label20_%1").arg(i));
    label->setMinimumWidth(120);
    grid->addWidget(prompt, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(label, row, 2);
    prompt_[static_cast<size_t>(i)] = prompt;
    text8_[static_cast<size_t>(i)] = box;
    label20_[static_cast<size_t>(i)] = label;
  };
  // The panel's "执行" stands right of its last row, where the operator's
  // eye ends; the chooser heads the panel. So the three panels fit the
  // area one under the other.
  auto execute = [](QWidget* frame, const char* name) {
    auto* b = new QPushButton(QStringLiteral("执行"), frame);
    b->setObjectName(QLatin1String(name));
    return b;
  };

  auto* member = new QGroupBox(QStringLiteral("会员管理"), this);
  member->setObjectName(QStringLiteral("FrameMember"));
  auto* mg = new QGridLayout(member);
  adminui::Tighten(mg);
  combo6_ = new QComboBox(member);
  combo6_->setObjectName(QStringLiteral("Combo6"));
  for (const char* entry : OperationInputs::kMemberOperations) combo6_->addItem(Text(entry));
  combo6_->setCurrentIndex(-1);
  connect(combo6_, &QComboBox::activated, this, &AdminMembersPage::Combo6_Click);
  mg->addWidget(combo6_, 0, 0, 1, 2);
  for (int i = 0; i <= 2; ++i) addBox(mg, i + 1, i);
  command1_ = execute(member, "Command1");
  connect(command1_, &QPushButton::clicked, this, &AdminMembersPage::Command1_Click);
  mg->addWidget(command1_, 3, 3, Qt::AlignBottom);
  layout->addWidget(member);

  auto* room = new QGroupBox(QStringLiteral("房间管理"), this);
  room->setObjectName(QStringLiteral("FrameRoom"));
  auto* rg = new QGridLayout(room);
  adminui::Tighten(rg);
  combo7_ = new QComboBox(room);
  combo7_->setObjectName(QStringLiteral("Combo7"));
  for (const char* entry : OperationInputs::kRoomOperations) combo7_->addItem(Text(entry));
  combo7_->setCurrentIndex(-1);
  connect(combo7_, &QComboBox::activated, this, &AdminMembersPage::Combo7_Click);
  rg->addWidget(combo7_, 0, 0, 1, 2);
  for (int i = 3; i <= 4; ++i) addBox(rg, i - 2, i);
  command17_ = execute(room, "Command17");
  connect(command17_, &QPushButton::clicked, this, &AdminMembersPage::Command17_Click);
  rg->addWidget(command17_, 2, 3, Qt::AlignBottom);
  layout->addWidget(room);

  auto* free = new QGroupBox(QStringLiteral("增加日志"), this);
  free->setObjectName(QStringLiteral("FrameRecord"));
  auto* fg = new QGridLayout(free);
  adminui::Tighten(fg);
  for (int i = 5; i <= 8; ++i) addBox(fg, i - 5, i);
  command20_ = execute(free, "Command20");
  connect(command20_, &QPushButton::clicked, this, &AdminMembersPage::Command20_Click);
  fg->addWidget(command20_, 3, 3, Qt::AlignBottom);
  layout->addWidget(free);
  layout->addStretch(1);
}

void AdminMembersPage::render() {
  const OperationInputs& in = desk_.accounts().inputs();
  SetIndex(combo6_, in.memberIndex());
  SetIndex(combo7_, in.roomIndex());
  SetEnabled(command1_, in.command1Enabled());
  SetEnabled(command17_, in.command17Enabled());
  for (int i = 0; i < kBoxes; ++i) {
    const auto& b = in.box(i);
    const auto& l = in.label(i);
    OperationBox* box = text8_[static_cast<size_t>(i)];
    MirrorText(box, b.text);
    SetVisible(box, b.visible);
    SetVisible(label20_[static_cast<size_t>(i)], l.visible);
    SetLabel(label20_[static_cast<size_t>(i)], l.caption);
    const QString style = b.focused ? QStringLiteral("background: rgb(0, 255, 0);") : QString();
    if (box->styleSheet() != style) box->setStyleSheet(style);
  }
  const std::string prompt0 = in.box0Prompt();
  SetLabel(prompt_[0], prompt0);
  SetVisible(prompt_[0], !prompt0.empty());
  SetVisible(prompt_[2], in.box(2).visible);
  if (focusRequest_ != in.focusRequest()) {
    focusRequest_ = in.focusRequest();
    const int f = in.focusBox();
    if (f >= 0 && f < kBoxes && isVisible()) text8_[static_cast<size_t>(f)]->setFocus(Qt::OtherFocusReason);
  }
}

void AdminMembersPage::After() {
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

void AdminMembersPage::Combo6_Click(int index) {
  desk_.accounts().inputs().ChooseMemberOperation(index);
  After();
}

void AdminMembersPage::Combo7_Click(int index) {
  desk_.accounts().inputs().ChooseRoomOperation(index);
  After();
}

void AdminMembersPage::Text8_GotFocus(int i) {
  desk_.accounts().inputs().BoxFocusGained(i);
  render();
}

void AdminMembersPage::Text8_LostFocus(int i) {
  desk_.accounts().inputs().BoxFocusLost(i);
  render();
}

void AdminMembersPage::Text8_Change(int i, const QString& text) { desk_.accounts().inputs().SetText(i, Utf8(text)); }

void AdminMembersPage::Text8_Enter(int i) {
  desk_.accounts().BoxEnter(i);
  After();
}

void AdminMembersPage::Command1_Click() {
  desk_.accounts().PrepareMember();
  After();
}

void AdminMembersPage::Command17_Click() {
  desk_.accounts().PrepareRoom();
  After();
}

void AdminMembersPage::Command20_Click() {
  desk_.accounts().PrepareFreeRecord();
  After();
}

}  // namespace tarvolen
