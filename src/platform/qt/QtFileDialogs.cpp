#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace tarvolen {

std::optional<std::string> QtFileDialogs::openFile(const std::string& title, const std::string& filter) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title));
  dialog.setObjectName(QStringLiteral("fileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilter(QStringLiteral("电子表格 (%1)").arg(QString::fromStdString(filter)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace tarvolen
