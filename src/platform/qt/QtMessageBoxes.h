#pragma once
#include "platform/MessageBoxes.h"

namespace tarvolen {

// Modal QMessageBox; returns when the operator has closed it.
class QtMessageBoxes final : public MessageBoxes {
 public:
  void show(const std::string& title, const std::string& text, BoxIcon icon) override;
  bool ask(const std::string& title, const std::string& text, BoxIcon icon) override;
};

}  // namespace tarvolen
