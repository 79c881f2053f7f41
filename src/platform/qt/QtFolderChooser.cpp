#include "platform/qt/QtFolderChooser.h"

#include <QApplication>
#include <QFileDialog>

namespace tarvolen {

std::optional<std::string> QtFolderChooser::chooseFolder(const std::string& title, const std::string& start) {
  const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString::fromStdString(title),
                                                           QString::fromStdString(start), QFileDialog::ShowDirsOnly);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

}  // namespace tarvolen
