#include "platform/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvolen {

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
