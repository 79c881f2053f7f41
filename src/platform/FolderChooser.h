#pragma once
// Choosing a folder (the backup target, the folder to restore from): the
// desktop's folder dialog in the program, a fake in the tests.
#include <optional>
#include <string>

namespace tarvolen {

class FolderChooser {
 public:
  virtual ~FolderChooser() = default;
  // The folder the operator chose, starting at `start`; nullopt when the
  // dialog was cancelled.
  virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& start) = 0;
};

}  // namespace tarvolen
