#pragma once
// The common file dialogs: each call returns when the operator has chosen a
// file or cancelled. `filter` is a name filter with its description, as
// "电子表格 (*.xls *.xlsx)".
#include <optional>
#include <string>

namespace tarvolen {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // An existing file to read; nullopt when cancelled.
  virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) = 0;
  // A file to write (it may not exist yet); nullopt when cancelled.
  virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter) = 0;
};

// Where no dialogs are given: every dialog is cancelled.
class CancellingFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> openFile(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const std::string&, const std::string&) override { return std::nullopt; }
};

}  // namespace tarvolen
