#pragma once
#include "platform/FileDialogs.h"

class QWidget;

namespace tarvolen {

// Qt's own file dialog (not the desktop's), so it looks and behaves the
// same everywhere and its name box can be typed into.
class QtFileDialogs final : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  std::optional<std::string> SaveFile(const std::string& title, const std::string& filter) override;

 private:
  QWidget* parent_;
};

}  // namespace tarvolen
