#include "ui/AdminUsersPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "access/Identities.h"
#include "access/UserPage.h"
#include "desk/Desk.h"
#include "ui/AdminControls.h"

namespace tarvolen {

using adminui::MirrorText;
using adminui::SetChecked;
using adminui::SetEnabled;
using adminui::Text;
using adminui::Utf8;

namespace {

const char* const kRightCaptions[AdminUsersPage::kRights] = {"设置",     "参类设置", "房间数据", "学生数据", "用户管理",
                                                             "会员管理", "统计查询", "数据备份", "企业信息", "登记"};

QLineEdit* Box(const char* name, bool password, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  if (password) e->setEchoMode(QLineEdit::Password);
  return e;
}

}  // namespace

AdminUsersPage::AdminUsersPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)) {
  auto* layout = new QGridLayout(this);

  list4_ = new QListWidget(this);
  list4_->setObjectName(QStringLiteral("List4"));
  for (int k = 0; k < IdentityTable::kCount; ++k) list4_->addItem(QString());
  list4_->setMaximumWidth(200);
  connect(list4_, &QListWidget::currentRowChanged, this, [this](int row) { List4_Click(row); });
  layout->addWidget(list4_, 0, 0, 3, 1);

  auto* boxes = new QGroupBox(QStringLiteral("用户"), this);
  auto* grid = new QGridLayout(boxes);
  text4_0_ = Box("Text4_0", false, boxes);
  text4_3_ = Box("Text4_3", true, boxes);
  text4_4_ = Box("Text4_4", true, boxes);
  grid->addWidget(new QLabel(QStringLiteral("用 户 名"), boxes), 0, 0);
  grid->addWidget(text4_0_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("初始密码"), boxes), 1, 0);
  grid->addWidget(text4_3_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("确认密码"), boxes), 2, 0);
  grid->addWidget(text4_4_, 2, 1);
  connect(text4_0_, &QLineEdit::textEdited, this, [this](const QString& t) { Text4_0_Change(t); });
  connect(text4_3_, &QLineEdit::textEdited, this, [this](const QString& t) { Text4_3_Change(t); });
  connect(text4_4_, &QLineEdit::textEdited, this, [this](const QString& t) { Text4_4_Change(t); });
  layout->addWidget(boxes, 0, 1);

  auto* rights = new QGroupBox(QStringLiteral("权限："), this);
  auto* rg = new QGridLayout(rights);
  for (int i = 0; i < kRights; ++i) {
    auto* c = new QCheckBox(QString::fromUtf8(kRightCaptions[i]), rights);
    c->setObjectName(QStringLiteral("Check8_%1").arg(i));
    connect(c, &QCheckBox::clicked, this, [this, i](bool on) { Check8_Click(i, on); });
    rg->addWidget(c, i / 2, i % 2);
    check8_[static_cast<size_t>(i)] = c;
  }
  layout->addWidget(rights, 1, 1);

  command2_ = new QPushButton(QStringLiteral("确定修改"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
  layout->addWidget(command2_, 2, 1, Qt::AlignLeft);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(3, 1);
}

void AdminUsersPage::render() {
  // The list keeps the names of start-up, like the identity prompt's list.
  const std::vector<std::string>& names = desk_.prompt().view().names;
  for (int k = 0; k < IdentityTable::kCount; ++k) {
    const QString name = k < static_cast<int>(names.size()) ? Text(names[static_cast<size_t>(k)]) : QString();
    QListWidgetItem* item = list4_->item(k);
    if (item->text() != name) item->setText(name);
  }
  UserPage& page = desk_.userPage();
  if (list4_->currentRow() != page.selected()) {
    QSignalBlocker block(list4_);
    list4_->setCurrentRow(page.selected());
  }
  MirrorText(text4_0_, page.name());
  MirrorText(text4_3_, page.password());
  MirrorText(text4_4_, page.confirmation());
  for (int i = 0; i < kRights; ++i) {
    QCheckBox* c = check8_[static_cast<size_t>(i)];
    SetChecked(c, page.right(i));
    SetEnabled(c, page.rightEnabled(i));
  }
}

void AdminUsersPage::After() {
  // The area redraws every page after a change; alone, the page redraws itself.
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

void AdminUsersPage::List4_Click(int row) {
  desk_.userPage().Select(row);
  After();
}

void AdminUsersPage::Text4_0_Change(const QString& text) { desk_.userPage().setName(Utf8(text)); }

void AdminUsersPage::Text4_3_Change(const QString& text) { desk_.userPage().typePassword(Utf8(text)); }

void AdminUsersPage::Text4_4_Change(const QString& text) { desk_.userPage().typeConfirmation(Utf8(text)); }

void AdminUsersPage::Check8_Click(int bit, bool on) {
  desk_.userPage().setRight(bit, on);
  After();
}

void AdminUsersPage::Command2_Click() {
  (void)desk_.userPage().Save();
  After();
}

}  // namespace tarvolen
