#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace tarvolen {

// Answers every save dialog with `answer` (none: cancelled) and notes the asks.
class FakeFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> SaveFile(const std::string& title, const std::string& filter) override {
    asked.push_back(title + "|" + filter);
    return answer;
  }
  std::optional<std::string> answer;
  std::vector<std::string> asked;
};

}  // namespace tarvolen
