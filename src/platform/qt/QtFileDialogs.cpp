#include "platform/qt/QtFileDialogs.h"

#include <QFileDialog>

namespace tarvolen {

std::optional<std::string> QtFileDialogs::SaveFile(const std::string& title, const std::string& filter) {
  QFileDialog dialog(parent_, QString::fromStdString(title));
  dialog.setObjectName(QStringLiteral("SaveFileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QString::fromStdString(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace tarvolen
