#include "ui/AdminCompanyPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "desk/Desk.h"
#include "startup/OptionsEditor.h"

namespace tarvolen {

using adminui::Utf8;

namespace {
const char* const kCaptions[AdminCompanyPage::kTexts] = {"公司名称", "创立时间", "创 建 人", "公司地区", "信息五",
                                                         "信息六",   "信息七",   "信息八",   "信息九",   "信息十"};
}  // namespace

AdminCompanyPage::AdminCompanyPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < kTexts; ++i) {
    grid->addWidget(new QLabel(QString::fromUtf8(kCaptions[i]), this), i, 0);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Text8_%1").arg(i));
    edit->setMinimumWidth(320);
    grid->addWidget(edit, i, 1);
    text8_[static_cast<size_t>(i)] = adminui::ValueBox(edit);
    auto* save = new QPushButton(QStringLiteral("保存"), this);
    save->setObjectName(QStringLiteral("CommandSave_%1").arg(i));
    connect(save, &QPushButton::clicked, this, [this, i] { CommandSave_Click(i); });
    grid->addWidget(save, i, 2);
    save_[static_cast<size_t>(i)] = save;
  }
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(kTexts, 1);
}

void AdminCompanyPage::render() {
  const CompanyInfo& company = desk_.company();
  for (int i = 0; i < kTexts; ++i) text8_[static_cast<size_t>(i)].show(company.texts[static_cast<size_t>(i)]);
}

void AdminCompanyPage::CommandSave_Click(int index) {
  adminui::ValueBox& box = text8_[static_cast<size_t>(index)];
  const std::string text = Utf8(box.edit()->text());
  const Status s = desk_.optionsEditor().SaveCompanyText(index, text);
  // A saved text is shown as the desk keeps it; a refused one stays as typed.
  if (s.ok()) box.handedOver();
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

}  // namespace tarvolen
