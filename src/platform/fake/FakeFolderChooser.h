#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FolderChooser.h"

namespace tarvolen {

// Answers every dialog with `answer` and remembers the titles asked.
class FakeFolderChooser final : public FolderChooser {
 public:
  std::optional<std::string> chooseFolder(const std::string& title, const std::string& start) override {
    asked.push_back(title);
    starts.push_back(start);
    return answer;
  }
  std::optional<std::string> answer;  // nullopt: cancelled
  std::vector<std::string> asked;
  std::vector<std::string> starts;
};

}  // namespace tarvolen
