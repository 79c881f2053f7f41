#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace tarvolen {
namespace {

std::optional<std::string> Run(QFileDialog& dialog, const std::string& filter) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setNameFilter(QString::fromStdString(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogs::openFile(const std::string& title, const std::string& filter) {
  QFileDialog dialog(parent_ != nullptr ? parent_ : QApplication::activeWindow(), QString::fromStdString(title));
  dialog.setObjectName(QStringLiteral("fileDialog"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return Run(dialog, filter);
}

std::optional<std::string> QtFileDialogs::saveFile(const std::string& title, const std::string& filter) {
  QFileDialog dialog(parent_ != nullptr ? parent_ : QApplication::activeWindow(), QString::fromStdString(title));
  dialog.setObjectName(QStringLiteral("SaveFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  return Run(dialog, filter);
}

}  // namespace tarvolen
