#pragma once
#include "platform/FolderChooser.h"

namespace tarvolen {

// QFileDialog's folder chooser, modal over the active window.
class QtFolderChooser final : public FolderChooser {
 public:
  std::optional<std::string> chooseFolder(const std::string& title, const std::string& start) override;
};

}  // namespace tarvolen
