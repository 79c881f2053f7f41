#pragma once
// The common file dialogs: the call returns when the operator has chosen a
// file or cancelled.
#include <optional>
#include <string>

namespace tarvolen {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // An open-file dialog with the title and the name filter ("*.xls *.xlsx");
  // nullopt when cancelled.
  virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) = 0;
};

// Where no dialogs are given: every dialog is cancelled.
class CancellingFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> openFile(const std::string&, const std::string&) override { return std::nullopt; }
};

}  // namespace tarvolen
