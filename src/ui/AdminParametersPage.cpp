#include "ui/AdminParametersPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "startup/CategoryEditor.h"
#include "ui/AdminControls.h"
#include "desk/Desk.h"
#include "startup/OptionsEditor.h"
#include "store/Tables.h"

namespace tarvolen {

using adminui::SetChecked;
using adminui::SetEnabled;
using adminui::Text;
using adminui::Utf8;

namespace {

struct ParamEntry {
  const char* caption;
  NumberOption option;
};
const ParamEntry kParams[AdminParametersPage::kParameters] = {
    {"价格(时/元)", NumberOption::PricePerHour},       {"登记所需余额(元)", NumberOption::BalanceNeeded},
    {"学制(年)", NumberOption::YearsOfStudy},          {"每日限时(小时)", NumberOption::DailyHours},
    {"每日限次:", NumberOption::DailyLimit},           {"显示证号位数:", NumberOption::IdDigits},
    {"显示卡号位数:", NumberOption::CardDigits},       {"提醒充值:", NumberOption::RechargeReminder},
    {"登录保护(分)", NumberOption::ProtectionMinutes}, {"超时等待(分):", NumberOption::OvertimeWait},
};

struct CheckEntry {
  const char* caption;
  const char* name;
  CheckOption option;
  bool Options::*value;
};
const CheckEntry kCheckEntries[AdminParametersPage::kChecks] = {
    {"自动下线", "CheckAutoCheckout", CheckOption::AutoCheckout, &Options::autoCheckout},
    {"不保存前一天的数据", "CheckDropPreviousDay", CheckOption::DropPreviousDay, &Options::dropPreviousDay},
};

const char* const kPolicyCaptions[AdminParametersPage::kPolicies] = {
    "按充值金额升级", "按消费金额升级", "按累计时间升级", "不设置升级系统", "按登记次数升级"};

struct NameListEntry {
  const char* title;
  const char* suffix;  // of the control names
  NameList list;
  int count;
};
const NameListEntry kNameListEntries[AdminParametersPage::kNameLists] = {
    {"年级", "Grades", NameList::Grades, CategoryLists::kLoadedGrades},
    {"班级", "Classes", NameList::Classes, CategoryLists::kNames},
    {"专业", "Majors", NameList::Majors, CategoryLists::kNames},
};

QListWidget* MakeList(const QString& name, int rows, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  for (int i = 0; i < rows; ++i) list->addItem(QString());
  // Five rows or so in view; the list scrolls for the rest.
  list->setMinimumHeight(108);
  return list;
}

void SetRow(QListWidget* list, int row, const std::string& text) {
  QListWidgetItem* item = list->item(row);
  const QString q = Text(text);
  if (item != nullptr && item->text() != q) item->setText(q);
}

}  // namespace

AdminParametersPage::AdminParametersPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)) {
  auto* layout = new QGridLayout(this);
  adminui::Tighten(layout);
  layout->addWidget(BuildParameters(), 0, 0);
  layout->addWidget(BuildPolicy(), 0, 1);
  layout->addWidget(BuildLists(), 1, 0, 1, 3);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(2, 1);
}

QWidget* AdminParametersPage::BuildParameters() {
  auto* box = new QGroupBox(QStringLiteral("参数"), this);
  auto* grid = new QGridLayout(box);
  adminui::Tighten(grid);
  for (int i = 0; i < kParameters; ++i) {
    const int row = i % 5;
    const int column = (i / 5) * 2;
    grid->addWidget(new QLabel(QString::fromUtf8(kParams[i].caption), box), row, column);
    auto* edit = new QLineEdit(box);
    edit->setObjectName(QStringLiteral("Param_%1").arg(i));
    edit->setMaximumWidth(90);
    connect(edit, &QLineEdit::editingFinished, this, [this, i] { Param_Change(i); });
    grid->addWidget(edit, row, column + 1);
    params_[static_cast<size_t>(i)] = adminui::ValueBox(edit);
  }
  for (int i = 0; i < kChecks; ++i) {
    auto* c = new QCheckBox(QString::fromUtf8(kCheckEntries[i].caption), box);
    c->setObjectName(QString::fromLatin1(kCheckEntries[i].name));
    connect(c, &QCheckBox::clicked, this, [this, i](bool on) { Check_Click(i, on); });
    grid->addWidget(c, 5, i * 2, 1, 2);
    checks_[static_cast<size_t>(i)] = c;
  }
  return box;
}

QWidget* AdminParametersPage::BuildPolicy() {
  auto* box = new QGroupBox(QStringLiteral("会员升级"), this);
  auto* v = new QVBoxLayout(box);
  adminui::Tighten(v);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < kPolicies; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(kPolicyCaptions[i]), box);
    r->setObjectName(QStringLiteral("Upgrade_%1").arg(i));
    group->addButton(r, i);
    connect(r, &QRadioButton::clicked, this, [this, i] { Upgrade_Click(i); });
    v->addWidget(r);
    upgrade_[static_cast<size_t>(i)] = r;
  }
  v->addStretch(1);
  return box;
}

QWidget* AdminParametersPage::BuildLists() {
  auto* box = new QGroupBox(QStringLiteral("类别"), this);
  auto* grid = new QGridLayout(box);
  adminui::Tighten(grid);
  check2_ = new QCheckBox(QStringLiteral("修改中"), box);
  check2_->setObjectName(QStringLiteral("Check2"));
  connect(check2_, &QCheckBox::clicked, this, [this](bool on) { Check2_Click(on); });
  grid->addWidget(check2_, 0, 0, 1, 4);

  // Member levels: the list, and beside it name, percentage and threshold.
  auto* levels = new QGroupBox(QStringLiteral("等级"), box);
  auto* lv = new QGridLayout(levels);
  adminui::Tighten(lv);
  listLevels_ = MakeList(QStringLiteral("ListLevels"), CategoryLists::kLevels, levels);
  connect(listLevels_, &QListWidget::currentRowChanged, this, [this](int row) { ListLevels_Click(row); });
  lv->addWidget(listLevels_, 0, 0, 5, 1);
  levelName_ = new QLineEdit(levels);
  levelName_->setObjectName(QStringLiteral("TextLevelName"));
  levelPercent_ = new QLineEdit(levels);
  levelPercent_->setObjectName(QStringLiteral("TextLevelPercent"));
  levelThreshold_ = new QLineEdit(levels);
  levelThreshold_->setObjectName(QStringLiteral("TextLevelThreshold"));
  for (QLineEdit* e : {levelName_, levelPercent_, levelThreshold_}) e->setMaximumWidth(90);
  lv->addWidget(new QLabel(QStringLiteral("名称"), levels), 0, 1);
  lv->addWidget(levelName_, 0, 2);
  lv->addWidget(new QLabel(QStringLiteral("折扣(%)"), levels), 1, 1);
  lv->addWidget(levelPercent_, 1, 2);
  lv->addWidget(new QLabel(QStringLiteral("升级值"), levels), 2, 1);
  lv->addWidget(levelThreshold_, 2, 2);
  commandLevel_ = new QPushButton(QStringLiteral("修改"), levels);
  commandLevel_->setObjectName(QStringLiteral("CommandLevels"));
  connect(commandLevel_, &QPushButton::clicked, this, [this] { CommandLevel_Click(); });
  lv->addWidget(commandLevel_, 3, 2);
  lv->setRowStretch(4, 1);
  grid->addWidget(levels, 1, 0);

  for (int l = 0; l < kNameLists; ++l) {
    const NameListEntry& e = kNameListEntries[l];
    auto* group = new QGroupBox(QString::fromUtf8(e.title), box);
    // The list, under it the name's box with its "修改" beside it.
    auto* gv = new QGridLayout(group);
    adminui::Tighten(gv);
    QListWidget* list = MakeList(QStringLiteral("List%1").arg(QLatin1String(e.suffix)), e.count, group);
    connect(list, &QListWidget::currentRowChanged, this, [this, l](int row) { NameList_Click(l, row); });
    gv->addWidget(list, 0, 0, 1, 2);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QStringLiteral("Text%1").arg(QLatin1String(e.suffix)));
    gv->addWidget(edit, 1, 0);
    auto* button = new QPushButton(QStringLiteral("修改"), group);
    button->setObjectName(QStringLiteral("Command%1").arg(QLatin1String(e.suffix)));
    button->setMinimumWidth(48);
    button->setMaximumWidth(56);
    connect(button, &QPushButton::clicked, this, [this, l] { CommandName_Click(l); });
    gv->addWidget(button, 1, 1);
    grid->addWidget(group, 1, 1 + l);
    nameLists_[static_cast<size_t>(l)] = list;
    nameBoxes_[static_cast<size_t>(l)] = edit;
    nameButtons_[static_cast<size_t>(l)] = button;
  }
  return box;
}

std::string AdminParametersPage::NameRow(int list, int index) const {
  return desk_.categoryEditor().NameShown(kNameListEntries[list].list, index);
}

void AdminParametersPage::render() {
  const Options& o = desk_.options();
  for (int i = 0; i < kParameters; ++i) params_[static_cast<size_t>(i)].show(NumberOptionText(o, kParams[i].option));
  for (int i = 0; i < kChecks; ++i) SetChecked(checks_[static_cast<size_t>(i)], o.*(kCheckEntries[i].value));
  for (int i = 0; i < kPolicies; ++i) SetChecked(upgrade_[static_cast<size_t>(i)], o.upgradePolicy == i);

  const bool editing = desk_.adminArea().categoryEdit();
  SetChecked(check2_, editing);
  SetEnabled(commandLevel_, editing);
  for (QPushButton* b : nameButtons_) SetEnabled(b, editing);

  const CategoryLists& c = desk_.categories();
  for (int i = 0; i < CategoryLists::kLevels; ++i) SetRow(listLevels_, i, c.levelRow(i));
  for (int l = 0; l < kNameLists; ++l) {
    for (int i = 0; i < kNameListEntries[l].count; ++i) SetRow(nameLists_[static_cast<size_t>(l)], i, NameRow(l, i));
  }
}

void AdminParametersPage::After() {
  // The area redraws every page after a change; alone, the page redraws itself.
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

void AdminParametersPage::Param_Change(int index) {
  if (!adminui::HandOverNumber(desk_.optionsEditor(), params_[static_cast<size_t>(index)], kParams[index].option)) {
    return;
  }
  After();
}

void AdminParametersPage::Check_Click(int index, bool on) {
  (void)desk_.optionsEditor().SetCheck(kCheckEntries[index].option, on);
  After();
}

void AdminParametersPage::Upgrade_Click(int index) {
  (void)desk_.optionsEditor().SetChoice(ChoiceOption::UpgradePolicy, index);
  After();
}

void AdminParametersPage::Check2_Click(bool on) {
  desk_.adminArea().SetCategoryEdit(on);
  After();
}

void AdminParametersPage::ListLevels_Click(int row) {
  // The boxes start from the chosen level.
  const CategoryLists& c = desk_.categories();
  if (row < 0 || row >= CategoryLists::kLevels) return;
  const LevelRecord& level = c.levels[static_cast<size_t>(row)];
  levelName_->setText(Text(level.name));
  levelPercent_->setText(QString::number(level.percentage));
  levelThreshold_->setText(QString::number(level.threshold));
}

void AdminParametersPage::CommandLevel_Click() {
  const int row = listLevels_->currentRow();
  (void)desk_.categoryEditor().ChangeLevel(row, Utf8(levelName_->text()), Utf8(levelPercent_->text()),
                                           Utf8(levelThreshold_->text()));
  After();
}

void AdminParametersPage::NameList_Click(int list, int row) {
  if (row < 0) return;
  nameBoxes_[static_cast<size_t>(list)]->setText(Text(NameRow(list, row)));
}

void AdminParametersPage::CommandName_Click(int list) {
  const int row = nameLists_[static_cast<size_t>(list)]->currentRow();
  const NameList which = kNameListEntries[list].list;
  (void)desk_.categoryEditor().ChangeName(which, row, Utf8(nameBoxes_[static_cast<size_t>(list)]->text()));
  After();
}

}  // namespace tarvolen
