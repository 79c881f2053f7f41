#include "platform/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvolen {

namespace {
QMessageBox::Icon ToQt(BoxIcon icon) {
  if (icon == BoxIcon::Information) return QMessageBox::Information;
  if (icon == BoxIcon::Critical) return QMessageBox::Critical;
  return QMessageBox::NoIcon;
}
}  // namespace

bool QtMessageBoxes::ask(const std::string& title, const std::string& text, BoxIcon icon) {
  QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.setObjectName(QStringLiteral("messageBox"));
  return box.exec() != QMessageBox::No;
}

void QtMessageBoxes::show(const std::string& title, const std::string& text, BoxIcon icon) {
  QMessageBox::Icon qicon = QMessageBox::NoIcon;
  if (icon == BoxIcon::Information) qicon = QMessageBox::Information;
  if (icon == BoxIcon::Critical) qicon = QMessageBox::Critical;
  QMessageBox box(qicon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("messageBox"));
  box.exec();
}

}  // namespace tarvolen
