#pragma once
// The save-file dialog, as the export asks it.
#include <optional>
#include <string>

namespace tarvolen {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The path chosen, none when the operator cancelled. `filter` as "描述 (*.ext)".
  virtual std::optional<std::string> SaveFile(const std::string& title, const std::string& filter) = 0;
};

}  // namespace tarvolen
