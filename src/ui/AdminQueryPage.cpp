#include "ui/AdminQueryPage.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "desk/Desk.h"
#include "query/QueryDesk.h"
#include "query/UtilisationDesk.h"
#include "ui/AdminControls.h"
#include "ui/QueryWindow.h"
#include "ui/UtilisationWindow.h"

namespace tarvolen {

using adminui::SetChecked;
using adminui::SetEnabled;
using adminui::SetVisible;
using adminui::Text;
using query::QueryPage;
using query::ValueEditor;

namespace {

void SetText(QAbstractButton* b, const QString& t) {
  if (b->text() != t) b->setText(t);
}
void SetText(QLabel* l, const QString& t) {
  if (l->text() != t) l->setText(t);
}

// 确定 and 取消 under an editor.
QHBoxLayout* OkCancel(QDialog* dialog, const char* ok, const char* cancel) {
  auto* row = new QHBoxLayout;
  auto* yes = new QPushButton(QStringLiteral("确定"), dialog);
  yes->setObjectName(QString::fromLatin1(ok));
  auto* no = new QPushButton(QStringLiteral("取消"), dialog);
  no->setObjectName(QString::fromLatin1(cancel));
  QObject::connect(yes, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(no, &QPushButton::clicked, dialog, &QDialog::reject);
  row->addStretch(1);
  row->addWidget(yes);
  row->addWidget(no);
  return row;
}

}  // namespace

AdminQueryPage::AdminQueryPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)), dialogs_(this) {
  setObjectName(QStringLiteral("Picture3_6_Content"));
  window_ = std::make_unique<QueryWindow>(desk_, dialogs_, workbooks_);
  listening_.add(desk_.queries().changed, [this] { ShowWindow(); });

  auto* layout = new QVBoxLayout(this);
  adminui::Tighten(layout);
  auto* top = new QHBoxLayout;
  const char* modes[2] = {"统计", "查询"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QRadioButton(QString::fromUtf8(modes[i]), this);
    b->setObjectName(QStringLiteral("Option4_%1").arg(i));
    connect(b, &QRadioButton::clicked, this, [this, i] {
      desk_.queries().page().setQueryMode(i == 1);
      After();
    });
    top->addWidget(b);
    option4_[static_cast<size_t>(i)] = b;
  }
  combo9_ = new QComboBox(this);
  combo9_->setObjectName(QStringLiteral("Combo9"));
  for (const char* name : query::kSourceNames) combo9_->addItem(QString::fromUtf8(name));
  connect(combo9_, &QComboBox::activated, this, &AdminQueryPage::Combo9_Click);
  combo10_ = new QComboBox(this);
  combo10_->setObjectName(QStringLiteral("Combo10"));
  for (const char* name : query::kModeNames) combo10_->addItem(QString::fromUtf8(name));
  combo10_->setCurrentIndex(-1);
  connect(combo10_, &QComboBox::activated, this, &AdminQueryPage::Combo10_Click);
  check15_ = new QCheckBox(QStringLiteral("忽略下线时间"), this);
  check15_->setObjectName(QStringLiteral("Check15"));
  connect(check15_, &QCheckBox::clicked, this, [this](bool on) {
    desk_.queries().page().setIgnoreCheckoutTime(on);
    After();
  });
  command26_ = new QPushButton(QStringLiteral("检索"), this);
  command26_->setObjectName(QStringLiteral("Command26"));
  connect(command26_, &QPushButton::clicked, this, &AdminQueryPage::Command26_Click);
  top->addWidget(combo9_);
  top->addWidget(combo10_);
  top->addWidget(check15_);
  // 使用率: the rooms' utilisation in a window of its own.
  usage_ = std::make_unique<UtilisationWindow>(desk_.utilisation(), usageDialogs_, workbooks_, pictures_);
  commandUsage_ = new QPushButton(QStringLiteral("使用率"), this);
  commandUsage_->setObjectName(QStringLiteral("CommandUsage"));
  connect(commandUsage_, &QPushButton::clicked, this, &AdminQueryPage::CommandUsage_Click);
  top->addStretch(1);
  top->addWidget(commandUsage_);
  top->addWidget(command26_);
  layout->addLayout(top);

  // The rows in two columns: 0..14 on the left, 15..28 on the right.
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(adminui::kPageSpacing);
  for (int j = 0; j < kRows; ++j) {
    const int r = j % 15;
    const int c = (j / 15) * 6;
    auto* tick = new QCheckBox(this);
    tick->setObjectName(QStringLiteral("Check14_%1").arg(j));
    connect(tick, &QCheckBox::clicked, this, [this, j](bool on) { Check14_Click(j, on); });
    auto* from = new QPushButton(this);
    from->setObjectName(QStringLiteral("Labfrom_%1").arg(j));
    from->setFlat(true);
    connect(from, &QPushButton::clicked, this, [this, j] { Value_MouseDown(j, false); });
    auto* connector = new QLabel(this);
    connector->setObjectName(QStringLiteral("Label26_%1").arg(j));
    auto* to = new QPushButton(this);
    to->setObjectName(QStringLiteral("Labto_%1").arg(j));
    to->setFlat(true);
    connect(to, &QPushButton::clicked, this, [this, j] { Value_MouseDown(j, true); });
    auto* unit = new QPushButton(this);
    unit->setObjectName(QStringLiteral("Label28_%1").arg(j));
    unit->setFlat(true);
    connect(unit, &QPushButton::clicked, this, [this, j] { Label28_Click(j); });
    grid->addWidget(tick, r, c);
    grid->addWidget(from, r, c + 1);
    grid->addWidget(connector, r, c + 2);
    grid->addWidget(to, r, c + 3);
    grid->addWidget(unit, r, c + 4);
    check14_[static_cast<size_t>(j)] = tick;
    labfrom_[static_cast<size_t>(j)] = from;
    label26_[static_cast<size_t>(j)] = connector;
    labto_[static_cast<size_t>(j)] = to;
    label28_[static_cast<size_t>(j)] = unit;
  }
  grid->setColumnStretch(5, 1);
  grid->setColumnStretch(11, 1);
  layout->addLayout(grid);
  layout->addStretch(1);

  // Textdate: the one-line editor laid over the value it serves.
  textdate_ = new QLineEdit(this);
  textdate_->setObjectName(QStringLiteral("Textdate"));
  textdate_->hide();
  textdate_->installEventFilter(this);
  connect(textdate_, &QLineEdit::textEdited, this, [this](const QString& t) {
    if (textRow_ < 0) return;
    desk_.queries().page().SetValue(textRow_, textTo_, t.toStdString());
    render();
  });
}

AdminQueryPage::~AdminQueryPage() = default;

void AdminQueryPage::render() {
  const QueryPage& page = desk_.queries().page();
  SetChecked(option4_[0], !page.queryMode());
  SetChecked(option4_[1], page.queryMode());
  if (combo9_->currentIndex() != page.source()) combo9_->setCurrentIndex(page.source());
  SetVisible(combo10_, page.modeListShown());
  if (combo10_->currentIndex() != page.mode()) combo10_->setCurrentIndex(page.mode());
  SetVisible(check15_, page.ignoreCheckoutTimeShown());
  SetChecked(check15_, page.ignoreCheckoutTime());
  for (int j = 0; j < kRows; ++j) {
    const query::PageRow& r = page.row(j);
    const size_t i = static_cast<size_t>(j);
    SetVisible(check14_[i], r.shown);
    SetChecked(check14_[i], r.ticked);
    SetEnabled(check14_[i], !r.locked);
    SetText(check14_[i], Text(r.title));
    SetVisible(labfrom_[i], r.shown && r.fromShown);
    SetText(labfrom_[i], Text(r.from.empty() ? std::string("　") : r.from));
    SetVisible(label26_[i], r.shown && r.connectorShown);
    SetText(label26_[i], Text(r.connector));
    SetVisible(labto_[i], r.shown && r.toShown);
    SetText(labto_[i], Text(r.to.empty() ? std::string("　") : r.to));
    SetVisible(label28_[i], r.shown && r.ticked && r.fromShown && !r.unit.empty());
    SetText(label28_[i], Text(r.unit));
  }
}

void AdminQueryPage::After() {
  render();
  if (changed_) changed_();
}

void AdminQueryPage::Combo9_Click(int index) {
  ParkText();
  desk_.queries().page().ChooseSource(index);
  After();
}

void AdminQueryPage::Combo10_Click(int index) {
  desk_.queries().page().ChooseMode(index);
  After();
}

void AdminQueryPage::Check14_Click(int j, bool on) {
  ParkText();
  desk_.queries().page().Tick(j, on);
  After();
}

void AdminQueryPage::Label28_Click(int j) {
  desk_.queries().page().ClickUnit(j);
  After();
}

void AdminQueryPage::Value_MouseDown(int j, bool to) {
  QueryPage& page = desk_.queries().page();
  switch (page.EditorFor(j, to)) {
    case ValueEditor::None: return;
    case ValueEditor::Toggle: page.Toggle(j); break;
    case ValueEditor::Date:
    case ValueEditor::Time: EditDate(j, to); break;
    case ValueEditor::List: EditList(j, to); break;
    case ValueEditor::Text: {
      QPushButton* value = to ? labto_[static_cast<size_t>(j)] : labfrom_[static_cast<size_t>(j)];
      textRow_ = j;
      textTo_ = to;
      const query::PageRow& r = page.row(j);
      textdate_->setText(Text(to ? r.to : r.from));
      textdate_->setGeometry(value->x(), value->y(), value->width() + 12, value->height());
      textdate_->show();
      textdate_->raise();
      textdate_->setFocus();
      textdate_->selectAll();
      return;
    }
  }
  After();
}

// Picdate: a calendar for the date row, hour and minute for the time row.
void AdminQueryPage::EditDate(int j, bool to) {
  QueryPage& page = desk_.queries().page();
  const query::PageRow& r = page.row(j);
  const std::string value = to ? r.to : r.from;
  QDialog picdate(this);
  picdate.setObjectName(QStringLiteral("Picdate"));
  picdate.setWindowTitle(Text(r.title));
  auto* v = new QVBoxLayout(&picdate);
  QCalendarWidget* calendar = nullptr;
  QTimeEdit* clock = nullptr;
  if (j == query::kDate) {
    calendar = new QCalendarWidget(&picdate);
    const CivilDate d = FromDayNumber(query::CaptionDay(value));
    calendar->setSelectedDate(QDate(d.year, d.month, d.day));
    v->addWidget(calendar);
  } else {
    clock = new QTimeEdit(&picdate);
    clock->setDisplayFormat(QStringLiteral("HH:mm"));
    clock->setTime(QTime::fromString(Text(value), QStringLiteral("HH:mm")));
    v->addWidget(clock);
  }
  v->addLayout(OkCancel(&picdate, "Command27", "Command28"));
  if (picdate.exec() != QDialog::Accepted) return;
  if (calendar != nullptr) {
    const QDate d = calendar->selectedDate();
    page.SetDate(j, to, {d.year(), d.month(), d.day()});
  } else {
    page.SetTime(j, to, clock->time().hour(), clock->time().minute());
  }
}

// Listdate: the entries of the row's list, the current set ticked.
void AdminQueryPage::EditList(int j, bool to) {
  QueryPage& page = desk_.queries().page();
  QDialog dialog(this);
  dialog.setObjectName(QStringLiteral("ListdateDialog"));
  dialog.setWindowTitle(Text(page.row(j).title));
  auto* v = new QVBoxLayout(&dialog);
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("Listdate"));
  const uint32_t set = page.CurrentSet(j, to);
  for (const query::ListEntry& e : page.ListEntries(j)) {
    auto* item = new QListWidgetItem(Text(e.name), list);
    item->setData(Qt::UserRole, e.index);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(e.index < 32 && ((set >> e.index) & 1u) != 0 ? Qt::Checked : Qt::Unchecked);
  }
  v->addWidget(list);
  v->addLayout(OkCancel(&dialog, "Command29", "Command30"));
  if (dialog.exec() != QDialog::Accepted) return;
  uint32_t chosen = 0;
  for (int i = 0; i < list->count(); ++i) {
    const int index = list->item(i)->data(Qt::UserRole).toInt();
    if (list->item(i)->checkState() == Qt::Checked && index < 32) chosen |= 1u << index;
  }
  page.ChooseSet(j, to, chosen);
}

void AdminQueryPage::ParkText() {
  textRow_ = -1;
  textdate_->hide();
}

bool AdminQueryPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == textdate_) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ParkText();
        command26_->setFocus();
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      ParkText();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void AdminQueryPage::Command26_Click() {
  ParkText();
  desk_.queries().Search();
  After();
}

void AdminQueryPage::CommandUsage_Click() { desk_.utilisation().Open(); }

void AdminQueryPage::ShowWindow() {
  window_->render();
  if (desk_.queries().windowShown()) {
    window_->showMaximized();
    window_->raise();
    window_->activateWindow();
  } else {
    window_->hide();
  }
}

}  // namespace tarvolen
