#pragma once
#include "platform/FileDialogs.h"

class QWidget;

namespace tarvolen {

// Qt's own file dialogs, never the desktop's native ones: they look and
// behave the same everywhere and their name box can be typed into under
// Xvfb. The end-to-end tests find them by their object names, "fileDialog"
// (open) and "SaveFileDialog" (save). Without a parent the active window
// is the dialog's parent.
class QtFileDialogs final : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;
  std::optional<std::string> saveFile(const std::string& title, const std::string& filter) override;

 private:
  QWidget* parent_;
};

}  // namespace tarvolen
