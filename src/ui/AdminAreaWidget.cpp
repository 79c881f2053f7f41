#include "ui/AdminAreaWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "access/AdminArea.h"
#include "desk/Desk.h"
#include "ui/AdminBackupPage.h"
#include "ui/AdminCompanyPage.h"
#include "ui/AdminMembersPage.h"
#include "ui/AdminControls.h"
#include "ui/AdminParametersPage.h"
#include "ui/AdminQueryPage.h"
#include "ui/AdminRoomsPage.h"
#include "ui/AdminSettingsPage.h"
#include "ui/AdminStudentsPage.h"
#include "ui/AdminUsersPage.h"

namespace tarvolen {

using adminui::SetChecked;
using adminui::SetVisible;

namespace {
constexpr int kRoomPage = 2;
constexpr int kStudentPage = 3;
constexpr int kQueryPage = 6;
constexpr int kBackupPage = 7;
}  // namespace

AdminAreaWidget::AdminAreaWidget(Desk& desk, QWidget* parent)
    : QWidget(parent), desk_(desk), dialogs_(AdminDialogs::Standard()) {
  setObjectName(QStringLiteral("Picture2"));
  // Readable Chinese whatever the desktop's default font.
  QFont f = font();
  f.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), f.family()});
  setFont(f);

  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < kPages; ++i) {
    auto* b = new QPushButton(QString::fromUtf8(AdminArea::kCaptions[static_cast<size_t>(i)]), this);
    b->setObjectName(QStringLiteral("Option1_%1").arg(i));
    b->setCheckable(true);
    // Which button is down is the desk's page: a refused click shows no change.
    b->setAutoExclusive(false);
    connect(b, &QPushButton::clicked, this, [this, i] { Option1_Click(i); });
    buttons->addWidget(b);
    option1_[static_cast<size_t>(i)] = b;
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);

  auto after = [this] { After(); };
  settings_ = new AdminSettingsPage(desk_, dialogs_, after);
  parameters_ = new AdminParametersPage(desk_, after);
  users_ = new AdminUsersPage(desk_, after);
  company_ = new AdminCompanyPage(desk_, after);
  members_ = new AdminMembersPage(desk_, after);
  students_ = new AdminStudentsPage(desk_, after);
  rooms_ = new AdminRoomsPage(desk_, after);
  queries_ = new AdminQueryPage(desk_, after);
  backup_ = new AdminBackupPage(desk_, after);
  connect(settings_, &AdminSettingsPage::switchIdentityRequested, this, &AdminAreaWidget::switchIdentityRequested);
  connect(settings_, &AdminSettingsPage::titleChanged, this, &AdminAreaWidget::titleChanged);

  for (int i = 0; i < kPages; ++i) {
    QWidget* content = i == 0              ? settings_
                       : i == 1            ? parameters_
                       : i == kRoomPage    ? rooms_
                       : i == kStudentPage ? students_
                       : i == 4            ? users_
                       : i == 5            ? members_
                       : i == kBackupPage  ? backup_
                       : i == 8            ? company_
                       : i == kQueryPage   ? queries_
                                           : MakePlaceholder(i);
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("Picture3_%1").arg(i));
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(content);
    area->hide();
    layout->addWidget(area, 1);
    picture3_[static_cast<size_t>(i)] = area;
  }
  layout->addStretch(0);
}

AdminAreaWidget::~AdminAreaWidget() = default;

QWidget* AdminAreaWidget::MakePlaceholder(int i) {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* label = new QLabel(QStringLiteral("%1：本版本尚未提供此页的编辑功能。")
                               .arg(QString::fromUtf8(AdminArea::kCaptions[static_cast<size_t>(i)])),
                           page);
  label->setObjectName(QStringLiteral("Placeholder_%1").arg(i));
  v->addWidget(label);
  v->addStretch(1);
  return page;
}

void AdminAreaWidget::render() {
  const AdminArea& area = desk_.adminArea();
  const uint16_t visible = desk_.navigationVisible();
  const int shown = area.isOpen() ? area.page() : -1;
  for (int i = 0; i < kPages; ++i) {
    QPushButton* b = option1_[static_cast<size_t>(i)];
    SetVisible(b, (visible & (1u << i)) != 0);
    SetChecked(b, shown == i);
  }
  // Hide the page going away before showing the new one, so the area never
  // holds two pages at once.
  for (int i = 0; i < kPages; ++i) {
    if (shown != i) SetVisible(picture3_[static_cast<size_t>(i)], false);
  }
  if (shown >= 0 && shown < kPages) SetVisible(picture3_[static_cast<size_t>(shown)], true);

  settings_->render();
  parameters_->render();
  users_->render();
  company_->render();
  members_->render();
  students_->render();
  rooms_->render();
  queries_->render();
  backup_->render();
}

void AdminAreaWidget::After() {
  render();
  emit changed();
}

void AdminAreaWidget::Option1_Click(int i) {
  (void)desk_.adminArea().Navigate(i);
  After();
}

}  // namespace tarvolen
